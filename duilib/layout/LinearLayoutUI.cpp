#include "duilib/layout/LinearLayoutUI.h"

#include "duilib/control/ScrollBarUI.h"
#include "duilib/core/AttributeValue.h"
#include "duilib/core/DuiRect.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"
#include "duilib/layout/SeparatorDrag.h"

#include <cwchar>

namespace DuiLib {

namespace {

constexpr DWORD kDragStripColour = 0xAA000000;

} // namespace

CLinearLayoutUI::CLinearLayoutUI(CLinearSizing::Axis axis, LPCTSTR sepAttribute)
    : m_axis(axis), m_sepAttribute(sepAttribute)
{
}

void CLinearLayoutUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, m_sepAttribute) == 0) {
        SetSepSize(CAttributeValue::ParseInt(pstrValue));
    } else if (pstrName != nullptr && std::wcscmp(pstrName, L"sepimm") == 0) {
        SetSepImmMode(CAttributeValue::ParseBool(pstrValue));
    } else {
        CContainerUI::SetAttribute(pstrName, pstrValue);
    }
}

bool CLinearLayoutUI::IsVertical() const
{
    return m_axis == CLinearSizing::Axis::Vertical;
}

bool CLinearLayoutUI::IsDragging() const
{
    return (m_uButtonState & UISTATE_CAPTURED) != 0;
}

void CLinearLayoutUI::SetPos(RECT rc)
{
    CControlUI::SetPos(rc);
    const RECT content = GetContentRect();
    if (m_items.IsEmpty()) {
        ProcessScrollBar(content, 0, 0);
        return;
    }
    const bool vertical = m_pVerticalScrollBar != nullptr && m_pVerticalScrollBar->IsVisible();
    const bool horizontal = m_pHorizontalScrollBar != nullptr && m_pHorizontalScrollBar->IsVisible();
    // Horizontal scrolling widens what the children may fill; the offsets scroll them.
    const LONG width = content.right - content.left + (horizontal ? m_pHorizontalScrollBar->GetScrollRange() : 0);
    const LONG height = content.bottom - content.top;
    CLinearSizing::Space space{};
    space.origin.x = content.left - (horizontal ? m_pHorizontalScrollBar->GetScrollPos() : 0);
    space.origin.y = content.top - (IsVertical() && vertical ? m_pVerticalScrollBar->GetScrollPos() : 0);
    space.availableMain = IsVertical() ? height : width;
    space.availableCross = IsVertical() ? width : height;
    space.estimateCross = space.availableCross;
    const int needed = CLinearSizing::Arrange(m_axis, *this, space);
    ProcessScrollBar(content, IsVertical() ? 0 : needed, IsVertical() ? needed : 0);
}

UINT CLinearLayoutUI::GetControlFlags() const
{
    return m_iSepSize != 0 ? UIFLAG_SETCURSOR : 0;
}

void CLinearLayoutUI::SetSepSize(int iSize)
{
    m_iSepSize = iSize;
}

int CLinearLayoutUI::GetSepSize() const
{
    return m_iSepSize;
}

void CLinearLayoutUI::SetSepImmMode(bool bImmediately)
{
    if (m_bImmMode == bImmediately) {
        return;
    }
    if (IsDragging() && !m_bImmMode && m_pManager != nullptr) {
        (void)m_pManager->RemovePostPaint(this); // false when it was not registered
    }
    m_bImmMode = bImmediately;
}

bool CLinearLayoutUI::IsSepImmMode() const
{
    return m_bImmMode;
}

RECT CLinearLayoutUI::GetThumbRect(bool bUseNew) const
{
    return CSeparatorDrag::Strip(IsVertical(), bUseNew && IsDragging() ? m_rcNewPos : m_rcItem, m_iSepSize);
}

void CLinearLayoutUI::DoEvent(TEventUI& event)
{
    if (m_iSepSize != 0) {
        const RECT strip = GetThumbRect(false);
        const bool onStrip = ::PtInRect(&strip, event.ptMouse) != FALSE;
        if (event.Type == kEventButtonDown && IsEnabled() && onStrip) {
            m_uButtonState |= UISTATE_CAPTURED;
            m_ptLastMouse = event.ptMouse;
            m_rcNewPos = m_rcItem;
            if (!m_bImmMode && m_pManager != nullptr) {
                (void)m_pManager->AddPostPaint(this); // false when it is registered already
            }
            return;
        }
        if (event.Type == kEventButtonUp && IsDragging()) {
            EndDrag();
            return;
        }
        if (event.Type == kEventMouseMove && IsDragging()) {
            DragTo(event.ptMouse);
            return;
        }
        if (event.Type == kEventSetCursor && IsEnabled() && onStrip) {
            ::SetCursor(::LoadCursorW(nullptr, IsVertical() ? IDC_SIZENS : IDC_SIZEWE));
            return;
        }
    }
    CContainerUI::DoEvent(event);
}

void CLinearLayoutUI::DragTo(POINT pt)
{
    const bool vertical = IsVertical();
    const LONG delta = vertical ? pt.y - m_ptLastMouse.y : pt.x - m_ptLastMouse.x;
    m_ptLastMouse = pt;
    RECT rc = m_rcNewPos;
    const int minimum = vertical ? GetMinHeight() : GetMinWidth();
    const int maximum = vertical ? GetMaxHeight() : GetMaxWidth();
    if (!CSeparatorDrag::Move(vertical, m_iSepSize, vertical ? pt.y : pt.x, delta, rc, minimum, maximum)) {
        return;
    }
    CDuiRect dirty(GetThumbRect(true));
    m_rcNewPos = rc;
    (vertical ? m_cxyFixed.cy : m_cxyFixed.cx) = vertical ? rc.bottom - rc.top : rc.right - rc.left;
    if (m_bImmMode) {
        m_rcItem = m_rcNewPos;
        NeedParentUpdate();
        return;
    }
    dirty.Join(GetThumbRect(true));
    dirty.Join(GetThumbRect(false));
    if (m_pManager != nullptr) {
        m_pManager->Invalidate(dirty);
    }
}

void CLinearLayoutUI::EndDrag()
{
    m_uButtonState &= ~UISTATE_CAPTURED;
    m_rcItem = m_rcNewPos;
    if (!m_bImmMode && m_pManager != nullptr) {
        (void)m_pManager->RemovePostPaint(this); // false when it was not registered
    }
    NeedParentUpdate();
}

void CLinearLayoutUI::DoPostPaint(HDC hDC, const RECT& /*rcPaint*/)
{
    if (IsDragging() && !m_bImmMode) {
        CRenderEngine::DrawColor(hDC, GetThumbRect(true), kDragStripColour);
    }
}

} // namespace DuiLib
