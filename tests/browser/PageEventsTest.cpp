// What the client of a view reports and answers with the real engine: loads in order,
// pop-ups, the context menu with the clipboard, and the close of several browsers.
#include <gmock/gmock.h>

#include "MenuUser.h"
#include "PageProbe.h"
#include "ViewFixture.h"
#include "browser/ClipboardText.h"
#include "engine/browser/MenuPresenter.h"

namespace browser_test {
namespace {

using ::testing::ElementsAre;
using enginetest::MenuUser;

using PageEvents = ViewFixture;

// Two 200 × 200 images side by side on one line, the first one inside a pop-up link.
const char kImagesPage[] = "<a href=\"/match\" target=\"_blank\"><img src=\"/a.png\" width=\"200\" height=\"200\"></a>"
                           "<img src=\"/b.png\" width=\"200\" height=\"200\">";
constexpr POINT kOnLinkedImage{100, 100};
constexpr POINT kOnPlainImage{300, 100};
constexpr POINT kOnPage{600, 400};

std::wstring ClipboardText()
{
    std::wstring text = L"(nothing)";
    if (!::OpenClipboard(nullptr)) {
        return text;
    }
    if (const HANDLE block = ::GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(::GlobalLock(block));
        (void)::GlobalUnlock(block);
    }
    (void)::CloseClipboard();
    return text;
}

TEST_F(PageEvents, MainFrameLoadsReachTheWindowInOrder)
{
    const std::wstring match = ServePage("/match", "Match day");
    m_server.Serve("/gone", {404, "text/html", "", "<title>Gone</title>"});
    const std::wstring refused =
        L"http://127.0.0.1:" + std::to_wstring(enginetest::LoopbackHttpServer::ClosedPort()) + L"/";
    CCefWebkitUI* view = AddView(match);
    ASSERT_TRUE(WaitForLoads(view, 1));
    view->LoadURL(m_server.Url("/gone").c_str());
    ASSERT_TRUE(WaitForLoads(view, 2));
    view->LoadURL(refused.c_str());
    ASSERT_TRUE(WaitForLoads(view, 3));
    view->LoadURL(refused.c_str());
    view->LoadURL(match.c_str()); // supersedes the first: no error for it
    ASSERT_TRUE(WaitForLoads(view, 4));
    EXPECT_THAT(m_recorder.Of(view), ElementsAre(L"start", L"title:Match day", L"end", L"start", L"title:Gone",
                                                 L"end", L"start", L"error:" + refused, L"start", L"start",
                                                 L"title:Match day", L"end"));
}

TEST_F(PageEvents, PopupBecomesTheWindowsRequestAndNoEngineWindow)
{
    m_server.Serve("/images", {200, "text/html", "", kImagesPage});
    CCefWebkitUI* view = AddView(m_server.Url("/images"));
    ASSERT_TRUE(WaitForLoads(view, 1));
    Layout();
    enginetest::Click(view->GetBrowserWindow(), kOnLinkedImage);
    ASSERT_TRUE(enginetest::RunLoopUntil([&] { return m_recorder.Count(view, L"popup:" + m_server.Url("/match")); }));
    enginetest::Settle();
    EXPECT_EQ(1, CCefHandler::GetLiveBrowserCount());
    EXPECT_EQ(4u, m_recorder.Of(view).size()); // start, title, end, popup: the page stayed
}

TEST_F(PageEvents, ContextMenuIsShapedAndCopiesTheLinkAddress)
{
    const std::vector<std::wstring> pageMenu = {L"100 Back (off)", L"101 Forward (off)", L"-", L"102 刷新",
                                                L"103 重新加载"};
    std::vector<std::wstring> imageMenu = pageMenu;
    imageMenu.push_back(L"26501 复制图片");
    struct MenuCase {
        const char* name;
        POINT at;
        int choice;
        std::vector<std::wstring> menu;
        std::wstring clipboard;
    };
    const MenuCase cases[] = {
        {"page", kOnPage, 0, pageMenu, L"before"},
        {"image in a link", kOnLinkedImage, 26501, imageMenu, m_server.Url("/match")},
        {"image without a link", kOnPlainImage, 26501, imageMenu, L""},
    };
    m_server.Serve("/images", {200, "text/html", "", kImagesPage});
    CCefWebkitUI* view = AddView(m_server.Url("/images"));
    ASSERT_TRUE(WaitForLoads(view, 1));
    Layout();
    engine::SetMenuPresenterForTesting(&MenuUser::Present);
    for (const auto& c : cases) {
        ASSERT_TRUE(CopyTextToClipboard(L"before"));
        MenuUser::shown.clear();
        MenuUser::choice = c.choice;
        enginetest::Click(view->GetBrowserWindow(), c.at, true);
        ASSERT_TRUE(enginetest::RunLoopUntil([] { return !MenuUser::shown.empty(); })) << c.name;
        enginetest::Settle();
        EXPECT_EQ(c.menu, MenuUser::shown) << c.name;
        EXPECT_EQ(c.clipboard, ClipboardText()) << c.name;
    }
    engine::SetMenuPresenterForTesting(nullptr);
}

TEST_F(PageEvents, ClosingThreeBrowsersSendsTheWindowOneClose)
{
    CCefWebkitUI* views[] = {AddView(L""), AddView(L""), AddView(L"", nullptr, false)};
    const HWND windows[] = {views[0]->GetBrowserWindow(), views[1]->GetBrowserWindow()};
    for (CCefWebkitUI* view : views) {
        view->CloseBrowser(); // the last one before its browser arrived
    }
    ASSERT_TRUE(enginetest::RunLoopUntil([&] { return m_window.Unhandled(WM_CLOSE) > 0; }));
    enginetest::Settle();
    EXPECT_EQ(1, m_window.Unhandled(WM_CLOSE)); // the two detached first went without one
    EXPECT_EQ(0, CCefHandler::GetLiveBrowserCount());
    for (const HWND window : windows) {
        EXPECT_FALSE(::IsWindow(window));
    }
}

} // namespace
} // namespace browser_test
