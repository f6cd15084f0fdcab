// The tile layout: exact rectangles for columns from the item width or the column
// count, insets, child padding and paddings, rows as high as their tallest child, and
// vertical scrolling.

#include "duilib/control/ScrollBarUI.h"
#include "duilib/layout/TileLayoutUI.h"

#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

using DuiLib::CControlUI;
using DuiLib::CTileLayoutUI;

namespace {

struct TileCase {
    const char* label;
    RECT container;
    const wchar_t* attributes;
    std::vector<const wchar_t*> children; // attribute lists
    std::vector<RECT> expected;
};

void PrintTo(const TileCase& c, std::ostream* os)
{
    *os << c.label;
}

class TileRects : public testing::TestWithParam<TileCase> {};

TEST_P(TileRects, Exact)
{
    const TileCase& c = GetParam();
    CTileLayoutUI tile;
    tile.ApplyAttributeList(c.attributes);
    std::vector<CControlUI*> children;
    for (const wchar_t* attributes : c.children) {
        children.push_back(new CControlUI);
        children.back()->ApplyAttributeList(attributes);
        ASSERT_TRUE(tile.Add(children.back()));
    }
    tile.SetPos(c.container);
    ASSERT_EQ(c.expected.size(), children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        EXPECT_EQ(c.expected[i], children[i]->GetPos()) << "child " << i;
    }
}

const wchar_t* const kHeight20 = L"height=\"20\"";

const TileCase kTileCases[] = {
    {"item width 100 in 300 gives three columns",
     {0, 0, 300, 200},
     L"itemsize=\"100,80\" columns=\"5\"",
     {kHeight20, kHeight20, kHeight20, kHeight20},
     {{0, 0, 100, 20}, {100, 0, 200, 20}, {200, 0, 300, 20}, {0, 20, 100, 40}}},
    {"four columns of 75 (0 is no column count), fixed sizes centred",
     {0, 0, 300, 200},
     L"columns=\"4\" columns=\"0\"",
     {L"width=\"50\" height=\"10\"", L"width=\"50\" height=\"10\""},
     {{12, 0, 62, 10}, {87, 0, 137, 10}}},
    {"an item wider than the area still gives one column",
     {0, 0, 80, 100},
     L"itemsize=\"100,10\"",
     {kHeight20, kHeight20},
     {{0, 0, 80, 20}, {0, 20, 80, 40}}},
    {"inset, child padding and paddings",
     {10, 10, 310, 210},
     L"inset=\"5,5,5,5\" columns=\"2\" childpadding=\"10\"",
     {kHeight20, L"height=\"20\" padding=\"2,3,4,5\"", L"height=\"10\""},
     {{15, 19, 155, 39}, {167, 20, 301, 40}, {15, 53, 155, 63}}},
    {"a tall child sets the row's height, the others are centred in it",
     {0, 0, 200, 100},
     L"columns=\"2\"",
     {L"height=\"40\"", L"height=\"10\"", L"height=\"10\""},
     {{0, 0, 100, 40}, {100, 15, 200, 25}, {0, 40, 100, 50}}},
    {"floating and hidden children take no cell; limits apply",
     {0, 0, 200, 100},
     L"columns=\"2\"",
     {L"height=\"10\" maxwidth=\"60\"", L"float=\"true\" pos=\"5,5,15,15\"", L"visible=\"false\" height=\"10\"",
      L"height=\"10\" minwidth=\"120\""},
     {{20, 0, 80, 10}, {5, 5, 15, 15}, {0, 0, 0, 0}, {90, 0, 210, 10}}},
};

INSTANTIATE_TEST_SUITE_P(Table, TileRects, testing::ValuesIn(kTileCases));

// Five rows of 20 in 50: the bar shows with the range left over, and scrolling moves
// the cells up by the position.
TEST(TileLayout, ScrollsVertically)
{
    CTileLayoutUI tile;
    tile.ApplyAttributeList(L"vscrollbar=\"true\" columns=\"1\"");
    std::vector<CControlUI*> children;
    for (int i = 0; i < 5; ++i) {
        children.push_back(new CControlUI);
        children.back()->SetFixedHeight(20);
        tile.Add(children.back());
    }
    tile.SetPos({0, 0, 100, 50});
    DuiLib::CScrollBarUI* bar = tile.GetVerticalScrollBar();
    ASSERT_TRUE(bar->IsVisible());
    EXPECT_EQ(50, bar->GetScrollRange());
    const int right = 100 - bar->GetFixedWidth();
    EXPECT_EQ((RECT{0, 80, right, 100}), children[4]->GetPos());
    tile.SetScrollPos({0, 30});
    EXPECT_EQ((RECT{0, -30, right, -10}), children[0]->GetPos());
    EXPECT_EQ((RECT{0, 50, right, 70}), children[4]->GetPos());
    tile.SetPos({0, 0, 100, 50});
    EXPECT_EQ((RECT{0, -30, right, -10}), children[0]->GetPos()) << "a new layout keeps the position";
}

} // namespace
