#include "engine/render/PageView.h"

#include <gtest/gtest.h>

#include "DibCanvas.h"
#include "engine/dom/HtmlParser.h"
#include "engine/render/LayoutBuilder.h"
#include "engine/render/PagePainter.h"

namespace engine {
namespace {

using test::DibCanvas;
using test::Rgb;
using test::kWhite;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{192, 192, 192};
constexpr int kMargin = LayoutBuilder::kBodyMargin;
constexpr int kWidth = 200;
constexpr int kHeight = 120;
const std::wstring kBase = L"http://live.example.com/news/index.html";
const std::wstring kRedUrl = L"http://live.example.com/img/red.bmp";

class PageViewTest : public testing::Test {
protected:
    void Show(std::wstring_view html, bool loadImages = true)
    {
        m_view.SetDocument(ParseHtml(html), kBase);
        if (loadImages) {
            m_view.SetImage(kRedUrl, test::SolidBmp(4, 4, kRed));
        }
        m_view.Layout(m_canvas.Dc(), kWidth);
    }

    void PaintAll(int scrollY = 0)
    {
        m_canvas.Fill(kBlack);
        m_view.Paint(m_canvas.Dc(), m_canvas.Whole(), scrollY);
    }

    PageView m_view;
    DibCanvas m_canvas{kWidth, kHeight};
};

TEST_F(PageViewTest, ImageUrlsAreAbsoluteUniqueAndOnlyFromDisplayedParts)
{
    m_view.SetDocument(ParseHtml(L"<style>.off { display: none }</style><link rel=stylesheet href=/s.css>"
                                 L"<img src=../img/red.bmp><img src=/img/red.bmp><img src=\"//cdn.test/x.png\">"
                                 L"<div style=display:none><img src=hidden.png></div><img><img src=''>"
                                 L"<p hidden><img src=attribute.png></p><table><tr><td class=off><img src=class.png>"
                                 L"</table><span id=late><img src=linked.png></span><img src=decor.png alt=''>"),
                       kBase);
    EXPECT_TRUE(m_view.ImageUrls().empty()) << "nothing is known before layout";
    m_view.SetStylesheet(L"http://live.example.com/s.css", "#late { display: none }");
    m_view.Layout(m_canvas.Dc(), kWidth);
    EXPECT_EQ(m_view.ImageUrls(), (std::vector<std::wstring>{kRedUrl, L"http://cdn.test/x.png",
                                                             L"http://live.example.com/news/decor.png"}));
}

TEST_F(PageViewTest, DrawsALoadedImageStretchedAtItsPositionAndBackgroundElsewhere)
{
    ASSERT_TRUE(m_canvas.Valid());
    Show(L"<img src=../img/red.bmp width=20 height=10>");
    PaintAll();
    const int left = kMargin;
    const int top = kMargin;
    EXPECT_EQ(m_canvas.PixelAt(left, top), kRed);
    EXPECT_EQ(m_canvas.PixelAt(left + 19, top + 9), kRed);
    EXPECT_EQ(m_canvas.PixelAt(left + 20, top + 9), kWhite);
    EXPECT_EQ(m_canvas.PixelAt(left + 19, top + 10), kWhite);
    EXPECT_EQ(m_canvas.PixelAt(left - 1, top), kWhite);
    EXPECT_EQ(m_canvas.PixelAt(left, top - 1), kWhite);
    EXPECT_EQ(m_canvas.Count(m_canvas.Whole(), kRed), 200);
}

TEST_F(PageViewTest, ScrollingMovesContentUp)
{
    Show(L"<img src=../img/red.bmp width=20 height=10>");
    PaintAll(5);
    EXPECT_EQ(m_canvas.PixelAt(kMargin, kMargin - 5), kRed);
    EXPECT_EQ(m_canvas.PixelAt(kMargin, kMargin + 4), kRed);
    EXPECT_EQ(m_canvas.PixelAt(kMargin, kMargin + 5), kWhite);
}

TEST_F(PageViewTest, PaintsOnlyInsideTheClipRectangle)
{
    Show(L"<img src=../img/red.bmp width=100 height=10>");
    m_canvas.Fill(kBlack);
    m_view.Paint(m_canvas.Dc(), RECT{0, 0, 50, kHeight}, 0);
    EXPECT_EQ(m_canvas.PixelAt(49, kMargin), kRed);
    EXPECT_EQ(m_canvas.PixelAt(50, kMargin), kBlack);
    EXPECT_EQ(m_canvas.PixelAt(49, kHeight - 1), kWhite);
    EXPECT_EQ(m_canvas.PixelAt(50, kHeight - 1), kBlack);
}

TEST_F(PageViewTest, MissingOrUndecodableImagesShowAPlaceholderFrame)
{
    m_view.SetDocument(ParseHtml(L"<img src=../img/red.bmp>"), kBase);
    m_view.SetImage(kRedUrl, {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});
    m_view.Layout(m_canvas.Dc(), kWidth);
    PaintAll();
    const int size = LayoutBuilder::kPlaceholderSize;
    EXPECT_EQ(m_canvas.PixelAt(kMargin, kMargin), kGrey);
    EXPECT_EQ(m_canvas.PixelAt(kMargin + size - 1, kMargin + size - 1), kGrey);
    EXPECT_EQ(m_canvas.PixelAt(kMargin + size / 2, kMargin + size / 2), kWhite);
    EXPECT_EQ(m_canvas.PixelAt(kMargin + size, kMargin), kWhite);
    EXPECT_EQ(m_canvas.Count(m_canvas.Whole(), kRed), 0);
}

TEST_F(PageViewTest, HiddenContentIsNeitherPaintedNorHit)
{
    Show(L"<div style=\"Display: NONE\"><img src=../img/red.bmp width=20 height=10><a href=x>link</a></div>");
    PaintAll();
    EXPECT_EQ(m_canvas.Count(m_canvas.Whole(), kWhite), kWidth * kHeight);
    EXPECT_TRUE(m_view.HitTest(POINT{kMargin + 1, kMargin + 1}).linkUrl.empty());
    EXPECT_FALSE(m_view.HitTest(POINT{kMargin + 1, kMargin + 1}).onImage);
}

TEST_F(PageViewTest, LinkTextIsInkedInTheLinkColourWhereItIsHit)
{
    Show(L"<a href=\"../live/1.html\" target=\"_blank\">比赛 live</a><p>after</p>");
    PaintAll();
    const PageView::Hit hit = m_view.HitTest(POINT{kMargin + 2, kMargin + 4});
    EXPECT_EQ(hit.linkUrl, L"http://live.example.com/live/1.html");
    EXPECT_EQ(hit.linkTarget, L"_blank");
    EXPECT_FALSE(hit.onImage);
    // The underline is drawn in the exact link colour; ink appears on the link's line only.
    const Rgb blue{0, 0, 238};
    EXPECT_GT(m_canvas.Count(RECT{kMargin, kMargin, kWidth, kMargin + 30}, blue), 10);
    EXPECT_EQ(m_canvas.Count(RECT{0, kMargin + 30, kWidth, kHeight}, blue), 0);
    EXPECT_TRUE(m_view.HitTest(POINT{kWidth - 2, kMargin + 4}).linkUrl.empty());
    EXPECT_TRUE(m_view.HitTest(POINT{kMargin + 2, kMargin - 2}).linkUrl.empty());
}

TEST_F(PageViewTest, ImageInsideALinkReportsBoth)
{
    Show(L"<a href=/go><img src=../img/red.bmp width=20 height=10></a>");
    const PageView::Hit inside = m_view.HitTest(POINT{kMargin + 19, kMargin + 9});
    EXPECT_TRUE(inside.onImage);
    EXPECT_EQ(inside.imageUrl, kRedUrl);
    EXPECT_EQ(inside.linkUrl, L"http://live.example.com/go");
    const PageView::Hit outside = m_view.HitTest(POINT{kMargin + 20, kMargin + 9});
    EXPECT_FALSE(outside.onImage);
    EXPECT_TRUE(outside.linkUrl.empty());
}

TEST_F(PageViewTest, TextInkStaysInsideTheLaidOutLines)
{
    EXPECT_EQ(m_view.ContentHeight(), 0);
    Show(L"<h1>Title</h1><p>直播 text</p>");
    PaintAll();
    const int height = m_view.ContentHeight();
    ASSERT_LT(height, kHeight);
    EXPECT_GT(kWidth * kHeight - m_canvas.Count(m_canvas.Whole(), kWhite), 50);
    EXPECT_EQ(m_canvas.Count(RECT{0, height, kWidth, kHeight}, kWhite), kWidth * (kHeight - height));
    EXPECT_EQ(m_canvas.Count(RECT{0, 0, kMargin, kHeight}, kWhite), kMargin * kHeight);
}

TEST_F(PageViewTest, TableBordersAndBackgroundsArePaintedUnderTheCellText)
{
    ASSERT_TRUE(m_canvas.Valid());
    Show(L"<table border=2 bgcolor=#ff0000 cellspacing=3><tr><td bgcolor=#0000ff><a href=x>x</a></table>", false);
    PaintAll();
    const int y = kMargin + 2 + 3 + 3;  // below the table's border, its spacing and the cell's border
    const struct {
        int x;
        Rgb colour;
    } row[] = {{kMargin - 1, kWhite}, {kMargin, {128, 128, 128}}, {kMargin + 1, {128, 128, 128}},
               {kMargin + 2, kRed}, {kMargin + 4, kRed}, {kMargin + 5, {192, 192, 192}}, {kMargin + 6, {0, 0, 255}}};
    for (const auto& pixel : row) {
        EXPECT_EQ(m_canvas.PixelAt(pixel.x, y), pixel.colour) << "x " << pixel.x;
    }
    // The link on top of the fills is what a click finds.
    EXPECT_EQ(m_view.HitTest(POINT{kMargin + 8, y + 4}).linkUrl, L"http://live.example.com/news/x");
}

TEST_F(PageViewTest, HoverRestylesWhatItsRulesSelectAndLaysOutAgainOnlyForMoreThanColours)
{
    using Change = PageView::HoverChange;
    const struct {
        const wchar_t* css;
        Change change;  // on entering the link, and again on leaving the page
        bool red;       // while hovered
    } cases[] = {
        {L"a:hover { color: #ff0000 }", Change::Repaint, true},
        {L"p:hover a:link { color: #ff0000; text-decoration: underline }", Change::Repaint, true},
        {L"a:hover { color: #ff0000; font-size: 30px }", Change::Relayout, true},
        {L"em:hover { color: #ff0000 }", Change::None, false},
        {L"a { color: #0000ee }", Change::None, false},
    };
    for (const auto& c : cases) {
        Show(L"<style>" + std::wstring(c.css) + L"</style><p><a href=x>live</a> <em>now</em></p>");
        const int height = m_view.ContentHeight();
        const auto link = [this]() -> std::optional<POINT> {
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    if (!m_view.HitTest(POINT{x, y}).linkUrl.empty()) {
                        return POINT{x, y};
                    }
                }
            }
            return std::nullopt;
        }();
        ASSERT_TRUE(link.has_value()) << c.css;
        const auto moveTo = [&](std::optional<POINT> point) {
            EXPECT_EQ(m_view.HoverAt(point), c.change) << c.css;
            if (c.change == Change::Relayout) {
                m_view.Layout(m_canvas.Dc(), kWidth);
            }
            PaintAll();
        };
        moveTo(link);
        EXPECT_EQ(m_canvas.Count(m_canvas.Whole(), kRed) > 10, c.red) << c.css;
        EXPECT_EQ(m_view.ContentHeight() > height, c.change == Change::Relayout) << c.css;
        moveTo(std::nullopt);
        EXPECT_EQ(m_canvas.Count(m_canvas.Whole(), kRed), 0) << c.css;
        EXPECT_EQ(m_view.ContentHeight(), height) << c.css;
    }
}

