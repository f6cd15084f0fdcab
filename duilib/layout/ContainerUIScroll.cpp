// CContainerUI: scroll bars created on demand, the scroll position and the line, page
// and end steps.

#include "duilib/layout/ContainerUI.h"

#include "duilib/control/ScrollBarUI.h"
#include "duilib/core/PaintManager.h"

#include <algorithm>

namespace DuiLib {

namespace {

constexpr int kHorizontalLine = 8;

} // namespace

bool CContainerUI::IsScrollBarShown(const CScrollBarUI* pBar) const
{
    return pBar != nullptr && pBar->IsVisible();
}

SIZE CContainerUI::GetScrollPos() const
{
    return SIZE{IsScrollBarShown(m_pHorizontalScrollBar) ? m_pHorizontalScrollBar->GetScrollPos() : 0,
                IsScrollBarShown(m_pVerticalScrollBar) ? m_pVerticalScrollBar->GetScrollPos() : 0};
}

SIZE CContainerUI::GetScrollRange() const
{
    return SIZE{IsScrollBarShown(m_pHorizontalScrollBar) ? m_pHorizontalScrollBar->GetScrollRange() : 0,
                IsScrollBarShown(m_pVerticalScrollBar) ? m_pVerticalScrollBar->GetScrollRange() : 0};
}

void CContainerUI::SetScrollPos(SIZE szPos)
{
    int dx = 0;
    int dy = 0;
    if (IsScrollBarShown(m_pVerticalScrollBar)) {
        const int before = m_pVerticalScrollBar->GetScrollPos();
        m_pVerticalScrollBar->SetScrollPos(szPos.cy);
        dy = m_pVerticalScrollBar->GetScrollPos() - before;
    }
    if (IsScrollBarShown(m_pHorizontalScrollBar)) {
        const int before = m_pHorizontalScrollBar->GetScrollPos();
        m_pHorizontalScrollBar->SetScrollPos(szPos.cx);
        dx = m_pHorizontalScrollBar->GetScrollPos() - before;
    }
    if (dx != 0 || dy != 0) {
        ScrollBy(dx, dy);
    }
}

// Moves the children that scroll (the floating ones stay) against the bars' movement.
void CContainerUI::ScrollBy(int cx, int cy)
{
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* item = GetItemAt(i);
        if (!item->IsVisible() || item->IsFloat()) {
            continue;
        }
        RECT rc = item->GetPos();
        ::OffsetRect(&rc, -cx, -cy);
        item->SetPos(rc);
    }
    Invalidate();
}

void CContainerUI::MoveScrollPos(int dx, int dy)
{
    SIZE pos = GetScrollPos();
    pos.cx += dx;
    pos.cy += dy;
    SetScrollPos(pos);
}

int CContainerUI::LineHeight(int nLine) const
{
    return nLine + (m_pManager != nullptr ? m_pManager->GetDefaultFontInfo()->tm.tmHeight : 0);
}

// The content's height or width that one page turns: what shows between the insets
// and the other bar.
int CContainerUI::PageLength(bool vertical) const
{
    if (vertical) {
        const int height = m_rcItem.bottom - m_rcItem.top - m_rcInset.top - m_rcInset.bottom;
        return height - (IsScrollBarShown(m_pHorizontalScrollBar) ? m_pHorizontalScrollBar->GetFixedHeight() : 0);
    }
    const int width = m_rcItem.right - m_rcItem.left - m_rcInset.left - m_rcInset.right;
    return width - (IsScrollBarShown(m_pVerticalScrollBar) ? m_pVerticalScrollBar->GetFixedWidth() : 0);
}

void CContainerUI::LineUp(int nLine)
{
    MoveScrollPos(0, -LineHeight(nLine));
}

void CContainerUI::LineDown(int nLine)
{
    MoveScrollPos(0, LineHeight(nLine));
}

void CContainerUI::PageUp()
{
    MoveScrollPos(0, -PageLength(true));
}

void CContainerUI::PageDown()
{
    MoveScrollPos(0, PageLength(true));
}

void CContainerUI::HomeUp()
{
    SetScrollPos(SIZE{GetScrollPos().cx, 0});
}

void CContainerUI::EndDown()
{
    SetScrollPos(SIZE{GetScrollPos().cx, GetScrollRange().cy});
}

void CContainerUI::LineLeft()
{
    MoveScrollPos(-kHorizontalLine, 0);
}

void CContainerUI::LineRight()
{
    MoveScrollPos(kHorizontalLine, 0);
}

