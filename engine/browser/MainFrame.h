#pragma once
// The main frame of a browser in the browser process.

#include "CefBrowserApi.h"

namespace engine {

class Browser;

class MainFrame final : public CefFrame {
public:
    explicit MainFrame(Browser& browser) : m_browser(&browser) {}
    // The browser is going away; the frame becomes invalid.
    void Detach() noexcept { m_browser = nullptr; }

    bool IsValid() override { return m_browser != nullptr; }
    void LoadURL(const CefString& url) override;
    bool IsMain() override { return true; }
    bool IsFocused() override { return true; }
    CefString GetName() override { return {}; }
    long long GetIdentifier() override;
    CefString GetURL() override;
    CefRefPtr<CefBrowser> GetBrowser() override;
    // The document lives in the renderer; visitors run there (CefRenderProcessHandler).
    void VisitDOM(CefRefPtr<CefDOMVisitor>) override {}

private:
    Browser* m_browser;  // Borrowed; cleared by Detach before the browser dies.
    IMPLEMENT_REFCOUNTING(MainFrame);
};

} // namespace engine