TEST_F(PageViewTest, CollapsedTableBordersAreOneLineBetweenCellsAndAtTheEdges)
{
    Show(L"<style>td { border: 1px solid #ff0000 }</style>"
         L"<table cellpadding=4 style='border-collapse: collapse'><tr><td>a<td>b</table>");
    PaintAll();
    // A row through the cells' top padding crosses the left edge, the shared line and the right edge.
    std::vector<int> lines;
    for (int x = 0; x < kWidth; ++x) {
        const Rgb pixel = m_canvas.PixelAt(x, kMargin + 2);
        if (pixel != kWhite) {
            EXPECT_EQ(pixel, kRed) << x;
            lines.push_back(x);
        }
    }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], kMargin);
    EXPECT_GT(lines[1], lines[0] + 8);
    EXPECT_GT(lines[2], lines[1] + 8);
    EXPECT_EQ(m_canvas.PixelAt(lines[1], kMargin), kRed) << "the top line runs on across the cells";
    EXPECT_EQ(m_canvas.PixelAt(lines[1], kMargin - 1), kWhite);
}

TEST_F(PageViewTest, BlockBackgroundFillsItsBorderBoxUnderTheTextAndFloats)
{
    ASSERT_TRUE(m_canvas.Valid());
    Show(L"<div style='margin: 0 10px; padding: 4px; background: #00ff00'><a href=x>xx</a></div>", false);
    PaintAll();
    const Rgb green{0, 255, 0};
    const RECT box{kMargin + 10, kMargin, kWidth - kMargin - 10, m_view.ContentHeight() - kMargin};
    EXPECT_EQ(m_canvas.PixelAt(box.left, box.top), green);
    EXPECT_EQ(m_canvas.PixelAt(box.right - 1, box.bottom - 1), green);
    EXPECT_EQ(m_canvas.PixelAt(box.left - 1, box.top), kWhite);
    EXPECT_EQ(m_canvas.PixelAt(box.right, box.top), kWhite);
    EXPECT_EQ(m_canvas.PixelAt(box.left, box.top - 1), kWhite);
    EXPECT_EQ(m_canvas.PixelAt(box.left, box.bottom), kWhite);
    EXPECT_GT(m_canvas.Count(box, {0, 0, 238}), 0) << "the link is drawn over the background";
    EXPECT_EQ(m_canvas.Count(box, kWhite) + m_canvas.Count(box, kBlack), 0) << "the box is filled";

    // An inline element's background lies behind its text only.
    Show(L"<div><span style='background: #00ff00'>xx</span> yy</div>", false);
    PaintAll();
    const int middle = kMargin + 8;
    EXPECT_EQ(m_canvas.PixelAt(kMargin, middle), green);
    EXPECT_EQ(m_canvas.PixelAt(kMargin - 1, middle), kWhite);
    EXPECT_EQ(m_canvas.Count(RECT{kMargin + 40, kMargin, kWidth, kMargin + 16}, green), 0);

    // A float paints over the background of the block that comes after it.
    Show(L"<div style='float: left; width: 20px; height: 20px; background: #f00'></div>"
         L"<div style='height: 40px; background: #00ff00'></div>", false);
    PaintAll();
    EXPECT_EQ(m_canvas.PixelAt(kMargin + 19, kMargin + 19), kRed);
    EXPECT_EQ(m_canvas.PixelAt(kMargin + 20, kMargin + 19), green);
    EXPECT_EQ(m_canvas.PixelAt(kMargin + 19, kMargin + 20), green);
}

