// Formatted-text layout on a fake canvas with fixed-width fonts, so positions and
// heights can be asserted exactly.

#include "duilib/core/HtmlTextLayout.h"
#include "duilib/core/HtmlTextLinkTable.h"
#include "duilib/core/HtmlTextTagArguments.h"
#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace DuiLib; // NOLINT: test file

namespace {

struct FakeFont {
    HtmlFontTraits traits;
    int charWidth = 10;
    std::wstring face;
};

struct DrawnImage {
    std::wstring name;
    RECT dest{};
    RECT part{};
};

struct DrawnRun {
    std::wstring text;
    int x = 0;
    int y = 0;
    DWORD color = 0;
    int font = 0;
    bool selected = false;
};

// Font 0: the base font, 16 high with leading 2, every unit 10 wide. Index 1 of the
// manager list is a 30-high font. Variants keep the height; bold units are 12 wide.
class FakeCanvas final : public IHtmlTextCanvas {
public:
    FakeCanvas()
    {
        m_fonts.push_back(Make(16, 10, L"base"));
        m_fonts.push_back(Make(30, 15, L"tall"));
    }

    HFONT BaseFont() override { return Handle(0); }
    HFONT FontAt(int index) override { return Handle(index >= 0 && index < 2 ? index : 0); }
    HFONT FindOrAddFont(const HtmlFontRequest& request) override
    {
        if (request.face.IsEmpty()) {
            return nullptr;
        }
        FakeFont font = Make(request.size, request.size / 2, request.face.GetData());
        font.traits.bold = request.bold;
        font.traits.italic = request.italic;
        font.traits.underline = request.underline;
        return Find(font);
    }
    HFONT Variant(HFONT handle, HtmlFontVariant variant) override
    {
        FakeFont font = m_fonts[Index(handle)];
        font.traits.bold |= variant == HtmlFontVariant::Bold;
        font.traits.italic |= variant == HtmlFontVariant::Italic;
        font.traits.underline |= variant == HtmlFontVariant::Underline;
        if (variant == HtmlFontVariant::Bold) {
            font.charWidth = 12;
        }
        return Find(font);
    }
    HtmlFontTraits Traits(HFONT font) override { return m_fonts[Index(font)].traits; }
    int SpaceTrailingWidth(HFONT font) override { return Traits(font).italic ? 4 : 0; }
    int Width(HFONT font, LPCTSTR, int length) override { return length * m_fonts[Index(font)].charWidth; }
    int Fit(HFONT font, LPCTSTR, int length, int maxWidth, int& wholeWidth) override
    {
        const int unit = m_fonts[Index(font)].charWidth;
        wholeWidth = length * unit;
        return std::min(length, maxWidth / unit);
    }
    void DrawRun(const HtmlTextRun& run) override
    {
        runs.push_back(DrawnRun{std::wstring(run.text, run.length), run.x, run.y, run.color, Index(run.font),
                                run.selected});
    }
    void FinishLine() override { ++finishedLines; }

    // "smile" is 20 x 10, "strip" 40 x 30; nothing else exists.
    bool ImageSize(const HtmlImageRequest& request, SIZE& size) override
    {
        if (request.name == L"smile") {
            size = SIZE{20, 10};
        } else if (request.name == L"strip") {
            size = SIZE{40, 30};
        } else {
            return false;
        }
        return true;
    }
    void DrawImage(const HtmlImageRequest& request, const RECT& dest, const RECT& part) override
    {
        images.push_back(DrawnImage{request.name.GetData(), dest, part});
    }

    [[nodiscard]] const FakeFont& FontOf(const DrawnRun& run) const { return m_fonts[run.font]; }
    [[nodiscard]] std::wstring Texts() const
    {
        std::wstring all;
        for (const DrawnRun& run : runs) {
            all += run.text + L"|";
        }
        return all;
    }
    [[nodiscard]] const DrawnRun* RunOf(const wchar_t* text) const
    {
        for (const DrawnRun& run : runs) {
            if (run.text == text) {
                return &run;
            }
        }
        return nullptr;
    }

