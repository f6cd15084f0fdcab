// CControlUI painting into DIB sections: the five steps in their order, background
// colours, borders, the foreground image, animated backgrounds and GenerateBitmap.

#include "duilib/control/ControlUI.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

#include "tests/duilib/core/images/ImageTestSupport.h"
#include "tests/duilib/core/render/RenderCanvas.h"
#include "tests/duilib/support/TestWindow.h"

#include <gtest/gtest.h>

#include <ostream>

using DuiLib::CControlUI;
using DuiLib::CPaintManagerUI;
using render_test::Canvas;
using render_test::Near;
using render_test::Rgb;

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kBlack{0, 0, 1}; // the engine draws pure black pens as blue 1

// Status image and text steps that fill known squares, so the order shows in pixels.
class LayeredPaintUI final : public CControlUI {
public:
    void PaintStatusImage(HDC hDC) override { DuiLib::CRenderEngine::DrawColor(hDC, {0, 0, 20, 20}, 0xFF0000FF); }
    void PaintText(HDC hDC) override { DuiLib::CRenderEngine::DrawColor(hDC, {0, 0, 10, 10}, 0xFFFFFF00); }
};

HBITMAP SolidBitmap(int width, int height, DWORD premultiplied)
{
    return render_test::MakeBitmap(width, height, [premultiplied](int, int) { return premultiplied; });
}

TEST(ControlPaint, StepsRunBackgroundImageStatusTextBorder)
{
    CPaintManagerUI manager;
    ASSERT_NE(nullptr, manager.AddImage(L"green", SolidBitmap(20, 20, 0xFF00FF00), 20, 20, false));
    LayeredPaintUI control;
    control.SetManager(&manager, nullptr, false);
    control.SetAttribute(L"bkcolor", L"#FFFF0000");
    control.SetAttribute(L"bkimage", L"file='green' dest='0,0,30,30'");
    control.SetAttribute(L"bordersize", L"1");
    control.SetAttribute(L"bordercolor", L"#FF000000");
    control.SetPos({0, 0, 40, 40});
    Canvas canvas(50, 50, kWhite);
    control.DoPaint(canvas.Dc(), {0, 0, 50, 50});
    EXPECT_EQ(kYellow, canvas.PixelAt(5, 5));
    EXPECT_EQ(kBlue, canvas.PixelAt(15, 15));
    EXPECT_EQ(kGreen, canvas.PixelAt(25, 25));
    EXPECT_EQ(kRed, canvas.PixelAt(35, 35));
    EXPECT_EQ(kBlack, canvas.PixelAt(0, 5)) << "the border is painted last, over the text";
    EXPECT_EQ(kBlack, canvas.PixelAt(39, 39));
    EXPECT_EQ(kWhite, canvas.PixelAt(40, 40));
}

TEST(ControlPaint, NothingOutsideTheDirtyAreaOrWhenDrawingIsOff)
{
    CControlUI control;
    control.SetBkColor(0xFFFF0000);
    control.SetPos({0, 0, 20, 20});
    Canvas canvas(30, 30, kWhite);
    control.DoPaint(canvas.Dc(), {20, 20, 30, 30});
    control.SetCanDraw(false);
    control.DoPaint(canvas.Dc(), {0, 0, 30, 30});
    EXPECT_EQ(0, canvas.CountNot(kWhite));
}

TEST(ControlPaint, OpaqueColourFillsTheDirtyPartTranslucentTheWholeItem)
{
    struct Case {
        DWORD colour;
        Rgb outsideDirty;
    } cases[] = {{0xFFFF0000, kWhite}, {0x80FF0000, Rgb{255, 127, 127}}};
    for (const Case& c : cases) {
        CControlUI control;
        control.SetBkColor(c.colour);
        control.SetPos({0, 0, 20, 20});
        Canvas canvas(20, 20, kWhite);
        control.DoPaint(canvas.Dc(), {0, 0, 10, 20});
        EXPECT_TRUE(Near(c.outsideDirty, canvas.PixelAt(15, 5), 1)) << testing::PrintToString(canvas.PixelAt(15, 5));
    }
}

