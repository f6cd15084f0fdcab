#pragma once
// The browser process's link to one renderer sub-process: starts the process, keeps a
// reader thread (renderer -> browser) and a writer thread (browser -> renderer) on two
// one-way pipes, and ends all of it when released.

#include <atomic>
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

    // Stops the callbacks at once and ends the rest on a thread of its own: the renderer
    // may take its time to leave, or hang, and nobody releasing a host may wait for that.
    struct Release {
        void operator()(RendererHost* host) const noexcept;
    };
    using Owner = std::unique_ptr<RendererHost, Release>;

    // Starts `executable` with "--type=renderer --channel=<name>" plus `extraSwitches`,
    // in the background. Null when the pipes cannot be created; a process that cannot
    // be started is reported through `onClosed`.
    [[nodiscard]] static Owner Launch(const std::wstring& executable, const std::wstring& extraSwitches,
        Receiver receiver, ClosedCallback onClosed);
    // Waits until every host released so far has ended, its process included; a
    // renderer that does not leave in time is terminated.
    static void AwaitReleased();

    // Blocks until the renderer has left or been terminated: only Release calls it.
    ~RendererHost();
    RendererHost(const RendererHost&) = delete;
    RendererHost& operator=(const RendererHost&) = delete;

    // Queues the message; never blocks on the pipe.
    void Send(WireMessage message);
    // 0 until the process has started.
    [[nodiscard]] DWORD ProcessId() const noexcept { return m_processId; }

private:
    RendererHost(PipeEnd toRenderer, PipeEnd fromRenderer, UniqueKernelHandle stop);
    [[nodiscard]] bool StartProcess(const std::wstring& commandLine);
    void Stop();
    void ReadLoop(bool started, const Receiver& receiver, const ClosedCallback& onClosed);
    void WriteLoop();
    [[nodiscard]] std::optional<WireMessage> NextOutgoing();

    PipeEnd m_toRenderer;
    PipeEnd m_fromRenderer;
    UniqueKernelHandle m_stop;
    UniqueKernelHandle m_started;  // set once the process was started, or failed to start
    UniqueKernelHandle m_process;  // written by the reader thread before m_started is set
    std::atomic<DWORD> m_processId{0};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<WireMessage> m_outgoing;
    bool m_stopping = false;
    bool m_connected = false;  // written by the reader thread, read once it is joined
    std::thread m_reader;
    std::thread m_writer;
};

} // namespace engine
