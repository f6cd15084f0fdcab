#pragma once
// The browser process's link to one renderer sub-process: starts the process, keeps a
// reader thread (renderer -> browser) and a writer thread (browser -> renderer) on two
// one-way pipes, and ends all of it when destroyed.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "common/Handles.h"
#include "engine/ipc/PipeEnd.h"
#include "engine/ipc/WireMessage.h"

namespace engine {

class RendererHost final {
public:
    // Both run on the reader thread. `onClosed` runs once, when the renderer is gone
    // or unreachable (not when the host itself is destroyed).
    using Receiver = std::function<void(WireMessage)>;
    using ClosedCallback = std::function<void()>;

    // Starts `executable` with "--type=renderer --channel=<name>" plus `extraSwitches`.
    // Null when the pipes or the process cannot be created.
    [[nodiscard]] static std::unique_ptr<RendererHost> Launch(const std::wstring& executable,
        const std::wstring& extraSwitches, Receiver receiver, ClosedCallback onClosed);

    ~RendererHost();
    RendererHost(const RendererHost&) = delete;
    RendererHost& operator=(const RendererHost&) = delete;

    // Queues the message; never blocks on the pipe.
    void Send(WireMessage message);
    [[nodiscard]] DWORD ProcessId() const noexcept { return m_processId; }

private:
    RendererHost(PipeEnd toRenderer, PipeEnd fromRenderer, UniqueKernelHandle stop);
    [[nodiscard]] bool StartProcess(const std::wstring& commandLine);
    void ReadLoop(const Receiver& receiver, const ClosedCallback& onClosed);
    void WriteLoop();
    [[nodiscard]] std::optional<WireMessage> NextOutgoing();

    PipeEnd m_toRenderer;
    PipeEnd m_fromRenderer;
    UniqueKernelHandle m_stop;
    UniqueKernelHandle m_process;
    DWORD m_processId = 0;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<WireMessage> m_outgoing;
    bool m_stopping = false;
    std::thread m_reader;
    std::thread m_writer;
};

} // namespace engine
