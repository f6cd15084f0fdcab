#include "CefHandler.h"

#include <atomic>

#include "CefWebLoadCallback.h"
#include "Delegate.h"

namespace {

// Shared by every client of the process; only ever changed by atomic additions.
std::atomic<int> g_liveBrowsers{0};

// Sub-frame events never reach the window.
[[nodiscard]] bool IsMainFrame(const CefRefPtr<CefFrame>& frame)
{
    return frame != nullptr && frame->IsMain();
}

} // namespace

int CCefHandler::GetLiveBrowserCount() noexcept
{
    return g_liveBrowsers.load();
}

void CCefHandler::SetWebLoadCallback(CCefWebkitUI* owner, CCefWebLoadCallback* callback) noexcept
{
    m_owner = owner;
    m_callback = callback;
}

void CCefHandler::OnTitleChange(CefRefPtr<CefBrowser> /*browser*/, const CefString& title)
{
    if (m_callback != nullptr) {
        m_callback->OnWebTitleChange(this, m_owner, title.empty() ? nullptr : title.c_str());
    }
}

bool CCefHandler::OnBeforePopup(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                const CefString& targetUrl, const CefString& /*targetFrameName*/,
                                WindowOpenDisposition /*targetDisposition*/, bool /*userGesture*/,
                                const CefPopupFeatures& /*popupFeatures*/, CefWindowInfo& /*windowInfo*/,
                                CefRefPtr<CefClient>& /*client*/, CefBrowserSettings& /*settings*/,
                                bool* /*noJavascriptAccess*/)
{
    // Without a window to open it as a tab, the page gets no window at all.
    return m_callback == nullptr || m_callback->OnWebPopup(this, m_owner, targetUrl.c_str());
}

void CCefHandler::OnAfterCreated(CefRefPtr<CefBrowser> browser)
{
    if (browser == nullptr) {
        return;
    }
    if (m_delegate != nullptr) {
        m_delegate->SetBrowser(browser);
    }
    if (m_liveBrowsers.insert(browser->GetIdentifier()).second) {
        g_liveBrowsers.fetch_add(1);
    }
    if (m_closeOnArrival && browser->GetHost() != nullptr) {
        browser->GetHost()->CloseBrowser(false);
    }
}

int CCefHandler::Forget(const CefRefPtr<CefBrowser>& browser)
{
    if (browser == nullptr || m_liveBrowsers.erase(browser->GetIdentifier()) == 0) {
        return -1;
    }
    return g_liveBrowsers.fetch_add(-1) - 1;
}

bool CCefHandler::DoClose(CefRefPtr<CefBrowser> browser)
{
    if (Forget(browser) <= 0 || browser->GetHost() == nullptr) {
        return false;
    }
    if (const HWND window = browser->GetHost()->GetWindowHandle()) {
        // Hidden first: a child window without a parent would show at the screen's corner.
        (void)::ShowWindow(window, SW_HIDE);
        (void)::SetParent(window, nullptr);
    }
    return false;
}

void CCefHandler::OnBeforeClose(CefRefPtr<CefBrowser> browser)
{
    // A browser closed without DoClose (forced, or at shutdown) must leave the count
    // too, or the last real close would detach its window and never reach the window.
    (void)Forget(browser);
}

void CCefHandler::OnLoadStart(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> frame)
{
    if (!IsMainFrame(frame)) {
        return;
    }
    m_errorPageGuard.OnLoadStarted();
    if (m_callback != nullptr) {
        m_callback->OnWebLoadStart(this, m_owner);
    }
}

void CCefHandler::OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int /*httpStatusCode*/)
{
    if (!IsMainFrame(frame)) {
        return;
    }
    m_errorPageGuard.OnLoadEnded();
    if (m_callback != nullptr) {
        m_callback->OnWebLoadEnd(this, m_owner, browser);
    }
}

void CCefHandler::OnLoadError(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> frame, ErrorCode errorCode,
                              const CefString& /*errorText*/, const CefString& /*failedUrl*/)
{
    if (errorCode == ERR_ABORTED || m_callback == nullptr || !IsMainFrame(frame)) {
        return;
    }
    m_errorPageGuard.BeginErrorReport();
    m_callback->OnWebLoadError(this, m_owner, frame);
    m_errorPageGuard.EndErrorReport();
}
