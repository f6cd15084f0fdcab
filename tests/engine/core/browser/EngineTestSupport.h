#pragma once
// Helpers for tests that run real browsers: a message pump with a deadline, a folder
// of temporary pages, a top-level host window and a client that records every event.

#include <functional>
#include <string>
#include <vector>

#include "CefApi.h"

namespace enginetest {

// Pumps this thread's messages until `done` holds; false after `timeoutMs`.
[[nodiscard]] bool RunLoopUntil(const std::function<bool()>& done, unsigned timeoutMs = 30000);

// Keeps the loop running for a round trip through the engine's task queue, so that
// everything already posted has run.
void Settle();

inline constexpr DWORD kNotFinished = 0xFFFFFFFF;

// Runs this executable with `arguments` and returns its exit code, or kNotFinished
// when it has not ended within `timeoutMs`.
[[nodiscard]] DWORD RunSelf(const std::wstring& arguments, DWORD timeoutMs);

class TempDir final {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes `content` (UTF-8) and returns the file's absolute Windows path.
    std::wstring Write(const std::wstring& name, const std::string& content);
    [[nodiscard]] std::wstring PathOf(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// CefInitialize with the application's settings and the cache in `files`; no application object.
[[nodiscard]] bool InitialiseEngine(const TempDir& files);

// A plain top-level window standing in for the application's main window.
class HostWindow final {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    [[nodiscard]] HWND Handle() const noexcept { return m_hwnd; }
    [[nodiscard]] int CloseMessages() const noexcept { return m_closeMessages; }
    // Whether WM_CLOSE destroys the window (the default) or is swallowed.
    void SetDestroyOnClose(bool destroy) noexcept { m_destroyOnClose = destroy; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND m_hwnd = nullptr;
    int m_closeMessages = 0;
    bool m_destroyOnClose = true;
};

// Child window info at (0, 0) with the given size.
[[nodiscard]] CefWindowInfo ChildOf(HWND parent, int width = 400, int height = 300);

// Records events as short strings: "created", "state:1", "start", "title:<t>",
// "end:<status>", "error:<code>:<url>", "popup:<url>", "close", "download:<name>", ...
class RecordingClient final : public CefClient,
                              public CefLifeSpanHandler,
                              public CefLoadHandler,
                              public CefDisplayHandler,
                              public CefContextMenuHandler,
                              public CefDownloadHandler {
public:
    std::vector<std::wstring> events;
    std::vector<CefRefPtr<CefBrowser>> browsers;  // in OnAfterCreated order
    std::vector<CefRefPtr<CefProcessMessage>> messages;
    bool cancelPopups = true;
    std::function<void(CefRefPtr<CefBrowser>)> afterCreated;
    std::function<bool(CefRefPtr<CefBrowser>)> doClose;
    std::function<void()> beforeClose;
    std::function<void(CefRefPtr<CefContextMenuParams>, CefRefPtr<CefMenuModel>)> beforeContextMenu;
    std::function<bool(int)> contextMenuCommand;
    std::wstring downloadPath;  // passed to Continue with the dialog shown

    [[nodiscard]] int Count(const std::wstring& prefix) const;
    [[nodiscard]] std::vector<std::wstring> EventsAfter(const std::wstring& marker) const;

    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
    CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() override { return this; }
    CefRefPtr<CefDownloadHandler> GetDownloadHandler() override { return this; }
    bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId source,
        CefRefPtr<CefProcessMessage> message) override;

    bool OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, const CefString& targetUrl,
        const CefString& targetFrameName, WindowOpenDisposition disposition, bool userGesture,
        const CefPopupFeatures& features, CefWindowInfo& windowInfo, CefRefPtr<CefClient>& client,
        CefBrowserSettings& settings, bool* noJavascriptAccess) override;
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
    bool DoClose(CefRefPtr<CefBrowser> browser) override;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;

    void OnLoadingStateChange(CefRefPtr<CefBrowser> browser, bool isLoading, bool canGoBack,
        bool canGoForward) override;
    void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) override;
    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int httpStatusCode) override;
    void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, ErrorCode errorCode,
        const CefString& errorText, const CefString& failedUrl) override;
    void OnTitleChange(CefRefPtr<CefBrowser> browser, const CefString& title) override;

    void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model) override;
    bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        CefRefPtr<CefContextMenuParams> params, int commandId, EventFlags eventFlags) override;

    void OnBeforeDownload(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
        const CefString& suggestedName, CefRefPtr<CefBeforeDownloadCallback> callback) override;
    void OnDownloadUpdated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
        CefRefPtr<CefDownloadItemCallback> callback) override;

    IMPLEMENT_REFCOUNTING(RecordingClient);
};

} // namespace enginetest
