// The application's browser-process handler around initialisation and renderer launch.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace enginetest {
namespace {

class RecordingApp final : public CefApp, public CefBrowserProcessHandler {
public:
    CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() override { return this; }
    void OnContextInitialized() override { ++contextInitialized; }
    void OnBeforeChildProcessLaunch(CefRefPtr<CefCommandLine> commandLine) override
    {
        ++launches;
        commandLine->AppendSwitchWithValue(L"test-marker", L"1");
    }
    void OnRenderProcessThreadCreated(CefRefPtr<CefListValue> extraInfo) override
    {
        extraInfo->SetString(0, L"for the renderer");
        ++threadsCreated;
    }

    int contextInitialized = 0;
    int launches = 0;
    int threadsCreated = 0;
    IMPLEMENT_REFCOUNTING(RecordingApp);
};

TEST(BrowserProcessHandler, HearsInitialisationAndEveryRendererLaunch)
{
    CefRefPtr<RecordingApp> app = new RecordingApp();
    CefSettings settings;
    settings.size = sizeof settings;
    ASSERT_TRUE(CefInitialize(CefMainArgs(::GetModuleHandleW(nullptr)), settings, app.get()));
    EXPECT_FALSE(CefInitialize(CefMainArgs(::GetModuleHandleW(nullptr)), settings, app.get()));
    EXPECT_EQ(0, app->contextInitialized);  // delivered through the loop
    Settle();
    EXPECT_EQ(1, app->contextInitialized);

    HostWindow host;
    CefRefPtr<RecordingClient> client = new RecordingClient();
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(CefBrowserHost::CreateBrowserSync(ChildOf(host.Handle()), client.get(), L"", CefBrowserSettings(),
            nullptr));
    }
    EXPECT_EQ(2, app->launches);
    EXPECT_EQ(2, app->threadsCreated);
    CefShutdown();
    EXPECT_EQ(2, client->Count(L"close"));
}

// One renderer starts at initialisation and waits; a browser takes it, and the next one
// starts only once that browser's page is shown.
TEST(BrowserProcessHandler, ARendererWaitsReadyAndIsReplacedAfterAPageIsShown)
{
    CefRefPtr<RecordingApp> app = new RecordingApp();
    CefSettings settings;
    ASSERT_TRUE(CefInitialize(CefMainArgs(::GetModuleHandleW(nullptr)), settings, app.get()));
    EXPECT_EQ(1, app->launches);
    TempDir files;
    const std::wstring page = files.Write(L"page.htm", "<title>T</title><p>x</p>");
    HostWindow host;
    CefRefPtr<RecordingClient> client = new RecordingClient();
    for (int shown = 1; shown <= 2; ++shown) {
        EXPECT_TRUE(CefBrowserHost::CreateBrowserSync(ChildOf(host.Handle()), client.get(), page, CefBrowserSettings(),
            nullptr));
        EXPECT_EQ(shown, app->launches);  // the waiting renderer was taken
        EXPECT_TRUE(RunLoopUntil([&] { return client->Count(L"end:200") == shown; }));
        EXPECT_EQ(shown + 1, app->launches);
        EXPECT_EQ(shown, app->threadsCreated);
    }
    CefShutdown();
}

TEST(BrowserProcessHandler, QuitEndsTheMessageLoopAfterWhatWasQueued)
{
    CefSettings settings;
    ASSERT_TRUE(CefInitialize(CefMainArgs(::GetModuleHandleW(nullptr)), settings, nullptr));
    HostWindow host;
    host.SetDestroyOnClose(false);
    ::PostMessageW(host.Handle(), WM_CLOSE, 0, 0);
    CefQuitMessageLoop();
    CefRunMessageLoop();  // a quit that never arrived would leave the test to its time-out
    EXPECT_EQ(1, host.CloseMessages());
    CefShutdown();
}

} // namespace
} // namespace enginetest
