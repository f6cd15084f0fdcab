// The entry point. The engine starts this same executable again for its renderers, so
// the engine is asked first whether this process is one of them; only the copy the user
// started becomes the client.

#include "CefApi.h"
#include "app/AppDirectory.h"
#include "app/AppVersion.h"
#include "app/LinkOpener.h"
#include "app/MainWnd.h"
#include "app/RemoteConfig.h"
#include "app/SiteRoot.h"
#include "browser/CefAppEx.h"
#include "common/Win32.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/WndShadow.h"

#include <process.h>
#include <shlobj.h>

#include <new>

namespace {

// Exit codes of a client that could not open its window.
constexpr int kNoWindowObject = 2;
constexpr int kNoWindow = 3;

// WS_VISIBLE | WS_OVERLAPPEDWINDOW; the skin draws the frame and gives the size.
constexpr DWORD kMainWindowStyle = 0x10CF0000;

void InitialiseEngine(const CefMainArgs& mainArgs, CefRefPtr<CCefAppEx> application)
{
    const std::wstring cachePath = g_strAppDir + L"Cache";
    // An existing folder is the normal case after the first start.
    (void)::SHCreateDirectory(nullptr, cachePath.c_str());
    CefSettings settings;
    settings.size = sizeof settings;
    settings.log_severity = LOGSEVERITY_DISABLE;
    settings.cache_path = cachePath;
    settings.locale = "zh-CN";
    // A failed start shows in the browsers, which then load nothing; the window still works.
    (void)CefInitialize(mainArgs, settings, application.get());
}

void StartConfigThread(HWND mainWindow)
{
    const uintptr_t thread = ::_beginthreadex(nullptr, 0, &ConfigThreadProc, mainWindow, 0, nullptr);
    // Nobody waits for the thread; without it the advertisement slots stay empty.
    if (thread != 0) {
        (void)::CloseHandle(reinterpret_cast<HANDLE>(thread));
    }
}

int RunClient(HINSTANCE instance, const CefMainArgs& mainArgs, CefRefPtr<CCefAppEx> application)
{
    g_strAppDir = GetAppDirectory();
    const std::wstring siteRoot = SiteRootFromCommandLine(::GetCommandLineW());
    if (!siteRoot.empty()) {
        (void)SetSiteRoot(siteRoot);
    }
    InitialiseEngine(mainArgs, application);
    DuiLib::CPaintManagerUI::SetInstance(instance);
    (void)DuiLib::CWndShadow::Initialize(instance);

    CShellLinkOpener linkOpener;
    auto* window = new (std::nothrow) CMainWnd(linkOpener);
    if (window == nullptr) {
        CefShutdown();
        return kNoWindowObject;
    }
    // The object deletes itself when its window is destroyed, also when creation fails.
    const HWND hwnd = window->Create(nullptr, kWindowTitle, kMainWindowStyle, 0);
    if (hwnd == nullptr) {
        CefShutdown();
        return kNoWindow;
    }
    window->CenterWindow();
    StartConfigThread(hwnd);
    window->ShowWindow(true, true);
    CefRunMessageLoop();
    CefShutdown();
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/)
{
    const CefMainArgs mainArgs(instance);
    const CefRefPtr<CCefAppEx> application = new CCefAppEx();
    const int subProcessCode = CefExecuteProcess(mainArgs, application.get());
    if (subProcessCode >= 0) {
        return subProcessCode;
    }
    return RunClient(instance, mainArgs, application);
}
