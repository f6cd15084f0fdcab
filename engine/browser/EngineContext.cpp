#include "engine/browser/EngineContext.h"

#include <mutex>

#include <shlobj.h>

#include "engine/browser/Browser.h"
#include "engine/browser/BrowserWindow.h"
#include "engine/browser/FetchJob.h"
#include "engine/ipc/RendererHost.h"

namespace engine {
namespace {

constexpr wchar_t kTaskWindowClass[] = L"ZvEngineTaskWindow";
constexpr UINT kRunTaskMessage = WM_APP + 1;

// Guards g_context against workers posting while the context starts or stops.
std::mutex g_contextMutex;
EngineContext* g_context = nullptr;

using Task = std::function<void()>;

void RunTask(LPARAM lParam) noexcept
{
    const std::unique_ptr<Task> task(reinterpret_cast<Task*>(lParam));
    try {
        (*task)();
    } catch (...) {
        // A task is engine code called from the message loop; nothing may escape into user32.
    }
}

[[nodiscard]] std::wstring ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

EngineContext::EngineContext(const CefSettings& settings, CefRefPtr<CefApp> application)
    : m_instance(::GetModuleHandleW(nullptr)),
      m_locale(settings.locale.ToWString()),
      m_executable(ModulePath()),
      m_application(std::move(application)),
      m_processHandler(m_application ? m_application->GetBrowserProcessHandler() : nullptr),
      m_stallLimitMs(kStallLimitMs),
      m_stylesheetWaitMs(kStylesheetWaitMs),
      m_renderers(m_executable, m_processHandler)
{
    if (!settings.cache_path.empty()) {
        // An existing directory is the normal case.
        (void)::SHCreateDirectoryExW(nullptr, settings.cache_path.c_str(), nullptr);
    }
}

EngineContext::~EngineContext()
{
    if (m_taskWindow != nullptr) {
        ::DestroyWindow(m_taskWindow);
    }
    (void)::UnregisterClassW(kTaskWindowClass, m_instance);
    BrowserWindow::UnregisterWindowClass(m_instance);
}

bool EngineContext::Start(const CefSettings& settings, CefRefPtr<CefApp> application)
{
    if (Current() != nullptr) {
        return false;
    }
    std::unique_ptr<EngineContext> context(new EngineContext(settings, std::move(application)));
    if (!context->CreateTaskWindow() || !BrowserWindow::RegisterWindowClass(context->m_instance)) {
        return false;
    }
    {
        const std::lock_guard lock(g_contextMutex);
        g_context = context.release();
    }
    g_context->m_renderers.StartSpare();  // the first browser comes soon
    if (g_context->m_processHandler) {
        Post([] {
            if (auto* current = Current(); current != nullptr && current->m_processHandler) {
                current->m_processHandler->OnContextInitialized();
            }
        });
    }
    return true;
}

void EngineContext::Stop()
{
    EngineContext* context = Current();
    if (context == nullptr) {
        return;
    }
    context->CloseAllBrowsers();
    context->m_renderers.EndSpare();
    // Renderers end within their grace period; none outlives the engine.
    RendererHost::AwaitReleased();
    {
        const std::lock_guard lock(g_contextMutex);
        g_context = nullptr;
    }
    delete context;
}

EngineContext* EngineContext::Current() noexcept
{
    const std::lock_guard lock(g_contextMutex);
    return g_context;
}

void EngineContext::Post(std::function<void()> task)
{
    auto owned = std::make_unique<Task>(std::move(task));
    const std::lock_guard lock(g_contextMutex);
    if (g_context != nullptr &&
        ::PostMessageW(g_context->m_taskWindow, kRunTaskMessage, 0, reinterpret_cast<LPARAM>(owned.get()))) {
        (void)owned.release();
    }
}

bool EngineContext::CreateTaskWindow()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &EngineContext::TaskWindowProc;
    wc.hInstance = m_instance;
    wc.lpszClassName = kTaskWindowClass;
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    m_taskWindow = ::CreateWindowExW(0, kTaskWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, m_instance, nullptr);
    return m_taskWindow != nullptr;
}

LRESULT CALLBACK EngineContext::TaskWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == kRunTaskMessage) {
        RunTask(lParam);
        return 0;
    }
    if (message == WM_DESTROY) {
        // Tasks still queued own heap objects; free them without running them.
        MSG pending;
        while (::PeekMessageW(&pending, hwnd, kRunTaskMessage, kRunTaskMessage, PM_REMOVE)) {
            delete reinterpret_cast<Task*>(pending.lParam);
        }
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void EngineContext::Register(CefRefPtr<Browser> browser)
{
    const int id = browser->GetIdentifier();
    m_browsers[id] = std::move(browser);
}

void EngineContext::Unregister(int browserId)
{
    m_browsers.erase(browserId);
}

CefRefPtr<Browser> EngineContext::Find(int browserId) const
{
    const auto it = m_browsers.find(browserId);
    return it != m_browsers.end() ? it->second : nullptr;
}

void EngineContext::CloseAllBrowsers()
{
    std::vector<CefRefPtr<Browser>> browsers;
    for (const auto& entry : m_browsers) {
        browsers.push_back(entry.second);
    }
    for (const auto& browser : browsers) {
        browser->Shutdown();
    }
    m_browsers.clear();
}

} // namespace engine