TEST(ControlPaint, BackgroundGradientsSplitAtTheMiddle)
{
    CControlUI control;
    control.SetBkColor(0xFFFF0000);
    control.SetBkColor2(0xFF0000FF);
    control.SetBkColor3(0xFF00FF00);
    control.SetPos({0, 0, 4, 64});
    Canvas canvas(4, 64, kWhite);
    control.DoPaint(canvas.Dc(), {0, 0, 4, 64});
    EXPECT_TRUE(Near(kRed, canvas.PixelAt(0, 0), 40)) << testing::PrintToString(canvas.PixelAt(0, 0));
    EXPECT_TRUE(Near(kBlue, canvas.PixelAt(0, 32), 40)) << testing::PrintToString(canvas.PixelAt(0, 32));
    EXPECT_TRUE(Near(kGreen, canvas.PixelAt(0, 63), 40)) << testing::PrintToString(canvas.PixelAt(0, 63));
}

struct BorderCase {
    const char* label;
    bool focused;
    int size;
    RECT sides;
    SIZE round;
    Rgb atLeftEdge;   // (0, 10)
    Rgb atTopEdge;    // (10, 0)
    Rgb atRightEdge;  // (19, 10)
};

void PrintTo(const BorderCase& c, std::ostream* os)
{
    *os << c.label;
}

class ControlBorder : public testing::TestWithParam<BorderCase> {};

TEST_P(ControlBorder, FollowsItsRules)
{
    const BorderCase& c = GetParam();
    CPaintManagerUI manager;
    CControlUI control;
    control.SetManager(&manager, nullptr, false);
    control.SetBorderColor(0xFF00FF00);
    control.SetFocusBorderColor(0xFF0000FF);
    control.SetBorderSize(c.size);
    control.SetBorderSize(c.sides);
    control.SetBorderRound(c.round);
    if (c.focused) {
        control.SetFocus();
    }
    control.SetPos({0, 0, 20, 20});
    Canvas canvas(21, 21, kWhite);
    control.DoPaint(canvas.Dc(), {0, 0, 21, 21});
    EXPECT_EQ(c.atLeftEdge, canvas.PixelAt(0, 10));
    EXPECT_EQ(c.atTopEdge, canvas.PixelAt(10, 0));
    EXPECT_EQ(c.atRightEdge, canvas.PixelAt(19, 10));
}

const BorderCase kBorderCases[] = {
    {"uniform border", false, 1, {0, 0, 0, 0}, {0, 0}, kGreen, kGreen, kGreen},
    {"focused border takes the focus colour", true, 1, {0, 0, 0, 0}, {0, 0}, kBlue, kBlue, kBlue},
    {"focused without a size draws nothing", true, 0, {0, 0, 0, 0}, {0, 0}, kWhite, kWhite, kWhite},
    {"sides only where set", false, 0, {2, 0, 0, 0}, {0, 0}, kGreen, kWhite, kWhite},
    {"sides win over the uniform size", false, 3, {0, 2, 0, 0}, {0, 0}, kWhite, kGreen, kWhite},
    {"round border", false, 1, {0, 0, 0, 0}, {6, 6}, kGreen, kGreen, kGreen},
};

INSTANTIATE_TEST_SUITE_P(Table, ControlBorder, testing::ValuesIn(kBorderCases));

TEST(ControlPaint, RoundCornersClipTheBackground)
{
    CControlUI control;
    control.SetBkColor(0xFFFF0000);
    control.SetBorderRound({10, 10});
    control.SetPos({0, 0, 20, 20});
    Canvas canvas(20, 20, kWhite);
    control.DoPaint(canvas.Dc(), {0, 0, 20, 20});
    EXPECT_EQ(kWhite, canvas.PixelAt(0, 0));
    EXPECT_EQ(kRed, canvas.PixelAt(10, 10));
    EXPECT_EQ(kRed, canvas.PixelAt(10, 0));
}

