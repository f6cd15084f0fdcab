#pragma once
// How the tab bar reports to its window. Indexes are positions in the tab bar's list of
// tabs; -1 stands for no tab.

class CScrollTabUI;

class CScrollTabCallback {
public:
    // After RemoveTab took the tab at nIndex away; nNewIndex is the selection now.
    virtual void OnTabClosed(CScrollTabUI* pTabBar, int nIndex, int nNewIndex) = 0;
    // At the end of SelectTab.
    virtual void OnTabSelected(CScrollTabUI* pTabBar, int nOldIndex, int nNewIndex) = 0;
    // The add button was clicked.
    virtual void OnAddTabClicked(CScrollTabUI* pTabBar) = 0;
    // Never called by the tab bar: a window closes a tab on request by calling RemoveTab.
    virtual void OnTabCloseRequest(CScrollTabUI* pTabBar, int nIndex) = 0;

protected:
    ~CScrollTabCallback() = default;
};
