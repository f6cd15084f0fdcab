// The frame of a skinned window without a system frame: hit testing of the resize
// borders and the caption with controls in it, tracking sizes and the rounded region.

#include "TestSkinWindow.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using windowtest::CTestSkinWindow;
using windowtest::WindowRect;
using windowtest::WorkAreaOf;

namespace {

class WindowFrame : public windowtest::SkinWindowTest {
protected:
    void TearDown() override { ::DestroyWindow(m_window); }

    CTestSkinWindow m_window{L"Frame.xml"};
};

struct HitCase {
    int x; // negative: from the right edge
    int y; // negative: from the bottom edge
    LRESULT expected;
    const char* what;
};

[[nodiscard]] POINT ClientPoint(HWND hWnd, const HitCase& c)
{
    const RECT rc = windowtest::ClientRect(hWnd);
    return POINT{c.x >= 0 ? c.x : rc.right + c.x, c.y >= 0 ? c.y : rc.bottom + c.y};
}

[[nodiscard]] LRESULT HitTest(HWND hWnd, POINT client)
{
    ::ClientToScreen(hWnd, &client);
    return ::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(client.x, client.y));
}

// The skin's size box is 4 on each side and its caption the top 32 rows; the title is
// a label, "opt_caption" an option and the system buttons buttons.
TEST_F(WindowFrame, HitTestOverTheBordersAndTheCaptionRestoredAndMaximised)
{
    const HitCase restored[] = {
        {0, 0, HTTOPLEFT, "top-left corner"},       {3, 3, HTTOPLEFT, "inside the corner"},
        {200, 0, HTTOP, "top"},                     {-1, 0, HTTOPRIGHT, "top-right corner"},
        {0, 150, HTLEFT, "left"},                   {-4, 150, HTRIGHT, "right border's first column"},
        {-5, 150, HTCLIENT, "just inside the right"}, {0, -1, HTBOTTOMLEFT, "bottom-left corner"},
        {200, -4, HTBOTTOM, "bottom"},              {-1, -1, HTBOTTOMRIGHT, "bottom-right corner"},
        {4, 4, HTCAPTION, "caption past the corner"}, {60, 16, HTCAPTION, "title label"},
        {200, 16, HTCLIENT, "option in the caption"}, {328, 16, HTCLIENT, "minimise button"},
        {380, 16, HTCLIENT, "close button"},       {260, 16, HTCAPTION, "caption layout"},
        {260, 31, HTCAPTION, "caption's last row"}, {260, 32, HTCLIENT, "below the caption"},
        {200, 150, HTCLIENT, "body"},
    };
    const HitCase maximised[] = {
        {0, 0, HTCAPTION, "top-left corner"},   {1, 1, HTCAPTION, "near the corner"},
        {-1, 0, HTCAPTION, "top-right corner"}, {0, 150, HTCLIENT, "left edge"},
        {200, -1, HTCLIENT, "bottom edge"},      {60, 16, HTCAPTION, "title label"},
        {354, 16, HTCLIENT, "restore button"},   {260, 32, HTCLIENT, "below the caption"},
    };
    ASSERT_NE(nullptr, m_window.Open());
    for (const HitCase& c : restored) {
        EXPECT_EQ(c.expected, HitTest(m_window, ClientPoint(m_window, c))) << "restored: " << c.what;
    }
    ::ShowWindow(m_window, SW_MAXIMIZE);
    windowtest::PumpPending();
    ASSERT_EQ(WorkAreaOf(m_window), WindowRect(m_window)) << "maximised onto the work area";
    for (const HitCase& c : maximised) {
        EXPECT_EQ(c.expected, HitTest(m_window, ClientPoint(m_window, c))) << "maximised: " << c.what;
    }
}

TEST_F(WindowFrame, TrackingSizesFromMinInfoAndTheWorkArea)
{
    ASSERT_NE(nullptr, m_window.Open());
    MINMAXINFO info{};
    ::SendMessageW(m_window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    const RECT work = WorkAreaOf(m_window);
    EXPECT_EQ((POINT{320, 240}), info.ptMinTrackSize);
    EXPECT_EQ((POINT{work.right - work.left, work.bottom - work.top}), info.ptMaxTrackSize);
    ::SetWindowPos(m_window, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ((RECT{0, 0, 320, 240}), windowtest::ClientRect(m_window)) << "the system keeps to the minimum";
}

// Regions of the same pixels may be split into bands differently.
[[nodiscard]] bool SamePixels(HRGN a, HRGN b)
{
    HRGN difference = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = ::CombineRgn(difference, a, b, RGN_XOR);
    ::DeleteObject(difference);
    return kind == NULLREGION;
}

struct RegionCase {
    const wchar_t* markup;
    SIZE corner; // 0, 0: no region
};

TEST(WindowRegion, RoundedFromRoundCornerAfterEverySize)
{
    windowtest::SetUpFramework();
    const RegionCase cases[] = {{L"Frame.xml", {8, 8}}, {L"Bare.xml", {0, 0}}};
    for (const RegionCase& c : cases) {
        windowtest::ForgetSkinZip();
        CTestSkinWindow window(c.markup);
        ASSERT_NE(nullptr, window.Open());
        for (const SIZE size : {window.GetPaintManager().GetInitSize(), SIZE{500, 350}}) {
            ::SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            HRGN actual = ::CreateRectRgn(0, 0, 0, 0);
            const int kind = ::GetWindowRgn(window, actual);
            if (c.corner.cx == 0) {
                EXPECT_EQ(ERROR, kind) << "no region without round corners";
            } else {
                HRGN expected = ::CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, c.corner.cx, c.corner.cy);
                EXPECT_TRUE(SamePixels(expected, actual)) << size.cx << "x" << size.cy;
                EXPECT_FALSE(::PtInRegion(actual, size.cx - 1, size.cy - 1)) << "corner cut";
                EXPECT_TRUE(::PtInRegion(actual, size.cx - 1, size.cy / 2)) << "edge kept";
                ::DeleteObject(expected);
            }
            ::DeleteObject(actual);
        }
        ::DestroyWindow(window);
    }
}

} // namespace
