#pragma once
// A browser as its renderer sees it: the page's tree and the way back to the browser
// process. Lives on the renderer thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "CefBrowserApi.h"
#include "engine/dom/DomNode.h"
#include "engine/ipc/WireMessage.h"

namespace engine {

class RendererBrowser final : public CefBrowser {
public:
    using Sender = std::function<bool(const WireMessage&)>;

    RendererBrowser(int id, bool popup, Sender sender);

    // Replaces the page with the one of load `sequence`. The browser process shows its
    // own parse of the same text.
    void ShowDocument(std::uint32_t sequence, std::wstring url, DomNodePtr document);
    // Runs the visitor over the page; a changed tree is sent to the browser process.
    void Visit(CefRefPtr<CefDOMVisitor> visitor);
    [[nodiscard]] const std::wstring& Url() const noexcept { return m_url; }

    CefRefPtr<CefBrowserHost> GetHost() override { return nullptr; }
    bool CanGoBack() override { return false; }
    void GoBack() override {}
    bool CanGoForward() override { return false; }
    void GoForward() override {}
    bool IsLoading() override { return false; }
    void Reload() override {}
    void ReloadIgnoreCache() override {}
    void StopLoad() override {}
    int GetIdentifier() override { return m_id; }
    bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == this; }
    bool IsPopup() override { return m_popup; }
    CefRefPtr<CefFrame> GetMainFrame() override;
    bool SendProcessMessage(CefProcessId targetProcess, CefRefPtr<CefProcessMessage> message) override;

private:
    void SendDisplay();

    int m_id;
    bool m_popup;
    Sender m_sender;
    std::uint32_t m_sequence = 0;  // the load the page came from
    std::wstring m_url;
    DomNodePtr m_document;
    IMPLEMENT_REFCOUNTING(RendererBrowser);
};

} // namespace engine