TEST_F(PageViewTest, BlockBordersAreDrawnInsideTheBorderBoxInTheirColours)
{
    ASSERT_TRUE(m_canvas.Valid());
    Show(L"<div style='border: 3px solid #f00; border-left: 2px solid #0000ff; height: 10px'></div>", false);
    PaintAll();
    const Rgb blue{0, 0, 255};
    const int top = kMargin;
    const int bottom = kMargin + 3 + 10 + 3;
    const int left = kMargin;
    const int right = kWidth - kMargin;
    const struct {
        int x;
        int y;
        Rgb colour;
    } pixels[] = {{left + 5, top - 1, kWhite},    {left + 5, top, kRed},          {left + 5, top + 2, kRed},
                  {left + 5, top + 3, kWhite},    {left + 5, bottom - 3, kRed},   {left + 5, bottom - 1, kRed},
                  {left + 5, bottom, kWhite},     {left - 1, top + 5, kWhite},    {left, top + 5, blue},
                  {left + 1, top + 5, blue},      {left + 2, top + 5, kWhite},    {right - 4, top + 5, kWhite},
                  {right - 3, top + 5, kRed},     {right - 1, top + 5, kRed},     {right, top + 5, kWhite}};
    for (const auto& pixel : pixels) {
        EXPECT_EQ(m_canvas.PixelAt(pixel.x, pixel.y), pixel.colour) << pixel.x << "," << pixel.y;
    }
}

