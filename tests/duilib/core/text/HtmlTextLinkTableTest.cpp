// The caller's link arrays: bounded writes and the link under the mouse.

#include "duilib/core/HtmlTextLinkTable.h"
#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

using DuiLib::CDuiString;
using DuiLib::HtmlTextLinkTable;

namespace {

constexpr RECT kSentinel{-7, -7, -7, -7};

TEST(HtmlTextLinkTable, DropsWritesAtAndPastTheCapacity)
{
    RECT rects[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
    CDuiString texts[4] = {L"keep", L"keep", L"keep", L"keep"};
    HtmlTextLinkTable table(rects, texts, 2);
    for (int i = -1; i < 4; ++i) {
        table.SetRect(i, RECT{i, i, i + 1, i + 1});
        table.SetText(i, L"link", 4);
    }
    EXPECT_EQ(rects[0], (RECT{0, 0, 1, 1}));
    EXPECT_EQ(rects[1], (RECT{1, 1, 2, 2}));
    EXPECT_EQ(rects[2], kSentinel);
    EXPECT_EQ(rects[3], kSentinel);
    EXPECT_STREQ(L"link", texts[1].GetData());
    EXPECT_STREQ(L"keep", texts[2].GetData());
    EXPECT_EQ(2, table.Recorded(5));
    EXPECT_EQ(1, table.Recorded(1));
    EXPECT_EQ(0, table.Recorded(-3));
}

TEST(HtmlTextLinkTable, NullArraysMeanNoCapacity)
{
    HtmlTextLinkTable table(nullptr, nullptr, 8);
    table.SetRect(0, RECT{1, 2, 3, 4});
    table.SetText(0, L"x", 1);
    EXPECT_EQ(0, table.Recorded(3));
    RECT rects[1] = {kSentinel};
    HtmlTextLinkTable onlyRects(rects, nullptr, 1);
    onlyRects.SetText(0, L"x", 1);
    onlyRects.SetRect(0, RECT{1, 2, 3, 4});
    EXPECT_EQ(rects[0], (RECT{1, 2, 3, 4}));
    EXPECT_EQ(1, onlyRects.Recorded(3));
}

TEST(HtmlTextLinkTable, FindsTheFirstLinkUnderThePointWithExclusiveEdges)
{
    RECT rects[3] = {{0, 0, 10, 10}, {5, 5, 20, 20}, {100, 0, 110, 10}};
    CDuiString texts[3] = {L"first", L"second", L"beyond"};
    const HtmlTextLinkTable table(rects, texts, 2);
    CDuiString found;
    EXPECT_TRUE(table.FindTextAt(POINT{6, 6}, found));
    EXPECT_STREQ(L"first", found.GetData());
    EXPECT_TRUE(table.FindTextAt(POINT{10, 10}, found));
    EXPECT_STREQ(L"second", found.GetData());
    EXPECT_FALSE(table.FindTextAt(POINT{20, 20}, found));
    EXPECT_FALSE(table.FindTextAt(POINT{105, 5}, found)) << "slots past the capacity are not read";
}

} // namespace
