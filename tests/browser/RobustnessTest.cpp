// What users of a tabbed client count on beyond the basic rules: focus stays where it is,
// Alt+F4 works inside a page, a failing error page does not loop, and a renderer that
// dies takes only its own tab down, once.
#include <gmock/gmock.h>

#include "ViewFixture.h"
#include "common/Handles.h"

#include <tlhelp32.h>

namespace browser_test {
namespace {

using ::testing::ElementsAre;

using Robustness = ViewFixture;

// The renderer sub-process of this process that was created first, 0 while there is none.
// The engine keeps one renderer started ahead of need: a browser takes the one that
// waits, and the next one starts only after that browser's page is shown.
DWORD OldestChildProcess()
{
    DWORD oldest = 0;
    ULONGLONG oldestStart = ~0ULL;
    const UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        const UniqueKernelHandle process(entry.th32ParentProcessID == ::GetCurrentProcessId()
                ? ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID)
                : nullptr);
        FILETIME created{};
        FILETIME unused[3]{};
        if (process && ::GetProcessTimes(process.get(), &created, &unused[0], &unused[1], &unused[2])) {
            const ULONGLONG start = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
            if (start < oldestStart) {
                oldest = entry.th32ProcessID;
                oldestStart = start;
            }
        }
    }
    return oldest;
}

TEST_F(Robustness, BackgroundLoadLeavesTheFocusWhereItWas)
{
    CCefWebkitUI* current = AddView(ServePage("/current", "Current"));
    CCefWebkitUI* background = AddView(L"");
    background->SetInternVisible(false);
    ASSERT_TRUE(WaitForLoads(current, 1));
    const std::wstring page = ServePage("/later", "Later");
    for (const HWND holder : {current->GetBrowserWindow(), m_window.Hwnd()}) {
        (void)::SetFocus(holder);
        ASSERT_EQ(holder, ::GetFocus());
        const int loads = m_recorder.Count(background, L"end");
        background->LoadURL(page.c_str());
        ASSERT_TRUE(WaitForLoads(background, loads + 1));
        enginetest::Settle();
        EXPECT_EQ(holder, ::GetFocus());
        EXPECT_FALSE(::IsWindowVisible(background->GetBrowserWindow()));
    }
}

TEST_F(Robustness, AltF4InsideABrowserReachesTheWindowsClose)
{
    CCefWebkitUI* view = AddView(ServePage("/page", "Page"));
    ASSERT_TRUE(WaitForLoads(view, 1));
    (void)::SetForegroundWindow(m_window.Hwnd());
    (void)::SetFocus(view->GetBrowserWindow());
    ASSERT_EQ(view->GetBrowserWindow(), ::GetFocus());
    const WORD strokes[] = {VK_MENU, VK_F4, VK_F4, VK_MENU}; // pressed, then released
    INPUT keys[4] = {};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = strokes[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    ASSERT_EQ(4u, ::SendInput(4, keys, sizeof(INPUT)));
    EXPECT_TRUE(enginetest::RunLoopUntil([&] { return m_window.Unhandled(WM_CLOSE) == 1; }));
}

TEST_F(Robustness, FailingErrorPageIsNotLoadedAgain)
{
    const std::wstring refused =
        L"http://127.0.0.1:" + std::to_wstring(enginetest::LoopbackHttpServer::ClosedPort()) + L"/";
    m_recorder.errorPage = m_files.PathOf(L"missing-error.htm");
    CCefWebkitUI* view = AddView(refused);
    ASSERT_TRUE(WaitForLoads(view, 2));
    enginetest::Settle();
    EXPECT_THAT(m_recorder.Of(view), ElementsAre(L"start", L"error:" + refused, L"start",
                                                 L"error:" + m_recorder.errorPage));
    const std::wstring page = ServePage("/after", "After"); // the view still loads what the window asks
    view->LoadURL(page.c_str());
    ASSERT_TRUE(WaitForLoads(view, 3));
    EXPECT_EQ(L"end", m_recorder.Of(view).back());
}

TEST_F(Robustness, KilledRendererFailsItsTabOnceAndSparesTheOthers)
{
    m_recorder.errorPage = m_files.Write(L"error.htm", "<title>error page</title>");
    // The first browser takes the renderer the engine started on initialising. Its process
    // must exist before the spare that follows the page's load end: each renderer's process
    // is created on a thread of its own, so otherwise the spare may come first.
    DWORD victimRenderer = 0;
    ASSERT_TRUE(enginetest::RunLoopUntil([&] { return (victimRenderer = OldestChildProcess()) != 0; }));
    CCefWebkitUI* victim = AddView(ServePage("/victim", "Victim"));
    ASSERT_TRUE(WaitForLoads(victim, 1));
    ASSERT_EQ(victimRenderer, OldestChildProcess());
    CCefWebkitUI* other = AddView(ServePage("/other", "Other"));
    ASSERT_TRUE(WaitForLoads(other, 1));

    const UniqueKernelHandle renderer(::OpenProcess(PROCESS_TERMINATE, FALSE, victimRenderer));
    ASSERT_TRUE(::TerminateProcess(renderer.get(), 9));
    ASSERT_TRUE(WaitForLoads(victim, 3)); // its error, then the error page
    enginetest::Settle();
    EXPECT_THAT(m_recorder.Of(victim), ElementsAre(L"start", L"title:Victim", L"end", L"error:" + m_server.Url("/victim"),
                                                   L"start", L"title:error page", L"end"));
    const std::wstring next = ServePage("/next", "Next");
    for (CCefWebkitUI* view : {other, victim}) {
        view->LoadURL(next.c_str());
        ASSERT_TRUE(WaitForLoads(view, view == other ? 2 : 4));
        EXPECT_EQ(L"title:Next", *(m_recorder.Of(view).end() - 2));
    }
}

} // namespace
} // namespace browser_test
