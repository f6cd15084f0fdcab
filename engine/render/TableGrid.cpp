#include "TableGrid.h"

#include <algorithm>
#include <numeric>

#include "engine/dom/DomQueries.h"

namespace engine {
namespace {

int SpanAttribute(const DomNode& cell, std::wstring_view name)
{
    const DomString* value = FindAttribute(cell, name);
    if (value == nullptr) {
        return 1;
    }
    long long number = 0;
    for (const wchar_t c : *value) {
        if (c < L'0' || c > L'9') {
            break;
        }
        number = std::min<long long>(number * 10 + (c - L'0'), TableGrid::kMaxSpan);
    }
    return std::max(static_cast<int>(number), 1);
}

class GridBuilder final {
public:
    GridBuilder(TableGrid& grid, const TableGrid::Filter& shown) : m_grid(grid), m_shown(shown) {}

    // A <col> or <colgroup> describes as many columns as its span says.
    void AddColumns(const DomNode& element)
    {
        const int span = SpanAttribute(element, L"span");
        for (int i = 0; i < span && m_grid.columnElements.size() < static_cast<size_t>(TableGrid::kMaxColumns); ++i) {
            m_grid.columnElements.push_back(&element);
        }
    }

    void AddColumnGroup(const DomNode& colgroup)
    {
        bool hasColumns = false;
        for (const auto& child : colgroup.children) {
            if (child->kind == DomNodeKind::Element && child->tagName == L"col" && m_shown(*child)) {
                AddColumns(*child);
                hasColumns = true;
            }
        }
        if (!hasColumns) {
            AddColumns(colgroup);
        }
    }

    void AddRow(const DomNode& tr)
    {
        const int row = static_cast<int>(m_grid.rows.size());
        m_grid.rows.push_back(&tr);
        int column = 0;
        for (const auto& child : tr.children) {
            if (child->kind != DomNodeKind::Element || (child->tagName != L"td" && child->tagName != L"th") ||
                !m_shown(*child)) {
                continue;
            }
            while (column < TableGrid::kMaxColumns && Taken(row, column)) {
                ++column;
            }
            if (column >= TableGrid::kMaxColumns) {
                break;
            }
            TableCell cell{child.get(), row, column, SpanAttribute(*child, L"rowspan"),
                           std::min(SpanAttribute(*child, L"colspan"), TableGrid::kMaxColumns - column)};
            m_taken.push_back(cell);
            m_grid.cells.push_back(cell);
            column += cell.columnSpan;
            m_grid.columns = std::max(m_grid.columns, column);
        }
    }

    // Row spans end with the table.
    void Finish()
    {
        const int rows = static_cast<int>(m_grid.rows.size());
        for (TableCell& cell : m_grid.cells) {
            cell.rowSpan = std::min(cell.rowSpan, rows - cell.row);
        }
    }

private:
    bool Taken(int row, int column) const
    {
        return std::any_of(m_taken.begin(), m_taken.end(), [row, column](const TableCell& cell) {
            return cell.row < row && row < cell.row + cell.rowSpan && cell.column <= column &&
                   column < cell.column + cell.columnSpan;
        });
    }

    TableGrid& m_grid;
    const TableGrid::Filter& m_shown;
    std::vector<TableCell> m_taken;  // cells that reach down into later rows
};

} // namespace

TableGrid TableGrid::Build(const DomNode& table, const Filter& shown)
{
    TableGrid grid;
    GridBuilder builder(grid, shown);
    for (const auto& child : table.children) {
        if (child->kind != DomNodeKind::Element || !shown(*child)) {
            continue;
        }
        if (child->tagName == L"tr") {
            builder.AddRow(*child);
        } else if (child->tagName == L"thead" || child->tagName == L"tbody" || child->tagName == L"tfoot") {
            for (const auto& row : child->children) {
                if (row->kind == DomNodeKind::Element && row->tagName == L"tr" && shown(*row)) {
                    builder.AddRow(*row);
                }
            }
        } else if (child->tagName == L"caption" && grid.caption == nullptr) {
            grid.caption = child.get();
        } else if (child->tagName == L"colgroup") {
            builder.AddColumnGroup(*child);
        } else if (child->tagName == L"col") {
            builder.AddColumns(*child);
        }
    }
    builder.Finish();
    return grid;
}

std::vector<int> ColumnWidths(const std::vector<CellNeed>& needs, int columns, int spacing, int tableWidth,
                              int available)
{
    std::vector<long long> low(static_cast<size_t>(columns), 0);
    std::vector<long long> high(static_cast<size_t>(columns), 0);
    // Step 1.
    for (const CellNeed& need : needs) {
        if (need.span == 1) {
            low[need.column] = std::max<long long>(low[need.column], need.minWidth);
            high[need.column] = std::max<long long>(high[need.column], std::max(need.maxWidth, need.minWidth));
        }
    }
    // Step 2.
    for (const CellNeed& need : needs) {
        if (need.span <= 1) {
            continue;
        }
        const auto first = static_cast<size_t>(need.column);
        const auto last = first + static_cast<size_t>(need.span);
        const long long gaps = static_cast<long long>(need.span - 1) * spacing;
        const auto widen = [&](std::vector<long long>& widths, long long wanted) {
            const long long have = std::accumulate(widths.begin() + first, widths.begin() + last, 0LL) + gaps;
            for (size_t c = first; wanted > have && c < last; ++c) {
                widths[c] += (wanted - have) / need.span + (c - first < static_cast<size_t>((wanted - have) % need.span));
            }
        };
        widen(low, need.minWidth);
        widen(high, std::max(need.maxWidth, need.minWidth));
        for (size_t c = first; c < last; ++c) {
            high[c] = std::max(high[c], low[c]);
        }
    }
    // Step 3.
    const long long gaps = static_cast<long long>(columns + 1) * spacing;
    const long long lowSum = std::accumulate(low.begin(), low.end(), 0LL);
    const long long highSum = std::accumulate(high.begin(), high.end(), 0LL);
    const long long room = std::max<long long>(tableWidth >= 0 ? tableWidth - gaps : std::min<long long>(available - gaps, highSum), lowSum);
    std::vector<int> widths(static_cast<size_t>(columns), 0);
    for (size_t c = 0; c < widths.size(); ++c) {
        long long width = low[c];
        if (room >= highSum) {
            width = high[c] + (highSum > 0 ? (room - highSum) * high[c] / highSum : (room - highSum) / columns);
        } else if (highSum > lowSum) {
            width = low[c] + (room - lowSum) * (high[c] - low[c]) / (highSum - lowSum);
        }
        widths[c] = static_cast<int>(std::min<long long>(width, 1 << 28));
    }
    return widths;
}

} // namespace engine
