#include "engine/ipc/PipeEnd.h"

#include <cstdint>

namespace engine {
namespace {

constexpr DWORD kPipeBuffer = 64 * 1024;

[[nodiscard]] UniqueKernelHandle NewEvent()
{
    return UniqueKernelHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

} // namespace

PipeEnd::PipeEnd(UniqueFileHandle pipe, UniqueKernelHandle event) : m_pipe(std::move(pipe)), m_event(std::move(event))
{
}

std::optional<PipeEnd> PipeEnd::CreateServer(const std::wstring& name, bool inbound)
{
    const DWORD access = (inbound ? PIPE_ACCESS_INBOUND : PIPE_ACCESS_OUTBOUND) | FILE_FLAG_OVERLAPPED |
        FILE_FLAG_FIRST_PIPE_INSTANCE;
    UniqueFileHandle pipe(::CreateNamedPipeW(name.c_str(), access, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1,
        kPipeBuffer, kPipeBuffer, 0, nullptr));
    UniqueKernelHandle event = NewEvent();
    if (!pipe || !event) {
        return std::nullopt;
    }
    return PipeEnd(std::move(pipe), std::move(event));
}

std::optional<PipeEnd> PipeEnd::Open(const std::wstring& name, bool inbound)
{
    UniqueFileHandle pipe(::CreateFileW(name.c_str(), inbound ? GENERIC_READ : GENERIC_WRITE, 0, nullptr,
        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    UniqueKernelHandle event = NewEvent();
    if (!pipe || !event) {
        return std::nullopt;
    }
    return PipeEnd(std::move(pipe), std::move(event));
}

OVERLAPPED* PipeEnd::Begin()
{
    m_overlapped = OVERLAPPED{};
    m_overlapped.hEvent = m_event.get();
    (void)::ResetEvent(m_event.get());
    return &m_overlapped;
}

bool PipeEnd::FinishIo(BOOL started, DWORD& done, HANDLE stop, HANDLE peerProcess)
{
    if (!started && ::GetLastError() != ERROR_IO_PENDING) {
        return false;
    }
    HANDLE waits[3] = {m_event.get(), nullptr, nullptr};
    DWORD count = 1;
    for (HANDLE extra : {stop, peerProcess}) {
        if (extra != nullptr) {
            waits[count++] = extra;
        }
    }
    if (::WaitForMultipleObjects(count, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
        // The kernel owns the OVERLAPPED until the cancelled operation completes.
        (void)::CancelIo(m_pipe.get());
        (void)::GetOverlappedResult(m_pipe.get(), &m_overlapped, &done, TRUE);
        return false;
    }
    return ::GetOverlappedResult(m_pipe.get(), &m_overlapped, &done, FALSE) != FALSE;
}

bool PipeEnd::WaitForClient(HANDLE stop, HANDLE peerProcess)
{
    OVERLAPPED* const overlapped = Begin();
    if (::ConnectNamedPipe(m_pipe.get(), overlapped)) {
        return true;
    }
    if (::GetLastError() == ERROR_PIPE_CONNECTED) {
        return true;
    }
    DWORD done = 0;
    return FinishIo(FALSE, done, stop, peerProcess);
}

bool PipeEnd::Transfer(void* buffer, DWORD size, bool reading, HANDLE stop)
{
    auto* cursor = static_cast<char*>(buffer);
    while (size > 0) {
        OVERLAPPED* const overlapped = Begin();
        DWORD done = 0;
        const BOOL started = reading ? ::ReadFile(m_pipe.get(), cursor, size, nullptr, overlapped)
                                     : ::WriteFile(m_pipe.get(), cursor, size, nullptr, overlapped);
        if (!FinishIo(started, done, stop, nullptr) || done == 0) {
            return false;
        }
        cursor += done;
        size -= done;
    }
    return true;
}

bool PipeEnd::Read(WireMessage& message, HANDLE stop)
{
    unsigned char header[8] = {};
    if (!Transfer(header, sizeof header, true, stop)) {
        return false;
    }
    const auto word = [&](int at) {
        return static_cast<std::uint32_t>(header[at]) | (static_cast<std::uint32_t>(header[at + 1]) << 8) |
            (static_cast<std::uint32_t>(header[at + 2]) << 16) | (static_cast<std::uint32_t>(header[at + 3]) << 24);
    };
    const std::uint32_t length = word(4);
    if (length > kMaxWirePayload) {
        return false;
    }
    message.type = static_cast<WireType>(word(0));
    message.payload.assign(length, '\0');
    return length == 0 || Transfer(message.payload.data(), length, true, stop);
}

bool PipeEnd::Write(const WireMessage& message, HANDLE stop)
{
    const std::size_t length = message.payload.size() + message.tail.size();
    if (message.payload.size() > kMaxWirePayload || length > kMaxWirePayload) {
        return false;
    }
    std::string frame(8, '\0');
    const auto put = [&](int at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            frame[static_cast<std::size_t>(at + i)] = static_cast<char>((value >> (8 * i)) & 0xFFu);
        }
    };
    put(0, static_cast<std::uint32_t>(message.type));
    put(4, static_cast<std::uint32_t>(length));
    frame += message.payload;
    // Writing only reads the buffer it is given.
    char* const tail = const_cast<char*>(message.tail.data());
    return Transfer(frame.data(), static_cast<DWORD>(frame.size()), false, stop) &&
        Transfer(tail, static_cast<DWORD>(message.tail.size()), false, stop);
}

} // namespace engine
