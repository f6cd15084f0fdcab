// CMainWnd: one browser view per tab, the tab bar's reports and the page events of the
// views' browser clients.

#include "app/AppDirectory.h"
#include "app/AppMessages.h"
#include "app/AppVersion.h"
#include "app/MainWnd.h"
#include "app/SiteRoot.h"
#include "app/WebLinks.h"
#include "browser/CefWebkitUI.h"
#include "controls/ScrollOptionUI.h"
#include "controls/ScrollTabUI.h"
#include "duilib/layout/ContainerUI.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr wchar_t kLoadingText[] = L"页面加载中……";
constexpr wchar_t kFailedText[] = L"页面加载失败";
constexpr wchar_t kUntitledText[] = L"新标签页";

// Posts `text` in a block from malloc, which the window frees; false when it could not.
bool PostOwnedString(HWND hwnd, UINT message, WPARAM wParam, const std::wstring& text)
{
    auto* copy = static_cast<wchar_t*>(std::malloc((text.size() + 1) * sizeof(wchar_t)));
    if (copy == nullptr) {
        return false;
    }
    std::copy(text.begin(), text.end(), copy);
    copy[text.size()] = L'\0';
    if (::PostMessageW(hwnd, message, wParam, reinterpret_cast<LPARAM>(copy)) == FALSE) {
        std::free(copy);
        return false;
    }
    return true;
}

} // namespace

bool CMainWnd::OpenTab(LPCTSTR url)
{
    if (m_pTabBar == nullptr || m_pWebParent == nullptr) {
        return false;
    }
    auto* view = new CCefWebkitUI(url);
    CScrollOptionUI* tab = m_pTabBar->AddTab(m_pHomeView != nullptr);
    if (tab == nullptr) {
        delete view;
        return false;
    }
    view->GetHandler()->SetWebLoadCallback(view, this);
    m_views.push_back(view);
    view->SetInternVisible(false);
    if (!m_pWebParent->Add(view)) {
        m_views.pop_back();
        delete view;
        m_pTabBar->RemoveTab(m_pTabBar->GetTabIndex(tab));
        return false;
    }
    if (m_pHomeView == nullptr) {
        m_pHomeView = view;
    }
    m_pTabBar->SelectTab(tab);
    return true;
}

int CMainWnd::IndexOf(const CCefWebkitUI* view) const
{
    const auto found = std::find(m_views.begin(), m_views.end(), view);
    return found == m_views.end() ? -1 : static_cast<int>(found - m_views.begin());
}

void CMainWnd::SetViewTabText(const CCefWebkitUI* view, LPCTSTR text)
{
    const int index = IndexOf(view);
    if (index >= 0) {
        m_pTabBar->SetTabText(index, text);
    }
}

void CMainWnd::ShowView(int index)
{
    if (index < 0 || index >= static_cast<int>(m_views.size()) || index == m_nCurrentView) {
        return;
    }
    if (m_nCurrentView >= 0 && m_nCurrentView < static_cast<int>(m_views.size())) {
        m_views[m_nCurrentView]->SetInternVisible(false);
    }
    m_views[index]->SetInternVisible(true);
    m_nCurrentView = index;
}

void CMainWnd::LoadInView(CCefWebkitUI* view, const std::wstring& url)
{
    if (view != nullptr && IndexOf(view) >= 0) {
        view->LoadURL(url.c_str());
    }
}

void CMainWnd::OnWebLoadStart(CCefHandler* /*handler*/, CCefWebkitUI* owner)
{
    SetViewTabText(owner, kLoadingText);
}

void CMainWnd::OnWebLoadEnd(CCefHandler* /*handler*/, CCefWebkitUI* owner, CefRefPtr<CefBrowser> /*browser*/)
{
    if (IndexOf(owner) >= 0) {
        const DuiLib::CDuiString& title = owner->GetTitle();
        SetViewTabText(owner, title.IsEmpty() ? kUntitledText : title.GetData());
    }
}

void CMainWnd::OnWebLoadError(CCefHandler* /*handler*/, CCefWebkitUI* owner, CefRefPtr<CefFrame> /*frame*/)
{
    if (IndexOf(owner) >= 0) {
        SetViewTabText(owner, kFailedText);
        owner->LoadURL((g_strAppDir + L"Html\\error.htm").c_str());
    }
}

void CMainWnd::OnWebTitleChange(CCefHandler* /*handler*/, CCefWebkitUI* owner, LPCWSTR title)
{
    if (owner == nullptr) {
        return;
    }
    if (owner == m_pHomeView) {
        owner->SetTitle(kProductName);
        return;
    }
    const std::wstring text = title != nullptr ? title : L"";
    owner->SetTitle(text.substr(0, text.find(kProductName)).c_str());
}

bool CMainWnd::OnWebPopup(CCefHandler* /*handler*/, CCefWebkitUI* owner, LPCWSTR url)
{
    const std::wstring address = url != nullptr ? url : L"";
    if (IsLocalSiteLink(address)) {
        // A local page's link to the site opens the site's page in the same view.
        const std::wstring mapped = MapLocalSiteLink(address, GetSiteRoot());
        if (!mapped.empty()) {
            (void)PostOwnedString(m_hWnd, WM_LOAD_IN_VIEW, reinterpret_cast<WPARAM>(owner), mapped);
        }
    } else {
        (void)PostOwnedString(m_hWnd, WM_OPEN_NEW_TAB, 0, address);
    }
    return true;
}

void CMainWnd::OnTabClosed(CScrollTabUI* /*pTabBar*/, int nIndex, int nNewIndex)
{
    if (nIndex >= 0 && nIndex < static_cast<int>(m_views.size())) {
        CCefWebkitUI* view = m_views[nIndex];
        view->CloseBrowser();
        m_views.erase(m_views.begin() + nIndex);
        if (m_nCurrentView == nIndex) {
            m_nCurrentView = -1;
        } else if (m_nCurrentView > nIndex) {
            --m_nCurrentView;
        }
        (void)m_pWebParent->Remove(view); // deletes the view
    }
    ShowView(nNewIndex);
}

void CMainWnd::OnTabSelected(CScrollTabUI* /*pTabBar*/, int /*nOldIndex*/, int nNewIndex)
{
    ShowView(nNewIndex);
}

void CMainWnd::OnAddTabClicked(CScrollTabUI* /*pTabBar*/)
{
    (void)OpenTab((g_strAppDir + L"Html\\NewTab.htm").c_str());
}

void CMainWnd::OnTabCloseRequest(CScrollTabUI* /*pTabBar*/, int nIndex)
{
    m_pTabBar->RemoveTab(nIndex);
}
