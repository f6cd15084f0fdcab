// The shadow on a real screen, under a compositing manager (the test script starts
// one): over a white backdrop, the pixels just outside a skinned window show the
// backdrop darkened but not covered, the window shows through the shadow's middle, and
// the backdrop beyond the shadow is untouched.

#include "TestSkinWindow.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

using windowtest::CTestSkinWindow;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

[[nodiscard]] COLORREF ScreenPixel(int x, int y)
{
    const HDC screen = ::GetDC(nullptr);
    const COLORREF pixel = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return pixel;
}

// A shade of grey strictly between black and white: the shadow blended over white.
[[nodiscard]] bool IsTranslucentShade(COLORREF pixel)
{
    const int r = GetRValue(pixel);
    return r == GetGValue(pixel) && r == GetBValue(pixel) && r > 0 && r < 255;
}

LRESULT CALLBACK BackdropProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

// A white popup under the window under test.
[[nodiscard]] HWND MakeBackdrop(const RECT& rc)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = &BackdropProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"ZvWhiteBackdrop";
    ::RegisterClassW(&wc);
    const HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, rc.left, rc.top, rc.right - rc.left,
                                        rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
    ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(hWnd);
    return hWnd;
}

TEST(ShadowOnScreen, TranslucentAroundTheWindowWithTheWindowShowingThrough)
{
    windowtest::SetUpFramework();
    const HWND backdrop = MakeBackdrop(RECT{40, 40, 640, 540});
    CTestSkinWindow window(L"Frame.xml");
    ASSERT_NE(nullptr, window.Open(150, 150));
    ::SetWindowPos(backdrop, window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // The window covers 150..549 × 150..449; its shadow reaches 9 pixels to the right
    // and 11 below.
    const POINT rightOfWindow{554, 300};
    const POINT belowWindow{350, 455};
    EXPECT_TRUE(windowtest::PumpUntil([&] {
        return IsTranslucentShade(ScreenPixel(rightOfWindow.x, rightOfWindow.y)) &&
               IsTranslucentShade(ScreenPixel(belowWindow.x, belowWindow.y));
    })) << std::hex << "right: " << ScreenPixel(rightOfWindow.x, rightOfWindow.y)
        << " below: " << ScreenPixel(belowWindow.x, belowWindow.y);
    EXPECT_EQ(RGB(0xE8, 0xF0, 0xF8), ScreenPixel(350, 300)) << "the window's body shows through";
    EXPECT_EQ(kWhite, ScreenPixel(600, 300)) << "beyond the shadow";
    ::DestroyWindow(window);
    ::DestroyWindow(backdrop);
}

} // namespace
