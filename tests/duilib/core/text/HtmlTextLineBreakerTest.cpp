// Where a plain run is cut: overflow, word break, end ellipsis and the cheap estimate.

#include "duilib/core/HtmlTextLineBreaker.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

using DuiLib::HtmlRunCut;
using DuiLib::HtmlRunRequest;
using DuiLib::HtmlTextLineBreaker;
using DuiLib::IHtmlTextMeasurer;

namespace {

// Every unit is 10 pixels wide except "W", which is 20.
class FakeMeasurer final : public IHtmlTextMeasurer {
public:
    [[nodiscard]] int MaxCharWidth() const override { return 20; }
    [[nodiscard]] int Width(LPCTSTR text, int length) const override
    {
        ++widthCalls;
        int width = 0;
        for (int i = 0; i < length; ++i) {
            width += UnitWidth(text[i]);
        }
        return width;
    }
    [[nodiscard]] int Fit(LPCTSTR text, int length, int maxWidth, int& wholeWidth) const override
    {
        ++fitCalls;
        int fit = 0;
        int width = 0;
        for (int i = 0; i < length; ++i) {
            width += UnitWidth(text[i]);
            if (width <= maxWidth) {
                fit = i + 1;
            }
        }
        wholeWidth = width;
        return fit;
    }
    mutable int widthCalls = 0;
    mutable int fitCalls = 0;

private:
    static int UnitWidth(TCHAR ch) { return ch == L'W' ? 20 : 10; }
};

struct CutCase {
    const char* name;
    const wchar_t* text;
    int available;
    bool lineEmpty;
    bool lineBreakable;
    bool wordBreak;
    bool ellipsis;
    int chars;
    int width;
    bool overflow;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class HtmlRunCutting : public ::testing::TestWithParam<CutCase> {};

TEST_P(HtmlRunCutting, PlacesWhatFits)
{
    const CutCase& c = GetParam();
    const FakeMeasurer measurer;
    HtmlRunRequest run;
    run.text = c.text;
    run.length = static_cast<int>(std::wcslen(c.text));
    run.available = c.available;
    run.lineEmpty = c.lineEmpty;
    run.lineBreakable = c.lineBreakable;
    run.wordBreak = c.wordBreak;
    run.endEllipsis = c.ellipsis;
    const HtmlRunCut cut = HtmlTextLineBreaker(measurer).Cut(run);
    EXPECT_EQ(c.chars, cut.chars);
    EXPECT_EQ(c.width, cut.width);
    EXPECT_EQ(c.overflow, cut.overflow);
    EXPECT_EQ(c.overflow && c.ellipsis, cut.ellipsis);
}

INSTANTIATE_TEST_SUITE_P(Table, HtmlRunCutting,
    ::testing::Values(
        //      name                       text          avail empty brk   word   ell    chars width over
        CutCase{"FitsWithRoomToSpare",     L"abcd",      100,  true, false, false, false, 4, 40, false},
        CutCase{"FitsExactly",             L"abcd",      40,   true, false, false, false, 4, 40, false},
        CutCase{"CutBeforeFirstMisfit",    L"abcdef",    35,   true, false, false, false, 3, 30, true},
        CutCase{"WideGlyphCountsDouble",   L"aWbc",      35,   true, false, false, false, 2, 30, true},
        CutCase{"EmptyLineKeepsOneChar",   L"abc",       5,    true, false, false, false, 1, 10, true},
        CutCase{"NoRoomLeftOnBusyLine",    L"abc",       5,    false, false, false, false, 0, 0, true},
        CutCase{"NegativeRoomOnBusyLine",  L"abc",       -30,  false, false, false, false, 0, 0, true},
        CutCase{"NegativeRoomEmptyLine",   L"abc",       -30,  true, false, false, false, 1, 10, true},
        CutCase{"WordBreakAfterNonLetter", L"ab-cdefg",  55,   true, false, true, false, 3, 30, true},
        CutCase{"WordBreakAfterLastOne",   L"a.b,cdefg", 75,   true, false, true, false, 4, 40, true},
        CutCase{"DigitsAreNotLetters",     L"ab1cdefg",  55,   true, false, true, false, 3, 30, true},
        CutCase{"WordBreakNoNonLetterEmptyLine", L"abcdefg", 35, true, false, true, false, 3, 30, true},
        CutCase{"WholeWordMovesAfterSpace", L"abcdefg",  35,   false, true, true, false, 0, 0, true},
        CutCase{"WordSplitWhenLineEndsInLetter", L"abcdefg", 35, false, false, true, false, 3, 30, true},
        CutCase{"NonLetterBeyondFitIgnored", L"abcd-f",  35,   true, false, true, false, 3, 30, true},
        CutCase{"EllipsisDropsTwoChars",   L"abcdefgh",  55,   true, false, false, true, 3, 30, true},
        CutCase{"EllipsisDropsTheOnlyChar", L"abc",      5,    true, false, false, true, 0, 0, true},
        CutCase{"EllipsisAfterWordBreak",  L"abc de",    45,   true, false, true, true, 2, 20, true},
        CutCase{"EllipsisNotWhenItFits",   L"abc",       30,   true, false, false, true, 3, 30, false}),
    [](const ::testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

TEST(HtmlRunCutting, EstimateInsideTheLineNeedsNoFitMeasurement)
{
    const FakeMeasurer measurer;
    HtmlRunRequest run;
    run.text = L"abc";
    run.length = 3;
    run.available = 61; // 3 x 20 < 61
    EXPECT_EQ(3, HtmlTextLineBreaker(measurer).Cut(run).chars);
    EXPECT_EQ(0, measurer.fitCalls);
    EXPECT_EQ(1, measurer.widthCalls);
}

TEST(HtmlRunCutting, EstimateReachingTheEdgeMeasuresOnceWhenTheRunFits)
{
    const FakeMeasurer measurer;
    HtmlRunRequest run;
    run.text = L"abc";
    run.length = 3;
    run.available = 60; // estimate 60 reaches the edge; the real width 30 fits
    const HtmlRunCut cut = HtmlTextLineBreaker(measurer).Cut(run);
    EXPECT_EQ(3, cut.chars);
    EXPECT_EQ(30, cut.width);
    EXPECT_EQ(1, measurer.fitCalls);
    EXPECT_EQ(0, measurer.widthCalls);
}

TEST(HtmlRunCutting, NeverSplitsASurrogatePair)
{
    const FakeMeasurer measurer;
    const wchar_t text[] = {L'a', 0xD83D, 0xDE00, L'b', 0};
    HtmlRunRequest run;
    run.text = text;
    run.length = 4;
    run.available = 25; // "a" and the high half fit
    EXPECT_EQ(1, HtmlTextLineBreaker(measurer).Cut(run).chars);
    run.text = text + 1;
    run.length = 3;
    run.available = 5; // on an empty line the whole pair is the one character kept
    EXPECT_EQ(2, HtmlTextLineBreaker(measurer).Cut(run).chars);
}

} // namespace
