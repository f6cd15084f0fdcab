#pragma once
// A container that places its visible children in a grid of equal-width cells, row by
// row, each row as high as its tallest child; the content scrolls vertically. The
// column count comes from the item width when one is set, else from "columns".

#include "duilib/layout/ContainerUI.h"

namespace DuiLib {

class CTileLayoutUI : public CContainerUI {
public:
    CTileLayoutUI() = default;

    [[nodiscard]] LPCTSTR GetClass() const override;
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetPos(RECT rc) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

    // Only the width counts: it decides how many columns fit.
    [[nodiscard]] SIZE GetItemSize() const { return m_szItem; }
    void SetItemSize(SIZE szItem);
    [[nodiscard]] int GetColumns() const { return m_nColumns; }
    // Values below 1 are ignored.
    void SetColumns(int nCols);

protected:
    SIZE m_szItem = {0, 0};
    int m_nColumns = 1;

private:
    struct Grid;

    [[nodiscard]] Grid MakeGrid(const RECT& area) const;
    // The height of the row that begins with child iFirst, its paddings included.
    [[nodiscard]] int MeasureRow(int iFirst, const Grid& grid) const;
    // The child's cell less its paddings, with the row's top and height.
    [[nodiscard]] RECT CellFor(const CControlUI& child, const Grid& grid, int column, POINT rowTop,
                               int rowHeight) const;
};

} // namespace DuiLib
