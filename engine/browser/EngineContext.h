#pragma once
// Process-wide state of the browser process between CefInitialize and CefShutdown:
// settings, the application, the live browsers and the task window through which
// work from other threads reaches the thread that runs the message loop.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CefAppApi.h"
#include "engine/browser/RendererLauncher.h"

namespace engine {

class Browser;

class EngineContext final {
public:
    // False when a context exists already or the engine's windows cannot be set up.
    [[nodiscard]] static bool Start(const CefSettings& settings, CefRefPtr<CefApp> application);
    // Closes the remaining browsers and ends the context.
    static void Stop();
    // Null outside Start..Stop. Only for the message-loop thread.
    [[nodiscard]] static EngineContext* Current() noexcept;
    // Runs `task` on the message-loop thread. Safe from any thread; dropped when the
    // context is gone.
    static void Post(std::function<void()> task);

    ~EngineContext();
    EngineContext(const EngineContext&) = delete;
    EngineContext& operator=(const EngineContext&) = delete;

    [[nodiscard]] HINSTANCE Instance() const noexcept { return m_instance; }
    [[nodiscard]] const std::wstring& Locale() const noexcept { return m_locale; }
    [[nodiscard]] const std::wstring& ExecutablePath() const noexcept { return m_executable; }
    [[nodiscard]] CefRefPtr<CefBrowserProcessHandler> ProcessHandler() const { return m_processHandler; }
    // How long a page load may receive nothing before it fails with ERR_TIMED_OUT.
    [[nodiscard]] DWORD StallLimitMs() const noexcept { return m_stallLimitMs; }
    // Tests shorten the limit; the client never changes it.
    void SetStallLimitMs(DWORD limitMs) noexcept { m_stallLimitMs = limitMs; }
    // How long a loaded page waits for style sheets that have not arrived before it shows
    // without them.
    [[nodiscard]] DWORD StylesheetWaitMs() const noexcept { return m_stylesheetWaitMs; }
    // Tests shorten the wait; the client never changes it.
    void SetStylesheetWaitMs(DWORD waitMs) noexcept { m_stylesheetWaitMs = waitMs; }
    [[nodiscard]] RendererLauncher& Renderers() noexcept { return m_renderers; }

    [[nodiscard]] int NextBrowserId() noexcept { return ++m_lastBrowserId; }
    void Register(CefRefPtr<Browser> browser);
    void Unregister(int browserId);
    [[nodiscard]] CefRefPtr<Browser> Find(int browserId) const;

private:
    EngineContext(const CefSettings& settings, CefRefPtr<CefApp> application);
    [[nodiscard]] bool CreateTaskWindow();
    static LRESULT CALLBACK TaskWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void CloseAllBrowsers();

    HINSTANCE m_instance;
    std::wstring m_locale;
    std::wstring m_executable;
    CefRefPtr<CefApp> m_application;
    CefRefPtr<CefBrowserProcessHandler> m_processHandler;
    DWORD m_stallLimitMs;
    DWORD m_stylesheetWaitMs;
    RendererLauncher m_renderers;  // after the executable and the handler it borrows
    HWND m_taskWindow = nullptr;
    int m_lastBrowserId = 0;
    std::map<int, CefRefPtr<Browser>> m_browsers;
};

} // namespace engine
