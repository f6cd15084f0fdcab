// Skinned windows driven by real clicks through the system's input queue: the
// system buttons, a double click on the caption, and the shadow following each state.
// Nothing else may run meanwhile, as the mouse is shared.

#include "TestSkinWindow.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using windowtest::ClickAt;
using windowtest::CTestSkinWindow;
using windowtest::Grown;
using windowtest::PumpUntil;
using windowtest::ShadowOf;
using windowtest::WindowRect;

namespace {

class WindowInput : public windowtest::SkinWindowTest {};

TEST_F(WindowInput, SystemButtonsByRealClicksWithTheShadowFollowing)
{
    CTestSkinWindow window(L"Frame.xml");
    ASSERT_NE(nullptr, window.Open());
    const HWND shadow = ShadowOf(window);
    ASSERT_NE(nullptr, shadow) << "made at the first paint";
    const auto expectRestored = [&](const char* step) {
        EXPECT_TRUE(window.IsControlVisible(L"btn_sys_max")) << step;
        EXPECT_FALSE(window.IsControlVisible(L"btn_sys_restore")) << step;
        EXPECT_TRUE(::IsWindowVisible(shadow)) << step;
        EXPECT_EQ(Grown(WindowRect(window), 5, 5, 9, 11), WindowRect(shadow)) << step;
    };
    const auto expectMaximised = [&](const char* step) {
        EXPECT_FALSE(window.IsControlVisible(L"btn_sys_max")) << step;
        EXPECT_TRUE(window.IsControlVisible(L"btn_sys_restore")) << step;
        EXPECT_FALSE(::IsWindowVisible(shadow)) << step;
    };
    expectRestored("opened");

    ClickAt(window, POINT{354, 16}); // maximise
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(window) != FALSE; }));
    expectMaximised("maximise button");
    ClickAt(window, POINT{354, 16}); // the restore button, in the maximise button's place
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(window) == FALSE; }));
    expectRestored("restore button");

    ClickAt(window, POINT{60, 16}, 2); // double click on the title
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(window) != FALSE; }));
    expectMaximised("caption double click");
    ClickAt(window, POINT{60, 16}, 2);
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(window) == FALSE; }));
    expectRestored("caption double click again");

    ClickAt(window, POINT{328, 16}); // minimise
    ASSERT_TRUE(PumpUntil([&] { return ::IsIconic(window) != FALSE; }));
    EXPECT_FALSE(::IsWindowVisible(shadow)) << "minimised";
    ::ShowWindow(window, SW_RESTORE);
    windowtest::PumpPending();
    expectRestored("restored from minimised");
    EXPECT_EQ((std::vector<std::string>{"click:btn_sys_max", "click:btn_sys_restore", "click:btn_sys_min"}),
              window.clicks);
    ::DestroyWindow(window);
}

} // namespace