// A 4x4 red image behind a 20x10 box with a 1-pixel white border, at the body's corner.
TEST_F(PageViewTest, BackgroundImagesTileFromThePaddingBoxAsTheirRepeatSays)
{
    ASSERT_TRUE(m_canvas.Valid());
    const struct {
        const wchar_t* repeat;
        int redPixels;
        POINT lastRed;
    } cases[] = {{L"repeat", 200, {27, 17}}, {L"repeat-x", 80, {27, 12}}, {L"repeat-y", 40, {12, 17}},
                 {L"no-repeat", 16, {12, 12}}};
    for (const auto& c : cases) {
        const std::wstring html = std::wstring(L"<div style='width: 20px; height: 10px; border: 1px solid #fff; "
                                               L"background: url(../img/red.bmp) ") + c.repeat + L"'></div>";
        m_view.SetDocument(ParseHtml(html), kBase);
        m_view.Layout(m_canvas.Dc(), kWidth);
        EXPECT_EQ(m_view.ImageUrls(), std::vector<std::wstring>{kRedUrl}) << c.repeat;
        m_view.SetImage(kRedUrl, test::SolidBmp(4, 4, kRed));
        m_view.Layout(m_canvas.Dc(), kWidth);
        PaintAll();
        const RECT padding{kMargin + 1, kMargin + 1, kMargin + 21, kMargin + 11};
        EXPECT_EQ(m_canvas.Count(m_canvas.Whole(), kRed), c.redPixels) << c.repeat;
        EXPECT_EQ(m_canvas.Count(padding, kRed), c.redPixels) << c.repeat;
        EXPECT_EQ(m_canvas.PixelAt(padding.left, padding.top), kRed) << c.repeat;
        EXPECT_EQ(m_canvas.PixelAt(c.lastRed.x, c.lastRed.y), kRed) << c.repeat;
    }
}

