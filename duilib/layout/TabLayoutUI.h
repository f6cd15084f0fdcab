#pragma once
// A container that shows one of its children, the selected page, and hides the others.
// Selecting another page sends "tabselect" with the new index (wParam) and the old one
// (lParam).

#include "duilib/layout/ContainerUI.h"

namespace DuiLib {

class CTabLayoutUI : public CContainerUI {
public:
    CTabLayoutUI() = default;

    [[nodiscard]] LPCTSTR GetClass() const override;
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;

    // The first visible page becomes the selection; any other page is hidden.
    bool AddAt(CControlUI* pControl, int iIndex) override;
    // Removing the selected page selects the first one left, without notification.
    bool Remove(CControlUI* pControl) override;
    void RemoveAll() override;
    // The selected page fills the area inside the inset and its own padding.
    void SetPos(RECT rc) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

    // -1 when there is no page.
    [[nodiscard]] int GetCurSel() const { return m_iCurSel; }
    // False for an index outside the pages; true without effect for the selected one.
    bool SelectItem(int iIndex, bool bTakeFocus = false);
    bool SelectItem(CControlUI* pControl);

protected:
    int m_iCurSel = -1;
};

} // namespace DuiLib
