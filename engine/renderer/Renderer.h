#pragma once
// The renderer role of a sub-process: connects to the browser process's pipes, keeps
// the page's tree and serves the application's render-process handler. Everything
// runs on the calling thread, which is the renderer thread.

#include <optional>
#include <string>

#include "CefAppApi.h"
#include "engine/ipc/PipeEnd.h"
#include "engine/renderer/RendererBrowser.h"

namespace engine {

class Renderer final {
public:
    explicit Renderer(CefRefPtr<CefApp> application);

    // Returns the process exit code: 0 when the browser process closed the channel,
    // 1 when the channel could not be opened or the browser process broke protocol.
    [[nodiscard]] int Run(const std::wstring& channel);

private:
    [[nodiscard]] bool Connect(const std::wstring& channel);
    [[nodiscard]] bool Handle(const WireMessage& message);
    [[nodiscard]] bool OnHello(const std::string& payload);
    [[nodiscard]] bool OnDocument(const std::string& payload);
    [[nodiscard]] bool OnProcessMessage(const std::string& payload);
    [[nodiscard]] bool Send(const WireMessage& message);

    CefRefPtr<CefApp> m_application;
    CefRefPtr<CefRenderProcessHandler> m_handler;
    std::optional<PipeEnd> m_fromBrowser;
    std::optional<PipeEnd> m_toBrowser;
    CefRefPtr<RendererBrowser> m_browser;
};

} // namespace engine
