// CMainWnd: the skin, its controls, the window's messages, clicks and advertisement
// slots. The tabs and the page events are in MainWndTabs.cpp.

#include "app/MainWnd.h"

#include "CefApi.h"
#include "app/AppMessages.h"
#include "app/AppVersion.h"
#include "app/RemoteConfig.h"
#include "app/SiteRoot.h"
#include "app/WebLinks.h"
#include "browser/CefWebkitUI.h"
#include "controls/AppControlFactory.h"
#include "controls/ScrollTabUI.h"
#include "controls/ScrollTextButtonUI.h"
#include "duilib/layout/ContainerUI.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cwchar>

using DuiLib::CDuiString;

namespace {

constexpr UINT kWindowIcon = 101;
constexpr WORD kSkinResource = 102;
// The browser windows' place after a resize, until the next layout sets the views' own.
constexpr int kBrowserTop = 66;

// The league options: each opens the live centre in the home tab.
constexpr const wchar_t* kLeagueOptions[] = {L"opt_zc", L"opt_yg", L"opt_og",  L"opt_yc",  L"opt_xj",  L"opt_yj",
                                             L"opt_dj", L"opt_fj", L"opt_ozb", L"opt_mzb", L"opt_nba", L"opt_cba"};

bool IsLeagueOption(const CDuiString& name)
{
    return std::any_of(std::begin(kLeagueOptions), std::end(kLeagueOptions),
                       [&name](const wchar_t* option) { return name == option; });
}

} // namespace

CMainWnd::CMainWnd(ILinkOpener& linkOpener) : m_linkOpener(linkOpener) {}

CMainWnd::~CMainWnd() noexcept = default;

LPCTSTR CMainWnd::GetWindowClassName() const
{
    return L"MainWndClass";
}

CDuiString CMainWnd::GetSkinDirectory()
{
    return CDuiString(L"Skin");
}

CDuiString CMainWnd::GetSkinMarkupFile()
{
    return CDuiString(L"MainWnd.xml");
}

DuiLib::UILIB_RESOURCETYPE CMainWnd::GetResourceType() const
{
    return DuiLib::UILIB_FROM_ZIPRESOURCE;
}

LPCTSTR CMainWnd::GetResourceID() const
{
    return MAKEINTRESOURCEW(kSkinResource);
}

DuiLib::CControlUI* CMainWnd::CreateControl(LPCTSTR pstrClass)
{
    if (pstrClass != nullptr && std::wcscmp(pstrClass, L"CefWebkit") == 0) {
        return new CCefWebkitUI();
    }
    return CAppControlFactory::CreateControl(pstrClass);
}

void CMainWnd::InitWindow()
{
    m_pTabBar = static_cast<CScrollTabUI*>(m_pm.FindControl(L"tabbar"));
    if (DuiLib::CControlUI* webParent = m_pm.FindControl(L"webparent")) {
        m_pWebParent = static_cast<DuiLib::CContainerUI*>(webParent->GetInterface(L"Container"));
    }
    assert(m_pTabBar != nullptr && m_pWebParent != nullptr && "the main window's skin has a tabbar and a webparent");
    if (m_pTabBar == nullptr || m_pWebParent == nullptr) {
        return;
    }
    m_pTabBar->ShowAddButton = false;
    m_pTabBar->SetCallback(this);
    for (size_t k = 0; k < m_scrollAds.size(); ++k) {
        const std::wstring name = L"stbtn_ad" + std::to_wstring(k + 1);
        m_scrollAds[k] = static_cast<CScrollTextButtonUI*>(m_pm.FindControl(name.c_str()));
    }
    for (size_t i = 0; i < m_topAds.size(); ++i) {
        const std::wstring name = L"btn_topad" + std::to_wstring(i + 1);
        m_topAds[i] = m_pm.FindControl(name.c_str());
    }
    if (DuiLib::CControlUI* title = m_pm.FindControl(L"lbl_title")) {
        title->SetText(kProductName);
    }
    if (DuiLib::CControlUI* version = m_pm.FindControl(L"lbl_version")) {
        version->SetText(kVersionText);
    }
    SetIcon(kWindowIcon);
    (void)OpenTab((GetSiteRoot() + L"/live").c_str());
}

