// The window object and its native window: the object is carried from creation to
// the final message for an own class and for a superclass, subclassing, the modal
// loop, centring, client sizing, style changes, full screen and icons.

#include "WindowTestSupport.h"

#include "duilib/core/PaintManager.h"
#include "duilib/core/WindowWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using windowtest::ClientRect;
using windowtest::WindowRect;
using windowtest::WorkAreaOf;

namespace {

constexpr UINT kProbe = WM_APP + 7;
constexpr int kIconResource = 101;

class CTestWnd : public DuiLib::CWindowWnd {
public:
    explicit CTestWnd(LPCTSTR className = L"ZvTestWnd", LPCTSTR superClass = nullptr)
        : m_className(className), m_superClass(superClass)
    {
    }

    HWND CreatePopup(HWND owner = nullptr, DWORD style = WS_POPUP, RECT rc = {100, 100, 400, 300})
    {
        return Create(owner, L"test", style, 0, rc);
    }

    std::vector<UINT> seen;
    HWND handleAtCreate = nullptr;
    int finalCalls = 0;
    HWND finalHwnd = nullptr;
    HWND handleAtFinal = reinterpret_cast<HWND>(1);
    std::vector<BOOL> ownerEnabledOnProbe;
    bool refuseCreate = false;
    bool* deletedOnFinal = nullptr; // set: the object deletes itself there

protected:
    [[nodiscard]] LPCTSTR GetWindowClassName() const override { return m_className; }
    [[nodiscard]] LPCTSTR GetSuperClassName() const override { return m_superClass; }

    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(uMsg);
        if (uMsg == WM_CREATE) {
            handleAtCreate = m_hWnd;
            if (refuseCreate) {
                return -1;
            }
        }
        if (uMsg == kProbe) {
            ownerEnabledOnProbe.push_back(::IsWindowEnabled(::GetWindow(m_hWnd, GW_OWNER)));
            Close(static_cast<UINT>(wParam));
            return 0;
        }
        return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    }

    void OnFinalMessage(HWND hWnd) override
    {
        ++finalCalls;
        finalHwnd = hWnd;
        handleAtFinal = m_hWnd;
        if (deletedOnFinal != nullptr) {
            *deletedOnFinal = true;
            delete this;
        }
    }

private:
    LPCTSTR m_className;
    LPCTSTR m_superClass;
};

[[nodiscard]] bool Saw(const CTestWnd& wnd, UINT msg)
{
    return std::find(wnd.seen.begin(), wnd.seen.end(), msg) != wnd.seen.end();
}

class WindowWnd : public testing::Test {
protected:
    void SetUp() override { DuiLib::CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr)); }
};

TEST_F(WindowWnd, OwnClassAndSuperclassCarryTheObjectFromCreationToTheFinalMessage)
{
    const struct {
        const wchar_t* className;
        const wchar_t* superClass;
        bool inUserData;    // else in the window property
        LRESULT dialogCode; // WM_GETDLGCODE through the previous procedure
    } cases[] = {{L"ZvOwnClass", nullptr, true, 0},
                 {L"ZvSuperButton", L"BUTTON", false, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON}};
    for (const auto& c : cases) {
        CTestWnd wnd(c.className, c.superClass);
        const HWND hWnd = wnd.CreatePopup();
        ASSERT_NE(nullptr, hWnd);
        EXPECT_EQ(hWnd, wnd.GetHWND());
        EXPECT_EQ(hWnd, wnd.handleAtCreate);
        EXPECT_TRUE(Saw(wnd, WM_NCCREATE));
        EXPECT_EQ(c.inUserData ? &wnd : nullptr, reinterpret_cast<CTestWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA)));
        EXPECT_EQ(c.inUserData ? nullptr : &wnd, ::GetPropW(hWnd, L"WndX"));
        EXPECT_EQ(c.dialogCode, wnd.SendMessage(WM_GETDLGCODE));

        ::DestroyWindow(hWnd);
        EXPECT_EQ(1, wnd.finalCalls);
        EXPECT_EQ(hWnd, wnd.finalHwnd);
        EXPECT_EQ(nullptr, wnd.handleAtFinal);
        EXPECT_EQ(nullptr, wnd.GetHWND());
        EXPECT_FALSE(Saw(wnd, WM_NCDESTROY)) << "the final message ends in OnFinalMessage";
    }
}

TEST_F(WindowWnd, ObjectThatDeletesItselfWhenCreationIsRefused)
{
    bool deleted = false;
    auto* wnd = new CTestWnd(L"ZvRefusing");
    wnd->refuseCreate = true;
    wnd->deletedOnFinal = &deleted;
    EXPECT_EQ(nullptr, wnd->CreatePopup());
    EXPECT_TRUE(deleted);
}

TEST_F(WindowWnd, SubclassRoutesAnExistingWindowUntilUnsubclassed)
{
    const HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
    CTestWnd wnd;
    ASSERT_EQ(hWnd, wnd.Subclass(hWnd));
    wchar_t text[8] = {};
    EXPECT_EQ(4, ::SendMessageW(hWnd, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text))) << "the old procedure answers";
    EXPECT_TRUE(Saw(wnd, WM_GETTEXT));
    wnd.Unsubclass();
    wnd.seen.clear();
    ::SendMessageW(hWnd, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text));
    EXPECT_TRUE(wnd.seen.empty());

    CTestWnd again;
    ASSERT_EQ(hWnd, again.Subclass(hWnd));
    ::DestroyWindow(hWnd);
    EXPECT_EQ(1, again.finalCalls);
}