    std::vector<DrawnRun> runs;
    std::vector<DrawnImage> images;
    int finishedLines = 0;

private:
    static FakeFont Make(int height, int charWidth, const wchar_t* face)
    {
        FakeFont font;
        font.traits.height = height;
        font.traits.externalLeading = 2;
        font.traits.maxCharWidth = charWidth;
        font.charWidth = charWidth;
        font.face = face;
        return font;
    }
    static HFONT Handle(int index) { return reinterpret_cast<HFONT>(static_cast<uintptr_t>(index + 1)); }
    static int Index(HFONT font) { return static_cast<int>(reinterpret_cast<uintptr_t>(font)) - 1; }
    HFONT Find(const FakeFont& wanted)
    {
        for (size_t i = 0; i < m_fonts.size(); ++i) {
            const FakeFont& f = m_fonts[i];
            if (f.face == wanted.face && f.traits.height == wanted.traits.height && f.charWidth == wanted.charWidth &&
                f.traits.bold == wanted.traits.bold && f.traits.italic == wanted.traits.italic &&
                f.traits.underline == wanted.traits.underline) {
                return Handle(static_cast<int>(i));
            }
        }
        m_fonts.push_back(wanted);
        return Handle(static_cast<int>(m_fonts.size()) - 1);
    }

    std::vector<FakeFont> m_fonts;
};

constexpr DWORD kText = 0xFF101010u;
constexpr DWORD kLink = 0xFF0000FFu;
constexpr DWORD kHover = 0xFFD3215Fu;
constexpr DWORD kSelected = 0xFFBAE4FFu;
constexpr int kLine = 18; // base font height + leading

class HtmlLayout : public ::testing::Test {
protected:
    HtmlTextExtent Lay(const wchar_t* text, UINT style = 0, RECT rc = RECT{0, 0, 200, 100})
    {
        options.rc = rc;
        options.style = style;
        options.textColor = kText;
        options.linkColor = kLink;
        options.linkHoverColor = kHover;
        options.selectedBkColor = kSelected;
        return HtmlTextLayout(canvas, options, links).Run(text);
    }

