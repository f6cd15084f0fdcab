#include "CefWebkitUI.h"

#include <cwchar>

#include "duilib/core/PaintManager.h"

CCefWebkitUI::CCefWebkitUI(LPCTSTR url) : m_sUrl(url != nullptr ? url : L""), m_handler(new CCefHandler())
{
}

CCefWebkitUI::~CCefWebkitUI() noexcept
{
    // Events that still come for the browser must not reach a control that is gone.
    m_handler->SetDelegate(nullptr);
    m_handler->SetWebLoadCallback(nullptr, nullptr);
}

LPCTSTR CCefWebkitUI::GetClass() const
{
    return L"CefWebkitUI";
}

LPVOID CCefWebkitUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"CefWebkit") == 0) {
        return static_cast<CCefWebkitUI*>(this);
    }
    return CControlUI::GetInterface(pstrName);
}

void CCefWebkitUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"url") == 0) {
        m_sUrl = pstrValue;
        return;
    }
    CControlUI::SetAttribute(pstrName, pstrValue);
}

void CCefWebkitUI::DoInit()
{
    m_handler->SetDelegate(this);
    if (m_pManager != nullptr) {
        CreateBrowser(RECT{0, 0, 0, 0}, m_handler.get(), m_pManager->GetPaintWindow(), m_sUrl);
    }
}

void CCefWebkitUI::CreateBrowser(const RECT& rc, CCefHandler* handler, HWND parent, LPCTSTR url)
{
    CefWindowInfo windowInfo;
    windowInfo.SetAsChild(parent, rc);
    // The browser comes back through OnAfterCreated, once the engine is ready for it.
    (void)CefBrowserHost::CreateBrowserSync(windowInfo, handler, url, CefBrowserSettings(), nullptr);
}

void CCefWebkitUI::SetBrowser(CefRefPtr<CefBrowser> browser)
{
    m_browser = browser;
    // The control may have been laid out or hidden while the browser was on its way.
    MoveBrowserWindow();
    ShowBrowserWindow();
}

HWND CCefWebkitUI::GetBrowserWindow() const
{
    const CefRefPtr<CefBrowserHost> host = m_browser != nullptr ? m_browser->GetHost() : nullptr;
    return host != nullptr ? host->GetWindowHandle() : nullptr;
}

void CCefWebkitUI::SetPos(RECT rc)
{
    CControlUI::SetPos(rc);
    MoveBrowserWindow();
}

void CCefWebkitUI::SetInternVisible(bool bVisible)
{
    CControlUI::SetInternVisible(bVisible);
    ShowBrowserWindow();
}

void CCefWebkitUI::MoveBrowserWindow() const
{
    if (const HWND window = GetBrowserWindow()) {
        const RECT& rc = GetPos();
        (void)::MoveWindow(window, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    }
}

void CCefWebkitUI::ShowBrowserWindow() const
{
    if (const HWND window = GetBrowserWindow()) {
        // A control hidden on its own keeps its browser hidden when its parent shows it.
        (void)::ShowWindow(window, IsVisible() ? SW_SHOW : SW_HIDE);
    }
}

void CCefWebkitUI::LoadURL(LPCTSTR url)
{
    if (m_browser == nullptr || url == nullptr || url[0] == L'\0') {
        return;
    }
    const CefRefPtr<CefFrame> frame = m_browser->GetMainFrame();
    if (frame != nullptr && m_handler->AllowsLoad()) {
        frame->LoadURL(url);
    }
}

void CCefWebkitUI::CloseBrowser()
{
    const CefRefPtr<CefBrowserHost> host = m_browser != nullptr ? m_browser->GetHost() : nullptr;
    if (host != nullptr) {
        host->CloseBrowser(false);
    } else {
        // Still on its way: the browser is closed as soon as it arrives.
        m_handler->CloseOnArrival();
    }
    m_handler->SetDelegate(nullptr);
}
