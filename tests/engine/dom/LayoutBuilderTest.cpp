#include "engine/render/LayoutBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <random>
#include <tuple>

#include "DibCanvas.h"
#include "FixedMeasurer.h"
#include "engine/dom/HtmlParser.h"
#include "engine/render/CssStyleSheet.h"
#include "engine/render/DecodedImage.h"
#include "engine/render/StyleResolver.h"

namespace engine {
namespace {

using test::FixedMeasurer;

void PrintRect(const RECT& r, std::ostream* os)
{
    *os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

struct Rect {
    RECT r;
    friend bool operator==(const Rect& a, const Rect& b) { return EqualRect(&a.r, &b.r) != FALSE; }
    friend void PrintTo(const Rect& rect, std::ostream* os) { PrintRect(rect.r, os); }
};

constexpr int kChar = 8;   // 16 px font
constexpr int kLine = 20;
constexpr int kMargin = LayoutBuilder::kBodyMargin;

class LayoutTest : public testing::Test {
protected:
    LayoutTree Lay(std::wstring_view html, int width = 400, std::wstring_view css = L"", int stopBelow = 0)
    {
        m_doc = ParseHtml(html);
        StyleResolver styles;
        styles.Add(ParseStyleSheet(css));
        LayoutBuilder builder(m_measurer,
                              LayoutInput{L"http://live.example.com/a/index.html", &m_images, width, &styles});
        return builder.Build(*m_doc, stopBelow);
    }

    static std::vector<std::wstring> Texts(const LayoutTree& tree)
    {
        std::vector<std::wstring> texts;
        for (const auto& box : tree.boxes) {
            if (box.kind == BoxKind::Text) {
                texts.push_back(box.text);
            }
        }
        return texts;
    }

    static Rect R(int l, int t, int r, int b) { return Rect{{l, t, r, b}}; }
    static Rect R(const LayoutBox& box) { return Rect{box.rect}; }

    FixedMeasurer m_measurer;
    std::map<std::wstring, std::shared_ptr<const DecodedImage>> m_images;
    DomNodePtr m_doc;
};

TEST_F(LayoutTest, TextStartsInsideTheBodyMarginAndRunsMerge)
{
    const LayoutTree tree = Lay(L"<div>ab  cd\n e</div>");
    ASSERT_EQ(tree.boxes.size(), 1u);
    EXPECT_EQ(tree.boxes[0].text, L"ab cd e");
    EXPECT_EQ(R(tree.boxes[0]), R(kMargin, kMargin, kMargin + 7 * kChar, kMargin + kLine));
    EXPECT_EQ(tree.contentHeight, kMargin + kLine + kMargin);
}

TEST_F(LayoutTest, ParagraphMarginsCollapseWithEachOtherAndTheBody)
{
    const LayoutTree tree = Lay(L"<p>a</p><p>b</p>");
    ASSERT_EQ(tree.boxes.size(), 2u);
    const int m = LayoutBuilder::kParagraphMargin;
    EXPECT_EQ(R(tree.boxes[0]), R(kMargin, m, kMargin + kChar, m + kLine));
    EXPECT_EQ(R(tree.boxes[1]), R(kMargin, m + kLine + m, kMargin + kChar, m + kLine + m + kLine));
    EXPECT_EQ(tree.contentHeight, 2 * kLine + 3 * m);
}

TEST_F(LayoutTest, WordsWrapAtTheRightMargin)
{
    // Room for exactly five characters between the margins.
    const LayoutTree tree = Lay(L"<div>aaaa bbbb c</div>", 2 * kMargin + 5 * kChar);
    EXPECT_EQ(Texts(tree), (std::vector<std::wstring>{L"aaaa", L"bbbb", L"c"}));
    EXPECT_EQ(tree.boxes[1].rect.top, kMargin + kLine);
    EXPECT_EQ(tree.boxes[1].rect.left, kMargin);
    EXPECT_EQ(tree.contentHeight, kMargin + 3 * kLine + kMargin);
    EXPECT_EQ(Texts(Lay(L"<div>aa bb</div>", 2 * kMargin + 5 * kChar)), (std::vector<std::wstring>{L"aa bb"}));
}

TEST_F(LayoutTest, OverlongWordsAreCutAndCjkWrapsBetweenCharacters)
{
    const int width = 2 * kMargin + 3 * kChar;
    EXPECT_EQ(Texts(Lay(L"<div>abcdefgh</div>", width)), (std::vector<std::wstring>{L"abc", L"def", L"gh"}));
    EXPECT_EQ(Texts(Lay(L"<div>比赛直播中</div>", width)), (std::vector<std::wstring>{L"比赛直", L"播中"}));
}

TEST_F(LayoutTest, LineBreaksStartNewLinesAndEmptyOnesTakeALine)
{
    const LayoutTree tree = Lay(L"<div>a<br>b<br><br>c</div>");
    ASSERT_EQ(tree.boxes.size(), 3u);
    EXPECT_EQ(tree.boxes[1].rect.top, kMargin + kLine);
    EXPECT_EQ(tree.boxes[2].rect.top, kMargin + 3 * kLine);
}

TEST_F(LayoutTest, DisplayNoneHidesTheElementAndItsChildrenInAnySpellingOfTheStyle)
{
    const LayoutTree tree = Lay(L"<div style=' DISPLAY : None '>x<p>y</p></div>"
                                L"<span style=\"color:red;display:none !important\">z</span>"
                                L"<div style=\"display:none;display:block\">shown</div>"
                                L"<div style=\"display: nonesuch\">also</div>");
    EXPECT_EQ(Texts(tree), (std::vector<std::wstring>{L"shown", L"also"}));
    EXPECT_EQ(tree.boxes[0].rect.top, kMargin);
}

TEST_F(LayoutTest, HeadScriptAndStyleContentIsNeverDrawn)
{
    const LayoutTree tree = Lay(L"<title>T</title><style>p{}</style>x<script>var a;</script><noscript>n</noscript>");
    EXPECT_EQ(Texts(tree), (std::vector<std::wstring>{L"x"}));
}

TEST_F(LayoutTest, HeadingsUseBiggerBoldFontsInOrder)
{
    const LayoutTree tree = Lay(L"<h1>a</h1><h2>b</h2><h6>c</h6><p>d</p>");
    ASSERT_EQ(tree.boxes.size(), 4u);
    EXPECT_TRUE(tree.boxes[0].font.bold);
    EXPECT_GT(tree.boxes[0].font.pixelHeight, tree.boxes[1].font.pixelHeight);
    EXPECT_GT(tree.boxes[1].font.pixelHeight, tree.boxes[3].font.pixelHeight);
    EXPECT_LT(tree.boxes[2].font.pixelHeight, tree.boxes[3].font.pixelHeight);
    EXPECT_FALSE(tree.boxes[3].font.bold);
    EXPECT_EQ(tree.boxes[0].rect.bottom - tree.boxes[0].rect.top, 32 + 4);
}

TEST_F(LayoutTest, LinksAreBlueUnderlinedAndResolved)
{
    const LayoutTree tree = Lay(L"<div>go <a href=\"../live?x=1\" target=_blank>now</a> <a>plain</a></div>");
    ASSERT_EQ(tree.links.size(), 1u);
    EXPECT_EQ(tree.links[0].url, L"http://live.example.com/live?x=1");
    EXPECT_EQ(tree.links[0].target, L"_blank");
    ASSERT_EQ(tree.boxes.size(), 3u);
    EXPECT_EQ(tree.boxes[1].text, L" now");
    EXPECT_EQ(tree.boxes[1].link, 0);
    EXPECT_EQ(tree.boxes[1].color, LayoutBuilder::kLinkColor);
    EXPECT_TRUE(tree.boxes[1].font.underline);
    EXPECT_EQ(tree.boxes[2].link, -1);
    EXPECT_EQ(tree.boxes[2].color, LayoutBuilder::kTextColor);
}

TEST_F(LayoutTest, ListsIndentItemsAndPutMarkersInTheGutter)
{
    const LayoutTree tree = Lay(L"<ul><li>a<li>b</ul><ol start=3><li>c<li>d</ol>");
    const int m = LayoutBuilder::kParagraphMargin;
    const int indent = kMargin + LayoutBuilder::kListIndent;
    EXPECT_EQ(Texts(tree), (std::vector<std::wstring>{L"\u2022", L"a", L"\u2022", L"b", L"3.", L"c", L"4.", L"d"}));
    EXPECT_EQ(R(tree.boxes[1]), R(indent, m, indent + kChar, m + kLine));
    EXPECT_EQ(tree.boxes[0].rect.right, indent - 8);
    EXPECT_EQ(tree.boxes[0].rect.top, m);
    EXPECT_EQ(tree.boxes[5].rect.top, m + 2 * kLine + m);
    EXPECT_EQ(tree.boxes[4].rect.right, indent - 8);
}

TEST_F(LayoutTest, ImagesHonourSizeAttributesOrShowAPlaceholder)
{
    const LayoutTree tree = Lay(L"<div><img src=a.png width=30 height=10><img src=b.png></div>");
    ASSERT_EQ(tree.boxes.size(), 2u);
    const int p = LayoutBuilder::kPlaceholderSize;
    // Both sit on one line whose bottom is the taller image's bottom.
    EXPECT_EQ(R(tree.boxes[0]), R(kMargin, kMargin + p - 10, kMargin + 30, kMargin + p));
    EXPECT_EQ(R(tree.boxes[1]), R(kMargin + 30, kMargin, kMargin + 30 + p, kMargin + p));
    EXPECT_EQ(tree.boxes[0].imageUrl, L"http://live.example.com/a/a.png");
    EXPECT_EQ(tree.boxes[0].image, nullptr);
}

TEST_F(LayoutTest, LoadedImagesUseTheirSizeOrScaleToOneGivenSide)
{
    auto image = DecodedImage::Decode(test::SolidBmp(40, 20, {1, 2, 3}));
    ASSERT_NE(image, nullptr);
    m_images[L"http://live.example.com/a/i.bmp"] = image;
    const LayoutTree tree = Lay(L"<div><img src=i.bmp></div><div><img src=i.bmp width=20></div>"
                                L"<div><img src=i.bmp height=40></div><div><img src=i.bmp width=1000></div>", 200);
    ASSERT_EQ(tree.boxes.size(), 4u);
    EXPECT_EQ(tree.boxes[0].image, image);
    EXPECT_EQ(R(tree.boxes[0]), R(kMargin, kMargin, kMargin + 40, kMargin + 20));
    EXPECT_EQ(R(tree.boxes[1]), R(kMargin, kMargin + 20, kMargin + 20, kMargin + 30));
    EXPECT_EQ(R(tree.boxes[2]), R(kMargin, kMargin + 30, kMargin + 80, kMargin + 70));
    // Wider than the line: shrunk to it, proportions kept.
    EXPECT_EQ(R(tree.boxes[3]), R(kMargin, kMargin + 70, 200 - kMargin, kMargin + 70 + 92));
    // Style sheets override the attributes; a height of auto keeps the proportions.
    const LayoutTree styled = Lay(L"<div><img src=i.bmp width=400 height=220 style='max-width: 50%; height: auto'></div>"
                                  L"<div><img src=i.bmp width=99 style='width: 10px; height: 30px'></div>", 200);
    ASSERT_EQ(styled.boxes.size(), 2u);
    EXPECT_EQ(R(styled.boxes[0]), R(kMargin, kMargin, kMargin + 92, kMargin + 46));
    EXPECT_EQ(R(styled.boxes[1]), R(kMargin, kMargin + 46, kMargin + 10, kMargin + 76));
}

TEST_F(LayoutTest, TextOnALineWithAnImageSharesItsBottom)
{
    const LayoutTree tree = Lay(L"<div>a <img src=x width=10 height=50> b</div>");
    ASSERT_EQ(tree.boxes.size(), 3u);
    EXPECT_EQ(tree.boxes[0].rect.bottom, kMargin + 50);
    EXPECT_EQ(tree.boxes[2].rect.bottom, kMargin + 50);
    EXPECT_EQ(tree.boxes[1].rect.left, kMargin + 2 * kChar);
}

TEST_F(LayoutTest, PreformattedTextKeepsSpacesAndLineEnds)
{
    const LayoutTree tree = Lay(L"<pre>a  b\nc</pre>");
    EXPECT_EQ(Texts(tree), (std::vector<std::wstring>{L"a  b", L"c"}));
    EXPECT_EQ(tree.boxes[1].rect.top, tree.boxes[0].rect.bottom);
}

TEST_F(LayoutTest, CodeElementsAreMonospaceAndPreDropsItsFirstNewline)
{
    const struct {
        std::wstring html;
        std::vector<std::wstring> texts;
    } cases[] = {
        {L"<pre>\na  b\nc</pre>", {L"a  b", L"c"}},
        {L"<pre>\r\n\nx</pre>", {L"x"}},
        {L"<pre>a\tb\n\tc</pre>", {L"a", L"b", L"c"}},
        {L"<code>a  b</code>", {L"a b"}},
        {L"<tt>t</tt><kbd>k</kbd><samp>s</samp>", {L"tks"}},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(c.html);
        EXPECT_EQ(Texts(tree), c.texts) << c.html;
        for (const auto& box : tree.boxes) {
            EXPECT_EQ(box.font.family, FontFamily::Monospace) << c.html;
            EXPECT_EQ(box.font.pixelHeight, 13) << c.html;
        }
    }
    // The empty line after the dropped newline is kept.
    const LayoutTree tree = Lay(L"<pre>\r\n\nx</pre>");
    EXPECT_EQ(tree.boxes[0].rect.top, LayoutBuilder::kParagraphMargin + 13 + 4);
}

TEST_F(LayoutTest, TabStopsAreEightSpacesFromTheStartOfTheLineWhateverRunsCameBefore)
{
    constexpr int kMono = 6;  // a 13-pixel monospace character; stops every 48
    const struct {
        std::wstring html;
        int left;  // of the text after the tab
    } cases[] = {
        {L"<pre>a\tb</pre>", kMargin + 8 * kMono},
        {L"<pre>ab<b>c</b>\td</pre>", kMargin + 8 * kMono},
        {L"<pre>abcdefg\tx</pre>", kMargin + 8 * kMono},
        {L"<pre>abcdefgh\tx</pre>", kMargin + 16 * kMono},
        {L"<pre>a\n\t\tx</pre>", kMargin + 16 * kMono},
        {L"<p>Name:<span style='white-space: pre'>\tx</span></p>", kMargin + 8 * kChar},
        {L"<ul><li><pre>\tx</pre></ul>", kMargin + LayoutBuilder::kListIndent + 8 * kMono},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(c.html);
        ASSERT_FALSE(tree.boxes.empty()) << c.html;
        EXPECT_EQ(tree.boxes.back().rect.left, c.left) << c.html;
    }
}

TEST_F(LayoutTest, HiddenAttributeHidesLikeDisplayNone)
{
    EXPECT_EQ(Texts(Lay(L"<p hidden>a</p><div hidden=hidden><b>b</b></div><span HIDDEN>c</span>d")),
              (std::vector<std::wstring>{L"d"}));
}

TEST_F(LayoutTest, LinesAlignByAttributeCenterElementOrTextAlign)
{
    constexpr int kWidth = 400;
    const int room = kWidth - 2 * kMargin - 2 * kChar;  // every case lays out "ab"
    const struct {
        std::wstring html;
        int left;
    } cases[] = {
        {L"<p>ab</p>", kMargin},
        {L"<h2 align=center>ab</h2>", -1},
        {L"<div align=CENTER><p>ab</p></div>", kMargin + room / 2},
        {L"<center>ab</center>", kMargin + room / 2},
        {L"<div style='text-align: center'>ab</div>", kMargin + room / 2},
        {L"<div style='text-align:right'>ab</div>", kMargin + room},
        {L"<div align=center><p align=left>ab</p></div>", kMargin},
        {L"<div align=center><p style='text-align:left'>x</p></div><p>ab</p>", kMargin},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(c.html, kWidth);
        const LayoutBox& box = tree.boxes.back();
        if (c.left == -1) {  // a heading's wider font
            const int width = box.rect.right - box.rect.left;
            EXPECT_EQ(box.rect.left, kMargin + (kWidth - 2 * kMargin - width) / 2) << c.html;
        } else {
            EXPECT_EQ(box.rect.left, c.left) << c.html;
        }
    }
}

TEST_F(LayoutTest, MissingImagesShowTheirAltTextInTheFrame)
{
    const int pad = LayoutBuilder::kAltPadding;
    const struct {
        std::wstring html;
        std::wstring text;
        Rect size;  // right and bottom are the width and height
    } cases[] = {
        {L"<img src=x.png alt='Team  logo'>", L"Team logo", R(0, 0, 9 * kChar + 2 * pad, kLine + 2 * pad)},
        {L"<img src=x.png alt='Team logo' width=30 height=12>", L"Team logo", R(0, 0, 30, 12)},
        {L"<img src=x.png>", L"", R(0, 0, LayoutBuilder::kPlaceholderSize, LayoutBuilder::kPlaceholderSize)},
        {L"<img src=x.png alt=''>z", L"z", R(0, 0, kChar, kLine)},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(c.html);
        ASSERT_EQ(tree.boxes.size(), 1u) << c.html;
        const RECT& r = tree.boxes[0].rect;
        EXPECT_EQ(tree.boxes[0].text, c.text) << c.html;
        EXPECT_EQ(R(0, 0, r.right - r.left, r.bottom - r.top), c.size) << c.html;
    }
}

TEST_F(LayoutTest, ListMarkersWaitForTheItemsFirstLine)
{
    const struct {
        std::wstring html;
        std::vector<std::wstring> texts;
    } cases[] = {
        {L"<ul><li><p>para</p></ul>", {L"\u2022", L"para"}},
        {L"<ul><li><div><b>bold</b></div></ul>", {L"\u2022", L"bold"}},
        {L"<ul><li><ul><li>inner</ul></ul>", {L"\u2022", L"\u2022", L"inner"}},
        {L"<ol><li></ol>", {L"1."}},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(c.html);
        EXPECT_EQ(Texts(tree), c.texts) << c.html;
        for (const auto& box : tree.boxes) {
            EXPECT_EQ(box.rect.bottom, tree.boxes.front().rect.bottom) << c.html << " puts everything on one line";
        }
    }
}

TEST_F(LayoutTest, StyleSheetsSetDisplayFontsColoursAlignmentAndMarkers)
{
    const std::wstring page = L"<div class=side>menu</div><ul class=nav><li>a<li>b</ul><p id=x>t <code>c</code></p>";
    const struct {
        std::wstring css;
        std::vector<std::wstring> texts;
        std::function<void(const LayoutTree&)> check;
    } cases[] = {
        {L".side { display: none }", {L"\u2022", L"a", L"\u2022", L"b", L"t", L" c"}, nullptr},
        {L".nav li { display: inline } .side { display: none }", {L"ab", L"t", L" c"}, nullptr},
        {L"ul { list-style: none } .side, code { display: none }", {L"a", L"b", L"t"}, nullptr},
        {L"#x { color: #ff0000; font: 9px x; font-size: 20px; font-weight: bold; font-style: italic }"
         L" .side, ul { display: none }", {L"t", L" c"},
         [](const LayoutTree& tree) {
             const FontKey& font = tree.boxes[0].font;
             EXPECT_EQ(tree.boxes[0].color, RGB(255, 0, 0));
             EXPECT_TRUE(font.pixelHeight == 20 && font.bold && font.italic);
             EXPECT_EQ(tree.boxes[1].font.family, FontFamily::Monospace);
         }},
        {L"p { text-align: center; font-family: 'Courier New', monospace } code { font-family: Arial }"
         L" .side, ul { display: none }", {L"t", L" c"},
         [](const LayoutTree& tree) {
             EXPECT_EQ(tree.boxes[0].font.family, FontFamily::Monospace);
             EXPECT_EQ(tree.boxes[1].font.family, FontFamily::Proportional);
             EXPECT_EQ(tree.boxes[0].rect.left, kMargin + (400 - 2 * kMargin - tree.boxes[1].rect.right +
                                                            tree.boxes[0].rect.left) / 2);
         }},
        {L"code { background-color: #ff0 } .side, ul { display: none }", {L"t", L" c"},
         [](const LayoutTree& tree) {
             EXPECT_EQ(tree.boxes[0].background, std::nullopt);
             EXPECT_EQ(tree.boxes[1].background, RGB(255, 255, 0));
         }},
        {L"span { display: block } div { display: inline; color: bogus; font-size: huge; display: flux }"
         L" ul, p { display: none }", {L"menu"},
         [](const LayoutTree& tree) { EXPECT_EQ(tree.boxes[0].color, LayoutBuilder::kTextColor); }},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(page, 400, c.css);
        EXPECT_EQ(Texts(tree), c.texts) << c.css;
        if (c.check && Texts(tree) == c.texts) {
            c.check(tree);
        }
    }
}

// The first red fill (a background or a border side) and the first text of a page.
TEST_F(LayoutTest, BlockBoxesTakeMarginsBordersPaddingAndSizes)
{
    const struct {
        const wchar_t* html;
        const wchar_t* css;
        Rect fill;
        Rect text;
    } cases[] = {
        {L"<div id=a>x</div>", L"#a { background: #f00; padding: 4px 6px; margin: 10px 20px }",
         R(28, 10, 372, 38), R(34, 14, 42, 34)},
        // Sibling margins collapse to the larger; so do a parent's and its first child's.
        {L"<p>a</p><div style='margin-top: 30px; background: red'>b</div>", L"", R(8, 66, 392, 86), R(8, 16, 16, 36)},
        {L"<div style='background: red'><p>t</p></div>", L"", R(8, 16, 392, 36), R(8, 16, 16, 36)},
        {L"<div style='background: red; padding-top: 1px'><p>t</p></div>", L"", R(8, 8, 392, 45), R(8, 25, 16, 45)},
        {L"<div style='margin-bottom: -10px'>a</div><div style='background: red'>b</div>", L"",
         R(8, 18, 392, 38), R(8, 8, 16, 28)},
        // Widths: set, capped, centred by auto margins, with padding and borders inside.
        {L"<div style='width: 100px; margin: 0 auto; background: red'>x</div>", L"", R(150, 8, 250, 28),
         R(150, 8, 158, 28)},
        {L"<div style='max-width: 50%; border: 2px solid red'>x</div>", L"", R(8, 8, 204, 10), R(10, 10, 18, 30)},
        {L"<div style='box-sizing: border-box; width: 100px; padding: 10px; background: red'>x</div>", L"",
         R(8, 8, 108, 48), R(18, 18, 26, 38)},
        {L"<div style='font-size: 20px; padding: 1em; background: red'>x</div>", L"", R(8, 8, 392, 72),
         R(28, 28, 38, 52)},
        // Heights in pixels and in percent of a parent's set height; content after them.
        {L"<div style='height: 50px; background: red'></div><div>y</div>", L"", R(8, 8, 392, 58), R(8, 58, 16, 78)},
        {L"<div style='height: 100px'><div style='height: 50%; background: red'></div></div>x", L"",
         R(8, 8, 392, 58), R(8, 108, 16, 128)},
        {L"<div style='height: 50%; background: red'>x</div>", L"", R(8, 8, 392, 28), R(8, 8, 16, 28)},
        // The body's margin from the sheet; a list's indent is padding a sheet can remove.
        {L"<div style='background: red'>x</div>", L"body { margin: 0 }", R(0, 0, 400, 20), R(0, 0, 8, 20)},
        {L"<ul style='background: red'><li>x</ul>", L"ul { padding: 0; margin: 4px }", R(12, 8, 388, 28),
         R(12, 8, 20, 28)},
        // A table's margins: collapsing above, centring when auto on both sides.
        {L"<table style='margin: 10px auto; background: red'><tr><td>x</table>", L"", R(193, 10, 207, 36),
         R(196, 13, 204, 33)},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(c.html, 400, c.css);
        const auto fill = std::find_if(tree.boxes.begin(), tree.boxes.end(), [](const LayoutBox& box) {
            return box.kind == BoxKind::Rule && box.color == RGB(255, 0, 0) && !IsRectEmpty(&box.rect);
        });
        const auto text = std::find_if(tree.boxes.begin(), tree.boxes.end(), [](const LayoutBox& box) {
            return box.kind == BoxKind::Text && box.text != L"\u2022";
        });
        ASSERT_TRUE(fill != tree.boxes.end() && text != tree.boxes.end()) << c.html;
        EXPECT_EQ(R(*fill), c.fill) << c.html;
        EXPECT_EQ(R(*text), c.text) << c.html;
    }
}

// Lines "a" and "b": where the first starts and how far apart they are; the line height
// adds its leading half above and half below the text.
TEST_F(LayoutTest, LineHeightSetsTheDistanceOfLines)
{
    const struct {
        const wchar_t* html;
        const wchar_t* css;
        int firstTop;
        int pitch;
    } cases[] = {
        {L"<div style='line-height: normal'>a<br>b</div>", L"", kMargin, kLine},
        {L"<div style='line-height: 30px'>a<br>b</div>", L"", kMargin + 5, 30},
        {L"<div style='line-height: 2'>a<br>b</div>", L"", kMargin + 6, 32},
        {L"<div style='line-height: 150%'>a<br>b</div>", L"", kMargin + 2, 24},
        {L"<div style='line-height: 1.5em'>a<br>b</div>", L"", kMargin + 2, 24},
        {L"<div style='line-height: 10px'>a<br>b</div>", L"", kMargin - 5, 10},
        // A number scales with each descendant's font; a length is inherited as it is.
        {L"<div style='line-height: 2'><h1>a<br>b</h1></div>", L"", 21 + 14, 64},
        {L"<div style='line-height: 20px'><h1>a<br>b</h1></div>", L"", 21 - 8, 20},
        {L"a<br>b", L"body { font: 10px/3 serif }", kMargin + 8, 30},
        {L"<div style='line-height: -2; line-height: 2q'>a<br>b</div>", L"", kMargin, kLine},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(c.html, 400, c.css);
        ASSERT_EQ(Texts(tree), (std::vector<std::wstring>{L"a", L"b"})) << c.html;
        EXPECT_EQ(tree.boxes[0].rect.top, c.firstTop) << c.html << c.css;
        EXPECT_EQ(tree.boxes[1].rect.top - tree.boxes[0].rect.top, c.pitch) << c.html << c.css;
    }
}

// Every text box, top to bottom and left to right, and the first red fill or image.
struct FlowCase {
    std::wstring html;
    int width;
    std::vector<std::pair<std::wstring, RECT>> texts;
    RECT fill;  // empty: no red fill
};

void ExpectFlow(const FlowCase& c, const LayoutTree& tree)
{
    std::vector<std::pair<std::wstring, RECT>> texts;
    RECT fill{};
    for (const auto& box : tree.boxes) {
        if (box.kind == BoxKind::Text) {
            texts.emplace_back(box.text, box.rect);
        } else if (IsRectEmpty(&fill) && (box.kind == BoxKind::Image || box.color == RGB(255, 0, 0))) {
            fill = box.rect;
        }
    }
    std::sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) {
        return std::tie(a.second.top, a.second.left) < std::tie(b.second.top, b.second.left);
    });
    ASSERT_EQ(texts.size(), c.texts.size()) << c.html;
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].first, c.texts[i].first) << c.html;
        EXPECT_TRUE(EqualRect(&texts[i].second, &c.texts[i].second))
            << c.html << " text " << i << " at " << testing::PrintToString(Rect{texts[i].second});
    }
    EXPECT_TRUE(EqualRect(&fill, &c.fill)) << c.html << " fill at " << testing::PrintToString(Rect{fill});
}

