#pragma once
// The main frame of a RendererBrowser.

#include "CefBrowserApi.h"
#include "engine/renderer/RendererBrowser.h"

namespace engine {

class RendererFrame final : public CefFrame {
public:
    explicit RendererFrame(CefRefPtr<RendererBrowser> browser) : m_browser(std::move(browser)) {}

    bool IsValid() override { return true; }
    // Navigation is the browser process's business.
    void LoadURL(const CefString&) override {}
    bool IsMain() override { return true; }
    bool IsFocused() override { return true; }
    CefString GetName() override { return {}; }
    long long GetIdentifier() override { return m_browser->GetIdentifier(); }
    CefString GetURL() override { return m_browser->Url(); }
    CefRefPtr<CefBrowser> GetBrowser() override { return m_browser.get(); }
    void VisitDOM(CefRefPtr<CefDOMVisitor> visitor) override { m_browser->Visit(std::move(visitor)); }

private:
    CefRefPtr<RendererBrowser> m_browser;
    IMPLEMENT_REFCOUNTING(RendererFrame);
};

} // namespace engine
