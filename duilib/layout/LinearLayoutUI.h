#pragma once
// What the vertical and the horizontal layout share: children stacked along one axis
// (CLinearSizing), scroll bars fitted to them, and a separator strip at one edge that
// the user drags to resize the layout, live in immediate mode or on release otherwise.

#include "duilib/layout/ContainerUI.h"
#include "duilib/layout/LinearSizing.h"

namespace DuiLib {

class CLinearLayoutUI : public CContainerUI {
public:
    void SetPos(RECT rc) override;
    void DoEvent(TEventUI& event) override;
    void DoPostPaint(HDC hDC, const RECT& rcPaint) override;
    // The separator's own attribute (sepAttribute of the constructor) and "sepimm".
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    // The layout asks for the cursor while it has a separator.
    [[nodiscard]] UINT GetControlFlags() const override;

    // Immediate: the layout follows the pointer while dragging; otherwise a translucent
    // strip shows where the edge goes and the layout changes on release.
    void SetSepImmMode(bool bImmediately);
    [[nodiscard]] bool IsSepImmMode() const;
    // The separator strip of the item rectangle, or of the rectangle being dragged to.
    [[nodiscard]] RECT GetThumbRect(bool bUseNew = false) const;

protected:
    // sepAttribute: the attribute that sets the separator's size. Borrowed; a literal.
    CLinearLayoutUI(CLinearSizing::Axis axis, LPCTSTR sepAttribute);
    void SetSepSize(int iSize);
    [[nodiscard]] int GetSepSize() const;

    int m_iSepSize = 0; // < 0: strip at the top (left) edge; > 0: at the bottom (right)
    bool m_bImmMode = false;
    UINT m_uButtonState = 0; // UISTATE_CAPTURED while dragging
    POINT m_ptLastMouse = {0, 0};
    RECT m_rcNewPos = {0, 0, 0, 0};

private:
    [[nodiscard]] bool IsVertical() const;
    [[nodiscard]] bool IsDragging() const;
    void DragTo(POINT pt);
    void EndDrag();

    CLinearSizing::Axis m_axis;
    LPCTSTR m_sepAttribute;
};

} // namespace DuiLib
