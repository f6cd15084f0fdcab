#pragma once
// One end of an overlapped named pipe carrying WireMessages. Every blocking call
// also wakes on an optional stop event, so a thread parked on the pipe can be ended.

#include <optional>
#include <string>

#include "common/Handles.h"
#include "engine/ipc/WireMessage.h"

namespace engine {

class PipeEnd final {
public:
    // Server end of a one-way pipe; `inbound` means this process reads from it.
    [[nodiscard]] static std::optional<PipeEnd> CreateServer(const std::wstring& name, bool inbound);
    // Client end of a pipe that the other process created.
    [[nodiscard]] static std::optional<PipeEnd> Open(const std::wstring& name, bool inbound);

    // Waits for the client. Gives up when `stop` or `peerProcess` (either may be
    // null) is signalled.
    [[nodiscard]] bool WaitForClient(HANDLE stop, HANDLE peerProcess);
    // False when the pipe broke, the message is malformed or `stop` was signalled.
    [[nodiscard]] bool Read(WireMessage& message, HANDLE stop);
    [[nodiscard]] bool Write(const WireMessage& message, HANDLE stop);
    // Breaks the pipe for the other process; only while no call is in progress.
    void Close() noexcept { m_pipe.reset(); }

private:
    PipeEnd(UniqueFileHandle pipe, UniqueKernelHandle event);
    [[nodiscard]] bool Transfer(void* buffer, DWORD size, bool reading, HANDLE stop);
    [[nodiscard]] OVERLAPPED* Begin();
    [[nodiscard]] bool FinishIo(BOOL started, DWORD& done, HANDLE stop, HANDLE peerProcess);

    UniqueFileHandle m_pipe;
    UniqueKernelHandle m_event;
    OVERLAPPED m_overlapped{};  // only in use during one call; never while the object moves
};

} // namespace engine
