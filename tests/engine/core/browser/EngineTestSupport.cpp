#include "EngineTestSupport.h"

#include <atomic>
#include <fstream>
#include <memory>

#include "common/Handles.h"
#include "engine/browser/EngineContext.h"

namespace enginetest {

bool RunLoopUntil(const std::function<bool()>& done, unsigned timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() > deadline) {
            return false;
        }
        (void)::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return true;
}

void Settle()
{
    auto ran = std::make_shared<bool>(false);
    engine::EngineContext::Post([ran] { *ran = true; });
    (void)RunLoopUntil([&] { return *ran; }, 10000);
}

DWORD RunSelf(const std::wstring& arguments, DWORD timeoutMs)
{
    wchar_t path[MAX_PATH] = {};
    (void)::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(path) + L"\" " + arguments;
    std::vector<wchar_t> mutableLine(line.begin(), line.end());
    mutableLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return kNotFinished - 1;
    }
    const UniqueKernelHandle process(info.hProcess);
    const UniqueKernelHandle thread(info.hThread);
    if (::WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) {
        (void)::TerminateProcess(process.get(), 99);
        return kNotFinished;
    }
    DWORD code = kNotFinished;
    (void)::GetExitCodeProcess(process.get(), &code);
    return code;
}

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH + 1] = {};
    (void)::GetTempPathW(MAX_PATH, base);
    m_path = std::wstring(base) + L"zv-engine-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
        std::to_wstring(++counter);
    (void)::CreateDirectoryW(m_path.c_str(), nullptr);
}

TempDir::~TempDir()
{
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((m_path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            (void)::DeleteFileW(PathOf(found.cFileName).c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    (void)::RemoveDirectoryW(m_path.c_str());
}

bool InitialiseEngine(const TempDir& files)
{
    CefSettings settings;
    settings.size = sizeof settings;
    settings.locale = "zh-CN";
    settings.cache_path = files.PathOf(L"Cache");
    settings.log_severity = LOGSEVERITY_DISABLE;
    return CefInitialize(CefMainArgs(::GetModuleHandleW(nullptr)), settings, nullptr);
}

std::wstring TempDir::Write(const std::wstring& name, const std::string& content)
{
    const std::wstring path = PathOf(name);
    std::ofstream out(path.c_str(), std::ios::binary);
    out << content;
    return path;
}

HostWindow::HostWindow()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = &HostWindow::WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZvEngineTestHost";
    (void)::RegisterClassW(&wc);
    m_hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
        640, 480, nullptr, nullptr, wc.hInstance, this);
}

HostWindow::~HostWindow()
{
    if (m_hwnd != nullptr && ::IsWindow(m_hwnd)) {
        ::DestroyWindow(m_hwnd);
    }
}

LRESULT CALLBACK HostWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    auto* self = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && message == WM_CLOSE) {
        ++self->m_closeMessages;
        if (self->m_destroyOnClose) {
            ::DestroyWindow(hwnd);
        }
        return 0;
    }
    if (self != nullptr && message == WM_NCDESTROY) {
        self->m_hwnd = nullptr;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

CefWindowInfo ChildOf(HWND parent, int width, int height)
{
    CefWindowInfo info;
    info.SetAsChild(parent, RECT{0, 0, width, height});
    return info;
}

int RecordingClient::Count(const std::wstring& prefix) const
{
    int count = 0;
    for (const auto& event : events) {
        count += event.rfind(prefix, 0) == 0 ? 1 : 0;
    }
    return count;
}

std::vector<std::wstring> RecordingClient::EventsAfter(const std::wstring& marker) const
{
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i] == marker) {
            return std::vector<std::wstring>(events.begin() + static_cast<std::ptrdiff_t>(i) + 1, events.end());
        }
    }
    return {};
}

bool RecordingClient::OnProcessMessageReceived(CefRefPtr<CefBrowser>, CefProcessId source,
    CefRefPtr<CefProcessMessage> message)
{
    events.push_back(L"message:" + message->GetName().ToWString() + (source == PID_RENDERER ? L"" : L":wrong-source"));
    messages.push_back(message);
    return true;
}

bool RecordingClient::OnBeforePopup(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, const CefString& targetUrl,
    const CefString& targetFrameName, WindowOpenDisposition, bool, const CefPopupFeatures&, CefWindowInfo&,
    CefRefPtr<CefClient>&, CefBrowserSettings&, bool*)
{
    events.push_back(L"popup:" + targetUrl.ToWString() + L":" + targetFrameName.ToWString() +
        (frame && frame->IsMain() ? L"" : L":no-main-frame"));
    return cancelPopups;
}

void RecordingClient::OnAfterCreated(CefRefPtr<CefBrowser> browser)
{
    events.push_back(browser->IsPopup() ? L"created:popup" : L"created");
    browsers.push_back(browser);
    if (afterCreated) {
        afterCreated(browser);
    }
}

bool RecordingClient::DoClose(CefRefPtr<CefBrowser> browser)
{
    events.push_back(L"doclose");
    return doClose ? doClose(browser) : false;
}

void RecordingClient::OnBeforeClose(CefRefPtr<CefBrowser>)
{
    events.push_back(L"close");
    if (beforeClose) {
        beforeClose();
    }
}

void RecordingClient::OnLoadingStateChange(CefRefPtr<CefBrowser>, bool isLoading, bool, bool)
{
    events.push_back(isLoading ? L"state:1" : L"state:0");
}

void RecordingClient::OnLoadStart(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame)
{
    events.push_back(frame->IsMain() ? L"start" : L"start:sub");
}

void RecordingClient::OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, int httpStatusCode)
{
    events.push_back(L"end:" + std::to_wstring(httpStatusCode));
}

void RecordingClient::OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, ErrorCode errorCode, const CefString&,
    const CefString& failedUrl)
{
    events.push_back(L"error:" + std::to_wstring(static_cast<int>(errorCode)) + L":" + failedUrl.ToWString());
}

void RecordingClient::OnTitleChange(CefRefPtr<CefBrowser>, const CefString& title)
{
    events.push_back(L"title:" + title.ToWString());
}

void RecordingClient::OnBeforeContextMenu(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
    CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model)
{
    events.push_back(L"menu");
    if (beforeContextMenu) {
        beforeContextMenu(params, model);
    }
}

bool RecordingClient::OnContextMenuCommand(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefContextMenuParams>,
    int commandId, EventFlags)
{
    events.push_back(L"command:" + std::to_wstring(commandId));
    return contextMenuCommand ? contextMenuCommand(commandId) : false;
}

void RecordingClient::OnBeforeDownload(CefRefPtr<CefBrowser>, CefRefPtr<CefDownloadItem>,
    const CefString& suggestedName, CefRefPtr<CefBeforeDownloadCallback> callback)
{
    events.push_back(L"download:" + suggestedName.ToWString());
    callback->Continue(downloadPath, true);
}

void RecordingClient::OnDownloadUpdated(CefRefPtr<CefBrowser>, CefRefPtr<CefDownloadItem> item,
    CefRefPtr<CefDownloadItemCallback>)
{
    events.push_back(item->IsComplete() ? L"downloaded:" + item->GetFullPath().ToWString()
                                        : (item->IsCanceled() ? L"download-canceled" : L"download-progress"));
}

} // namespace enginetest
