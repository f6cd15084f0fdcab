// Closing browsers: DoClose, the WM_CLOSE to the top-level window and OnBeforeClose.
#include <gmock/gmock.h>

#include "EngineFixture.h"

namespace enginetest {
namespace {

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
    const CefSettings settings;
    ASSERT_TRUE(CefInitialize(CefMainArgs(::GetModuleHandleW(nullptr)), settings, nullptr));
}

} // namespace
} // namespace enginetest
