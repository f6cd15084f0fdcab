#include "controls/ScrollTabUI.h"

#include "controls/ScrollOptionUI.h"
#include "controls/TabStripLayout.h"
#include "duilib/control/ButtonUI.h"
#include "duilib/core/AttributeValue.h"
#include "duilib/core/NotifyUI.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <memory>

using DuiLib::CAttributeValue;
using DuiLib::CButtonUI;
using DuiLib::TNotifyUI;

namespace {

// The four states are 25 x 34 cells side by side in one image, drawn into 25 x 30.
constexpr wchar_t kAddButtonAttributes[] =
    L"float=\"true\" pos=\"0,0,0,0\" "
    L"normalimage=\"file='tab_add.png' source='0,0,25,34' dest='0,0,25,30' \" "
    L"hotimage=\"file='tab_add.png' source='25,0,50,34' dest='0,0,25,30' \" "
    L"pushedimage=\"file='tab_add.png' source='50,0,75,34' dest='0,0,25,30' \" "
    L"disabledimage=\"file='tab_add.png' source='75,0,100,34' dest='0,0,25,30' \" "
    L"tooltip=\"新建\" ";

constexpr wchar_t kTabAttributes[] =
    L"float=\"true\" bordercolor=\"#FF999999\" bordersize=\"1\" borderround=\"2,2\" text=\"\" tooltip=\"\"";

} // namespace

void CScrollTabUI::SetPos(RECT rc)
{
    CContainerUI::SetPos(rc);
    LayoutTabs();
}

void CScrollTabUI::Init()
{
    if (m_pAddButton != nullptr) {
        return; // attached again: the button is there already
    }
    auto button = std::make_unique<CButtonUI>();
    (void)button->ApplyAttributeList(kAddButtonAttributes); // returns the button itself
    button->SetVisible(ShowAddButton);
    button->NotifyListeners += DuiLib::MakeDelegate(this, &CScrollTabUI::OnAddButtonNotify);
    if (Add(button.get())) {
        m_pAddButton = button.release(); // a child now
    }
}

void CScrollTabUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (pstrName == nullptr || pstrValue == nullptr) {
        return;
    }
    if (std::wcscmp(pstrName, L"TabWidth") == 0) {
        m_nTabWidth = CAttributeValue::ParseInt(pstrValue);
    } else if (std::wcscmp(pstrName, L"MinTabWidth") == 0) {
        m_nMinTabWidth = CAttributeValue::ParseInt(pstrValue);
    } else if (std::wcscmp(pstrName, L"TabSelColor") == 0) {
        m_dwSelColor = CAttributeValue::ParseHashColor(pstrValue);
    } else if (std::wcscmp(pstrName, L"TabNorColor") == 0) {
        m_dwNorColor = CAttributeValue::ParseHashColor(pstrValue);
    } else {
        CContainerUI::SetAttribute(pstrName, pstrValue);
    }
}

CScrollOptionUI* CScrollTabUI::AddTab(bool bClosable)
{
    auto tab = std::make_unique<CScrollOptionUI>();
    (void)tab->ApplyAttributeList(kTabAttributes); // returns the tab itself
    tab->SetOwner(this);
    // Stored on the tab: a bar outside a window initialises its tabs only when attached.
    tab->SetClosable(bClosable);
    m_tabs.reserve(m_tabs.size() + 1); // nothing can fail once the container holds the tab
    if (!Add(tab.get())) {
        return nullptr;
    }
    if (m_tabs.empty()) {
        m_nSelected = 0;
    }
    m_tabs.push_back(tab.release()); // a child now
    LayoutTabs();
    return m_tabs.back();
}

void CScrollTabUI::SelectTab(CScrollOptionUI* pTab)
{
    const int oldIndex = m_nSelected;
    if (CScrollOptionUI* old = GetTabAt(oldIndex)) {
        old->SetBkColor(m_dwNorColor);
    }
    m_nSelected = GetTabIndex(pTab);
    if (m_nSelected != -1) {
        pTab->SetBkColor(m_dwSelColor);
    }
    if (m_pCallback != nullptr) {
        m_pCallback->OnTabSelected(this, oldIndex, m_nSelected);
    }
}

void CScrollTabUI::RemoveTab(int nIndex)
{
    CScrollOptionUI* tab = GetTabAt(nIndex);
    if (tab == nullptr) {
        return;
    }
    // The list and the selection are settled before anything can call back in.
    m_tabs.erase(m_tabs.begin() + nIndex);
    tab->SetOwner(nullptr);
    (void)Remove(tab); // the tab was a child, so it goes
    if (m_tabs.empty()) {
        m_nSelected = -1;
    } else {
        if (nIndex < m_nSelected) {
            --m_nSelected;
        } else if (nIndex == m_nSelected) {
            m_nSelected = GetTabCount() - 1;
            m_tabs.back()->SetBkColor(m_dwSelColor);
        }
        LayoutTabs();
    }
    if (m_pCallback != nullptr) {
        m_pCallback->OnTabClosed(this, nIndex, m_nSelected);
    }
}

void CScrollTabUI::SetTabText(int nIndex, LPCTSTR pstrText)
{
    if (CScrollOptionUI* tab = GetTabAt(nIndex)) {
        tab->SetText(pstrText);
        tab->SetToolTip(pstrText);
    }
}

int CScrollTabUI::GetTabIndex(const CScrollOptionUI* pTab) const
{
    const auto found = std::find(m_tabs.begin(), m_tabs.end(), pTab);
    return found != m_tabs.end() ? static_cast<int>(std::distance(m_tabs.begin(), found)) : -1;
}

CScrollOptionUI* CScrollTabUI::GetTabAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetTabCount() ? m_tabs[static_cast<size_t>(nIndex)] : nullptr;
}

// Tabs that no longer fit keep the places of the last layout: each floating child keeps
// its place relative to the bar, so the container's own placement puts it back there.
void CScrollTabUI::LayoutTabs()
{
    const CTabStripLayout layout(m_rcItem, GetTabCount(), m_nTabWidth, m_nMinTabWidth);
    if (!layout.Fits()) {
        return;
    }
    if (!m_tabs.empty()) {
        m_nCurTabWidth = layout.TabWidth();
    }
    for (int i = 0; i < GetTabCount(); ++i) {
        m_tabs[static_cast<size_t>(i)]->SetPos(layout.TabRect(i));
        m_tabs[static_cast<size_t>(i)]->SetBkColor(i == m_nSelected ? m_dwSelColor : m_dwNorColor);
    }
    if (m_pAddButton != nullptr) {
        m_pAddButton->SetVisible(ShowAddButton);
        if (ShowAddButton) {
            m_pAddButton->SetPos(layout.AddButtonRect());
        }
    }
}

bool CScrollTabUI::OnAddButtonNotify(void* param)
{
    const auto* msg = static_cast<const TNotifyUI*>(param);
    if (msg != nullptr && msg->sType == L"click" && m_pCallback != nullptr) {
        m_pCallback->OnAddTabClicked(this);
    }
    return true;
}