TEST_F(LayoutTest, FloatsTakeTheSidesAndTextFlowsBesideThemUntilCleared)
{
    const std::wstring box = L"<div style='float: left; width: 100px; height: 30px; background: red'></div>";
    const FlowCase cases[] = {
        {L"<img src=x width=50 height=40 align=left>text", 400, {{L"text", {58, 8, 90, 28}}}, {8, 8, 58, 48}},
        {L"<img src=x width=50 height=40 align=RIGHT>text", 400, {{L"text", {8, 8, 40, 28}}}, {342, 8, 392, 48}},
        {L"<p>x<img src=x width=50 height=40 align=left>yy</p>z", 400,
         {{L"xyy", {8, 16, 32, 36}}, {L"z", {58, 52, 66, 72}}}, {8, 36, 58, 76}},
        {box + L"aaaa bbbb cccc dddd eeee ffff", 216,
         {{L"aaaa bbbb", {108, 8, 180, 28}}, {L"cccc dddd", {108, 28, 180, 48}}, {L"eeee ffff", {8, 48, 80, 68}}},
         {8, 8, 108, 38}},
        {box + L"a<div style='clear: left'>b</div>", 400,
         {{L"a", {108, 8, 116, 28}}, {L"b", {8, 38, 16, 58}}}, {8, 8, 108, 38}},
        {box + L"a<br clear=all>b", 400, {{L"a", {108, 8, 116, 28}}, {L"b", {8, 38, 16, 58}}}, {8, 8, 108, 38}},
        {L"<div style='float: right; width: 300px; height: 10px; background: red'></div>"
         L"<div style='float: right; width: 300px; height: 10px'></div>xy",
         400, {{L"xy", {8, 8, 24, 28}}}, {92, 8, 392, 18}},
        // A word too wide for the room beside a float goes below it instead of being cut.
        {box + L"abcdefghijklm", 216, {{L"abcdefghijklm", {8, 38, 112, 58}}}, {8, 8, 108, 38}},
        // A float is as wide as its content needs, and the page grows to hold it.
        {L"<div style='float: left; border-top: 1px solid red'>abc</div>", 400, {{L"abc", {8, 9, 32, 29}}},
         {8, 8, 32, 9}},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(c.html, c.width);
        ExpectFlow(c, tree);
        EXPECT_GE(tree.contentHeight, tree.boxes.empty() ? 0 : static_cast<int>(tree.boxes.back().rect.bottom));
    }
}