void CContainerUI::PageLeft()
{
    MoveScrollPos(-PageLength(false), 0);
}

void CContainerUI::PageRight()
{
    MoveScrollPos(PageLength(false), 0);
}

void CContainerUI::HomeLeft()
{
    SetScrollPos(SIZE{0, GetScrollPos().cy});
}

void CContainerUI::EndRight()
{
    SetScrollPos(SIZE{GetScrollRange().cx, GetScrollPos().cy});
}

CScrollBarUI* CContainerUI::CreateScrollBar(bool bHorizontal)
{
    auto* bar = new CScrollBarUI;
    if (bHorizontal) {
        bar->SetHorizontal(true);
    }
    bar->SetOwner(this);
    bar->SetManager(m_pManager, nullptr, false);
    if (m_pManager != nullptr) {
        const LPCTSTR defaults = m_pManager->GetDefaultAttributeList(bHorizontal ? L"HScrollBar" : L"VScrollBar");
        if (defaults != nullptr) {
            (void)bar->ApplyAttributeList(defaults); // returns the bar
        }
    }
    return bar;
}

void CContainerUI::EnableScrollBar(bool bEnableVertical, bool bEnableHorizontal)
{
    if (bEnableVertical && m_pVerticalScrollBar == nullptr) {
        m_pVerticalScrollBar = CreateScrollBar(false);
    } else if (!bEnableVertical && m_pVerticalScrollBar != nullptr) {
        delete m_pVerticalScrollBar;
        m_pVerticalScrollBar = nullptr;
    }
    if (bEnableHorizontal && m_pHorizontalScrollBar == nullptr) {
        m_pHorizontalScrollBar = CreateScrollBar(true);
    } else if (!bEnableHorizontal && m_pHorizontalScrollBar != nullptr) {
        delete m_pHorizontalScrollBar;
        m_pHorizontalScrollBar = nullptr;
    }
    NeedUpdate();
}

CScrollBarUI* CContainerUI::GetVerticalScrollBar() const
{
    return m_pVerticalScrollBar;
}

CScrollBarUI* CContainerUI::GetHorizontalScrollBar() const
{
    return m_pHorizontalScrollBar;
}

// Called at the end of a layout with the content rectangle and the size the content
// needs. The vertical bar appears when the content is higher than the space, with the
// surplus as its range, and the container is laid out again around it.
void CContainerUI::ProcessScrollBar(RECT rc, int /*cxRequired*/, int cyRequired)
{
    if (IsScrollBarShown(m_pHorizontalScrollBar)) {
        m_pHorizontalScrollBar->SetPos(
            RECT{rc.left, rc.bottom, rc.right, rc.bottom + m_pHorizontalScrollBar->GetFixedHeight()});
    }
    if (m_pVerticalScrollBar == nullptr) {
        return;
    }
    const int range = cyRequired - (rc.bottom - rc.top);
    if (range > 0 && !m_pVerticalScrollBar->IsVisible()) {
        m_pVerticalScrollBar->SetVisible(true);
        m_pVerticalScrollBar->SetScrollRange(range);
        m_pVerticalScrollBar->SetScrollPos(0);
        m_bScrollProcess = true;
        SetPos(m_rcItem);
        m_bScrollProcess = false;
        return;
    }
    if (!m_pVerticalScrollBar->IsVisible()) {
        return;
    }
    if (range > 0 || m_bScrollProcess) {
        m_pVerticalScrollBar->SetPos(
            RECT{rc.right, rc.top, rc.right + m_pVerticalScrollBar->GetFixedWidth(), rc.bottom});
        if (m_pVerticalScrollBar->GetScrollRange() == range) {
            return;
        }
        const int before = m_pVerticalScrollBar->GetScrollPos();
        // Content that fits now, with the bar shown, gives no range rather than a made-up one.
        m_pVerticalScrollBar->SetScrollRange(std::max(range, 0));
        if (m_pVerticalScrollBar->GetScrollRange() == 0) {
            m_pVerticalScrollBar->SetVisible(false);
            m_pVerticalScrollBar->SetScrollPos(0);
        }
        if (before <= m_pVerticalScrollBar->GetScrollPos()) {
            return;
        }
    } else {
        m_pVerticalScrollBar->SetVisible(false);
        m_pVerticalScrollBar->SetScrollPos(0);
        m_pVerticalScrollBar->SetScrollRange(0);
    }
    SetPos(m_rcItem);
}

} // namespace DuiLib

