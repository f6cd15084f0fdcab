#pragma once
// Initialises the engine for one test and shuts it down afterwards.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace enginetest {

class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Initialise());
        m_client = new RecordingClient();
    }

    void TearDown() override { CefShutdown(); }

    // For tests that shut the engine down themselves: TearDown needs it running.
    [[nodiscard]] bool Initialise() { return InitialiseEngine(m_files); }

    // A child browser of the host window, after OnAfterCreated.
    CefRefPtr<CefBrowser> CreateChild(const std::wstring& url, CefRefPtr<RecordingClient> client = nullptr)
    {
        CefRefPtr<RecordingClient> target = client ? client : m_client;
        const std::size_t before = target->browsers.size();
        CefRefPtr<CefBrowser> browser = CefBrowserHost::CreateBrowserSync(ChildOf(m_host.Handle()), target.get(), url,
            CefBrowserSettings(), nullptr);
        EXPECT_TRUE(browser);
        EXPECT_TRUE(RunLoopUntil([&] { return target->browsers.size() > before; }));
        return browser;
    }

    // Loads `url` and waits for its end or error.
    void LoadAndWait(CefRefPtr<CefBrowser> browser, const std::wstring& url)
    {
        const int done = m_client->Count(L"state:0");
        browser->GetMainFrame()->LoadURL(url);
        EXPECT_TRUE(RunLoopUntil([&] { return m_client->Count(L"state:0") > done; }));
    }

    TempDir m_files;
    HostWindow m_host;
    CefRefPtr<RecordingClient> m_client;
};

} // namespace enginetest
