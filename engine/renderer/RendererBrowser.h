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

    // Replaces the page and sends its display content for load `sequence`.
    void ShowDocument(std::uint32_t sequence, std::wstring url, std::unique_ptr<DomNode> document);
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
    void SendDisplay(std::uint32_t sequence);

    int m_id;
    bool m_popup;
    Sender m_sender;
    std::wstring m_url;
    std::unique_ptr<DomNode> m_document;
    IMPLEMENT_REFCOUNTING(RendererBrowser);
};

} // namespace engine
