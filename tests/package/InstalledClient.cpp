#include "tests/package/InstalledClient.h"

#include "app/AppVersion.h"
#include "tests/package/ProcessTree.h"
#include "tests/package/SystemProbes.h"
#include "tests/support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

void ExpectClientIdentity(const std::filesystem::path& exe)
{
    const auto version = ReadVersionResource(exe);
    ASSERT_TRUE(version.has_value()) << exe;
    const std::wstring fixed = std::wstring(ZV_VERSION) + L".0";
    EXPECT_EQ(version->fixedFileVersion, fixed);
    EXPECT_EQ(version->fixedProductVersion, fixed);
    EXPECT_EQ(version->fileVersion, ZV_VERSION);
    EXPECT_EQ(version->productVersion, ZV_VERSION);
    EXPECT_EQ(version->productName, kProductName);
    EXPECT_EQ(L"V" + version->productVersion, kVersionText);
    EXPECT_FALSE(version->companyName.empty());
    EXPECT_FALSE(version->fileDescription.empty());
}

void ExpectClientRunsAndEnds(const std::filesystem::path& exe)
{
    LoopbackHttpServer site;
    ASSERT_TRUE(site.IsListening());
    site.SetResponse(LoopbackHttpServer::MakeResponse("200 OK", "<title>Zeltavue</title><p>live</p>",
                                                      "Content-Type: text/html; charset=utf-8\r\n"));
    const std::string root = site.Root();
    ProcessTree client;
    ASSERT_TRUE(client.Start(L"\"" + exe.wstring() + L"\" --site-root=" + std::wstring(root.begin(), root.end())));
    const HWND window = client.WaitForWindow(L"MainWndClass");
    ASSERT_NE(window, nullptr) << "the client's main window did not appear";
    EXPECT_TRUE(::PostMessageW(window, WM_CLOSE, 0, 0));
    EXPECT_TRUE(client.WaitForAll()) << "the client or a process it started is still running";
    EXPECT_EQ(client.ExitCode(), 0u);
}
