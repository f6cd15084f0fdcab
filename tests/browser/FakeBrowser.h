#pragma once
// Renderer-side stand-ins for a browser and its main frame: the frame keeps the
// visitors handed to VisitDOM so tests can inspect and run them.

#include <vector>

#include "CefAppApi.h"

namespace browser_test {

class FakeFrame final : public CefFrame {
public:
    bool IsValid() override { return true; }
    void LoadURL(const CefString& /*url*/) override {}
    bool IsMain() override { return main; }
    bool IsFocused() override { return true; }
    CefString GetName() override { return {}; }
    long long GetIdentifier() override { return 1; }
    CefString GetURL() override { return kUrl; }

    static constexpr const wchar_t* kUrl = L"http://live.example.com/";
    CefRefPtr<CefBrowser> GetBrowser() override { return nullptr; }
    void VisitDOM(CefRefPtr<CefDOMVisitor> visitor) override { visitors.push_back(visitor); }

    std::vector<CefRefPtr<CefDOMVisitor>> visitors;
    bool main = true;
    IMPLEMENT_REFCOUNTING(FakeFrame);
};

class FakeBrowser final : public CefBrowser {
public:
    explicit FakeBrowser(CefRefPtr<CefFrame> mainFrame) : m_mainFrame(mainFrame) {}

    CefRefPtr<CefBrowserHost> GetHost() override { return nullptr; }
    bool CanGoBack() override { return false; }
    void GoBack() override {}
    bool CanGoForward() override { return false; }
    void GoForward() override {}
    bool IsLoading() override { return false; }
    void Reload() override {}
    void ReloadIgnoreCache() override {}
    void StopLoad() override {}
    int GetIdentifier() override { return 1; }
    bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == this; }
    bool IsPopup() override { return false; }
    CefRefPtr<CefFrame> GetMainFrame() override { return m_mainFrame; }
    bool SendProcessMessage(CefProcessId /*target*/, CefRefPtr<CefProcessMessage> /*message*/) override
    {
        return false;
    }

private:
    CefRefPtr<CefFrame> m_mainFrame;
    IMPLEMENT_REFCOUNTING(FakeBrowser);
};

class FakeMessage final : public CefProcessMessage {
public:
    explicit FakeMessage(CefString name) : m_name(std::move(name)) {}

    bool IsValid() override { return true; }
    bool IsReadOnly() override { return true; }
    CefRefPtr<CefProcessMessage> Copy() override { return new FakeMessage(m_name); }
    CefString GetName() override { return m_name; }
    CefRefPtr<CefListValue> GetArgumentList() override { return nullptr; }

private:
    CefString m_name;
    IMPLEMENT_REFCOUNTING(FakeMessage);
};
} // namespace browser_test
