#include "engine/browser/RendererLauncher.h"

#include <mutex>

#include "engine/api/CommandLine.h"
#include "engine/browser/EngineContext.h"

namespace engine {

// Where a renderer's messages go: nowhere while it waits for a browser, then to the
// browser that took it. Shared by the launcher and the host's reader thread.
struct RendererLauncher::Route {
    std::mutex mutex;
    RendererHost::Receiver receiver;
    RendererHost::ClosedCallback onClosed;

    void Deliver(WireMessage message)
    {
        RendererHost::Receiver target;
        {
            const std::lock_guard lock(mutex);
            target = receiver;
        }
        if (target) {
            target(std::move(message));  // only "ready" arrives before a browser takes the renderer
        }
    }

    // A renderer that ends while it waits is dropped on the message-loop thread, where a
    // browser may have taken it in the meantime.
    static void Closed(const std::shared_ptr<Route>& self)
    {
        RendererHost::ClosedCallback target;
        {
            const std::lock_guard lock(self->mutex);
            target = self->onClosed;
        }
        if (target) {
            target();
            return;
        }
        EngineContext::Post([self] {
            RendererHost::ClosedCallback taker;
            {
                const std::lock_guard lock(self->mutex);
                taker = self->onClosed;
            }
            if (taker) {
                taker();
            } else if (auto* context = EngineContext::Current()) {
                context->Renderers().OnWaitingGone(self.get());
            }
        });
    }
};

RendererLauncher::RendererLauncher(const std::wstring& executable, CefRefPtr<CefBrowserProcessHandler> handler)
    : m_executable(executable), m_handler(std::move(handler))
{
}

RendererLauncher::~RendererLauncher() = default;

RendererLauncher::Waiting RendererLauncher::Launch()
{
    CefRefPtr<CommandLine> commandLine = new CommandLine(m_executable);
    if (m_handler) {
        m_handler->OnBeforeChildProcessLaunch(commandLine.get());
    }
    auto route = std::make_shared<Route>();
    RendererHost::Owner host = RendererHost::Launch(m_executable, commandLine->SwitchesText(),
        [route](WireMessage message) { route->Deliver(std::move(message)); }, [route] { Route::Closed(route); });
    return Waiting{std::move(host), std::move(route)};
}

RendererHost::Owner RendererLauncher::Take(RendererHost::Receiver receiver,
    RendererHost::ClosedCallback onClosed)
{
    Waiting renderer = m_spare.host ? std::move(m_spare) : Launch();
    m_spare = Waiting{};
    if (!renderer.host) {
        return nullptr;
    }
    const std::lock_guard lock(renderer.route->mutex);
    renderer.route->receiver = std::move(receiver);
    renderer.route->onClosed = std::move(onClosed);
    return std::move(renderer.host);
}

void RendererLauncher::StartSpare()
{
    if (!m_spare.host) {
        m_spare = Launch();
    }
}

void RendererLauncher::OnWaitingGone(const Route* route)
{
    if (m_spare.route.get() == route) {
        m_spare = Waiting{};
    }
}

} // namespace engine
