// Closing browsers: DoClose, the WM_CLOSE to the top-level window and OnBeforeClose,
// and that neither a stalled fetch nor a hung renderer holds any of it up.
#include <gmock/gmock.h>

#include <memory>
#include <string>

#include "EngineFixture.h"
#include "LoopbackHttpServer.h"
#include "common/Handles.h"

namespace enginetest {
namespace {

using ::testing::ElementsAre;

using CloseSequence = EngineFixture;

TEST_F(CloseSequence, ThreeBrowsersInOneWindowSendItExactlyOneClose)
{
    int live = 0;
    m_client->doClose = [&live](CefRefPtr<CefBrowser> browser) {
        // What the application's client does: every browser but the last leaves the window.
        if (--live > 0) {
            ::SetParent(browser->GetHost()->GetWindowHandle(), nullptr);
        }
        return false;
    };
    std::vector<HWND> windows;
    for (int i = 0; i < 3; ++i) {
        windows.push_back(CreateChild(L"")->GetHost()->GetWindowHandle());
        ++live;
    }
    const HWND host = m_host.Handle();
    for (const auto& browser : m_client->browsers) {
        browser->GetHost()->CloseBrowser(false);
    }
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"close") == 3; }));
    EXPECT_EQ(1, m_host.CloseMessages());
    EXPECT_FALSE(::IsWindow(host));
    for (const HWND window : windows) {
        EXPECT_FALSE(::IsWindow(window));
    }
    EXPECT_EQ(3, m_client->Count(L"doclose"));
}

TEST_F(CloseSequence, ClientThatHandlesTheCloseKeepsEverythingUntilForced)
{
    m_client->doClose = [](CefRefPtr<CefBrowser>) { return true; };
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    const HWND window = browser->GetHost()->GetWindowHandle();
    browser->GetHost()->CloseBrowser(false);
    Settle();
    EXPECT_EQ(1, m_client->Count(L"doclose"));
    EXPECT_EQ(0, m_host.CloseMessages());
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_EQ(0, m_client->Count(L"close"));

    browser->GetHost()->CloseBrowser(true);
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"close") == 1; }));
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(0, m_host.CloseMessages());
    EXPECT_EQ(nullptr, browser->GetHost()->GetWindowHandle());
}

TEST_F(CloseSequence, TopLevelBrowserClosedByItsFrameDestroysItself)
{
    CefWindowInfo info;
    info.SetAsPopup(nullptr, L"alone");
    CefRefPtr<CefBrowser> browser =
        CefBrowserHost::CreateBrowserSync(info, m_client.get(), L"", CefBrowserSettings(), nullptr);
    ASSERT_TRUE(browser);
    const HWND window = browser->GetHost()->GetWindowHandle();
    EXPECT_EQ(window, ::GetAncestor(window, GA_ROOT));
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"close") == 1; }));
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(1, m_client->Count(L"doclose"));
    EXPECT_EQ(0, m_host.CloseMessages());
}

TEST_F(CloseSequence, ShutdownClosesWhatIsLeftAndSendsNoMore)
{
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    const HWND window = browser->GetHost()->GetWindowHandle();
    CefShutdown();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(1, m_client->Count(L"close"));
    EXPECT_FALSE(browser->SendProcessMessage(PID_RENDERER, CefProcessMessage::Create(L"late")));
    ASSERT_TRUE(Initialise());
}

// The stalled fetch is the page's, or that of the style sheet the loaded page waits for.
class StalledCloseSequence : public CloseSequence, public ::testing::WithParamInterface<const char*> {};

TEST_P(StalledCloseSequence, StalledLoadHoldsUpNeitherCloseNorShutdownNorProcessEnd)
{
    // Never freed: the connection stays open until the process ends, so the fetch is still
    // blocked at CefShutdown and when this process (one per test under CTest) exits.
    auto* server = new LoopbackHttpServer();
    server->Serve("/page", {200, "text/html", "", "<link rel=stylesheet href=/stall>"});
    server->Serve("/stall", {200, "text/html", "", "", LoopbackHttpServer::Delivery::NeverAnswer});
    CefRefPtr<CefBrowser> browser = CreateChild(server->Url(GetParam()));
    const std::size_t requests = GetParam() == std::string("/page") ? 2 : 1;  // the page, then its sheet
    ASSERT_TRUE(RunLoopUntil([&] { return server->RequestHeads().size() == requests; }));
    browser->GetHost()->CloseBrowser(false);
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"close") == 1; }));
    browser = nullptr;
    m_client->browsers.clear();
    Settle();
    CefShutdown();
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"doclose", L"close"));
    ASSERT_TRUE(Initialise());
}

INSTANTIATE_TEST_SUITE_P(Fetch, StalledCloseSequence, ::testing::Values("/stall", "/page"),
    [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param).substr(1); });

TEST_F(CloseSequence, HungRendererHoldsUpNoCloseAndEndsByShutdown)
{
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    ASSERT_TRUE(browser->SendProcessMessage(PID_RENDERER, CefProcessMessage::Create(L"Test.Hang")));
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"message:Test.Hung") == 1; }));
    const auto rendererId = static_cast<DWORD>(m_client->messages.back()->GetArgumentList()->GetInt(0));
    const UniqueKernelHandle renderer(::OpenProcess(SYNCHRONIZE, FALSE, rendererId));
    ASSERT_TRUE(renderer);
    auto aliveAtClose = std::make_shared<bool>(false);
    m_client->beforeClose = [aliveAtClose, process = renderer.get()] {
        *aliveAtClose = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    };
    browser->GetHost()->CloseBrowser(false);
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"close") == 1; }));
    EXPECT_TRUE(*aliveAtClose);
    CefShutdown();
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(renderer.get(), 0));
    ASSERT_TRUE(Initialise());
}

} // namespace
} // namespace enginetest
