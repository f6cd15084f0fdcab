#include "duilib/layout/TileLayoutUI.h"

#include "duilib/control/ScrollBarUI.h"
#include "duilib/core/AttributeValue.h"
#include "duilib/layout/ChildSize.h"

#include <algorithm>
#include <cwchar>

namespace DuiLib {

namespace {

[[nodiscard]] bool IsShown(const CScrollBarUI* bar)
{
    return bar != nullptr && bar->IsVisible();
}

[[nodiscard]] bool TakesCell(const CControlUI* child)
{
    return child->IsVisible() && !child->IsFloat();
}

} // namespace

struct CTileLayoutUI::Grid {
    int columns;
    int cellWidth;
    int childPadding;
};

LPCTSTR CTileLayoutUI::GetClass() const
{
    return L"TileLayoutUI";
}

LPVOID CTileLayoutUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"TileLayout") == 0) {
        return this;
    }
    return CContainerUI::GetInterface(pstrName);
}

void CTileLayoutUI::SetItemSize(SIZE szItem)
{
    if (m_szItem.cx != szItem.cx || m_szItem.cy != szItem.cy) {
        m_szItem = szItem;
        NeedUpdate();
    }
}

void CTileLayoutUI::SetColumns(int nCols)
{
    if (nCols > 0 && nCols != m_nColumns) {
        m_nColumns = nCols;
        NeedUpdate();
    }
}

void CTileLayoutUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"itemsize") == 0) {
        SetItemSize(CAttributeValue::ParseSize(pstrValue));
    } else if (pstrName != nullptr && std::wcscmp(pstrName, L"columns") == 0) {
        SetColumns(CAttributeValue::ParseInt(pstrValue));
    } else {
        CContainerUI::SetAttribute(pstrName, pstrValue);
    }
}

// An item width overrides the column count: as many columns as items fit, at least one.
CTileLayoutUI::Grid CTileLayoutUI::MakeGrid(const RECT& area) const
{
    const int width = area.right - area.left;
    const int columns = m_szItem.cx > 0 ? std::max(width / static_cast<int>(m_szItem.cx), 1) : m_nColumns;
    const CScrollBarUI* horizontal = GetHorizontalScrollBar();
    const int scrolled = IsShown(horizontal) ? horizontal->GetScrollRange() : 0;
    return Grid{columns, (width + scrolled) / columns, GetChildPadding()};
}

// Half the gap between cells lies on each side of an inner cell edge.
RECT CTileLayoutUI::CellFor(const CControlUI& child, const Grid& grid, int column, POINT rowTop,
                            int rowHeight) const
{
    const RECT padding = child.GetPadding();
    const int left = rowTop.x + column * grid.cellWidth;
    const int halfGap = grid.childPadding / 2;
    return RECT{left + padding.left + (column > 0 ? halfGap : 0), rowTop.y + padding.top,
                left + grid.cellWidth - padding.right - (column < grid.columns - 1 ? halfGap : 0),
                rowTop.y + rowHeight};
}

int CTileLayoutUI::MeasureRow(int iFirst, const Grid& grid) const
{
    int height = 0;
    int column = 0;
    for (int i = iFirst; i < GetCount() && column < grid.columns; ++i) {
        CControlUI* child = GetItemAt(i);
        if (!TakesCell(child)) {
            continue;
        }
        const RECT cell = CellFor(*child, grid, column++, POINT{0, 0}, 0);
        const LONG width = CChildSize::LimitWidth(*child, cell.right - cell.left);
        const LONG estimate = CChildSize::LimitHeight(*child, child->EstimateSize(SIZE{width, 9999}).cy);
        const RECT padding = child->GetPadding();
        height = std::max<int>(height, estimate + padding.top + padding.bottom);
    }
    return height;
}

void CTileLayoutUI::SetPos(RECT rc)
{
    CControlUI::SetPos(rc);
    const RECT inset = GetInset();
    RECT area{m_rcItem.left + inset.left, m_rcItem.top + inset.top, m_rcItem.right - inset.right,
              m_rcItem.bottom - inset.bottom};
    if (GetCount() == 0) {
        ProcessScrollBar(area, 0, 0);
        return;
    }
    const CScrollBarUI* vertical = GetVerticalScrollBar();
    const CScrollBarUI* horizontal = GetHorizontalScrollBar();
    area.right -= IsShown(vertical) ? vertical->GetFixedWidth() : 0;
    area.bottom -= IsShown(horizontal) ? horizontal->GetFixedHeight() : 0;
    const Grid grid = MakeGrid(area);
    const int scrollY = IsShown(vertical) ? vertical->GetScrollPos() : 0;
    POINT rowTop{area.left - (IsShown(horizontal) ? horizontal->GetScrollPos() : 0), area.top - scrollY};
    int rowHeight = 0;
    int placed = 0;
    int needed = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (child->IsVisible() && child->IsFloat()) {
            SetFloatPos(i);
        }
        if (!TakesCell(child)) {
            continue;
        }
        const int column = placed % grid.columns;
        rowHeight = column == 0 ? MeasureRow(i, grid) : rowHeight;
        const RECT cell = CellFor(*child, grid, column, rowTop, rowHeight);
        const SIZE size = CChildSize::Fit(*child, SIZE{cell.right - cell.left, cell.bottom - cell.top});
        const LONG left = (cell.left + cell.right - size.cx) / 2;
        const LONG top = (cell.top + cell.bottom - size.cy) / 2;
        child->SetPos(RECT{left, top, left + size.cx, top + size.cy});
        needed = cell.bottom - area.top + scrollY;
        if (++placed % grid.columns == 0) {
            rowTop.y += rowHeight + grid.childPadding;
        }
    }
    ProcessScrollBar(area, 0, needed);
}

} // namespace DuiLib