    FakeCanvas canvas;
    HtmlTextOptions options;
    HtmlTextLinkTable links;
};

TEST_F(HtmlLayout, PlainTextSitsOnTheLineWithSpacesOneAtATime)
{
    const HtmlTextExtent extent = Lay(L"ab  cd");
    EXPECT_EQ(L"ab|cd|", canvas.Texts()) << "plain spaces leave no mark, so they are not drawn";
    EXPECT_EQ(40, canvas.RunOf(L"cd")->x);
    EXPECT_EQ(0, canvas.RunOf(L"cd")->y);
    EXPECT_EQ(kText, canvas.RunOf(L"cd")->color);
    EXPECT_EQ(kLine, extent.drawnHeight);
    EXPECT_EQ(60, extent.right);
    EXPECT_EQ(kLine, extent.bottom);
}

TEST_F(HtmlLayout, SpacesThatLeaveAMarkAreDrawnOneAtATime)
{
    (void)Lay(L"<u>a  b</u> <s>c d</s>");
    ASSERT_EQ(L"a| | |b|c| |d|", canvas.Texts()) << "the plain space between the tags is not drawn";
    EXPECT_EQ(30, canvas.runs[3].x);
    EXPECT_EQ(60, canvas.runs[5].x);
    EXPECT_TRUE(canvas.runs[5].selected);
}

TEST_F(HtmlLayout, EveryDrawnLineIsFinished)
{
    (void)Lay(L"a\nb<n>c");
    EXPECT_EQ(3, canvas.finishedLines);
}

TEST_F(HtmlLayout, CalculateOnlyMeasuresWithoutDrawing)
{
    const HtmlTextExtent extent = Lay(L"abc\nde", DT_CALCRECT, RECT{5, 7, 200, 100});
    EXPECT_TRUE(canvas.runs.empty());
    EXPECT_EQ(0, canvas.finishedLines);
    EXPECT_EQ(35, extent.right);
    EXPECT_EQ(7 + 2 * kLine, extent.bottom);
    EXPECT_EQ(2 * kLine, extent.drawnHeight);
}

TEST_F(HtmlLayout, BoldRunIsWiderAndTheFontIsRestoredAfterItsClosingTag)
{
    const HtmlTextExtent extent = Lay(L"<b>ab</b>cd");
    ASSERT_EQ(L"ab|cd|", canvas.Texts());
    EXPECT_TRUE(canvas.FontOf(*canvas.RunOf(L"ab")).traits.bold);
    EXPECT_EQ(0, canvas.RunOf(L"cd")->font);
    EXPECT_EQ(24, canvas.RunOf(L"cd")->x);
    EXPECT_EQ(44, extent.right);
}

TEST_F(HtmlLayout, ColourTagColoursUntilItsClosingTag)
{
    (void)Lay(L"<c #FFFF0000>a<c 00FF00>b</c>c</c>d");
    EXPECT_EQ(0xFFFF0000u, canvas.RunOf(L"a")->color);
    EXPECT_EQ(0x0000FF00u, canvas.RunOf(L"b")->color);
    EXPECT_EQ(0xFFFF0000u, canvas.RunOf(L"c")->color);
    EXPECT_EQ(kText, canvas.RunOf(L"d")->color);
}

TEST_F(HtmlLayout, StrayClosingTagsLeaveTheBaseFontAndColour)
{
    (void)Lay(L"</b></c></a></f></p>x");
    EXPECT_EQ(0, canvas.RunOf(L"x")->font);
    EXPECT_EQ(kText, canvas.RunOf(L"x")->color);
    EXPECT_EQ(0, canvas.RunOf(L"x")->x);
}

struct BreakCase {
    const char* name;
    const wchar_t* text;
    UINT style;
    int height;
};

void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

class HtmlLineBreaks : public HtmlLayout, public ::testing::WithParamInterface<BreakCase> {};

TEST_P(HtmlLineBreaks, GiveTheSumOfLineHeights)
{
    EXPECT_EQ(GetParam().height, Lay(GetParam().text, GetParam().style).drawnHeight);
}

INSTANTIATE_TEST_SUITE_P(Table, HtmlLineBreaks,
    ::testing::Values(BreakCase{"NTagBreaks", L"a<n>b", 0, 2 * kLine},
                      BreakCase{"NTagIgnoredInSingleLine", L"a<n>b", DT_SINGLELINE, kLine},
                      BreakCase{"LineFeedBreaks", L"a\nb\nc", 0, 3 * kLine},
                      BreakCase{"LineFeedIgnoredInSingleLine", L"a\nb", DT_SINGLELINE, kLine},
                      BreakCase{"EmptyLinesDoNotCount", L"a\n\n\nb", 0, 2 * kLine},
                      BreakCase{"YSetsTheLineHeight", L"<y 40>ab", 0, 40},
                      BreakCase{"YCanLowerIt", L"<y 5>ab", 0, 5},
                      BreakCase{"TallerFontRaisesTheLine", L"a<f 1>b</f>", 0, 32},
                      BreakCase{"ParagraphSpacingAddsToItsLines", L"ab<p 6>cd</p>ef", 0, kLine + 24 + kLine},
                      BreakCase{"ParagraphAtLineStartDoesNotBreak", L"<p 6>cd</p>", 0, 24},
                      BreakCase{"OverflowWrapsByCharacter", L"abcdefghijklmnopqrstuvwxyz", 0, 2 * kLine},
                      BreakCase{"SingleLineStopsAtOverflow", L"abcdefghijklmnopqrstuvwxyz", DT_SINGLELINE, kLine},
                      BreakCase{"NoText", L"", 0, 0}),
    [](const ::testing::TestParamInfo<BreakCase>& info) { return std::string(info.param.name); });

TEST_F(HtmlLayout, TextSitsOnTheBottomOfATallerLine)
{
    (void)Lay(L"a<f 1>b</f>\nc");
    EXPECT_EQ(32 - kLine, canvas.RunOf(L"a")->y);
    EXPECT_EQ(0, canvas.RunOf(L"b")->y);
    EXPECT_EQ(32, canvas.RunOf(L"c")->y);
}

TEST_F(HtmlLayout, ParagraphSpacingGoesAboveTheText)
{
    (void)Lay(L"ab<p 6>cd</p>ef");
    EXPECT_EQ(kLine + 6, canvas.RunOf(L"cd")->y);
    EXPECT_EQ(kLine + 24, canvas.RunOf(L"ef")->y);
}

TEST_F(HtmlLayout, LinksRecordTextsAndRectanglesAndNeverWritePastTheCapacity)
{
    const RECT sentinel{-9, -9, -9, -9};
    RECT rects[4] = {sentinel, sentinel, sentinel, sentinel};
    CDuiString texts[4] = {L"-", L"-", L"-", L"-"};
    links = HtmlTextLinkTable(rects, texts, 2);
    const HtmlTextExtent extent = Lay(L"<a one>ab</a> <a two>cd</a> <a three>ef</a>");
    EXPECT_EQ(3, extent.links);
    EXPECT_EQ(2, links.Recorded(extent.links));
    EXPECT_STREQ(L"one", texts[0].GetData());
    EXPECT_STREQ(L"two", texts[1].GetData());
    EXPECT_EQ(rects[0], (RECT{0, 0, 20, kLine}));
    EXPECT_EQ(rects[1], (RECT{30, 0, 50, kLine}));
    EXPECT_EQ(rects[2], sentinel);
    EXPECT_EQ(rects[3], sentinel);
    EXPECT_STREQ(L"-", texts[2].GetData());
    EXPECT_EQ(kLink, canvas.RunOf(L"ab")->color);
    EXPECT_TRUE(canvas.FontOf(*canvas.RunOf(L"ab")).traits.underline);
    EXPECT_EQ(nullptr, canvas.RunOf(L" ")) << "the spaces between the links are neither underlined nor coloured";
}

TEST_F(HtmlLayout, LinkUnderTheMouseUsesTheHoverColour)
{
    options.hasHoverLink = true;
    options.hoverLink = L"two";
    (void)Lay(L"<a one>ab</a><a two>cd</a>");
    EXPECT_EQ(kLink, canvas.RunOf(L"ab")->color);
    EXPECT_EQ(kHover, canvas.RunOf(L"cd")->color);
}

TEST_F(HtmlLayout, LinkBrokenOverLinesTakesTheFullWidth)
{
    RECT rects[1] = {};
    CDuiString texts[1];
    links = HtmlTextLinkTable(rects, texts, 1);
    (void)Lay(L"ab<a x>cd\nef</a>", 0, RECT{10, 0, 200, 100});
    EXPECT_EQ(rects[0], (RECT{10, 0, 200, 2 * kLine}));
}

TEST_F(HtmlLayout, WordBreakMovesTheWholeWordAfterASpace)
{
    (void)Lay(L"aaa bbb", DT_WORDBREAK, RECT{0, 0, 55, 100});
    EXPECT_EQ(0, canvas.RunOf(L"bbb")->x);
    EXPECT_EQ(kLine, canvas.RunOf(L"bbb")->y);
    EXPECT_EQ(L"aaa|bbb|", canvas.Texts());
}

TEST_F(HtmlLayout, WordBreakCutsAfterTheLastNonLetter)
{
    (void)Lay(L"abc-defgh", DT_WORDBREAK, RECT{0, 0, 65, 100});
    EXPECT_EQ(L"abc-|defgh|", canvas.Texts());
    EXPECT_EQ(kLine, canvas.RunOf(L"defgh")->y);
}

TEST_F(HtmlLayout, SpaceThatOverflowsIsDroppedAtTheWrap)
{
    (void)Lay(L"abcde fg", 0, RECT{0, 0, 50, 100});
    EXPECT_EQ(L"abcde|fg|", canvas.Texts());
    EXPECT_EQ(0, canvas.RunOf(L"fg")->x);
}

TEST_F(HtmlLayout, EndEllipsisReplacesTheLastCharactersAndEndsASingleLine)
{
    (void)Lay(L"abcdefgh ij", DT_SINGLELINE | DT_END_ELLIPSIS, RECT{0, 0, 55, 100});
    EXPECT_EQ(L"abc|...|", canvas.Texts());
    EXPECT_EQ(30, canvas.RunOf(L"...")->x);
}

TEST_F(HtmlLayout, CentreAndRightShiftWholeLines)
{
    (void)Lay(L"<b>ab</b>cd\nxy", DT_CENTER, RECT{0, 0, 100, 100});
    EXPECT_EQ(28, canvas.RunOf(L"ab")->x) << "the line of 44 is centred as a whole";
    EXPECT_EQ(52, canvas.RunOf(L"cd")->x);
    EXPECT_EQ(40, canvas.RunOf(L"xy")->x);
    canvas.runs.clear();
    (void)Lay(L"ab\nxyz", DT_RIGHT, RECT{0, 0, 100, 100});
    EXPECT_EQ(80, canvas.RunOf(L"ab")->x);
    EXPECT_EQ(70, canvas.RunOf(L"xyz")->x);
}

TEST_F(HtmlLayout, XMovesThePen)
{
    const HtmlTextExtent extent = Lay(L"a<x 15>b<x -5>c");
    EXPECT_EQ(25, canvas.RunOf(L"b")->x);
    EXPECT_EQ(30, canvas.RunOf(L"c")->x);
    EXPECT_EQ(40, extent.right);
}

TEST_F(HtmlLayout, RawShowsTagCharactersLiterally)
{
    (void)Lay(L"<r><b>x</b> {n}</r><b>y</b>");
    EXPECT_EQ(L"<b>x</b>|{n}|y|", canvas.Texts());
    EXPECT_EQ(0, canvas.RunOf(L"<b>x</b>")->font);
    EXPECT_TRUE(canvas.FontOf(*canvas.RunOf(L"y")).traits.bold);
}

TEST_F(HtmlLayout, SelectionTogglesTheOpaqueBackground)
{
    (void)Lay(L"a<s>b</s>c<s>d");
    EXPECT_FALSE(canvas.RunOf(L"a")->selected);
    EXPECT_TRUE(canvas.RunOf(L"b")->selected);
    EXPECT_FALSE(canvas.RunOf(L"c")->selected);
    EXPECT_TRUE(canvas.RunOf(L"d")->selected);
}

TEST_F(HtmlLayout, ItalicPopAddsHalfTheSpaceOverhang)
{
    (void)Lay(L"<i>ab</i>cd<u>e</u>f");
    EXPECT_TRUE(canvas.FontOf(*canvas.RunOf(L"ab")).traits.italic);
    EXPECT_EQ(22, canvas.RunOf(L"cd")->x);
    EXPECT_EQ(52, canvas.RunOf(L"f")->x) << "only italic fonts move the pen when popped";
}

TEST_F(HtmlLayout, UnknownTagsAreSkippedAndCrossedBracketsDrawn)
{
    (void)Lay(L"a<z foo>b<{>{>}<q>");
    EXPECT_EQ(L"a|b|{|>|", canvas.Texts());
}

TEST_F(HtmlLayout, FontTagByFaceAddsTheFont)
{
    (void)Lay(L"<f Serif 20 bold>a</f>b<f>c</f>");
    const FakeFont& font = canvas.FontOf(*canvas.RunOf(L"a"));
    EXPECT_EQ(L"Serif", font.face);
    EXPECT_EQ(20, font.traits.height);
    EXPECT_TRUE(font.traits.bold);
    EXPECT_EQ(0, canvas.RunOf(L"b")->font);
    EXPECT_EQ(0, canvas.RunOf(L"c")->font) << "a font that cannot be made keeps the current one";
}

TEST_F(HtmlLayout, ImageColumnIsDrawnAtThePenAndRaisesTheLine)
{
    const HtmlTextExtent extent = Lay(L"a<i strip 4 2>b</i>c");
    ASSERT_EQ(1u, canvas.images.size());
    EXPECT_EQ(canvas.images[0].dest, (RECT{10, 0, 20, 30}));
    EXPECT_EQ(canvas.images[0].part, (RECT{20, 0, 30, 30}));
    EXPECT_EQ(20, canvas.RunOf(L"b")->x);
    EXPECT_EQ(30 - kLine, canvas.RunOf(L"b")->y) << "text sits on the bottom of the taller line";
    EXPECT_EQ(0, canvas.RunOf(L"c")->font) << "the closing tag pops nothing but the base";
    EXPECT_EQ(30, extent.drawnHeight);
}

TEST_F(HtmlLayout, SmallerImageIsCentredInTheLine)
{
    (void)Lay(L"<f 1>x</f><i smile>");
    ASSERT_EQ(1u, canvas.images.size());
    EXPECT_EQ(canvas.images[0].dest, (RECT{15, 11, 35, 21}));
}

TEST_F(HtmlLayout, ImageThatDoesNotFitOpensTheNextLine)
{
    (void)Lay(L"abcd<i smile>e", 0, RECT{0, 0, 50, 100});
    ASSERT_EQ(1u, canvas.images.size());
    EXPECT_EQ(canvas.images[0].dest, (RECT{0, kLine + 4, 20, kLine + 14}));
    EXPECT_EQ(20, canvas.RunOf(L"e")->x);
    canvas.images.clear();
    (void)Lay(L"<i smile>", 0, RECT{0, 0, 15, 100});
    ASSERT_EQ(1u, canvas.images.size()) << "at the line start it is drawn anyway";
    EXPECT_EQ(0, canvas.images[0].dest.left);
    canvas.images.clear();
    (void)Lay(L"abcd<i smile>", DT_SINGLELINE, RECT{0, 0, 50, 100});
    ASSERT_EQ(1u, canvas.images.size());
    EXPECT_EQ(canvas.images[0].dest, (RECT{40, 4, 60, 14})) << "a single line never breaks";
}

TEST_F(HtmlLayout, CalculatedBottomCoversTheTallestImage)
{
    EXPECT_EQ(30, Lay(L"<i strip><y 5>", DT_CALCRECT).bottom);
    EXPECT_EQ(30, Lay(L"<y 5><i strip>", DT_CALCRECT).bottom);
    EXPECT_EQ(kLine, Lay(L"<i missing>", DT_CALCRECT).bottom) << "an image that cannot be had is skipped";
    EXPECT_EQ(0, Lay(L"<i missing>", DT_CALCRECT).right);
}

TEST_F(HtmlLayout, DrawingStopsAtLinesBelowTheBottom)
{
    options.drawBottom = 2 * kLine;
    const HtmlTextExtent extent = Lay(L"a\nb\nc\nd");
    EXPECT_EQ(L"a|b|", canvas.Texts());
    EXPECT_EQ(2 * kLine, extent.drawnHeight);
}

} // namespace
