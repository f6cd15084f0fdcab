// Measures the running client from outside its process, as the system sees it. Driven by
// tools/demo/figures.py, which serves the demo site and reads memory from Linux.
//
//   ClientProbe first-frame RUNS CLASS COMMANDLINE
//       starts COMMANDLINE RUNS times; each time, the milliseconds from process start
//       until the screen shows the window of class CLASS in the skin's background colour
//   ClientProbe repaint
//       full repaint of the main window, against a bare message round trip to it
//   ClientProbe cycles N LINK_X LINK_Y
//       N times: click the pop-up link at the screen point, wait for the new tab, close
//       it with its close button; the pop-up-to-tab time and the client's windows and
//       GDI objects before and after
#include "bench/BenchHarness.h"
#include "common/Handles.h"
#include "common/Win32.h"

#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kMainClass[] = L"MainWndClass";
constexpr POINT kBackgroundPoint{300, 3}; // the title row, clear of the logo and buttons
constexpr COLORREF kBackground = RGB(0x25, 0x1F, 0x29);
constexpr POINT kSecondTabPoint{234, 110}; // inside tab 2, clear of its text and close button
constexpr POINT kSecondTabClose{234, 95};
constexpr DWORD kStepTimeoutMs = 60000; // only catches a hang

double Ms(double seconds)
{
    return seconds * 1e3;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COLORREF ScreenPixel(HWND window, POINT offset)
{
    RECT rc{};
    (void)::GetWindowRect(window, &rc); // a vanished window reads as whatever is behind it
    const HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, rc.left + offset.x, rc.top + offset.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

struct FindRequest {
    DWORD pid; // 0: any process
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM param) noexcept
{
    auto& request = *reinterpret_cast<FindRequest*>(param);
    DWORD pid = 0;
    (void)::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {};
    (void)::GetClassNameW(hwnd, name, 64);
    if ((request.pid == 0 || pid == request.pid) && ::IsWindowVisible(hwnd) && wcscmp(name, request.className) == 0) {
        request.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindVisibleWindow(DWORD pid, const wchar_t* className)
{
    FindRequest request{pid, className, nullptr};
    (void)::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&request)); // FALSE when found
    return request.found;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) noexcept
{
    reinterpret_cast<std::set<HWND>*>(param)->insert(hwnd);
    return TRUE;
}

// Every window of the process: top-level windows and all their descendants.
std::set<HWND> WindowsOf(DWORD pid)
{
    std::set<HWND> all;
    std::set<HWND> mine;
    (void)::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (const HWND top : all) {
        DWORD owner = 0;
        (void)::GetWindowThreadProcessId(top, &owner);
        if (owner == pid) {
            mine.insert(top);
            (void)::EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&mine));
        }
    }
    return mine;
}

std::set<HWND> ChildrenOf(HWND parent)
{
    std::set<HWND> children;
    (void)::EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

// The count Windows keeps, or, where it answers 0 (Wine), the in-use entries of the
// process's GDI handle table, which its PEB points to and any process may read.
std::optional<int> GdiObjects(HANDLE process)
{
    const DWORD reported = ::GetGuiResources(process, GR_GDIOBJECTS);
    if (reported != 0) {
        return static_cast<int>(reported);
    }
#pragma pack(push, 1)
    struct Entry {
        uint64_t object;
        uint32_t owner;
        uint16_t unique;
        uint8_t type; // 0 for a free entry
        uint8_t flags;
        uint64_t user;
    };
#pragma pack(pop)
    // Resolved at run time, as its documentation asks: the call may change between releases.
    using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (query == nullptr || query(process, ProcessBasicInformation, &info, sizeof(info), nullptr) != 0) {
        return std::nullopt;
    }
    constexpr size_t kTableField = sizeof(void*) == 4 ? 0x94 : 0xF8; // PEB.GdiSharedHandleTable
    void* table = nullptr;
    const auto* field = reinterpret_cast<const char*>(info.PebBaseAddress) + kTableField;
    std::vector<Entry> entries(0x10000);
    if (!::ReadProcessMemory(process, field, &table, sizeof(table), nullptr) || table == nullptr
        || !::ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(Entry), nullptr)) {
        return std::nullopt;
    }
    int used = 0;
    for (const Entry& entry : entries) {
        used += entry.type != 0 ? 1 : 0;
    }
    return used;
}

template <typename Condition>
bool WaitFor(Condition&& condition)
{
    const bench::Timer timer;
    while (!condition()) {
        if (timer.ElapsedSeconds() * 1000 > kStepTimeoutMs) {
            return false;
        }
        ::Sleep(1);
    }
    return true;
}

void Click(POINT screen)
{
    (void)::SetCursorPos(screen.x, screen.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    (void)::SendInput(2, input, sizeof(INPUT));
}

// Clicks as fast as a program can make them are not what the client meets: two on the
// link within the double-click time are one double click to the page, which opens
// nothing, and a close click in the first ~100 ms of a new tab is now and then lost.
void PauseLikeAUser()
{
    ::Sleep(::GetDoubleClickTime() + 50);
}

POINT ScreenPoint(HWND window, POINT offset)
{
    RECT rc{};
    (void)::GetWindowRect(window, &rc);
    return {rc.left + offset.x, rc.top + offset.y};
}

void PrintSamples(const char* name, const std::vector<double>& samples)
{
    if (samples.empty()) {
        std::printf("%-44s none\n", name);
        return;
    }
    std::vector<double> sorted = samples;
    std::sort(sorted.begin(), sorted.end());
    std::printf("%-44s median %8.1f ms  min %8.1f  max %8.1f  (%zu runs)\n", name, Ms(sorted[sorted.size() / 2]),
        Ms(sorted.front()), Ms(sorted.back()), sorted.size());
}

struct Launched {
    UniqueKernelHandle process;
    DWORD pid = 0;
};

std::optional<Launched> Launch(std::wstring commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return std::nullopt;
    }
    ::CloseHandle(info.hThread);
    return Launched{UniqueKernelHandle(info.hProcess), info.dwProcessId};
}

