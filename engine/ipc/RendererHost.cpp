#include "engine/ipc/RendererHost.h"

#include <atomic>
#include <vector>

namespace engine {
namespace {

// A renderer leaves within milliseconds once its pipes close; one that is still busy
// or hung after this long is ended.
constexpr DWORD kRendererExitGraceMs = 250;
constexpr DWORD kTerminationWaitMs = 2000;

// The threads that end released hosts. Never destroyed: a thread may still run when the
// process exits, and destroying a joinable std::thread would terminate the process.
class Reapers final {
public:
    static Reapers& Instance()
    {
        static Reapers* const reapers = new Reapers();
        return *reapers;
    }

    void Start(RendererHost* host)
    {
        auto finished = std::make_shared<std::atomic<bool>>(false);
        std::thread thread([host, finished] {
            delete host;
            *finished = true;
        });
        const std::lock_guard lock(m_mutex);
        // Joining a finished thread does not wait.
        for (auto it = m_entries.begin(); it != m_entries.end();) {
            if (*it->finished) {
                it->thread.join();
                it = m_entries.erase(it);
            } else {
                ++it;
            }
        }
        m_entries.push_back(Entry{std::move(thread), std::move(finished)});
    }

    void AwaitAll()
    {
        std::vector<Entry> entries;
        {
            const std::lock_guard lock(m_mutex);
            entries.swap(m_entries);
        }
        for (auto& entry : entries) {
            entry.thread.join();
        }
    }

private:
    struct Entry {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };

    std::mutex m_mutex;
    std::vector<Entry> m_entries;
};

[[nodiscard]] std::wstring NewChannelName()
{
    static std::atomic<unsigned> counter{0};
    return L"\\\\.\\pipe\\zv-engine-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
        std::to_wstring(++counter) + L"-" + std::to_wstring(::GetTickCount());
}

} // namespace

RendererHost::RendererHost(PipeEnd toRenderer, PipeEnd fromRenderer, UniqueKernelHandle stop)
    : m_toRenderer(std::move(toRenderer)), m_fromRenderer(std::move(fromRenderer)), m_stop(std::move(stop))
{
}

void RendererHost::Release::operator()(RendererHost* host) const noexcept
{
    host->Stop();
    try {
        Reapers::Instance().Start(host);
    } catch (...) {
        delete host;  // No thread to spare: end it here, within the grace period.
    }
}

void RendererHost::AwaitReleased()
{
    Reapers::Instance().AwaitAll();
}

RendererHost::Owner RendererHost::Launch(const std::wstring& executable, const std::wstring& extraSwitches,
    Receiver receiver, ClosedCallback onClosed)
{
    const std::wstring channel = NewChannelName();
    auto down = PipeEnd::CreateServer(channel + L".down", false);
    auto up = PipeEnd::CreateServer(channel + L".up", true);
    UniqueKernelHandle stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!down || !up || !stop) {
        return nullptr;
    }
    UniqueKernelHandle started(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!started) {
        return nullptr;
    }
    Owner host(new RendererHost(std::move(*down), std::move(*up), std::move(stop)));
    host->m_started = std::move(started);
    // Creating a process takes tens of milliseconds (much more under Wine); the reader
    // thread does it, so that the caller's thread goes on at once.
    std::wstring commandLine = L"\"" + executable + L"\" --type=renderer --channel=" + channel + extraSwitches;
    host->m_reader = std::thread([h = host.get(), commandLine = std::move(commandLine), receiver = std::move(receiver),
                                     onClosed = std::move(onClosed)] {
        const bool started = ::WaitForSingleObject(h->m_stop.get(), 0) != WAIT_OBJECT_0 && h->StartProcess(commandLine);
        (void)::SetEvent(h->m_started.get());  // wakes the writer either way
        h->ReadLoop(started, receiver, onClosed);
    });
    host->m_writer = std::thread([h = host.get()] { h->WriteLoop(); });
    return host;
}

bool RendererHost::StartProcess(const std::wstring& commandLine)
{
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    UniqueKernelHandle thread(info.hThread);
    m_process.reset(info.hProcess);
    m_processId = info.dwProcessId;
    return true;
}

void RendererHost::Stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    (void)::SetEvent(m_stop.get());
}

RendererHost::~RendererHost()
{
    Stop();
    if (m_reader.joinable()) {
        m_reader.join();
    }
    if (m_writer.joinable()) {
        m_writer.join();
    }
    // Closing our pipe ends tells the renderer to leave; wait for it so that no
    // sub-process outlives the browser.
    m_toRenderer.Close();
    m_fromRenderer.Close();
    // A renderer that has not connected yet has nothing to finish: it is ended at once.
    const DWORD grace = m_connected ? kRendererExitGraceMs : 0;
    if (m_process && ::WaitForSingleObject(m_process.get(), grace) != WAIT_OBJECT_0) {
        (void)::TerminateProcess(m_process.get(), 1);
        (void)::WaitForSingleObject(m_process.get(), kTerminationWaitMs);
    }
}

void RendererHost::Send(WireMessage message)
{
    {
        const std::lock_guard lock(m_mutex);
        m_outgoing.push_back(std::move(message));
    }
    m_wake.notify_one();
}

std::optional<WireMessage> RendererHost::NextOutgoing()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_stopping || !m_outgoing.empty(); });
    if (m_stopping) {
        return std::nullopt;
    }
    WireMessage next = std::move(m_outgoing.front());
    m_outgoing.pop_front();
    return next;
}

void RendererHost::WriteLoop()
{
    (void)::WaitForSingleObject(m_started.get(), INFINITE);  // set by the reader thread whatever happens
    if (!m_process || !m_toRenderer.WaitForClient(m_stop.get(), m_process.get())) {
        return;
    }
    while (auto message = NextOutgoing()) {
        if (!m_toRenderer.Write(*message, m_stop.get())) {
            return;
        }
    }
}

void RendererHost::ReadLoop(bool started, const Receiver& receiver, const ClosedCallback& onClosed)
{
    // Callbacks run under the lock, so that nothing is delivered once Stop() has returned.
    if (started && m_fromRenderer.WaitForClient(m_stop.get(), m_process.get())) {
        m_connected = true;
        WireMessage message;
        while (m_fromRenderer.Read(message, m_stop.get())) {
            const std::lock_guard lock(m_mutex);
            if (m_stopping) {
                return;
            }
            receiver(std::move(message));
        }
    }
    const std::lock_guard lock(m_mutex);
    if (!m_stopping) {
        onClosed();
    }
}

} // namespace engine
