// Responses that are not pages become downloads saved through the save dialog.
#include <gmock/gmock.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>

#include "EngineFixture.h"
#include "LoopbackHttpServer.h"

namespace enginetest {
namespace {

// Plays the user in the save dialog: waits for it, types `path` and presses Save.
class SaveDialogUser final {
public:
    explicit SaveDialogUser(std::wstring path) : m_path(std::move(path))
    {
        m_thread = std::thread([this] { Run(); });
    }
    ~SaveDialogUser()
    {
        m_stop = true;
        m_thread.join();
    }
    [[nodiscard]] std::wstring SuggestedName() const { return m_suggested; }

private:
    struct Search {
        DWORD process;
        HWND found;
    };

    static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lParam)
    {
        auto* search = reinterpret_cast<Search*>(lParam);
        DWORD process = 0;
        (void)::GetWindowThreadProcessId(hwnd, &process);
        wchar_t className[32] = {};
        (void)::GetClassNameW(hwnd, className, 32);
        if (process == search->process && std::wstring(className) == L"#32770" && ::IsWindowVisible(hwnd)) {
            search->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }

    // The file name box: a combo box (cmb13) whose edit child holds the text.
    static BOOL CALLBACK FillFileName(HWND hwnd, LPARAM lParam)
    {
        constexpr int kFileNameBox = 0x47C;
        wchar_t className[32] = {};
        (void)::GetClassNameW(hwnd, className, 32);
        if (::GetDlgCtrlID(hwnd) == kFileNameBox && std::wstring(className) == L"Edit") {
            auto* self = reinterpret_cast<SaveDialogUser*>(lParam);
            wchar_t proposed[MAX_PATH] = {};
            (void)::GetWindowTextW(hwnd, proposed, MAX_PATH);
            self->m_suggested = proposed;
            (void)::SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(self->m_path.c_str()));
        }
        return TRUE;
    }

    [[nodiscard]] HWND FindDialogOfThisProcess() const
    {
        Search search{::GetCurrentProcessId(), nullptr};
        ::EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // Polls for a window of the UI thread; no timing is asserted.
    [[nodiscard]] HWND WaitForDialog(bool present) const
    {
        const ULONGLONG deadline = ::GetTickCount64() + 20000;
        HWND dialog = FindDialogOfThisProcess();
        while (!m_stop && (dialog != nullptr) != present && ::GetTickCount64() < deadline) {
            ::Sleep(50);
            dialog = FindDialogOfThisProcess();
        }
        return dialog;
    }

    void Run()
    {
        const HWND dialog = WaitForDialog(true);
        if (dialog == nullptr) {
            return;
        }
        ::EnumChildWindows(dialog, &FillFileName, reinterpret_cast<LPARAM>(this));
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        // A dialog that refused the answer would block the test's loop for good: cancel it.
        if (const HWND stuck = WaitForDialog(false)) {
            ::PostMessageW(stuck, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }

    std::wstring m_path;
    std::wstring m_suggested;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

using Downloads = EngineFixture;

TEST_F(Downloads, AttachmentIsSavedWhereTheUserSays)
{
    LoopbackHttpServer server;
    std::string bytes("PK\x03\x04 binary \x00\x01\x02 data", 24);
    server.Serve("/page", {200, "text/html", "", "<title>Stays</title>"});
    server.Serve("/get?id=7", {200, "application/octet-stream",
                                   "Content-Disposition: attachment; filename=\"report.bin\"\r\n", bytes});
    const std::wstring target = m_files.PathOf(L"saved.bin");
    CefRefPtr<CefBrowser> browser = CreateChild(server.Url("/page"));
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"end:200") == 1; }));
    {
        SaveDialogUser user(target);
        browser->GetMainFrame()->LoadURL(server.Url("/get?id=7"));
        ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"downloaded:") + m_client->Count(L"download-canceled") == 1; }));
        EXPECT_EQ(L"report.bin", user.SuggestedName());
    }
    EXPECT_EQ(1, m_client->Count(L"download:report.bin"));
    EXPECT_EQ(1, m_client->Count(L"downloaded:" + target));
    EXPECT_EQ(bytes, ReadFile(target));
    EXPECT_EQ(1, m_client->Count(L"error:-3:" + server.Url("/get?id=7")));
    EXPECT_EQ(1, m_client->Count(L"title:"));  // the page stayed
}

} // namespace
} // namespace enginetest
