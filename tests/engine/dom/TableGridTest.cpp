#include "engine/render/TableGrid.h"

#include <gtest/gtest.h>

#include "engine/dom/DomQueries.h"
#include "engine/dom/HtmlParser.h"

namespace engine {
namespace {

const DomNode* FirstTable(const DomNode& node)
{
    for (const auto& child : node.children) {
        if (child->kind == DomNodeKind::Element && child->tagName == L"table") {
            return child.get();
        }
        if (const DomNode* found = FirstTable(*child)) {
            return found;
        }
    }
    return nullptr;
}

// Each cell as "text@row,column+rowSpan x columnSpan".
std::vector<std::wstring> Cells(const TableGrid& grid)
{
    std::vector<std::wstring> cells;
    for (const TableCell& cell : grid.cells) {
        const DomNode& text = *cell.element->children.front();
        cells.push_back(std::wstring(text.text) + L"@" + std::to_wstring(cell.row) + L"," + std::to_wstring(cell.column) +
                        L"+" + std::to_wstring(cell.rowSpan) + L"x" + std::to_wstring(cell.columnSpan));
    }
    return cells;
}

TEST(TableGrid, PlacesCellsAroundRowAndColumnSpans)
{
    const struct {
        std::wstring html;
        std::vector<std::wstring> cells;
        int columns;
    } cases[] = {
        {L"<table><tr><td>a<td>b<tr><td>c</table>", {L"a@0,0+1x1", L"b@0,1+1x1", L"c@1,0+1x1"}, 2},
        {L"<table><tr><td rowspan=2>a<td>b<tr><td>c</table>", {L"a@0,0+2x1", L"b@0,1+1x1", L"c@1,1+1x1"}, 2},
        {L"<table><tr><td colspan=3>a<tr><td>b<td colspan=0>c</table>", {L"a@0,0+1x3", L"b@1,0+1x1", L"c@1,1+1x1"}, 3},
        {L"<table><caption>t</caption><thead><tr><th>h</thead><tbody><tr><td>x</tbody><tfoot><tr><td>f</table>",
         {L"h@0,0+1x1", L"x@1,0+1x1", L"f@2,0+1x1"}, 1},
        {L"<table><tr><td rowspan=99>a<td>b</table>", {L"a@0,0+1x1", L"b@0,1+1x1"}, 2},
        {L"<table><tr><td colspan=5000>a<td>b</table>", {L"a@0,0+1x1000"}, 1000},
    };
    for (const auto& c : cases) {
        const DomNodePtr doc = ParseHtml(c.html);
        const TableGrid grid = TableGrid::Build(*FirstTable(*doc));
        EXPECT_EQ(Cells(grid), c.cells) << c.html;
        EXPECT_EQ(grid.columns, c.columns) << c.html;
    }
}

TEST(TableGrid, ColumnsShareTheWidthByTheirContent)
{
    const std::vector<CellNeed> two{{0, 1, 20, 100}, {1, 1, 30, 50}};
    const std::vector<CellNeed> spanned{{0, 1, 10, 10}, {1, 1, 10, 10}, {0, 2, 51, 80}};
    const struct {
        const char* name;
        std::vector<CellNeed> needs;
        int tableWidth;
        int available;
        std::vector<int> widths;
    } cases[] = {
        {"room for everything", two, -1, 1000, {100, 50}},
        {"between min and max", two, -1, 100, {55, 38}},
        {"narrower than min", two, -1, 10, {20, 30}},
        {"table width spreads", two, 306, 100, {200, 100}},
        {"span widens evenly", spanned, -1, 1000, {39, 39}},
        {"span's odd pixel goes first", spanned, -1, 50, {25, 24}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColumnWidths(c.needs, 2, 2, c.tableWidth, c.available), c.widths) << c.name;
    }
}

} // namespace
} // namespace engine
