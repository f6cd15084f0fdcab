#pragma once
// The application's tab bar: a row of tabs (CScrollOptionUI) of equal width followed by
// an optional add button. Tabs keep a preferred width while they fit, then share the bar
// equally down to a minimum width; past that the bar stops laying them out (it does not
// scroll). Selection, removal and the add button are reported through a
// CScrollTabCallback. Every item is a floating child of the bar, which owns them all.

#include "controls/ScrollTabCallback.h"
#include "duilib/layout/ContainerUI.h"

#include <vector>

namespace DuiLib {
class CButtonUI;
} // namespace DuiLib

class CScrollOptionUI;

class CScrollTabUI final : public DuiLib::CContainerUI {
public:
    CScrollTabUI() = default;
    // Forgets the list only; the container deletes the tabs and the add button.
    ~CScrollTabUI() noexcept override = default;

    // Places the children, then lays the tabs out.
    void SetPos(RECT rc) override;
    // Creates the add button, once; the base initialisation is not run.
    void Init() override;
    // "TabWidth" and "MinTabWidth" (decimal pixels), "TabSelColor" and "TabNorColor"
    // (hexadecimal ARGB, "#" optional); nothing is laid out again.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

    // A new tab at the end, with or without a close button; the first tab is selected.
    // Null when the tab could not be added. Owned by the bar.
    CScrollOptionUI* AddTab(bool bClosable);
    // Marks the tab selected and reports the change; a tab not in the list leaves no tab
    // selected (index -1).
    void SelectTab(CScrollOptionUI* pTab);
    // Deletes the tab (after the current message when the bar is in a window) and
    // reports it. Removing the selected tab selects the last one. Out of range: ignored.
    void RemoveTab(int nIndex);
    // The tab's text and tool tip. Out of range: ignored.
    void SetTabText(int nIndex, LPCTSTR pstrText);
    // The position in the list, or -1.
    [[nodiscard]] int GetTabIndex(const CScrollOptionUI* pTab) const;
    [[nodiscard]] int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
    // Null out of range.
    [[nodiscard]] CScrollOptionUI* GetTabAt(int nIndex) const;
    [[nodiscard]] int GetSelectedIndex() const { return m_nSelected; }
    // Borrowed; must outlive the bar or be replaced first. Null stops the reports.
    void SetCallback(CScrollTabCallback* pCallback) { m_pCallback = pCallback; }

    [[nodiscard]] int GetTabWidth() const { return m_nTabWidth; }
    [[nodiscard]] int GetMinTabWidth() const { return m_nMinTabWidth; }
    // The width the last layout gave every tab.
    [[nodiscard]] int GetCurrentTabWidth() const { return m_nCurTabWidth; }
    [[nodiscard]] DWORD GetSelectedColor() const { return m_dwSelColor; }
    [[nodiscard]] DWORD GetNormalColor() const { return m_dwNorColor; }
    // Null until Init; owned as a child of the bar.
    [[nodiscard]] DuiLib::CButtonUI* GetAddButton() const { return m_pAddButton; }

    // Whether the add button is shown and laid out; set directly, before the next layout.
    bool ShowAddButton = true;

private:
    void LayoutTabs();
    bool OnAddButtonNotify(void* param);

    int m_nTabWidth = 100;
    int m_nMinTabWidth = 30;
    int m_nCurTabWidth = 0;
    int m_nSelected = -1;
    DWORD m_dwSelColor = 0xFFFFFFFF;
    DWORD m_dwNorColor = 0xFFF0F0F0;
    DuiLib::CButtonUI* m_pAddButton = nullptr;  // a child of the bar
    std::vector<CScrollOptionUI*> m_tabs;        // children of the bar, in display order
    CScrollTabCallback* m_pCallback = nullptr;   // borrowed
};