TEST_F(LayoutTest, InlineBlocksSitOnTheLineAsOneBox)
{
    const FlowCase cases[] = {
        {L"a<span style='display: inline-block; width: 50px; height: 30px; background: red'></span>b", 400,
         {{L"a", {8, 18, 16, 38}}, {L"b", {66, 18, 74, 38}}}, {16, 8, 66, 38}},
        {L"<span style='display: inline-block; padding: 2px; border: 1px solid red'>xy</span>z", 400,
         {{L"xy", {11, 11, 27, 31}}, {L"z", {30, 14, 38, 34}}}, {8, 8, 30, 9}},
        {L"aaaaaaaa <span style='display: inline-block; width: 30px'>b</span>", 100,
         {{L"aaaaaaaa", {8, 8, 72, 28}}, {L"b", {8, 28, 16, 48}}}, {}},
        {L"<span style='display: inline-block; width: 50%'>b</span>c", 400,
         {{L"b", {8, 8, 16, 28}}, {L"c", {200, 8, 208, 28}}}, {}},
        {L"<div style='text-align: center'><span style='display: inline-block; width: 20px'>b</span></div>", 400,
         {{L"b", {196, 8, 204, 28}}}, {}},
    };
    for (const auto& c : cases) {
        ExpectFlow(c, Lay(c.html, c.width));
    }
}

