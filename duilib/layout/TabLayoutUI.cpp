#include "duilib/layout/TabLayoutUI.h"

#include "duilib/core/AttributeValue.h"
#include "duilib/core/PaintManager.h"
#include "duilib/layout/ChildSize.h"

#include <cwchar>

namespace DuiLib {

LPCTSTR CTabLayoutUI::GetClass() const
{
    return L"TabLayoutUI";
}

LPVOID CTabLayoutUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"TabLayout") == 0) {
        return this;
    }
    return CContainerUI::GetInterface(pstrName);
}

bool CTabLayoutUI::AddAt(CControlUI* pControl, int iIndex)
{
    if (!CContainerUI::AddAt(pControl, iIndex)) {
        return false;
    }
    if (m_iCurSel == -1 && pControl->IsVisible()) {
        m_iCurSel = iIndex;
        return true;
    }
    if (m_iCurSel != -1 && iIndex <= m_iCurSel) {
        ++m_iCurSel;
    }
    pControl->SetVisible(false);
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* pControl)
{
    const int index = GetItemIndex(pControl);
    if (index < 0 || !CContainerUI::Remove(pControl)) {
        return false;
    }
    if (index == m_iCurSel) {
        m_iCurSel = GetCount() > 0 ? 0 : -1;
        if (m_iCurSel == 0) {
            GetItemAt(0)->SetVisible(true);
        }
        NeedParentUpdate();
    } else if (index < m_iCurSel) {
        --m_iCurSel;
    }
    return true;
}

void CTabLayoutUI::RemoveAll()
{
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
    NeedParentUpdate();
}

bool CTabLayoutUI::SelectItem(int iIndex, bool bTakeFocus)
{
    if (iIndex < 0 || iIndex >= GetCount()) {
        return false;
    }
    if (iIndex == m_iCurSel) {
        return true;
    }
    const int old = m_iCurSel;
    m_iCurSel = iIndex;
    for (int i = 0; i < GetCount(); ++i) {
        GetItemAt(i)->SetVisible(i == iIndex);
    }
    if (bTakeFocus) {
        GetItemAt(iIndex)->SetFocus();
    }
    NeedParentUpdate();
    if (m_pManager != nullptr) {
        (void)m_pManager->SetNextTabControl(true); // always true
        m_pManager->SendNotify(this, L"tabselect", static_cast<WPARAM>(iIndex), static_cast<LPARAM>(old));
    }
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* pControl)
{
    const int index = GetItemIndex(pControl);
    return index >= 0 && SelectItem(index, false);
}

void CTabLayoutUI::SetPos(RECT rc)
{
    CControlUI::SetPos(rc);
    const RECT inset = GetInset();
    const RECT area{m_rcItem.left + inset.left, m_rcItem.top + inset.top, m_rcItem.right - inset.right,
                    m_rcItem.bottom - inset.bottom};
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* page = GetItemAt(i);
        if (!page->IsVisible()) {
            continue;
        }
        if (page->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        if (i != m_iCurSel) {
            continue;
        }
        const RECT padding = page->GetPadding();
        const RECT space{area.left + padding.left, area.top + padding.top, area.right - padding.right,
                         area.bottom - padding.bottom};
        const SIZE size = CChildSize::Fit(*page, SIZE{space.right - space.left, space.bottom - space.top});
        page->SetPos(RECT{space.left, space.top, space.left + size.cx, space.top + size.cy});
    }
}

void CTabLayoutUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (pstrName != nullptr && pstrValue != nullptr && std::wcscmp(pstrName, L"selectedid") == 0) {
        (void)SelectItem(CAttributeValue::ParseInt(pstrValue), false); // an index outside the pages is ignored
    }
    CContainerUI::SetAttribute(pstrName, pstrValue);
}

} // namespace DuiLib
