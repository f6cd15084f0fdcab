// Mouse routing through real window messages: enter, move, hover, down, up, click and
// leave in order, the capture across the window's edge, the wheel, the context menu,
// the tool tip and the closing events.

#include "ManagerFixture.h"

#include "tests/TestPrinters.h"

#include <commctrl.h>

using probe::Log;

namespace {

class ManagerMouse : public probe::ManagerTest {
protected:
    void SetUp() override
    {
        m_a = Add(L"a", {10, 10, 60, 60});
        m_a->SetClicks(true);
        m_b = Add(L"b", {100, 10, 150, 60});
        Attach();
    }

    [[nodiscard]] LPARAM ScreenPoint(int x, int y) const
    {
        POINT pt{x, y};
        ::ClientToScreen(m_window.Hwnd(), &pt);
        return MAKELPARAM(pt.x, pt.y);
    }

    probe::CProbeUI* m_a = nullptr;
    probe::CProbeUI* m_b = nullptr;
};

TEST_F(ManagerMouse, EventsArriveInTheOrderAUserProducesThem)
{
    m_window.SendMouse(WM_MOUSEMOVE, 20, 20);
    m_window.SendMouse(WM_MOUSEHOVER, 20, 20);
    m_window.SendMouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_TRUE(Manager().IsCaptured());
    m_window.SendMouse(WM_LBUTTONUP, 21, 21);
    m_window.SendMouse(WM_MOUSEMOVE, 120, 20);
    EXPECT_EQ((Log{"a:enter", "a:move", "a:hover", "a:setfocus", "notify:setfocus:a", "a:down", "a:up",
                   "notify:click:a", "a:leave", "b:enter", "b:move"}),
              m_log);
    EXPECT_FALSE(Manager().IsCaptured());
    EXPECT_EQ((POINT{120, 20}), Manager().GetMousePos());
}

TEST_F(ManagerMouse, ThePressedControlKeepsTheMouseBeyondTheWindowsEdge)
{
    m_window.SendMouse(WM_MOUSEMOVE, 20, 20);
    m_window.SendMouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    m_log.clear();
    m_window.SendMouse(WM_MOUSEMOVE, -30, 300, MK_LBUTTON);
    m_window.SendMouse(WM_MOUSEMOVE, 120, 20, MK_LBUTTON); // over b, still pressed
    EXPECT_EQ(DuiLib::kKeyStateLButton, m_a->LastEvent().wKeyState);
    m_window.SendMouse(WM_LBUTTONUP, -30, 300);
    EXPECT_EQ((Log{"a:leave", "a:move", "b:enter", "a:move", "a:up"}), m_log) << "no click outside the control";
    EXPECT_FALSE(Manager().IsCaptured());
}

TEST_F(ManagerMouse, WheelTowardsTheUserGivesOne)
{
    m_window.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), ScreenPoint(110, 20));
    m_window.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), ScreenPoint(110, 20));
    EXPECT_EQ((Log{"b:wheel1", "b:enter", "b:move", "b:wheel0", "b:move"}), m_log)
        << "each turn is followed by a move over what now lies under the pointer";
}

TEST_F(ManagerMouse, ContextMenuGoesToTheRightClickedControl)
{
    m_window.SendMouse(WM_RBUTTONDOWN, 20, 20, MK_RBUTTON);
    m_window.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_window.Hwnd()), ScreenPoint(20, 20));
    EXPECT_EQ((Log{"a:setfocus", "notify:setfocus:a", "a:rdown", "a:menu"}), m_log);
    EXPECT_FALSE(Manager().IsCaptured());
    EXPECT_EQ((POINT{20, 20}), Manager().GetMousePos());
}

TEST_F(ManagerMouse, HoverShowsTheToolTipAndLeavingHidesIt)
{
    m_b->SetToolTip(L"tip<n>two");
    m_b->SetToolTipWidth(123);
    EXPECT_EQ(nullptr, Manager().GetTooltipWindow());
    m_window.SendMouse(WM_MOUSEMOVE, 120, 20);
    m_window.SendMouse(WM_MOUSEHOVER, 120, 20);
    EXPECT_EQ(0, m_window.Unhandled(WM_MOUSEHOVER));
    const HWND tip = Manager().GetTooltipWindow();
    ASSERT_NE(nullptr, tip);
    wchar_t className[64] = {};
    ::GetClassNameW(tip, className, 64);
    EXPECT_STREQ(L"tooltips_class32", className);
    EXPECT_EQ(123, ::SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0));
    EXPECT_TRUE(::IsWindowVisible(tip));
    m_window.SendMouse(WM_MOUSEMOVE, 20, 20);
    EXPECT_FALSE(::IsWindowVisible(tip));
}

TEST_F(ManagerMouse, ClosingEndsHoverAndPress)
{
    m_window.SendMouse(WM_MOUSEMOVE, 20, 20);
    m_window.SendMouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    m_log.clear();
    m_window.Send(WM_CLOSE);
    EXPECT_EQ((Log{"a:leave", "a:up", "notify:click:a", "a:killfocus", "notify:killfocus:a"}), m_log)
        << "the release over the control clicks it";
    EXPECT_EQ(nullptr, Manager().GetFocus());
    m_log.clear();
    m_window.SendMouse(WM_MOUSEMOVE, 120, 20);
    EXPECT_EQ((Log{"b:enter", "b:move"}), m_log) << "a is not told to leave twice";
}

} // namespace