TEST_F(PageViewTest, StyleElementsAndLinkedSheetsApplyInDocumentOrder)
{
    const auto heightOf = [this](std::wstring_view html) {
        m_view.SetDocument(ParseHtml(html), kBase);
        m_view.Layout(m_canvas.Dc(), kWidth);
        return m_view.ContentHeight();
    };
    const int oneLine = heightOf(L"<p>x</p>");
    const int twoLines = heightOf(L"<p>y<br>y</p>");
    ASSERT_NE(oneLine, twoLines);

    DomNodePtr page = ParseHtml(L"<link rel=stylesheet href=/css/a.css><style>.x { display: none }</style>"
                                L"<link rel='alternate stylesheet' href=b.css><link rel=stylesheet media=print "
                                L"href=p.css><link rel=StyleSheet href=../css/a.css>"
                                L"<p class=x>x</p><p class=y>y<br>y</p>");
    EXPECT_EQ(PageView::StylesheetUrls(*page, kBase), (std::vector<std::wstring>{L"http://live.example.com/css/a.css"}));
    m_view.SetDocument(std::move(page), kBase);
    m_view.Layout(m_canvas.Dc(), kWidth);
    EXPECT_EQ(m_view.ContentHeight(), twoLines);
    // The linked sheet comes first: its normal rule loses to the <style>, its important one wins.
    m_view.SetStylesheet(L"http://live.example.com/css/a.css", ".x { display: block !important } .y { display: none }");
    m_view.Layout(m_canvas.Dc(), kWidth);
    EXPECT_EQ(m_view.ContentHeight(), oneLine);
    // A changed version of the page keeps the sheets that arrived.
    m_view.ReplaceDocument(ParseHtml(L"<link rel=stylesheet href=/css/a.css><p class=x>x</p><p class=y>y<br>y</p>"));
    m_view.Layout(m_canvas.Dc(), kWidth);
    EXPECT_EQ(m_view.ContentHeight(), oneLine);
}

} // namespace
} // namespace engine
