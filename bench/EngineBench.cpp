// Browser engine: time from CreateBrowserSync to OnLoadEnd for a 1 MB local page, and
// renderer sub-process start-up. This executable is also its own renderer.
#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "BenchHarness.h"
#include "CefApi.h"
#include "common/Handles.h"
#include "engine/dom/HtmlParser.h"
#include "engine/ipc/RendererHost.h"

namespace {

class LoadWatcher final : public CefClient, public CefLoadHandler, public CefLifeSpanHandler {
public:
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    void OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, int) override
    {
        ended = true;
        endedAt = timer.ElapsedSeconds();
    }
    void OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, ErrorCode, const CefString&,
        const CefString&) override { ended = true; }
    void OnBeforeClose(CefRefPtr<CefBrowser>) override { closed = true; }

    // Load end is when the client hears of it: what the browser does next in the same
    // turn of the loop (starting image fetches, which lay the page out) is not part of it.
    bench::Timer timer;
    double endedAt = 0;
    bool ended = false;
    bool closed = false;
    IMPLEMENT_REFCOUNTING(LoadWatcher);
};

// A client's message loop: what its handlers hear of is dispatched as soon as it comes.
void PumpUntil(const bool& flag)
{
    MSG message;
    while (!flag && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Runs the loop for `seconds`: the closed browser's teardown and the spare renderer the
// engine starts after each load end (a process start, which keeps a processor busy for
// a few hundred milliseconds under Wine) are no part of the next browser's load.
void Settle(double seconds)
{
    const bench::Timer timer;
    while (timer.ElapsedSeconds() < seconds) {
        (void)::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

std::string MegabytePage()
{
    std::string html = "<html><head><title>Bench</title></head><body>";
    int i = 0;
    while (html.size() < 1024 * 1024) {
        html += "<div class=\"row\"><a href=\"/match/" + std::to_string(i) + "\">Match " + std::to_string(i) +
            "</a><p>Home team against away team, kick-off at " + std::to_string(i % 24) + ":00.</p></div>\n";
        ++i;
    }
    return html + "</body></html>";
}

std::wstring WritePage(const std::string& html)
{
    wchar_t base[MAX_PATH + 1] = {};
    (void)::GetTempPathW(MAX_PATH, base);
    const std::wstring path = std::wstring(base) + L"zv-engine-bench.htm";
    std::ofstream(path.c_str(), std::ios::binary) << html;
    return path;
}

struct LoadTimes {
    double toLoadEnd = 0;
    double firstPaint = 0;
};

LoadTimes LoadOnce(HWND parent, const std::wstring& page)
{
    CefRefPtr<LoadWatcher> watcher = new LoadWatcher();
    CefWindowInfo info;
    info.SetAsChild(parent, RECT{0, 0, 800, 600});
    watcher->timer.Restart();
    CefRefPtr<CefBrowser> browser =
        CefBrowserHost::CreateBrowserSync(info, watcher.get(), page, CefBrowserSettings(), nullptr);
    PumpUntil(watcher->ended);
    ::UpdateWindow(browser->GetHost()->GetWindowHandle());  // paints the page, laid out by then or now
    LoadTimes times;
    times.toLoadEnd = watcher->endedAt;
    times.firstPaint = watcher->timer.ElapsedSeconds() - watcher->endedAt;
    browser->GetHost()->CloseBrowser(true);
    PumpUntil(watcher->closed);
    return times;
}

double RendererStartOnce(const std::wstring& executable)
{
    std::atomic<bool> ready{false};
    const bench::Timer timer;
    auto host = engine::RendererHost::Launch(executable, L"",
        [&ready](engine::WireMessage message) { ready = ready || message.type == engine::WireType::Ready; },
        [&ready] { ready = true; });
    while (host && !ready) {
        ::Sleep(1);
    }
    return timer.ElapsedSeconds();
}

double BareProcessOnce(const std::wstring& executable)
{
    std::wstring line = L"\"" + executable + L"\" --type=bench-nothing";
    std::vector<wchar_t> mutableLine(line.begin(), line.end());
    mutableLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const bench::Timer timer;
    if (::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        const UniqueKernelHandle process(info.hProcess);
        const UniqueKernelHandle thread(info.hThread);
        (void)::WaitForSingleObject(process.get(), INFINITE);
    }
    return timer.ElapsedSeconds();
}

std::wstring ExecutablePath()
{
    wchar_t path[MAX_PATH] = {};
    (void)::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

} // namespace

int main()
{
    const int subProcessCode = CefExecuteProcess(CefMainArgs(::GetModuleHandleW(nullptr)), nullptr);
    if (subProcessCode >= 0) {
        return subProcessCode;
    }
    const std::string html = MegabytePage();
    // Widening and parsing, as a load does; freeing the tree is left out, as a load has
    // none to free.
    const auto parseOnce = [&html] {
        const bench::Timer timer;
        const std::wstring text(html.begin(), html.end());
        const engine::DomNodePtr document = engine::ParseHtml(text);
        const double seconds = timer.ElapsedSeconds();
        bench::KeepAlive(document);
        return seconds;
    };
    // Also the figure parses give back to back, each in a cache the last one warmed,
    // before any renderer exists.
    std::vector<double> warmParses;
    for (int run = 0; run < 6; ++run) {
        warmParses.push_back(parseOnce());
    }
    warmParses.erase(warmParses.begin());
    CefSettings settings;
    settings.size = sizeof settings;
    if (!CefInitialize(CefMainArgs(::GetModuleHandleW(nullptr)), settings, nullptr)) {
        std::printf("engine did not initialise\n");
        return 1;
    }
    const HWND parent = ::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 820, 640,
        nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    const std::wstring page = WritePage(html);
    const std::wstring self = ExecutablePath();

    bench::PrintHeader();
    // Loads and baseline parses take turns, so that both meet the machine in the same
    // state: on a shared machine its speed drifts within a run.
    std::vector<double> parses;
    std::vector<double> toLoadEnd;
    std::vector<double> firstPaint;
    for (int run = 0; run < 9; ++run) {
        Settle(0.4);
        parses.push_back(parseOnce());
        Settle(0.1);
        const LoadTimes times = LoadOnce(parent, page);
        toLoadEnd.push_back(times.toLoadEnd);
        firstPaint.push_back(times.firstPaint);
    }
    const double parseOnly = bench::Median(parses);
    const double load = bench::Median(toLoadEnd);
    bench::PrintRow("1 MB page: create to load end", load, parseOnly);
    bench::PrintRow("  the same against warm parses", load, bench::Median(warmParses));
    bench::PrintRow("1 MB page: load end to first paint", bench::Median(firstPaint), parseOnly);
    const double renderer = bench::MedianSeconds(7, [&] { (void)RendererStartOnce(self); });
    const double bare = bench::MedianSeconds(7, [&] { (void)BareProcessOnce(self); });
    bench::PrintRow("renderer start-up (ready)", renderer, bare);
    std::printf("baselines: in-process parse of the same page, taking turns with the loads (warm: five in a row\n"
                "before the engine starts); bare start and exit of this executable\n");

    ::DestroyWindow(parent);
    (void)::DeleteFileW(page.c_str());
    CefShutdown();
    return 0;
}
