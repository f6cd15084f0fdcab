#pragma once
// The client's only top-level window: the skin "MainWnd.xml", one browser view per tab
// of its tab bar, the league options and links of its title and navigation rows, the
// advertisement slots filled from the remote configuration, and the close sequence that
// lets the engine close every browser before the window goes. The object deletes itself
// when its window is destroyed and then ends the engine's message loop.

#include "app/LinkOpener.h"
#include "app/RemoteConfig.h"
#include "browser/CefWebLoadCallback.h"
#include "controls/ScrollTabCallback.h"
#include "duilib/core/WindowImplBase.h"

#include <array>
#include <string>
#include <vector>

namespace DuiLib {
class CContainerUI;
} // namespace DuiLib

class CCefWebkitUI;
class CScrollTabUI;
class CScrollTextButtonUI;

class CMainWnd final : public DuiLib::WindowImplBase, public CCefWebLoadCallback, public CScrollTabCallback {
public:
    // Borrowed; opens the links meant for the user's default browser and must outlive
    // the window.
    explicit CMainWnd(ILinkOpener& linkOpener);
    // Releases the views list; the views belong to their container.
    ~CMainWnd() noexcept override;

    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;
    // The application's elements of the skin; null for names the factory does not know.
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;

    // A view for `url` in a new tab, selected; the first one ever is the home tab and
    // cannot be closed. False when the tab or the view could not be added.
    bool OpenTab(LPCTSTR url);

    // CCefWebLoadCallback.
    void OnWebLoadStart(CCefHandler* handler, CCefWebkitUI* owner) override;
    void OnWebLoadEnd(CCefHandler* handler, CCefWebkitUI* owner, CefRefPtr<CefBrowser> browser) override;
    void OnWebLoadError(CCefHandler* handler, CCefWebkitUI* owner, CefRefPtr<CefFrame> frame) override;
    void OnWebTitleChange(CCefHandler* handler, CCefWebkitUI* owner, LPCWSTR title) override;
    bool OnWebPopup(CCefHandler* handler, CCefWebkitUI* owner, LPCWSTR url) override;

    // CScrollTabCallback.
    void OnTabClosed(CScrollTabUI* pTabBar, int nIndex, int nNewIndex) override;
    void OnTabSelected(CScrollTabUI* pTabBar, int nOldIndex, int nNewIndex) override;
    void OnAddTabClicked(CScrollTabUI* pTabBar) override;
    void OnTabCloseRequest(CScrollTabUI* pTabBar, int nIndex) override;

protected:
    [[nodiscard]] LPCTSTR GetWindowClassName() const override;
    [[nodiscard]] DuiLib::CDuiString GetSkinDirectory() override;
    [[nodiscard]] DuiLib::CDuiString GetSkinMarkupFile() override;
    [[nodiscard]] DuiLib::UILIB_RESOURCETYPE GetResourceType() const override;
    [[nodiscard]] LPCTSTR GetResourceID() const override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    void OnFinalMessage(HWND hWnd) override;

private:
    static constexpr size_t kTopAdSlots = 6;

    void OnSize(LPARAM lParam);
    // Asks every browser to close; false when there were none to ask.
    bool CloseBrowsers();
    void FillAdSlots();
    // Loads `url` in the view, when it is still one of this window's views.
    void LoadInView(CCefWebkitUI* view, const std::wstring& url);
    // Position of the view in the list (its tab's index), or -1.
    [[nodiscard]] int IndexOf(const CCefWebkitUI* view) const;
    void SetViewTabText(const CCefWebkitUI* view, LPCTSTR text);
    void ShowView(int index);
    void OpenAdLink(const std::wstring& link, int showCommand);

    ILinkOpener& m_linkOpener;
    CScrollTabUI* m_pTabBar = nullptr;               // owned by the tree
    DuiLib::CContainerUI* m_pWebParent = nullptr;    // owned by the tree; owns the views
    std::vector<CCefWebkitUI*> m_views;              // children of m_pWebParent, in tab order
    int m_nCurrentView = -1;
    CCefWebkitUI* m_pHomeView = nullptr;             // the first view ever; never replaced
    std::array<CScrollTextButtonUI*, kScrollAdSlots> m_scrollAds{}; // owned by the tree
    std::array<DuiLib::CControlUI*, kTopAdSlots> m_topAds{};          // owned by the tree
    SIZE m_browserSize{0, 0}; // the last size the browser windows were moved to
};