TEST_F(LayoutTest, TablesPutCellsInColumnsSizedByTheirContent)
{
    const LayoutTree tree = Lay(L"<table border=1 cellpadding=4 cellspacing=2><tr><td>ab<td>c d</tr>"
                                L"<tr><td colspan=2><a href=x>efg</a></table>after");
    std::vector<Rect> texts;
    int rules = 0;
    for (const auto& box : tree.boxes) {
        rules += box.kind == BoxKind::Rule ? 1 : 0;
        if (box.kind == BoxKind::Text) {
            texts.push_back(R(box));
        }
    }
    EXPECT_EQ(Texts(tree), (std::vector<std::wstring>{L"ab", L"c d", L"efg", L"after"}));
    // Columns of 26 and 34 (content, 4 padding and a 1-pixel cell border each side),
    // 2 apart and inside a 1-pixel table border; rows 30 high.
    EXPECT_EQ(texts, (std::vector<Rect>{R(16, 16, 32, 36), R(44, 16, 68, 36), R(16, 48, 40, 68), R(8, 76, 48, 96)}));
    EXPECT_EQ(rules, 4 + 3 * 4) << "the table's border and every cell's";
    EXPECT_EQ(tree.links.size(), 1u);
    EXPECT_EQ(tree.boxes[tree.boxes.size() - 2].link, 0);

    const LayoutTree centred = Lay(L"<table width=50% align=center><tr><td>x</table>");
    EXPECT_EQ(centred.boxes.front().rect.left, kMargin + (400 - 2 * kMargin) / 4 + 2 + 1);

    // A percentage inside a cell cannot size the cell it is measured for.
    const LayoutTree nested = Lay(L"<table width=100%><tr><td>a<td><table width=90%><tr><td>b</table></table>");
    ASSERT_EQ(Texts(nested), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_LT(nested.boxes[0].rect.left + 100, nested.boxes[1].rect.left) << "the wide column is the second";
    EXPECT_LE(nested.boxes[1].rect.right, 400 - kMargin);
    // A cell holding only a table is as wide as that table needs.
    const LayoutTree inner = Lay(L"<table><tr><td><table><tr><td>abcdef</table><td>x</table>");
    ASSERT_EQ(Texts(inner), (std::vector<std::wstring>{L"abcdef", L"x"}));
    EXPECT_GE(inner.boxes[1].rect.left, inner.boxes[0].rect.right);
    // Backgrounds from style sheets, a cell's over its row's.
    const LayoutTree coloured = Lay(L"<table><tr class=odd><td>a<td class=hot>b</table>", 400,
                                    L"tr.odd { background: #00ff00 none } .hot { background-color: red }");
    std::vector<COLORREF> fills;
    for (const auto& box : coloured.boxes) {
        if (box.kind == BoxKind::Rule) {
            fills.push_back(box.color);
        }
    }
    EXPECT_EQ(fills, (std::vector<COLORREF>{RGB(0, 255, 0), RGB(255, 0, 0)}));
    // An indented list's words need the indent too, or they would be cut.
    EXPECT_EQ(Texts(Lay(L"<table><tr><td><ul><li>word</ul><td>x</table>", 100)),
              (std::vector<std::wstring>{L"\u2022", L"word", L"x"}));
}

TEST_F(LayoutTest, TableColumnsTakeColumnWidthsAndCollapsedBordersShareTheirLines)
{
    const struct {
        std::wstring html;
        std::wstring css;
        std::vector<LONG> lefts;  // of the cells' texts
    } cases[] = {
        {L"<table cellspacing=0 cellpadding=0><col width=100><tr><td>a<td>b</table>", L"", {8, 108}},
        {L"<table cellspacing=0 cellpadding=0><colgroup span=2 width=50></colgroup><tr><td>a<td>b<td>c</table>", L"",
         {8, 58, 108}},
        {L"<table cellspacing=0 cellpadding=0><colgroup width=40><col span=2><col width=60></colgroup>"
         L"<tr><td>a<td>b<td>c<td>d</table>", L"", {8, 48, 88, 148}},
        // Separate borders: the table's, the spacing, then each cell's own.
        {L"<table border=1 cellpadding=0><tr><td>ab<td>c</table>", L"", {12, 32}},
        // Collapsed: one line at the table's edge and one between the cells.
        {L"<table border=1 cellpadding=0 class=c><tr><td>ab<td>c</table>", L".c { border-collapse: collapse }",
         {9, 26}},
        {L"<table cellspacing=0 cellpadding=0><tr class=off><td>wide wide wide<tr><td>a<td>b</table>",
         L".off { display: none }", {8, 16}},
        // Widths, borders and padding from style sheets.
        {L"<table cellspacing=0 cellpadding=0><tr><td class=w>a<td>b</table>", L".w { width: 100px }", {8, 108}},
        {L"<table cellspacing=0 cellpadding=0><col class=w><tr><td>a<td>b</table>", L".w { width: 100px }", {8, 108}},
        {L"<table cellspacing=0 cellpadding=0 class=t><tr><td>a<td>b</table>", L".t { width: 216px }", {8, 116}},
        {L"<table cellspacing=0><tr><td class=b>a<td>b</table>", L".b { border: 3px solid red; padding: 2px 5px }",
         {16, 33}},
        {L"<table cellpadding=0 class=c><tr><td>ab<td>c</table>",
         L".c { border-collapse: collapse } td { border: 2px solid }", {10, 28}},
    };
    for (const auto& c : cases) {
        std::vector<LONG> lefts;
        for (const auto& box : Lay(c.html, 400, c.css).boxes) {
            if (box.kind == BoxKind::Text) {
                lefts.push_back(box.rect.left);
            }
        }
        EXPECT_EQ(lefts, c.lefts) << c.html;
    }
}

TEST_F(LayoutTest, CellContentSitsWhereItsOwnOrItsRowsVerticalAlignSays)
{
    const struct {
        std::wstring html;
        int top;  // of the short cell's text, below the row's top
    } cases[] = {
        {L"<table cellspacing=0 cellpadding=0><tr><td>a<br>a<td>b</table>", kLine / 2},
        {L"<table cellspacing=0 cellpadding=0><tr><td>a<br>a<td valign=bottom>b</table>", kLine},
        {L"<table cellspacing=0 cellpadding=0><tr><td>a<br>a<td style='vertical-align: top'>b</table>", 0},
        {L"<table cellspacing=0 cellpadding=0><tr style='vertical-align: bottom'><td>a<br>a<td>b</table>", kLine},
        {L"<table cellspacing=0 cellpadding=0><tr valign=top><td>a<br>a<td style='vertical-align: bottom'>b</table>",
         kLine},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(c.html);
        ASSERT_EQ(Texts(tree), (std::vector<std::wstring>{L"a", L"a", L"b"})) << c.html;
        EXPECT_EQ(tree.boxes[2].rect.top - tree.boxes[0].rect.top, c.top) << c.html;
    }
}

TEST_F(LayoutTest, BodyStylesReachTheWholePageAndItsBackground)
{
    const struct {
        std::wstring html;
        std::wstring css;
        COLORREF background;
        COLORREF color;
        int headingSize;
    } cases[] = {
        {L"<h1>a</h1>", L"", RGB(255, 255, 255), LayoutBuilder::kTextColor, 32},
        {L"<body bgcolor=#8b7765><h1>a</h1>", L"", RGB(0x8b, 0x77, 0x65), LayoutBuilder::kTextColor, 32},
        {L"<h1>a</h1>", L"body { color: #00f; font-size: 20px; background: #eee url(x.png) } h1 { font-size: 200% }",
         RGB(238, 238, 238), RGB(0, 0, 255), 40},
        {L"<h1>a</h1>", L"html { font-size: 10px } h1 { font-size: 3em }", RGB(255, 255, 255), LayoutBuilder::kTextColor,
         30},
    };
    for (const auto& c : cases) {
        const LayoutTree tree = Lay(c.html, 400, c.css);
        ASSERT_EQ(tree.boxes.size(), 1u) << c.css;
        EXPECT_EQ(tree.background, c.background) << c.html << c.css;
        EXPECT_EQ(tree.boxes[0].color, c.color) << c.css;
        EXPECT_EQ(tree.boxes[0].font.pixelHeight, c.headingSize) << c.css;
    }
}

TEST_F(LayoutTest, ContentHeightGrowsWithContent)
{
    std::wstring html;
    int previous = Lay(html).contentHeight;
    for (int i = 0; i < 5; ++i) {
        html += L"<div>line</div>";
        const int height = Lay(html).contentHeight;
        EXPECT_EQ(height, previous + (i == 0 ? kLine + kMargin : kLine));
        previous = height;
    }
}

// Asked to stop below a height, a layout stops once its flow is past it, inside nested
// blocks too, and says it is not complete; a page that fits is laid out whole.
TEST_F(LayoutTest, LayoutAskedToStopBelowAHeightStopsOncePastIt)
{
    std::wstring lines;
    for (int i = 0; i < 40; ++i) {
        lines += L"<div>line</div>";
    }
    const struct {
        std::wstring html;
        bool complete;
    } cases[] = {
        {lines, false},
        {L"<div><section>" + lines + L"</section></div>", false},
        {L"<div>line</div><div>line</div>", true},
    };
    for (const auto& c : cases) {
        const LayoutTree whole = Lay(c.html);
        const LayoutTree stopped = Lay(c.html, 400, L"", 100);
        EXPECT_TRUE(whole.complete);
        EXPECT_EQ(stopped.complete, c.complete);
        EXPECT_EQ(stopped.boxes.size() < whole.boxes.size(), !c.complete);
        EXPECT_GT(stopped.contentHeight, c.complete ? 0 : 100);
    }
}

// Metrics of a font no screen has: every measurement is near the top of int.
class HugeMeasurer final : public TextMeasurer {
public:
    int TextWidth(const FontKey&, std::wstring_view text) override { return text.empty() ? 0 : INT_MAX - 1; }
    int LineHeight(const FontKey&) override { return INT_MAX / 2; }
};

// Every box and the content height lie inside the coordinate range, boxes are not
// inverted and fonts stay within their size limits. Returns the largest font seen.
int ExpectInsideLimits(const LayoutTree& tree, const std::string& what)
{
    constexpr int kMax = LayoutBuilder::kMaxCoordinate;
    int largestFont = 0;
    for (const LayoutBox& box : tree.boxes) {
        EXPECT_TRUE(box.rect.left >= 0 && box.rect.left <= box.rect.right && box.rect.right <= kMax) << what;
        EXPECT_TRUE(box.rect.top >= 0 && box.rect.top <= box.rect.bottom && box.rect.bottom <= kMax) << what;
        if (box.kind == BoxKind::Text) {
            EXPECT_TRUE(box.font.pixelHeight >= 8 && box.font.pixelHeight <= FontKey::kMaxPixelHeight) << what;
            largestFont = std::max(largestFont, box.font.pixelHeight);
        }
    }
    EXPECT_TRUE(tree.contentHeight >= 0 && tree.contentHeight <= kMax) << what;
    return largestFont;
}

std::wstring Repeat(std::wstring_view piece, int count)
{
    std::wstring out;
    for (int i = 0; i < count; ++i) {
        out += piece;
    }
    return out;
}

TEST_F(LayoutTest, HostileNestingAndHugeMetricsStayInsideTheLimits)
{
    const std::wstring hugeWord(100000, L'w');
    struct Case {
        const char* what;
        std::wstring html;
        bool hugeMetrics;
        int largestFont;  // 0: not checked
    };
    const Case cases[] = {
        {"95 nested big", Repeat(L"<big>", 95) + L"x", false, FontKey::kMaxPixelHeight},
        {"200 big, small and h1", Repeat(L"<big><h1><small>", 70) + L"x y", false, 0},
        {"400 small", Repeat(L"<small>", 400) + L"x", false, 8},
        {"huge word in huge font", Repeat(L"<big>", 60) + hugeWord + L" " + hugeWord, false, FontKey::kMaxPixelHeight},
        {"huge metrics, lines", Repeat(L"<p>a b c</p><br>", 40) + L"<hr><img src=x width=9999>", true, 0},
        {"huge metrics, list", L"<ol start=9999><li>" + hugeWord + L"<li>z</ol>", true, 0},
    };
    for (const Case& c : cases) {
        m_doc = ParseHtml(c.html);
        HugeMeasurer huge;
        TextMeasurer& measurer = c.hugeMetrics ? static_cast<TextMeasurer&>(huge) : m_measurer;
        LayoutBuilder builder(measurer, LayoutInput{L"http://live.example.com/", &m_images, 1000});
        const LayoutTree tree = builder.Build(*m_doc);
        EXPECT_FALSE(tree.boxes.empty()) << c.what;
        const int largest = ExpectInsideLimits(tree, c.what);
        if (c.largestFont != 0) {
            EXPECT_EQ(largest, c.largestFont) << c.what;
        }
        if (c.hugeMetrics) {
            EXPECT_EQ(tree.contentHeight, LayoutBuilder::kMaxCoordinate) << c.what;
        }
    }
}

// Random pages built mostly of size-changing, block, floated and boxed elements, laid out with real
// proportions: the result always stays inside the limits.
TEST_F(LayoutTest, NestingHeavyRandomPagesStayInsideTheLimits)
{
    const std::wstring pieces[] = {L"<big>", L"<big>", L"<big>", L"<big>", L"<big>", L"<big><big>", L"<small>",
                                   L"<h1>", L"<h3>", L"</big>", L"</h1>",
                                   L"<p>", L"<li>", L"<ul>", L"<pre>", L"<br>", L"<hr>", L"<blockquote>", L"word ",
                                   std::wstring(3000, L'x'), L"\u6BD4\u8D5B", L" ", L"\n", L"<img src=a width=5000>",
                                   L"<div style='float: left'>", L"<img src=b width=70 align=right>",
                                   L"<span style='display: inline-block; border: 9px solid red'>",
                                   L"<div style='margin: -40px -9px; padding: 2em; width: 150%; line-height: 0.1'>"};
    std::mt19937 rng(20261209);
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
    for (int round = 0; round < 150; ++round) {
        std::wstring html;
        for (int i = 0; i < 600; ++i) {
            html += pieces[pick(rng)];
        }
        ExpectInsideLimits(Lay(html, 200 + round * 7), "round " + std::to_string(round));
    }
}

} // namespace
} // namespace engine
