#pragma once
// The cells of an HTML table placed on a grid of rows and columns, with their spans,
// and the arithmetic of an automatic table layout: column widths from the widths of
// the cells' content.

#include <functional>
#include <vector>

#include "engine/dom/DomNode.h"

namespace engine {

struct TableCell {
    const DomNode* element = nullptr;  // td or th
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
};

struct TableGrid {
    // Caps that keep a hostile table's grid small.
    static constexpr int kMaxColumns = 1000;
    static constexpr int kMaxSpan = 1000;

    std::vector<TableCell> cells;  // in source order
    std::vector<const DomNode*> rows;  // the tr of each row
    int columns = 0;
    const DomNode* caption = nullptr;
    // The <col>, or the <colgroup> without any, that describes each column, from the
    // left; the page may describe fewer columns than the grid has.
    std::vector<const DomNode*> columnElements;

    // Rows straight in the table or in its thead, tbody and tfoot, in source order.
    // Sections, rows, cells and captions that `shown` refuses are left out.
    using Filter = std::function<bool(const DomNode&)>;
    [[nodiscard]] static TableGrid Build(const DomNode& table,
                                         const Filter& shown = [](const DomNode&) { return true; });
};

struct CellNeed {
    int column = 0;
    int span = 1;
    int minWidth = 0;  // the widest word or image, padding included
    int maxWidth = 0;  // the content on one line, padding included (or its width attribute)
};

// Step 1: each column's min and max from its one-column cells; step 2: cells that
// span columns widen them evenly where they need more; step 3: the columns share the
// table's width: `tableWidth` when given (>= 0), else at most `available`. `spacing` is
// taken between and around columns.
[[nodiscard]] std::vector<int> ColumnWidths(const std::vector<CellNeed>& needs, int columns, int spacing,
                                            int tableWidth, int available);

} // namespace engine
