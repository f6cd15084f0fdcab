#pragma once
// The browser client of one view: turns the engine's events for its browser into calls
// on the view (Delegate) and on the main window (CCefWebLoadCallback), shapes the page
// context menu, copies link addresses, sends downloads through the save dialog and
// detaches a closing browser's window while other browsers remain. Every operation
// runs on the user-interface thread, which is the engine's browser thread.

#include <set>

#include "CefHandlers.h"
#include "ErrorPageGuard.h"

class CCefWebLoadCallback;
class CCefWebkitUI;
class Delegate;

class CCefHandler final : public CefClient,
                          public CefDisplayHandler,
                          public CefLifeSpanHandler,
                          public CefLoadHandler,
                          public CefRequestHandler,
                          public CefContextMenuHandler,
                          public CefDownloadHandler {
public:
    // Context-menu command that copies the link address under an image.
    static constexpr int kCopyImageCommand = 26501;

    // Borrowed; both must outlive their registration (the view clears it when it goes).
    void SetWebLoadCallback(CCefWebkitUI* owner, CCefWebLoadCallback* callback) noexcept;
    [[nodiscard]] CCefWebkitUI* GetOwner() const noexcept { return m_owner; }
    // Borrowed; the view sets it in DoInit and clears it when it closes or goes.
    void SetDelegate(Delegate* delegate) noexcept { m_delegate = delegate; }
    // The view was closed before the engine delivered its browser: close it on arrival.
    void CloseOnArrival() noexcept { m_closeOnArrival = true; }
    // The view asks its main frame to load; false while the window answers the failure
    // of its own error page, so that a failing error page is not loaded again.
    [[nodiscard]] bool AllowsLoad() noexcept { return m_errorPageGuard.OnLoadRequested(); }
    // Browsers between OnAfterCreated and their close, over every client of the process.
    [[nodiscard]] static int GetLiveBrowserCount() noexcept;

    // CefClient.
    CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() override { return this; }
    CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
    CefRefPtr<CefDownloadHandler> GetDownloadHandler() override { return this; }
    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }

    // CefDisplayHandler.
    void OnTitleChange(CefRefPtr<CefBrowser> browser, const CefString& title) override;

    // CefLifeSpanHandler.
    bool OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, const CefString& targetUrl,
                       const CefString& targetFrameName, WindowOpenDisposition targetDisposition, bool userGesture,
                       const CefPopupFeatures& popupFeatures, CefWindowInfo& windowInfo,
                       CefRefPtr<CefClient>& client, CefBrowserSettings& settings,
                       bool* noJavascriptAccess) override;
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
    // Every closing browser but the last leaves the main window first, so that only
    // the last one sends it WM_CLOSE. Returns false: the engine goes on closing.
    bool DoClose(CefRefPtr<CefBrowser> browser) override;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;

    // CefLoadHandler. Only the main frame's events reach the window.
    void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) override;
    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int httpStatusCode) override;
    // ERR_ABORTED (a load superseded or stopped) is not an error for the window.
    void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, ErrorCode errorCode,
                     const CefString& errorText, const CefString& failedUrl) override;

    // CefContextMenuHandler (CefHandlerMenu.cpp).
    void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                             CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model) override;
    bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                              CefRefPtr<CefContextMenuParams> params, int commandId,
                              EventFlags eventFlags) override;

    // CefDownloadHandler: the engine's save dialog proposes its suggested name.
    void OnBeforeDownload(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> downloadItem,
                          const CefString& suggestedName, CefRefPtr<CefBeforeDownloadCallback> callback) override;

private:
    // Takes the browser out of the live count: the count left, or -1 when it was not in it.
    int Forget(const CefRefPtr<CefBrowser>& browser);

    CCefWebkitUI* m_owner = nullptr;            // borrowed
    CCefWebLoadCallback* m_callback = nullptr;  // borrowed
    Delegate* m_delegate = nullptr;             // borrowed
    bool m_closeOnArrival = false;
    CErrorPageGuard m_errorPageGuard;
    std::set<int> m_liveBrowsers; // identifiers of this client's browsers in the live count
    IMPLEMENT_REFCOUNTING(CCefHandler);
    IMPLEMENT_LOCKING(CCefHandler);
};
