// Skinned windows end to end: the skin from each of its four sources, a skin without
// the optional parts, Alt+F4 through the close button, the routing of messages to
// HandleCustomMessage, and the message box of a skin that cannot load.

#include "TestSkinWindow.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>

using windowtest::CTestSkinWindow;
using windowtest::ShadowOf;
using windowtest::WindowRect;

namespace {

class WindowImplBaseTest : public windowtest::SkinWindowTest {};

TEST_F(WindowImplBaseTest, SkinBuiltOnCreateFromEachSource)
{
    // The frame skin of each source carries the source's name as its title.
    const struct {
        DuiLib::UILIB_RESOURCETYPE type;
        const wchar_t* markup;
        const wchar_t* title;
    } cases[] = {{DuiLib::UILIB_FROM_FOLDER, L"Frame.xml", L"folder"},
                 {DuiLib::UILIB_FROM_ZIPFILE, L"Frame.xml", L"zip"},
                 {DuiLib::UILIB_FROM_RESOURCE, L"201", L"resource"},
                 {DuiLib::UILIB_FROM_ZIPRESOURCE, L"Frame.xml", L"zipresource"}};
    for (const auto& c : cases) {
        windowtest::ForgetSkinZip();
        CTestSkinWindow window(c.markup, c.type);
        ASSERT_NE(nullptr, window.Open());
        EXPECT_EQ(c.title, window.ControlText(L"title"));
        EXPECT_TRUE(window.IsControlVisible(L"btn_sys_close")) << c.title;
        EXPECT_TRUE(window.IsControlVisible(L"btn_sys_max")) << c.title;
        EXPECT_FALSE(window.IsControlVisible(L"btn_sys_restore")) << "hidden until maximised";
        EXPECT_EQ(0, ::GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION);
        EXPECT_EQ((RECT{0, 0, 400, 300}), windowtest::ClientRect(window)) << "the skin's size";
        EXPECT_EQ(100, WindowRect(window).left) << "the window stays where it was created";
        EXPECT_NE(nullptr, window.GetPaintManager().GetImage(L"Aero.png")) << "the shadow image, same source";
        ::DestroyWindow(window);
    }
}

TEST_F(WindowImplBaseTest, MissingZipResourceLeavesTheWindowWithoutSkin)
{
    CTestSkinWindow window(L"Frame.xml", DuiLib::UILIB_FROM_ZIPRESOURCE, MAKEINTRESOURCEW(103));
    ASSERT_NE(nullptr, window.Open());
    EXPECT_EQ(nullptr, window.GetPaintManager().GetRoot());
    ::DestroyWindow(window);
}

TEST_F(WindowImplBaseTest, SkinWithoutOptionalPartsOpensAndWorks)
{
    CTestSkinWindow bare(L"Bare.xml");
    ASSERT_NE(nullptr, bare.Open());
    EXPECT_EQ(L"bare", bare.ControlText(L"title"));
    EXPECT_EQ(nullptr, ShadowOf(bare)) << "no shadow asked for";
    POINT caption{60, 16};
    ::ClientToScreen(bare, &caption);
    EXPECT_EQ(HTCAPTION, ::SendMessageW(bare, WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)));

    CTestSkinWindow noImage(L"NoShadowImage.xml");
    ASSERT_NE(nullptr, noImage.Open(500, 80));
    EXPECT_EQ(L"no shadow image", noImage.ControlText(L"title"));
    const HWND shadow = ShadowOf(noImage);
    ASSERT_NE(nullptr, shadow) << "the shadow window exists, only its image does not";
    EXPECT_EQ(windowtest::Grown(WindowRect(noImage), 5, 5, 9, 11), WindowRect(shadow));
    ::DestroyWindow(noImage);
    ::DestroyWindow(bare);
}

struct AltF4Case {
    const wchar_t* markup;
    int closeRequests;
    std::vector<std::string> clicks;
};