TEST(ControlPaint, ForegroundImageBlendsWithItsAlphaAndABadBackgroundIsDropped)
{
    CPaintManagerUI manager;
    ASSERT_NE(nullptr, manager.AddImage(L"fore", SolidBitmap(4, 4, 0xFF0000FF), 4, 4, true));
    CControlUI control;
    control.SetManager(&manager, nullptr, false);
    control.SetBkColor(0xFFFF0000);
    control.SetImage(L"missing.png", L"fore", 128);
    control.SetPos({0, 0, 10, 10});
    Canvas canvas(10, 10, kWhite);
    control.DoPaint(canvas.Dc(), {0, 0, 10, 10});
    EXPECT_STREQ(L"", control.GetBkImage()) << "an image that cannot be drawn is tried once";
    EXPECT_TRUE(Near(Rgb{127, 0, 128}, canvas.PixelAt(5, 5), 1)) << testing::PrintToString(canvas.PixelAt(5, 5));
    canvas.Fill(kWhite);
    control.DoPaint(canvas.Dc(), {0, 0, 10, 10});
    EXPECT_EQ(kRed, canvas.PixelAt(5, 5)) << "without a background image there is no foreground either";

    control.SetBkImage(L"fore");
    control.DoPaint(canvas.Dc(), {0, 0, 10, 10});
    EXPECT_TRUE(Near(kBlue, canvas.PixelAt(5, 5), 1)) << "the background image itself";
    control.SetBkImage(L"file='fore' dest='0,0,0,0'");
    control.DoPaint(canvas.Dc(), {0, 0, 10, 10});
    EXPECT_TRUE(Near(Rgb{127, 0, 128}, canvas.PixelAt(5, 5), 1)) << testing::PrintToString(canvas.PixelAt(5, 5));
}

TEST(ControlPaint, GenerateBitmapHoldsTheControlPaintedOverTheRectangle)
{
    CPaintManagerUI manager;
    CControlUI control;
    control.SetBkColor(0xFF336699);
    control.SetPos({10, 10, 30, 30});
    EXPECT_EQ(nullptr, DuiLib::CRenderEngine::GenerateBitmap(&manager, &control, {5, 5, 5, 30}));
    const HBITMAP bitmap = DuiLib::CRenderEngine::GenerateBitmap(&manager, &control, {5, 5, 25, 25});
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ("20x20/32", image_test::DibShape(bitmap));
    EXPECT_EQ(image_test::Argb{0x00000000}, image_test::PixelAt(bitmap, 4, 4)) << "outside the control";
    EXPECT_EQ(image_test::Argb{0xFF336699}, image_test::PixelAt(bitmap, 5, 5));
    EXPECT_EQ(image_test::Argb{0xFF336699}, image_test::PixelAt(bitmap, 19, 19));
    ::DeleteObject(bitmap);
}

TEST(ControlPaint, AnimatedBackgroundAdvancesOnItsTimer)
{
    image_test::ScratchFolder folder;
    const image_test::GifFrame red{0, 0, 4, 4, std::vector<BYTE>(16, 0), 5};
    const image_test::GifFrame blue{0, 0, 4, 4, std::vector<BYTE>(16, 2), 7};
    folder.Write(L"spin.gif", image_test::BuildGif(4, 4, {red, blue}));
    image_test::SkinFolderScope skin(folder.Path());
    probe::TestWindow window(40, 40);
    CControlUI control;
    control.SetManager(&window.Manager(), nullptr, false);
    control.SetBkImage(L"spin.gif");
    control.SetPos({0, 0, 4, 4});
    Canvas canvas(4, 4, kWhite);
    control.DoPaint(canvas.Dc(), {0, 0, 4, 4});
    EXPECT_EQ(kRed, canvas.PixelAt(1, 1));
    EXPECT_FALSE(window.Manager().SetTimer(&control, 1, 50)) << "the frame's timer is running";

    DuiLib::TEventUI tick;
    tick.Type = DuiLib::kEventTimer;
    tick.wParam = 1;
    const Rgb expected[] = {kRed, kBlue, kRed};
    for (const Rgb& colour : expected) {
        control.Event(tick);
        control.DoPaint(canvas.Dc(), {0, 0, 4, 4});
        EXPECT_EQ(colour, canvas.PixelAt(1, 1)) << "a tick shows the frame at the index and moves it on";
    }

    control.SetVisible(false);
    EXPECT_TRUE(window.Manager().SetTimer(&control, 1, 50)) << "hiding stopped the animation timer";
}

} // namespace
