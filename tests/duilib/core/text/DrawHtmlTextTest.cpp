// Formatted text drawn with GDI into DIB sections: tags, layout flags, links and
// clipping, asserted through measurements and ink positions.

#include "common/TopDownDib.h"
#include "TextTestSupport.h"

#include "duilib/core/RenderEngine.h"
#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using DuiLib::CDuiString;
using DuiLib::CRenderEngine;
using texttest::DibSurface;
using texttest::kWhite;
using texttest::Rgb;
using texttest::TextManager;

namespace {

constexpr RECT kRc{10, 10, 290, 110};
constexpr RECT kWide{0, 0, 2000, 500};
constexpr DWORD kBlack = 0xFF000000u;

class HtmlText : public ::testing::Test {
protected:
    int Draw(const wchar_t* text, UINT style = 0, RECT rc = kRc, DWORD color = kBlack)
    {
        int links = 0;
        return CRenderEngine::DrawHtmlText(surface.dc(), &m_pm.pm(), rc, text, color, nullptr, nullptr, links, style);
    }
    RECT Calc(const wchar_t* text, UINT style = DT_SINGLELINE, RECT rc = kWide)
    {
        int links = 0;
        (void)CRenderEngine::DrawHtmlText(surface.dc(), &m_pm.pm(), rc, text, kBlack, nullptr, nullptr, links,
                                          style | DT_CALCRECT);
        return rc;
    }
    int Width(const wchar_t* text, UINT style = DT_SINGLELINE)
    {
        const RECT rc = Calc(text, style);
        return rc.right - rc.left;
    }
    int LineHeight() { return Calc(L"Xg").bottom; }
    // Columns [left, right) hold ink of a colour for which pred is true.
    template <typename Pred>
    int CountInk(int left, int right, Pred pred)
    {
        ::GdiFlush();
        int count = 0;
        for (int y = 0; y < surface.height(); ++y) {
            for (int x = left; x < right; ++x) {
                const Rgb c = surface.RgbAt(x, y);
                count += c != kWhite && pred(c) ? 1 : 0;
            }
        }
        return count;
    }

