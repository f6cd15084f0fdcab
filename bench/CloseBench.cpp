// Browser engine: how fast browsers close and the engine shuts down. Rows compare a
// close with the limit it must stay under, several browsers with one, and CefShutdown
// with a load stalled on a server that never answers with CefShutdown after an idle
// page. This executable is also its own renderer.
#include "common/Win32.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "BenchHarness.h"
#include "CefApi.h"
#include "LoopbackHttpServer.h"
#include "common/Handles.h"

namespace {

constexpr double kCloseLimit = 0.100;
constexpr double kUiBlockLimit = 0.050;
constexpr double kRendererGoneLimit = 0.500;
constexpr DWORD kHangMs = 15000;

// Detaches every browser but the last from the window on close, as the client does,
// so that only the last one closes the top-level window.
class CloseWatcher final : public CefClient, public CefLifeSpanHandler, public CefLoadHandler {
public:
    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override
    {
        browsers.push_back(browser);
        ++live;
    }
    bool DoClose(CefRefPtr<CefBrowser> browser) override
    {
        if (--live > 0) {
            ::SetParent(browser->GetHost()->GetWindowHandle(), nullptr);
        }
        return false;
    }
    void OnBeforeClose(CefRefPtr<CefBrowser>) override { ++closed; }
    void OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, int) override { ++ended; }
    void OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, ErrorCode, const CefString&,
        const CefString&) override { ++ended; }

    std::vector<CefRefPtr<CefBrowser>> browsers;
    int live = 0;
    int closed = 0;
    int ended = 0;
    IMPLEMENT_REFCOUNTING(CloseWatcher);
};

// Pumps messages until `done`; returns the longest single dispatch, in seconds.
double PumpUntil(const std::function<bool()>& done)
{
    double longest = 0;
    while (!done()) {
        (void)::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const bench::Timer dispatch;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
            longest = std::max(longest, dispatch.ElapsedSeconds());
        }
    }
    return longest;
}

ULONGLONG CreationTime(HANDLE process)
{
    FILETIME created{};
    FILETIME unused[3]{};
    if (!::GetProcessTimes(process, &created, &unused[0], &unused[1], &unused[2])) {
        return ~0ULL;
    }
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// Handles of the `count` oldest renderers this process started that are still running:
// children that run this executable (Wine may start its desktop process as a child of
// the first process that opens a window). Younger ones wait for the next browser.
std::vector<UniqueKernelHandle> Renderers(std::size_t count)
{
    wchar_t self[MAX_PATH] = {};
    (void)::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const wchar_t* const slash = std::wcsrchr(self, L'\\');
    const wchar_t* const selfName = slash != nullptr ? slash + 1 : self;
    std::vector<UniqueKernelHandle> children;
    const UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == ::GetCurrentProcessId() && ::lstrcmpiW(entry.szExeFile, selfName) == 0) {
            UniqueKernelHandle child(
                ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
            if (child) {
                children.push_back(std::move(child));
            }
        }
    }
    std::sort(children.begin(), children.end(), [](const UniqueKernelHandle& a, const UniqueKernelHandle& b) {
        return CreationTime(a.get()) < CreationTime(b.get());
    });
    children.resize(std::min(children.size(), count));
    return children;
}

void WaitForAll(const std::vector<UniqueKernelHandle>& processes)
{
    for (const auto& process : processes) {
        (void)::WaitForSingleObject(process.get(), INFINITE);
    }
}