// One start: the time to the first frame on screen, then a normal close.
std::optional<double> TimeFirstFrame(const wchar_t* className, const std::wstring& commandLine)
{
    const bench::Timer timer;
    auto launched = Launch(commandLine);
    if (!launched) {
        return std::nullopt;
    }
    HWND window = nullptr;
    const bool painted = WaitFor([&] {
        window = FindVisibleWindow(launched->pid, className);
        return window != nullptr && Near(ScreenPixel(window, kBackgroundPoint), kBackground, 8);
    });
    const double seconds = timer.ElapsedSeconds();
    if (window != nullptr) {
        (void)::PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(launched->process.get(), kStepTimeoutMs) != WAIT_OBJECT_0) {
        (void)::TerminateProcess(launched->process.get(), 1);
        return std::nullopt;
    }
    return painted ? std::optional<double>(seconds) : std::nullopt;
}

int FirstFrame(int runs, const wchar_t* className, const wchar_t* commandLine)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        if (const auto seconds = TimeFirstFrame(className, commandLine)) {
            samples.push_back(*seconds);
        }
    }
    std::printf("start to first frame: %ls\n", className);
    PrintSamples("  process start -> first painted frame", samples);
    return samples.size() == static_cast<size_t>(runs) ? 0 : 1;
}

int Repaint()
{
    const HWND window = FindVisibleWindow(0, kMainClass);
    if (window == nullptr) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }
    constexpr UINT kFlags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN;
    bench::PrintHeader();
    bench::Compare(
        "full repaint vs empty message", 200, [&] { (void)::RedrawWindow(window, nullptr, nullptr, kFlags); },
        [&] { (void)::SendMessageW(window, WM_NULL, 0, 0); });
    return 0;
}

struct Census {
    size_t windows;
    std::optional<int> gdi;
};

Census Count(HANDLE process, DWORD pid)
{
    return {WindowsOf(pid).size(), GdiObjects(process)};
}

void PrintCensus(const char* when, const Census& census)
{
    std::printf("  %-7s windows %4zu   GDI objects ", when, census.windows);
    if (census.gdi) {
        std::printf("%5d\n", *census.gdi);
    } else {
        std::printf("cannot be read on this system\n");
    }
}

enum class CycleStep { Open, Close };

// Opens a tab from the link and closes it again; the time to the visible tab, or the
// step that did not finish.
std::pair<std::optional<double>, CycleStep> OpenAndCloseTab(HWND main, POINT link)
{
    const std::set<HWND> before = ChildrenOf(main);
    const bench::Timer timer;
    Click(link);
    HWND added = nullptr;
    const bool shown = WaitFor([&] {
        for (const HWND child : ChildrenOf(main)) {
            if (before.count(child) == 0 && ::IsWindowVisible(child)) {
                added = child;
            }
        }
        return added != nullptr && Near(ScreenPixel(main, kSecondTabPoint), RGB(255, 255, 255), 16);
    });
    const double seconds = timer.ElapsedSeconds();
    if (!shown) {
        return {std::nullopt, CycleStep::Open};
    }
    PauseLikeAUser();
    Click(ScreenPoint(main, kSecondTabClose));
    const bool closed = WaitFor([&] {
        return !::IsWindow(added) && Near(ScreenPixel(main, kSecondTabPoint), kBackground, 8);
    });
    return {closed ? std::optional<double>(seconds) : std::nullopt, CycleStep::Close};
}

int Cycles(int count, POINT link)
{
    const HWND main = FindVisibleWindow(0, kMainClass);
    DWORD pid = 0;
    if (main == nullptr || ::GetWindowThreadProcessId(main, &pid) == 0) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }
    const UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) {
        std::fprintf(stderr, "cannot open the client's process\n");
        return 1;
    }
    const Census before = Count(process.get(), pid);
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        PauseLikeAUser();
        const auto [seconds, step] = OpenAndCloseTab(main, link);
        if (!seconds) {
            std::fprintf(stderr, "cycle %d: the tab did not %s\n", i + 1, step == CycleStep::Open ? "open" : "close");
            return 1;
        }
        samples.push_back(*seconds);
    }
    std::printf("%d tab open/close cycles\n", count);
    PrintSamples("  pop-up click -> new tab visible", samples);
    PrintCensus("before", before);
    PrintCensus("after", Count(process.get(), pid));
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"first-frame" && argc == 5) {
        return FirstFrame(_wtoi(argv[2]), argv[3], argv[4]);
    }
    if (command == L"repaint" && argc == 2) {
        return Repaint();
    }
    if (command == L"cycles" && argc == 5) {
        return Cycles(_wtoi(argv[2]), POINT{_wtoi(argv[3]), _wtoi(argv[4])});
    }
    std::fprintf(stderr, "usage: ClientProbe first-frame RUNS CLASS COMMANDLINE | repaint | cycles N LINK_X LINK_Y\n");
    return 2;
}
