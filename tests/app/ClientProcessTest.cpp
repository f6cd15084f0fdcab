// The client executable in both of its roles.
#include "EngineTestSupport.h"
#include "LoopbackHttpServer.h"
#include "tests/package/ProcessTree.h"

#include <gtest/gtest.h>

namespace {

TEST(ClientProcess, RendererRoleEndsAtOnceAndTheClientEndsCleanlyWithItsWindow)
{
    enginetest::LoopbackHttpServer site;
    site.Serve("/live", {200, "text/html; charset=utf-8", "", "<title>Zeltavue</title><p>live</p>"});
    const struct {
        std::wstring arguments;
        bool window;
        DWORD exitCode;
    } roles[] = {{L"--type=renderer", false, 1}, {L"--site-root=" + site.Url("/"), true, 0}};
    for (const auto& [arguments, window, exitCode] : roles) {
        ProcessTree client;
        ASSERT_TRUE(client.Start(L"\"" ZV_CLIENT_EXE "\" " + arguments));
        const HWND found = client.WaitForWindow(L"MainWndClass");
        EXPECT_EQ(found != nullptr, window) << arguments;
        if (found != nullptr) {
            // The home tab asks the site given on the command line for its live centre.
            EXPECT_TRUE(enginetest::RunLoopUntil([&] { return !site.RequestHeads().empty(); })) << arguments;
            EXPECT_TRUE(::PostMessageW(found, WM_CLOSE, 0, 0));
        }
        EXPECT_TRUE(client.WaitForAll()) << arguments << ": a process of the client is still running";
        EXPECT_EQ(client.ExitCode(), exitCode) << arguments;
    }
}

} // namespace