    TextManager m_pm;
    DibSurface surface{300, 120};
};

TEST_F(HtmlText, BoldRunIsMeasuredWiderThanPlain)
{
    EXPECT_GT(Width(L"<b>Hello world</b>"), Width(L"Hello world"));
    EXPECT_GT(Width(L"{b}Hello world{/b}"), Width(L"Hello world"));
}

TEST_F(HtmlText, FontIsRestoredAfterTheClosingTag)
{
    const int mixed = Width(L"<b>abcd</b>abcd");
    EXPECT_GT(mixed, Width(L"abcdabcd"));
    EXPECT_LT(mixed, Width(L"<b>abcdabcd</b>"));
    EXPECT_EQ(Width(L"abcd"), Width(L"<b></b>abcd")) << "nothing of the bold font is left";
}

TEST_F(HtmlText, RedColourTagDrawsRedUntilItsClosingTag)
{
    const int red = Width(L"RRRR");
    ASSERT_GT(Draw(L"{c #FFFF0000}RRRR{/c}BBBB", DT_SINGLELINE), 0);
    // Anti-aliasing blends the text colour with the white background: red gives (255, v, v),
    // black gives greys.
    const auto redBlend = [](Rgb c) { return c.r == 255 && c.g == c.b; };
    const auto grey = [](Rgb c) { return c.r == c.g && c.g == c.b; };
    EXPECT_GT(CountInk(kRc.left, kRc.left + red, [](Rgb c) { return c == Rgb{255, 0, 0}; }), 0);
    EXPECT_EQ(0, CountInk(kRc.left, kRc.left + red, [&](Rgb c) { return !redBlend(c); }));
    EXPECT_GT(CountInk(kRc.left + red + 1, kRc.right, grey), 0);
    EXPECT_EQ(0, CountInk(kRc.left + red + 1, kRc.right, [&](Rgb c) { return !grey(c); }))
        << "text after the closing tag is not red";
}

TEST_F(HtmlText, NBreaksLinesOnlyOutsideSingleLineMode)
{
    const int line = Draw(L"first", 0);
    surface.Fill(kWhite);
    EXPECT_EQ(2 * line, Draw(L"first<n>second", 0));
    surface.Fill(kWhite);
    EXPECT_EQ(line, Draw(L"first<n>second", DT_SINGLELINE));
    EXPECT_GT(Width(L"first<n>second"), Width(L"first")) << "single line: both words on one line";
}

TEST_F(HtmlText, LinksAreRecordedUpToTheCapacityAndCounted)
{
    const RECT sentinel{-5, -5, -5, -5};
    RECT rects[4] = {sentinel, sentinel, sentinel, sentinel};
    CDuiString texts[4] = {L"-", L"-", L"-", L"-"};
    int count = 2;
    RECT rc = kRc;
    ASSERT_GT(CRenderEngine::DrawHtmlText(surface.dc(), &m_pm.pm(), rc, L"<a one>Link</a> <a two>Two</a> <a x>Xy</a>",
                                          kBlack, rects, texts, count, DT_SINGLELINE),
              0);
    EXPECT_EQ(2, count);
    EXPECT_STREQ(L"one", texts[0].GetData());
    EXPECT_STREQ(L"two", texts[1].GetData());
    EXPECT_STREQ(L"-", texts[2].GetData());
    EXPECT_EQ(sentinel, rects[2]);
    EXPECT_EQ(sentinel, rects[3]);
    EXPECT_EQ(kRc.left, rects[0].left);
    EXPECT_EQ(kRc.left + Width(L"<u>Link</u>"), rects[0].right);
    EXPECT_LE(rects[0].right, rects[1].left);
    EXPECT_EQ(kRc.top, rects[0].top);
    EXPECT_EQ(kRc.top + LineHeight(), rects[0].bottom);
    const auto linkBlue = [](Rgb c) { return c.b > c.r + 60 && c.b > c.g + 60; };
    EXPECT_GT(CountInk(rects[0].left, rects[0].right, linkBlue), 0) << "links use the default link colour";
}

TEST_F(HtmlText, NoLinkArraysMeanNoLinks)
{
    int count = 8;
    RECT rc = kRc;
    (void)CRenderEngine::DrawHtmlText(surface.dc(), &m_pm.pm(), rc, L"<a one>Link</a>", kBlack, nullptr, nullptr, count,
                                      0);
    EXPECT_EQ(0, count);
}

TEST_F(HtmlText, CalculateOnlyGivesTheExtentWithoutTouchingAPixel)
{
    RECT rc = kRc;
    int links = 0;
    const int height = CRenderEngine::DrawHtmlText(surface.dc(), &m_pm.pm(), rc, L"Short<n>A longer second line",
                                                   kBlack, nullptr, nullptr, links, DT_CALCRECT);
    EXPECT_TRUE(texttest::IsEmptyBox(surface.InkBox()));
    EXPECT_EQ(kRc.left, rc.left);
    EXPECT_EQ(kRc.top, rc.top);
    EXPECT_EQ(kRc.left + Width(L"A longer second line"), rc.right) << "right edge of the widest line";
    EXPECT_EQ(kRc.top + 2 * LineHeight(), rc.bottom);
    EXPECT_EQ(2 * LineHeight(), height);
}

TEST_F(HtmlText, WordBreakCutsAfterTheLastNonLetter)
{
    const int first = Width(L"abc,");
    RECT rc{0, 0, Width(L"abc,de") - 1, 500};
    rc = Calc(L"abc,de", DT_WORDBREAK, rc);
    EXPECT_EQ(first, rc.right) << "the first line ends after the comma";
    EXPECT_EQ(2 * LineHeight(), rc.bottom);
}

TEST_F(HtmlText, EndEllipsisDrawsDotsAfterAShortenedRun)
{
    // Wide letters, so that a shortened run and its dots fit where the full run did not.
    const wchar_t* const text = L"WWWWWWWWWWWWWWWW";
    const int limit = Width(L"WWWWWW");
    const RECT rc = Calc(text, DT_SINGLELINE | DT_END_ELLIPSIS, RECT{0, 0, limit, 100});
    int kept = -1;
    for (int keep = 0; keep < 6 && kept < 0; ++keep) {
        const std::wstring shortened = std::wstring(text, keep) + L"...";
        kept = rc.right == Width(shortened.c_str()) ? keep : -1;
    }
    EXPECT_GE(kept, 3) << "a prefix short of one or two letters, then \"...\"; right = " << rc.right;
    EXPECT_LT(rc.right, limit);
    EXPECT_EQ(rc.right, Calc(L"WWWWWWWWWWWWWWWW<n>more", DT_SINGLELINE | DT_END_ELLIPSIS, RECT{0, 0, limit, 100}).right)
        << "nothing after the cut in single-line mode";
}

TEST_F(HtmlText, XMovesAndYSetsTheLineHeight)
{
    EXPECT_EQ(Width(L"ab") + 30, Width(L"a<x 30>b"));
    EXPECT_EQ(50, Draw(L"<y 50>abc"));
    surface.Fill(kWhite);
    EXPECT_EQ(50, Calc(L"<y 50>abc").bottom);
}

TEST_F(HtmlText, ParagraphSpacingAddsToTheLineHeight)
{
    const int line = LineHeight();
    EXPECT_EQ(line + line + 10, Draw(L"a<p 10>b</p>"));
    surface.Fill(kWhite);
    EXPECT_EQ(line + 10, Draw(L"<p 10>b</p>"));
}

TEST_F(HtmlText, RawShowsTagCharactersLiterally)
{
    EXPECT_GT(Width(L"<r><b>x</b></r>"), Width(L"<b>x</b>"));
    EXPECT_EQ(Width(L"<r><b>x</b></r>"), Width(L"{<}b{>}x{<}/b{>}")) << "raw and escaped brackets draw alike";
}

TEST_F(HtmlText, SelectionFillsTheBackgroundInTheSelectedColour)
{
    m_pm->SetDefaultSelectedBkColor(0xFF30C040u);
    const Rgb selected{0x30, 0xC0, 0x40};
    ASSERT_GT(Draw(L"a<s>sel</s>b", DT_SINGLELINE), 0);
    const int before = kRc.left + Width(L"a");
    const int after = kRc.left + Width(L"a<s>sel</s>");
    EXPECT_GT(CountInk(before, after, [&](Rgb c) { return c == selected; }), 0);
    EXPECT_EQ(0, CountInk(kRc.left, before, [&](Rgb c) { return c == selected; }));
    EXPECT_EQ(0, CountInk(after, kRc.right, [&](Rgb c) { return c == selected; }));
}

TEST_F(HtmlText, NothingWithoutManagerDcOrText)
{
    RECT rc = kRc;
    int links = 3;
    EXPECT_EQ(0, CRenderEngine::DrawHtmlText(surface.dc(), nullptr, rc, L"x", kBlack, nullptr, nullptr, links, 0));
    EXPECT_EQ(0, links);
    EXPECT_EQ(0, CRenderEngine::DrawHtmlText(nullptr, &m_pm.pm(), rc, L"x", kBlack, nullptr, nullptr, links, 0));
    EXPECT_EQ(0,
              CRenderEngine::DrawHtmlText(surface.dc(), &m_pm.pm(), rc, nullptr, kBlack, nullptr, nullptr, links, 0));
    EXPECT_EQ(0, Draw(L""));
    EXPECT_EQ(rc, kRc);
    EXPECT_TRUE(texttest::IsEmptyBox(surface.InkBox()));
}

struct PlacementCase {
    const char* name;
    UINT style;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class HtmlPlacement : public HtmlText, public ::testing::WithParamInterface<PlacementCase> {
protected:
    RECT InkOf(UINT style)
    {
        surface.Fill(kWhite);
        (void)Draw(L"Hi there", style);
        return surface.InkBox();
    }
};

TEST_P(HtmlPlacement, PlacesTheInkByTheFlags)
{
    const UINT extra = GetParam().style;
    const RECT topLeft = InkOf(extra);
    const RECT centre = InkOf(extra | DT_CENTER);
    const RECT right = InkOf(extra | DT_RIGHT);
    ASSERT_FALSE(texttest::IsEmptyBox(topLeft));
    EXPECT_LT(topLeft.left, centre.left);
    EXPECT_LT(centre.left, right.left);
    EXPECT_LE(std::abs((centre.left - kRc.left) - (kRc.right - centre.right)), 4) << "centred between the edges";
    EXPECT_LE(kRc.right - right.right, 4);
    EXPECT_GE(kRc.right - right.right, 0);
    const RECT middle = InkOf(extra | DT_VCENTER);
    const RECT bottom = InkOf(extra | DT_BOTTOM);
    EXPECT_LT(topLeft.top, middle.top);
    EXPECT_LT(middle.top, bottom.top);
    EXPECT_LE(bottom.bottom, kRc.bottom);
    EXPECT_LE(std::abs((middle.top - kRc.top) - (kRc.bottom - middle.bottom)), 8) << "roughly centred vertically";
}

INSTANTIATE_TEST_SUITE_P(Modes, HtmlPlacement,
    ::testing::Values(PlacementCase{"SingleLine", DT_SINGLELINE}, PlacementCase{"MultiLine", 0},
                      PlacementCase{"WordBreak", DT_WORDBREAK}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

TEST_F(HtmlText, MultiLineCentreCentresEachLine)
{
    const int line = LineHeight();
    (void)Draw(L"I<n>IIIIIIIIII", DT_CENTER);
    ::GdiFlush();
    int firstLeft = kRc.right;
    int firstRight = kRc.left;
    for (int y = kRc.top; y < kRc.top + line; ++y) {
        for (int x = kRc.left; x < kRc.right; ++x) {
            if (surface.RgbAt(x, y) != kWhite) {
                firstLeft = std::min(firstLeft, x);
                firstRight = std::max(firstRight, x + 1);
            }
        }
    }
    ASSERT_LT(firstLeft, firstRight);
    EXPECT_LE(std::abs((firstLeft - kRc.left) - (kRc.right - firstRight)), 4);
}

// Three opaque 10 x 40 columns: red, green, blue.
HBITMAP MakeColumns()
{
    void* bits = nullptr;
    const HBITMAP bitmap = CreateTopDownDib(nullptr, 30, 40, &bits).release();
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 30; ++x) {
            pixels[y * 30 + x] = x < 10 ? 0xFFFF0000u : (x < 20 ? 0xFF00FF00u : 0xFF0000FFu);
        }
    }
    return bitmap;
}

TEST_F(HtmlText, InlineImageDrawsTheChosenColumnAndRaisesTheLine)
{
    ASSERT_NE(nullptr, m_pm->AddImage(L"columns", MakeColumns(), 30, 40, false));
    const Rgb red{255, 0, 0};
    const Rgb green{0, 255, 0};
    const Rgb blue{0, 0, 255};
    EXPECT_EQ(40, Draw(L"a<i columns 3 1>b", DT_SINGLELINE));
    const int x = kRc.left + Width(L"a");
    EXPECT_EQ(green, surface.PixelAt(x, kRc.top));
    EXPECT_EQ(green, surface.PixelAt(x + 9, kRc.top + 39));
    EXPECT_NE(green, surface.PixelAt(x + 10, kRc.top + 20)) << "one column wide";
    EXPECT_NE(green, surface.PixelAt(x, kRc.top + 40)) << "as high as the image";
    EXPECT_EQ(0, surface.CountPixels(red, surface.Bounds()));
    EXPECT_EQ(0, surface.CountPixels(blue, surface.Bounds()));
    EXPECT_EQ(x + 10 + Width(L"b"), Calc(L"a<i columns 3 1>b", DT_SINGLELINE, RECT{kRc.left, 0, 2000, 500}).right);

    surface.Fill(kWhite);
    EXPECT_EQ(40, Draw(L"<i file='columns' source='20,0,30,40'>", DT_SINGLELINE));
    EXPECT_EQ(blue, surface.PixelAt(kRc.left + 5, kRc.top + 5));
    EXPECT_EQ(0, Draw(L"<i nosuchimage>"));
}

TEST_F(HtmlText, DrawingIsClippedToTheRectangleAndThePreviousClipRestored)
{
    const DuiLib::CDuiString text = L"<b>WWWWWWWWWWWWWWWWWW</b><n>WWWWWWWWWWWWWWWWWWWWWW<n>W<n>W<n>W<n>W<n>W";
    UniqueRegion previous(::CreateRectRgn(0, 0, 250, 100));
    ASSERT_EQ(SIMPLEREGION, ::SelectClipRgn(surface.dc(), previous.get()));
    const RECT rc{20, 20, 80, 40};
    (void)Draw(text, DT_WORDBREAK, rc);
    EXPECT_FALSE(texttest::IsEmptyBox(surface.InkBox()));
    EXPECT_TRUE(texttest::OnlyInside(surface, rc));
    UniqueRegion after(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(1, ::GetClipRgn(surface.dc(), after.get()));
    RECT box{};
    (void)::GetRgnBox(after.get(), &box);
    EXPECT_EQ((RECT{0, 0, 250, 100}), box);

    (void)::SelectClipRgn(surface.dc(), nullptr);
    (void)Draw(text, 0, rc);
    EXPECT_EQ(0, ::GetClipRgn(surface.dc(), after.get())) << "no clip before, none after";
}

} // namespace
