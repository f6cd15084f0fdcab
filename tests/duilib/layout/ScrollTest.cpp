// Scroll bars and scrolling containers: the bar's geometry, its auto-repeat and "scroll"
// notification without owner, the range a layout gives its bar, and the wheel and a
// thumb drag driven by real messages on a real window.

#include "duilib/control/ScrollBarUI.h"
#include "duilib/layout/HorizontalLayoutUI.h"
#include "duilib/layout/VerticalLayoutUI.h"

#include "tests/TestPrinters.h"
#include "tests/duilib/core/manager/ManagerFixture.h"
#include "tests/duilib/core/render/RenderCanvas.h"

#include <gtest/gtest.h>

#include <ostream>

using DuiLib::CScrollBarUI;
using DuiLib::CVerticalLayoutUI;
using probe::Log;

namespace {

struct BarCase {
    const char* label;
    bool horizontal;
    int length;
    int range;
    int pos;
    bool showButton1;
    RECT button1;
    RECT button2;
    RECT thumb;
};

void PrintTo(const BarCase& c, std::ostream* os)
{
    *os << c.label;
}

class ScrollBarGeometry : public testing::TestWithParam<BarCase> {};

TEST_P(ScrollBarGeometry, PartsFollowLengthRangeAndPosition)
{
    const BarCase& c = GetParam();
    CScrollBarUI bar;
    bar.SetHorizontal(c.horizontal);
    bar.SetShowButton1(c.showButton1);
    bar.SetScrollRange(c.range);
    bar.SetScrollPos(c.pos);
    bar.SetPos(c.horizontal ? RECT{0, 0, c.length, 11} : RECT{0, 0, 11, c.length});
    EXPECT_EQ(c.button1, bar.GetButton1Rect());
    EXPECT_EQ(c.button2, bar.GetButton2Rect());
    EXPECT_EQ(c.thumb, bar.GetThumbRect());
}

const BarCase kBarCases[] = {
    {"thumb of 200 * 178 / 300 at the top", false, 200, 100, 0, true, {0, 0, 11, 11}, {0, 189, 11, 200},
     {0, 11, 11, 129}},
    {"at the end the thumb meets button 2", false, 200, 100, 100, true, {0, 0, 11, 11}, {0, 189, 11, 200},
     {0, 71, 11, 189}},
    {"too short for a thumb: buttons of half the length", false, 20, 100, 0, true, {0, 0, 11, 10},
     {0, 10, 11, 20}, {0, 0, 0, 0}},
    {"no range: the thumb fills the track", false, 200, 0, 0, true, {0, 0, 11, 11}, {0, 189, 11, 200},
     {0, 11, 11, 189}},
    {"a hidden button leaves its length to the track", false, 200, 100, 0, false, {0, 0, 11, 0},
     {0, 189, 11, 200}, {0, 0, 11, 126}},
    {"horizontal halfway", true, 200, 100, 50, true, {0, 0, 11, 11}, {189, 0, 200, 11}, {41, 0, 159, 11}},
};

INSTANTIATE_TEST_SUITE_P(Table, ScrollBarGeometry, testing::ValuesIn(kBarCases));

TEST(ScrollBarValues, RangeAndPositionAreClamped)
{
    CScrollBarUI bar;
    bar.SetScrollPos(80);
    bar.SetScrollRange(50);
    EXPECT_EQ(50, bar.GetScrollPos()) << "lowering the range lowers the position";
    bar.SetScrollRange(-5);
    EXPECT_EQ(0, bar.GetScrollRange());
    EXPECT_EQ(0, bar.GetScrollPos());
    bar.SetAttribute(L"hor", L"true");
    EXPECT_EQ(11, bar.GetFixedHeight());
    EXPECT_EQ(0, bar.GetFixedWidth());
}

TEST(ScrollBarPaint, PartsWithoutImagesAreFramedInLightBlue)
{
    CScrollBarUI bar;
    bar.SetPos({0, 0, 11, 100});
    render_test::Canvas canvas(11, 100, {255, 255, 255});
    bar.DoPaint(canvas.Dc(), {0, 0, 11, 100});
    const render_test::Rgb frame{0x85, 0xE4, 0xFF};
    const render_test::Rgb white{255, 255, 255};
    EXPECT_EQ(frame, canvas.PixelAt(0, 5)) << "button 1";
    EXPECT_EQ(frame, canvas.PixelAt(10, 95)) << "button 2";
    EXPECT_EQ(frame, canvas.PixelAt(1, 40)) << "the thumb, two pixels wide";
    EXPECT_EQ(white, canvas.PixelAt(5, 40));
}

// A bar with no owner as the whole window: it moves itself and says so.
TEST(ScrollBarAlone, HoldingButtonTwoRepeatsFromTheSixthTick)
{
    Log log;
    probe::LogNotifier notifier(&log);
    probe::TestWindow window(11, 200);
    auto* bar = new CScrollBarUI;
    bar->SetName(L"bar");
    window.Manager().AddNotifier(&notifier);
    window.Manager().AttachDialog(bar);
    window.Paint();
    log.clear();
    window.SendMouse(WM_LBUTTONDOWN, 5, 195, MK_LBUTTON);
    EXPECT_EQ(8, bar->GetScrollPos()) << "one line at once";
    for (int tick = 1; tick <= 5; ++tick) {
        window.Send(WM_TIMER, 17); // the bar's repeat timer is the window's first
    }
    EXPECT_EQ(8, bar->GetScrollPos()) << "250 ms before repeating";
    window.Send(WM_TIMER, 17);
    window.Send(WM_TIMER, 17);
    EXPECT_EQ(24, bar->GetScrollPos());
    window.SendMouse(WM_LBUTTONUP, 5, 195);
    window.Send(WM_TIMER, 17);
    EXPECT_EQ(24, bar->GetScrollPos()) << "the release stops the timer";
    EXPECT_EQ((Log{"notify:setfocus:bar", "notify:scroll:bar", "notify:scroll:bar", "notify:scroll:bar"}), log);
}

class ScrollingLayout : public testing::Test {
protected:
    ScrollingLayout() : m_window(100, 100)
    {
        m_layout->SetAttribute(L"vscrollbar", L"true");
        for (int i = 0; i < 10; ++i) {
            auto* child = new DuiLib::CControlUI;
            child->SetFixedHeight(30);
            m_layout->Add(child);
        }
        m_window.Manager().AttachDialog(m_layout);
        m_window.Paint();
    }