TEST_F(WindowImplBaseTest, AltF4GoesThroughTheCloseButtonOnly)
{
    const AltF4Case cases[] = {{L"Frame.xml", 1, {"click:btn_sys_close"}}, {L"Bare.xml", 0, {}}};
    for (const AltF4Case& c : cases) {
        windowtest::ForgetSkinZip();
        CTestSkinWindow window(c.markup);
        ASSERT_NE(nullptr, window.Open());
        // Alt+F4 as the keyboard delivers it: F4 with the Alt context bit.
        ::PostMessageW(window, WM_SYSKEYDOWN, VK_F4, 0x203E0001);
        windowtest::PumpThroughFramework();
        windowtest::PumpThroughFramework();
        EXPECT_EQ(c.closeRequests, window.closeRequests) << testing::PrintToString(std::wstring(c.markup));
        EXPECT_EQ(c.clicks, window.clicks);
        EXPECT_TRUE(::IsWindow(window));
        ::DestroyWindow(window);
    }
}

TEST_F(WindowImplBaseTest, UnhandledMessagesReachHandleCustomMessageFirst)
{
    CTestSkinWindow window(L"Frame.xml");
    window.takenMessage = WM_APP + 3;
    ASSERT_NE(nullptr, window.Open());
    window.custom.clear();
    ::SetWindowPos(window, nullptr, 0, 0, 450, 320, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(window, WM_NCHITTEST, 0, 0);
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(77, ::SendMessageW(window, WM_APP + 3, 0, 0));
    EXPECT_EQ(0, ::SendMessageW(window, WM_APP + 4, 0, 0)) << "unhandled everywhere: the default procedure";
    const auto saw = [&window](UINT msg) {
        return std::find(window.custom.begin(), window.custom.end(), msg) != window.custom.end();
    };
    EXPECT_TRUE(saw(WM_SIZE)) << "the base's size handling leaves it unhandled";
    EXPECT_TRUE(saw(WM_CLOSE));
    EXPECT_TRUE(saw(WM_APP + 3));
    EXPECT_TRUE(saw(WM_APP + 4));
    EXPECT_FALSE(saw(WM_NCHITTEST)) << "the base answers it";
    EXPECT_EQ(1, window.closeRequests);
    ::DestroyWindow(window);
}

struct MessageBoxContent {
    std::wstring text;
    HICON icon = nullptr;
};

BOOL CALLBACK ReadMessageBoxPart(HWND child, LPARAM lParam)
{
    auto* content = reinterpret_cast<MessageBoxContent*>(lParam);
    if ((::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        content->icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
        return TRUE;
    }
    wchar_t text[64] = {};
    ::GetWindowTextW(child, text, 64);
    if (std::wstring(text) == L"加载资源文件失败") {
        content->text = text;
    }
    return TRUE;
}

// Runs in a child process: a watcher thread reads the message box the window shows
// and presses its OK button; the window then ends the process.
void OpenUnloadableSkin()
{
    std::thread watcher([] {
        HWND box = nullptr;
        for (int i = 0; i < 500 && box == nullptr; ++i) {
            box = ::FindWindowW(L"#32770", L"Duilib");
            (void)::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, 0); // a pause while it is not there yet
        }
        MessageBoxContent content;
        ::EnumChildWindows(box, &ReadMessageBoxPart, reinterpret_cast<LPARAM>(&content));
        const bool expected = !content.text.empty() && content.icon == ::LoadIconW(nullptr, IDI_ERROR);
        std::fputs(expected ? "box: skin failed to load, error icon\n" : "box: unexpected\n", stderr);
        std::fflush(stderr);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    watcher.detach();
    CTestSkinWindow window(L"Missing.xml");
    (void)window.Open();
}

TEST_F(WindowImplBaseTest, SkinThatCannotLoadEndsTheProgramAfterTheMessageBox)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(OpenUnloadableSkin(), testing::ExitedWithCode(1), "box: skin failed to load, error icon");
}

} // namespace
