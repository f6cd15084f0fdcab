// The main window over the real engine: tabs, pop-ups, the error page, the configuration
// and the close sequence.
#include "MainWndFixture.h"

#include "app/AppDirectory.h"
#include "app/RemoteConfig.h"
#include "browser/CefHandler.h"
#include "browser/CefWebkitUI.h"
#include "controls/ScrollOptionUI.h"
#include "controls/ScrollTabUI.h"
#include "controls/ScrollTextButtonUI.h"
#include "duilib/core/PaintManager.h"
#include "tools/ConfigPacker.h"

#include <process.h>


namespace client_test {
namespace {

using MainWindow = MainWndFixture;

constexpr wchar_t kMatchTabText[] = L"英超 伦敦 vs 曼彻斯特 - ";

TEST_F(MainWindow, HomeTabAloneAndUnclosableWhileLeagueOptionsLoadOnlyIt)
{
    ASSERT_EQ(TabBar().GetTabCount(), 1);
    EXPECT_FALSE(TabBar().GetTabAt(0)->IsClosable());
    EXPECT_EQ(ShownUrl(View(0)), m_server.Url("/live"));
    OpenPopupTab("/match/1.html");
    ASSERT_TRUE(WaitForTabText(1, kMatchTabText));
    const struct {
        LPCTSTR option;
        const char* path;
    } options[] = {{L"opt_nba", "/live"}, {L"opt_zc", "/live"}, {L"opt_sy", "/"}};
    for (const auto& [option, path] : options) {
        const size_t before = RequestsFor(path);
        ClickControl(option);
        EXPECT_TRUE(enginetest::RunLoopUntil([&] { return RequestsFor(path) == before + 1; })) << option;
        EXPECT_TRUE(WaitForTabText(0, L"Zeltavue")) << option;
        EXPECT_EQ(TabBar().GetSelectedIndex(), 1) << option;
        EXPECT_EQ(ShownUrl(View(1)), m_server.Url("/match/1.html")) << option;
    }
}

TEST_F(MainWindow, PopupsBecomeClosableTabsFailedPagesTheErrorPageAndLocalLinksFollowTheSite)
{
    OpenPopupTab("/match/1.html");
    EXPECT_EQ(TabBar().GetSelectedIndex(), 1);
    EXPECT_TRUE(TabBar().GetTabAt(1)->IsClosable());
    EXPECT_TRUE(WaitForTabText(1, kMatchTabText));

    ClickLink(View(0), m_livePage, m_server.Url("/live"), m_unreachable);
    ASSERT_TRUE(enginetest::RunLoopUntil([&] { return TabBar().GetTabCount() == 3; }));
    EXPECT_TRUE(WaitForTabText(2, L"页面加载失败"));
    EXPECT_TRUE(enginetest::RunLoopUntil([&] { return ShownUrl(View(2)) == g_strAppDir + L"Html\\error.htm"; }));

    // A link of a local page to the site opens the site's page in the same tab.
    std::string localPage = "<a href=\"zeltavue://site/match/1.html\" target=\"_blank\">";
    for (int i = 0; i < 100; ++i) {
        localPage += "site ";
    }
    m_server.Serve("/local", {200, "text/html; charset=utf-8", "", localPage});
    View(2)->LoadURL(m_server.Url("/local").c_str());
    ASSERT_TRUE(enginetest::RunLoopUntil([&] { return ShownUrl(View(2)) == m_server.Url("/local"); }));
    ClickLink(View(2), localPage, m_server.Url("/local"), L"zeltavue://site/match/1.html");
    EXPECT_TRUE(enginetest::RunLoopUntil([&] { return ShownUrl(View(2)) == m_server.Url("/match/1.html"); }));
    EXPECT_EQ(TabBar().GetTabCount(), 3);
    EXPECT_EQ(TabBar().GetSelectedIndex(), 2);
}

TEST_F(MainWindow, ConfigurationFillsItsSlotsAndOnlyWebLinksAreOpened)
{
    m_server.Serve("/config.dat",
                   {200, "application/octet-stream", "",
                    PackConfigDocument("<config><StaticAd>"
                                       "<ad text='Opening match' url='/match/1.html'/>"
                                       "<ad text='Local program' url='C:\\Windows\\System32\\calc.exe'/>"
                                       "<ad text='Elsewhere' url='HTTPS://example.com/x'/></StaticAd>"
                                       "<ScrollAd><item><ad text='a' url='/match/1.html'/></item>"
                                       "<item><ad text='c' url='file:///C:/run.exe'/></item></ScrollAd></config>")});
    const uintptr_t thread = ::_beginthreadex(nullptr, 0, &ConfigThreadProc, m_hwnd, 0, nullptr);
    ASSERT_NE(thread, 0u);
    (void)::CloseHandle(reinterpret_cast<HANDLE>(thread));
    ASSERT_TRUE(enginetest::RunLoopUntil([&] { return Manager().FindControl(L"btn_topad1")->IsVisible(); }));

    const std::pair<LPCTSTR, LPCTSTR> topAds[] = {{L"btn_topad1", L"Opening match"}, {L"btn_topad2", L"Local program"},
                                                  {L"btn_topad3", L"Elsewhere"},     {L"btn_topad4", L""},
                                                  {L"btn_topad5", L""},              {L"btn_topad6", L""}};
    for (const auto& [name, text] : topAds) {
        const DuiLib::CControlUI* button = Manager().FindControl(name);
        EXPECT_EQ(button->IsVisible(), text[0] != L'\0') << name;
        EXPECT_STREQ(button->GetText().GetData(), text) << name;
    }
    // The rotation runs where the configuration gave texts: its pause timer is set.
    const std::pair<LPCTSTR, bool> rotating[] = {{L"stbtn_ad1", true}, {L"stbtn_ad2", true}, {L"stbtn_ad3", false}};
    for (const auto& [name, started] : rotating) {
        EXPECT_EQ(Manager().KillTimer(Manager().FindControl(name), CScrollTextButtonUI::kPauseTimerId), started) << name;
    }

    const std::wstring root = m_server.Url("");
    const std::pair<LPCTSTR, std::vector<std::pair<std::wstring, int>>> clicks[] = {
        {L"btn_topad1", {{root + L"/match/1.html", SW_SHOWNA}}},
        {L"btn_topad2", {}},
        {L"btn_topad3", {{L"HTTPS://example.com/x", SW_SHOWNA}}},
        {L"stbtn_ad1", {{root + L"/match/1.html", SW_SHOWNORMAL}}},
        {L"stbtn_ad2", {}},
        {L"btn_call", {{root + L"/", SW_SHOWNORMAL}}},
    };
    for (const auto& [name, opened] : clicks) {
        m_opener.opened.clear();
        ClickControl(name);
        EXPECT_EQ(m_opener.opened, opened) << name;
    }
    EXPECT_EQ(TabBar().GetTabCount(), 1);
}

TEST_F(MainWindow, CloseAsksEveryBrowserFirstAndThenEndsTheLoop)
{
    OpenPopupTab("/match/1.html");
    ASSERT_TRUE(WaitForTabText(1, kMatchTabText));
    OpenPopupTab("/slow");
    ASSERT_TRUE(WaitForTabText(2, L"页面加载中……"));
    ASSERT_EQ(CCefHandler::GetLiveBrowserCount(), 3);

    (void)::SendMessageW(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(m_hwnd)) << "the first request only asks the browsers to close";
    CefRunMessageLoop();
    EXPECT_FALSE(::IsWindow(m_hwnd));
    EXPECT_EQ(CCefHandler::GetLiveBrowserCount(), 0);
}

} // namespace
} // namespace client_test