    CVerticalLayoutUI* m_layout = new CVerticalLayoutUI; // owned by the manager once attached
    probe::TestWindow m_window;
};

TEST_F(ScrollingLayout, TheBarAppearsOnlyForContentBeyondTheSpace)
{
    ASSERT_TRUE(m_layout->GetVerticalScrollBar()->IsVisible());
    EXPECT_EQ(200, m_layout->GetVerticalScrollBar()->GetScrollRange());
    EXPECT_EQ((RECT{0, 30, 89, 60}), m_layout->GetItemAt(1)->GetPos()) << "the bar takes its width";
    for (int i = 2; i < 10; ++i) {
        m_layout->GetItemAt(i)->SetVisible(false);
    }
    m_layout->GetItemAt(1)->SetFixedHeight(70);
    m_window.Paint();
    EXPECT_FALSE(m_layout->GetVerticalScrollBar()->IsVisible()) << "exactly as high as the space";
    EXPECT_EQ((RECT{0, 30, 100, 100}), m_layout->GetItemAt(1)->GetPos());
    m_layout->GetItemAt(1)->SetFixedHeight(71);
    m_window.Paint();
    EXPECT_TRUE(m_layout->GetVerticalScrollBar()->IsVisible());
    EXPECT_EQ(1, m_layout->GetVerticalScrollBar()->GetScrollRange());
}

TEST_F(ScrollingLayout, TheWheelScrollsALineOfTheDefaultFont)
{
    POINT pt{20, 20};
    ::ClientToScreen(m_window.Hwnd(), &pt);
    m_window.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(pt.x, pt.y));
    const int line = 8 + m_window.Manager().GetDefaultFontInfo()->tm.tmHeight;
    EXPECT_EQ(line, m_layout->GetScrollPos().cy);
    EXPECT_EQ(-line, m_layout->GetItemAt(0)->GetPos().top);
    m_window.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(0, m_layout->GetScrollPos().cy);
}

TEST_F(ScrollingLayout, DraggingTheThumbScrollsOnTheRepeatTimer)
{
    // Track 78 long, thumb max(100 * 78 / 300, 11) = 26 at the top: 52 pixels of travel
    // for a range of 200.
    ASSERT_EQ((RECT{89, 11, 100, 37}), m_layout->GetVerticalScrollBar()->GetThumbRect());
    m_window.SendMouse(WM_LBUTTONDOWN, 94, 20, MK_LBUTTON);
    m_window.SendMouse(WM_MOUSEMOVE, 94, 40, MK_LBUTTON);
    EXPECT_EQ(0, m_layout->GetScrollPos().cy) << "the move is applied by the timer";
    m_window.Send(WM_TIMER, 17);
    EXPECT_EQ(20 * 200 / 52, m_layout->GetScrollPos().cy);
    EXPECT_EQ(-(20 * 200 / 52), m_layout->GetItemAt(0)->GetPos().top);
    m_window.SendMouse(WM_LBUTTONUP, 94, 40);
    EXPECT_FALSE(m_window.Manager().IsCaptured());
}

TEST(ContainerVisibility, HidingAContainerHidesItsGrandchildren)
{
    CVerticalLayoutUI outer;
    auto* inner = new DuiLib::CHorizontalLayoutUI;
    auto* leaf = new DuiLib::CControlUI;
    inner->Add(leaf);
    outer.Add(inner);
    outer.SetVisible(false);
    EXPECT_FALSE(leaf->IsVisible());
    auto* late = new DuiLib::CControlUI;
    inner->Add(late);
    EXPECT_FALSE(late->IsVisible()) << "a child added to a hidden container is hidden by it";
    outer.SetVisible(true);
    EXPECT_TRUE(leaf->IsVisible());
    EXPECT_TRUE(late->IsVisible());
    leaf->SetVisible(false);
    outer.SetVisible(false);
    outer.SetVisible(true);
    EXPECT_FALSE(leaf->IsVisible()) << "its own choice stays";
}

} // namespace