LRESULT CMainWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    bHandled = FALSE;
    switch (uMsg) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            OnSize(lParam);
        }
        break;
    case WM_CLOSE:
        // The first request only asks the browsers to close; the engine sends WM_CLOSE
        // again once the last one has, and that one closes the window.
        bHandled = CloseBrowsers() ? TRUE : FALSE;
        break;
    case WM_OPEN_NEW_TAB: {
        auto* url = reinterpret_cast<wchar_t*>(lParam);
        (void)OpenTab(url);
        std::free(url);
        bHandled = TRUE;
        break;
    }
    case WM_LOAD_IN_VIEW: {
        auto* url = reinterpret_cast<wchar_t*>(lParam);
        LoadInView(reinterpret_cast<CCefWebkitUI*>(wParam), url);
        std::free(url);
        bHandled = TRUE;
        break;
    }
    case WM_CONFIG_READY:
        FillAdSlots();
        break;
    default:
        break;
    }
    return 0;
}

void CMainWnd::OnSize(LPARAM lParam)
{
    const SIZE size{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (m_views.empty() || (size.cx == m_browserSize.cx && size.cy == m_browserSize.cy)) {
        return;
    }
    m_browserSize = size;
    for (size_t i = 0; i < m_views.size(); ++i) {
        if (const HWND browser = m_views[i]->GetBrowserWindow()) {
            const bool current = static_cast<int>(i) == m_nCurrentView;
            (void)::MoveWindow(browser, 0, kBrowserTop, size.cx, size.cy - kBrowserTop, current ? TRUE : FALSE);
        }
    }
}

bool CMainWnd::CloseBrowsers()
{
    if (m_views.empty()) {
        return false;
    }
    for (CCefWebkitUI* view : m_views) {
        view->CloseBrowser();
    }
    m_views.clear();
    return true;
}

void CMainWnd::OnFinalMessage(HWND hWnd)
{
    WindowImplBase::OnFinalMessage(hWnd);
    delete this;
    CefQuitMessageLoop();
}

void CMainWnd::FillAdSlots()
{
    for (size_t k = 0; k < m_scrollAds.size(); ++k) {
        CScrollTextButtonUI* button = m_scrollAds[k];
        if (button == nullptr || g_vecScrollAds[k].empty()) {
            continue;
        }
        for (const AdItem& item : g_vecScrollAds[k]) {
            button->AddItem(item.text.c_str(), item.url.c_str());
        }
        (void)m_pm.SetTimer(button, CScrollTextButtonUI::kPauseTimerId, button->GetPauseInterval());
    }
    const size_t filled = std::min(g_vecStaticAds.size(), m_topAds.size());
    for (size_t i = 0; i < filled; ++i) {
        if (DuiLib::CControlUI* button = m_topAds[i]) {
            button->SetText(g_vecStaticAds[i].text.c_str());
            button->SetUserData(g_vecStaticAds[i].url.c_str());
            button->SetVisible(true);
        }
    }
}

void CMainWnd::OnClick(DuiLib::TNotifyUI& msg)
{
    if (msg.pSender == nullptr) {
        return;
    }
    const CDuiString& name = msg.pSender->GetName();
    if (name == L"opt_sy") {
        LoadInView(m_pHomeView, GetSiteRoot());
    } else if (name == L"btn_home" || name == L"btn_call") {
        m_linkOpener.Open((GetSiteRoot() + L"/").c_str(), SW_SHOWNORMAL);
    } else if (name == L"stbtn_ad1" || name == L"stbtn_ad2" || name == L"stbtn_ad3") {
        const CDuiString link = static_cast<CScrollTextButtonUI*>(msg.pSender)->GetCurrentUrl();
        OpenAdLink(link.GetData(), SW_SHOWNORMAL);
    } else if (name.Left(9) == L"btn_topad") {
        OpenAdLink(msg.pSender->GetUserData().GetData(), SW_SHOWNA);
    } else if (IsLeagueOption(name)) {
        LoadInView(m_pHomeView, GetSiteRoot() + L"/live");
    } else {
        WindowImplBase::OnClick(msg);
    }
}

void CMainWnd::OpenAdLink(const std::wstring& link, int showCommand)
{
    // Links from the downloaded configuration reach the shell only as web addresses.
    const std::wstring address = ResolveAdLink(link, GetSiteRoot());
    if (!address.empty()) {
        m_linkOpener.Open(address.c_str(), showCommand);
    }
}
