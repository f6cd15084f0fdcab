#include "engine/browser/MainFrame.h"

#include "engine/browser/Browser.h"

namespace engine {

void MainFrame::LoadURL(const CefString& url)
{
    if (m_browser != nullptr) {
        m_browser->Navigate(url.ToWString());
    }
}

long long MainFrame::GetIdentifier()
{
    return m_browser != nullptr ? m_browser->GetIdentifier() : 0;
}

CefString MainFrame::GetURL()
{
    return m_browser != nullptr ? m_browser->Url() : std::wstring();
}

CefRefPtr<CefBrowser> MainFrame::GetBrowser()
{
    return m_browser;
}

} // namespace engine