TEST_F(WindowWnd, ModalLoopReturnsTheCloseCodeWithTheOwnerDisabledMeanwhile)
{
    CTestWnd owner(L"ZvOwner");
    owner.CreatePopup(nullptr, WS_POPUP | WS_VISIBLE);
    CTestWnd dialog(L"ZvDialog");
    dialog.CreatePopup(owner);
    dialog.PostMessage(kProbe, 42);
    EXPECT_EQ(42U, dialog.ShowModal());
    EXPECT_EQ(std::vector<BOOL>{FALSE}, dialog.ownerEnabledOnProbe);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_FALSE(::IsWindow(dialog.GetHWND()));
    ::DestroyWindow(owner);

    // A WM_QUIT ends the loop early and is posted again for the outer loop.
    CTestWnd quitting(L"ZvDialog");
    quitting.CreatePopup();
    ::PostQuitMessage(7);
    EXPECT_EQ(0U, quitting.ShowModal());
    EXPECT_TRUE(::IsWindow(quitting));
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7U, msg.wParam);
    ::DestroyWindow(quitting);
}

TEST_F(WindowWnd, CentresOnTheShownOwnerElseOnTheWorkArea)
{
    const struct {
        const char* name;
        int width;
        bool owned;
        bool ownerVisible;
    } cases[] = {{"alone", 301, false, false},
                 {"on its owner", 301, true, true},
                 {"hidden owner", 301, true, false},
                 {"wider than the work area", 5000, false, false}};
    for (const auto& c : cases) {
        CTestWnd owner(L"ZvOwner");
        owner.CreatePopup(nullptr, WS_POPUP | (c.ownerVisible ? WS_VISIBLE : 0), RECT{50, 60, 451, 361});
        CTestWnd wnd;
        wnd.CreatePopup(c.owned ? owner.GetHWND() : nullptr, WS_POPUP, RECT{0, 0, c.width, 101});
        wnd.CenterWindow();

        const RECT work = WorkAreaOf(wnd);
        const RECT centre = c.owned && c.ownerVisible ? WindowRect(owner) : work;
        LONG left = (centre.left + centre.right) / 2 - c.width / 2;
        left = std::max(work.left, std::min(left, work.right - c.width));
        const LONG top = (centre.top + centre.bottom) / 2 - 101 / 2;
        EXPECT_EQ((RECT{left, top, left + c.width, top + 101}), WindowRect(wnd)) << c.name;
        ::DestroyWindow(wnd);
        ::DestroyWindow(owner);
    }
}

TEST_F(WindowWnd, ClientSizeCountsTheFrameAndStyleChangesReportThemselves)
{
    CTestWnd wnd;
    wnd.CreatePopup(nullptr, WS_OVERLAPPEDWINDOW);
    const RECT before = WindowRect(wnd);
    const LONG clientHeight = ClientRect(wnd).bottom;
    wnd.ResizeClient(250, -1);
    EXPECT_EQ((RECT{0, 0, 250, clientHeight}), ClientRect(wnd));
    EXPECT_EQ(before.left, WindowRect(wnd).left);
    EXPECT_EQ(before.top, WindowRect(wnd).top);

    EXPECT_FALSE(wnd.ModifyStyle(0, WS_CAPTION)) << "unchanged";
    EXPECT_TRUE(wnd.ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED));
    EXPECT_EQ(0, ::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_EQ(WS_EX_TOOLWINDOW, ::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    ::DestroyWindow(wnd);
}

TEST_F(WindowWnd, FullScreenCoversTheWorkAreaAndRestoresTheFramedWindowExactly)
{
    CTestWnd wnd;
    wnd.CreatePopup(nullptr, WS_OVERLAPPEDWINDOW, RECT{120, 90, 520, 390});
    const RECT before = WindowRect(wnd);
    wnd.FullScreen();
    EXPECT_EQ(WorkAreaOf(wnd), WindowRect(wnd));
    EXPECT_TRUE(::IsWindowVisible(wnd));
    wnd.RestoreScreen();
    EXPECT_EQ(before, WindowRect(wnd));
    ::DestroyWindow(wnd);
}

TEST_F(WindowWnd, IconsFromTheProgramResourceAtRoundedSize)
{
    CTestWnd wnd;
    wnd.CreatePopup();
    wnd.SetIcon(kIconResource + 1); // no such icon: nothing set
    EXPECT_EQ(0, wnd.SendMessage(WM_GETICON, ICON_BIG));
    wnd.SetIcon(kIconResource);
    const int side = (::GetSystemMetrics(SM_CXICON) + 15) & ~15;
    for (const WPARAM kind : {ICON_BIG, ICON_SMALL}) {
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(reinterpret_cast<HICON>(wnd.SendMessage(WM_GETICON, kind)), &info));
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(side, bitmap.bmWidth);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
    ::DestroyWindow(wnd);
}

} // namespace
