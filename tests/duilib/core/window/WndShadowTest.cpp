// The shadow window: a layered click-through popup owned by its parent that appears
// once the parent has painted (not while it is maximised), follows its moves and
// sizes, hides while the parent is maximised, minimised or hidden and comes back on
// restore; the computed shadow follows the parent's window region.

#include "WindowTestSupport.h"

#include "duilib/core/PaintManager.h"
#include "duilib/core/WndShadow.h"
#include "tests/duilib/support/TestWindow.h"

#include <gtest/gtest.h>

#include <vector>

using windowtest::Grown;
using windowtest::PumpPending;
using windowtest::WindowRect;

namespace {

class CShadowProbe final : public DuiLib::CWndShadow {
public:
    using CWndShadow::MakeShadow;
};

class WndShadow : public testing::Test {
protected:
    static void SetUpTestSuite() { (void)DuiLib::CWndShadow::Initialize(::GetModuleHandleW(nullptr)); }
};

TEST_F(WndShadow, InitializesOncePerProcess)
{
    EXPECT_TRUE(DuiLib::CWndShadow::IsInitialized());
    EXPECT_FALSE(DuiLib::CWndShadow::Initialize(::GetModuleHandleW(nullptr)));
}

TEST_F(WndShadow, SettersRefuseValuesOutOfRange)
{
    DuiLib::CWndShadow shadow;
    EXPECT_FALSE(shadow.SetSize(21));
    EXPECT_FALSE(shadow.SetSize(-21));
    EXPECT_TRUE(shadow.SetSize(-20));
    EXPECT_TRUE(shadow.SetSize(20));
    EXPECT_FALSE(shadow.SetSharpness(21));
    EXPECT_TRUE(shadow.SetSharpness(20));
    EXPECT_FALSE(shadow.SetDarkness(256));
    EXPECT_TRUE(shadow.SetDarkness(255));
    EXPECT_FALSE(shadow.SetPosition(21, 0));
    EXPECT_FALSE(shadow.SetPosition(0, -21));
    EXPECT_TRUE(shadow.SetPosition(-20, 20));
    EXPECT_TRUE(shadow.SetColor(RGB(1, 2, 3)));
}

struct ModeCase {
    const char* name;
    const wchar_t* image; // empty: computed
    RECT grow;            // how the shadow's rectangle lies around the parent's
};

void PrintTo(const ModeCase& c, std::ostream* os)
{
    *os << c.name;
}

class WndShadowModes : public WndShadow, public testing::WithParamInterface<ModeCase> {};

TEST_P(WndShadowModes, FollowsTheParentAndHidesWhileMaximisedMinimisedOrHidden)
{
    const ModeCase& c = GetParam();
    probe::TestWindow parent(200, 100, true, 0, 120, 110);
    DuiLib::CWndShadow shadow;
    shadow.SetBkImage(c.image);
    shadow.SetBorder(RECT{5, 5, 9, 11});
    ASSERT_TRUE(shadow.SetSize(3));
    shadow.Create(parent.Hwnd(), &parent.Manager());
    const HWND hShadow = shadow.GetHWND();
    ASSERT_NE(nullptr, hShadow);
    EXPECT_EQ(parent.Hwnd(), ::GetWindow(hShadow, GW_OWNER));
    EXPECT_EQ(WS_EX_LAYERED | WS_EX_TRANSPARENT,
              ::GetWindowLongPtrW(hShadow, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT));
    EXPECT_FALSE(::IsWindowVisible(hShadow)) << "not before the parent has painted";

    const auto expectShownAround = [&](const char* step) {
        PumpPending();
        EXPECT_TRUE(::IsWindowVisible(hShadow)) << step;
        const RECT rc = WindowRect(parent.Hwnd());
        EXPECT_EQ(Grown(rc, c.grow.left, c.grow.top, c.grow.right, c.grow.bottom), WindowRect(hShadow)) << step;
    };
    const auto expectHidden = [&](const char* step) {
        PumpPending();
        EXPECT_FALSE(::IsWindowVisible(hShadow)) << step;
    };
    ::ShowWindow(parent.Hwnd(), SW_MAXIMIZE);
    shadow.SetPrepared();
    expectHidden("painted first while maximised");
    ::ShowWindow(parent.Hwnd(), SW_RESTORE);
    expectShownAround("restored after the first paint");
    ::SetWindowPos(parent.Hwnd(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    expectShownAround("moved");
    ::SetWindowPos(parent.Hwnd(), nullptr, 0, 0, 260, 140, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    expectShownAround("sized");
    ::ShowWindow(parent.Hwnd(), SW_MAXIMIZE);
    expectHidden("maximised");
    ::ShowWindow(parent.Hwnd(), SW_RESTORE);
    expectShownAround("restored from maximised");
    ::ShowWindow(parent.Hwnd(), SW_MINIMIZE);
    expectHidden("minimised");
    ::ShowWindow(parent.Hwnd(), SW_RESTORE);
    expectShownAround("restored from minimised");
    ::ShowWindow(parent.Hwnd(), SW_HIDE);
    expectHidden("parent hidden");
    ::ShowWindow(parent.Hwnd(), SW_SHOWNOACTIVATE);
    expectShownAround("parent shown again");
}

// The computed shadow lies 5 right and down of the parent, grown by the size of 3.
INSTANTIATE_TEST_SUITE_P(Modes, WndShadowModes,
                         testing::Values(ModeCase{"Image", L"file='missing.png'", {5, 5, 9, 11}},
                                         ModeCase{"Computed", L"", {3 - 5, 3 - 5, 3 + 5, 3 + 5}}),
                         [](const testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

TEST_F(WndShadow, ComputedShadowTakesTheShapeOfTheWindowRegion)
{
    probe::TestWindow parent(60, 40, true);
    // Rounded by a 20-pixel ellipse: the corner pixels are cut, the edges' middles kept.
    ::SetWindowRgn(parent.Hwnd(), ::CreateRoundRectRgn(0, 0, 61, 41, 20, 20), TRUE);
    CShadowProbe shadow;
    ASSERT_TRUE(shadow.SetSharpness(0));
    ASSERT_TRUE(shadow.SetPosition(10, 10));
    const RECT rcParent = WindowRect(parent.Hwnd());
    std::vector<DWORD> bits(60 * 40);
    shadow.MakeShadow(bits.data(), parent.Hwnd(), &rcParent);
    const auto alphaAt = [&bits](int x, int y) { return bits[static_cast<size_t>(y * 60 + x)] >> 24; };
    EXPECT_EQ(150U, alphaAt(59, 20)) << "right edge, beside the window 10 pixels up and left";
    EXPECT_EQ(150U, alphaAt(30, 39)) << "bottom edge";
    EXPECT_EQ(0U, alphaAt(59, 39)) << "rounded corner";
    EXPECT_EQ(0U, alphaAt(40, 20)) << "under the window";
    EXPECT_EQ(0U, alphaAt(1, 38)) << "bottom-left corner of the region is rounded off";
    EXPECT_EQ(150U, alphaAt(12, 38)) << "bottom edge beside that corner";
}

} // namespace
