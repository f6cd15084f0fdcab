#pragma once
// Starts the renderer processes of the browsers and keeps one started ahead of need.
// Starting a process takes hundreds of milliseconds under Wine and tens on Windows, and
// a page load that waits for it, or shares the processor with it, takes that much
// longer; so a browser takes a renderer that has been starting while nothing else ran.

#include <memory>
#include <string>

#include "CefAppApi.h"
#include "engine/ipc/RendererHost.h"

namespace engine {

class RendererLauncher final {
public:
    // `handler` (may be null) hears every launch; it and `executable` are borrowed.
    RendererLauncher(const std::wstring& executable, CefRefPtr<CefBrowserProcessHandler> handler);
    ~RendererLauncher();
    RendererLauncher(const RendererLauncher&) = delete;
    RendererLauncher& operator=(const RendererLauncher&) = delete;

    // A renderer whose messages and end go to `receiver` and `onClosed` (on the host's
    // reader thread): the waiting one when there is one, otherwise a new one. Null
    // when no pipe can be made.
    [[nodiscard]] RendererHost::Owner Take(RendererHost::Receiver receiver,
        RendererHost::ClosedCallback onClosed);
    // Starts a renderer to wait for the next browser, unless one is waiting. Call on the
    // message-loop thread when nothing urgent runs.
    void StartSpare();
    // Ends the renderer that waits, if any.
    void EndSpare() noexcept { m_spare = Waiting{}; }

private:
    struct Route;
    struct Waiting {
        RendererHost::Owner host;
        std::shared_ptr<Route> route;
    };

    [[nodiscard]] Waiting Launch();
    void OnWaitingGone(const Route* route);

    const std::wstring& m_executable;
    CefRefPtr<CefBrowserProcessHandler> m_handler;
    Waiting m_spare;
};

} // namespace engine