HWND NewHost()
{
    return ::CreateWindowExW(0, L"STATIC", L"close bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
        820, 640, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

CefRefPtr<CloseWatcher> OpenBrowsers(HWND host, int count, const std::wstring& url)
{
    CefRefPtr<CloseWatcher> watcher = new CloseWatcher();
    for (int i = 0; i < count; ++i) {
        CefWindowInfo info;
        info.SetAsChild(host, RECT{0, 0, 800, 600});
        (void)CefBrowserHost::CreateBrowserSync(info, watcher.get(), url, CefBrowserSettings(), nullptr);
    }
    (void)PumpUntil([&] { return watcher->ended == count; });
    return watcher;
}

struct CloseTimes {
    double toBeforeClose = 0;  // until the last OnBeforeClose
    double longestBlock = 0;
    double toRenderersGone = 0;
};

CloseTimes CloseOnce(int browsers, const std::wstring& page)
{
    CefRefPtr<CloseWatcher> watcher = OpenBrowsers(NewHost(), browsers, page);
    const std::vector<UniqueKernelHandle> renderers = Renderers(static_cast<std::size_t>(browsers));
    CloseTimes times;
    const bench::Timer timer;
    for (const auto& browser : watcher->browsers) {
        browser->GetHost()->CloseBrowser(false);
    }
    times.longestBlock = PumpUntil([&] { return watcher->closed == browsers; });
    times.toBeforeClose = timer.ElapsedSeconds();
    WaitForAll(renderers);
    times.toRenderersGone = timer.ElapsedSeconds();
    watcher->browsers.clear();
    (void)PumpUntil([] { return true; });
    return times;
}

std::vector<CloseTimes> CloseRuns(int runs, int browsers, const std::wstring& page)
{
    std::vector<CloseTimes> all;
    for (int run = 0; run < runs; ++run) {
        all.push_back(CloseOnce(browsers, page));
    }
    return all;
}

double MedianOf(const std::vector<CloseTimes>& runs, double CloseTimes::*field)
{
    std::vector<double> values;
    for (const auto& run : runs) {
        values.push_back(run.*field);
    }
    return bench::Median(values);
}

bool Initialise()
{
    CefSettings settings;
    settings.size = sizeof settings;
    return CefInitialize(CefMainArgs(::GetModuleHandleW(nullptr)), settings, nullptr);
}

// Ends the process with a message when CefShutdown has not returned in time, so a
// hang shows as a row instead of a benchmark that never ends.
class HangGuard final {
public:
    explicit HangGuard(const char* what)
        : m_thread([this, what] {
              if (::WaitForSingleObject(m_done.get(), kHangMs) != WAIT_OBJECT_0) {
                  std::printf("%-36s did not return within %lu s\n", what, kHangMs / 1000);
                  std::fflush(stdout);
                  ::ExitProcess(1);
              }
          })
    {
    }
    ~HangGuard()
    {
        (void)::SetEvent(m_done.get());
        m_thread.join();
    }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

private:
    UniqueKernelHandle m_done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread m_thread;
};

// One browser loads `url` (waiting until the server has the request when `server` is
// given) and is closed; then CefShutdown is timed and the engine started again.
double ShutdownOnce(const std::wstring& url, const enginetest::LoopbackHttpServer* server)
{
    const HWND host = NewHost();
    CefRefPtr<CloseWatcher> watcher = new CloseWatcher();
    CefWindowInfo info;
    info.SetAsChild(host, RECT{0, 0, 800, 600});
    (void)CefBrowserHost::CreateBrowserSync(info, watcher.get(), url, CefBrowserSettings(), nullptr);
    const std::size_t requests = server != nullptr ? server->RequestHeads().size() : 0;
    (void)PumpUntil([&] { return server != nullptr ? server->RequestHeads().size() > requests : watcher->ended == 1; });
    watcher->browsers.front()->GetHost()->CloseBrowser(false);
    (void)PumpUntil([&] { return watcher->closed == 1; });
    double seconds = 0;
    {
        // The client lets go of its browsers before it shuts the engine down.
        const HangGuard guard("CefShutdown, one stalled load");
        const bench::Timer timer;
        watcher->browsers.clear();
        CefShutdown();
        seconds = timer.ElapsedSeconds();
    }
    (void)Initialise();
    return seconds;
}

std::wstring WritePage()
{
    wchar_t base[MAX_PATH + 1] = {};
    (void)::GetTempPathW(MAX_PATH, base);
    const std::wstring path = std::wstring(base) + L"zv-close-bench.htm";
    std::ofstream(path.c_str(), std::ios::binary) << "<html><head><title>Close</title></head><body><p>live</p></body>";
    return path;
}

} // namespace

int main()
{
    const int subProcessCode = CefExecuteProcess(CefMainArgs(::GetModuleHandleW(nullptr)), nullptr);
    if (subProcessCode >= 0) {
        return subProcessCode;
    }
    if (!Initialise()) {
        std::printf("engine did not initialise\n");
        return 1;
    }
    const std::wstring page = WritePage();
    bench::PrintHeader();
    const auto one = CloseRuns(7, 1, page);
    bench::PrintRow("close: CloseBrowser to OnBeforeClose", MedianOf(one, &CloseTimes::toBeforeClose), kCloseLimit);
    bench::PrintRow("close: longest UI-thread block", MedianOf(one, &CloseTimes::longestBlock), kUiBlockLimit);
    bench::PrintRow("close: to renderer process gone", MedianOf(one, &CloseTimes::toRenderersGone),
        kRendererGoneLimit);
    const auto three = CloseRuns(5, 3, page);
    bench::PrintRow("close 3 browsers: last OnBeforeClose", MedianOf(three, &CloseTimes::toBeforeClose),
        MedianOf(one, &CloseTimes::toBeforeClose));
    bench::PrintRow("close 3 browsers: renderers gone", MedianOf(three, &CloseTimes::toRenderersGone),
        MedianOf(one, &CloseTimes::toRenderersGone));

    std::vector<double> idle;
    std::vector<double> stalled;
    for (int run = 0; run < 5; ++run) {
        idle.push_back(ShutdownOnce(page, nullptr));
        enginetest::LoopbackHttpServer server;
        server.Serve("/stall", {200, "text/html", "", "", enginetest::LoopbackHttpServer::Delivery::NeverAnswer});
        stalled.push_back(ShutdownOnce(server.Url("/stall"), &server));
    }
    bench::PrintRow("CefShutdown, one stalled load", bench::Median(stalled), bench::Median(idle));
    std::printf("baselines: the limit for single closes; one browser for three; CefShutdown after an idle page\n");
    (void)::DeleteFileW(page.c_str());
    CefShutdown();
    return 0;
}
