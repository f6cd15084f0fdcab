#pragma once
// The client side of a browser: CefClient and the handlers it hands out. Every
// callback runs on the thread that runs CefRunMessageLoop. Operations that are not
// overridden keep the engine's default behaviour.

#include <cstdint>

#include "CefBrowserApi.h"
#include "CefRefCounting.h"
#include "CefString.h"
#include "CefTypes.h"
#include "CefValues.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"  // default handlers ignore their arguments

// What was under the mouse when the context menu was requested.
class CefContextMenuParams : public virtual CefBaseRefCounted {
public:
    // Client coordinates of the browser window.
    [[nodiscard]] virtual int GetXCoord() = 0;
    [[nodiscard]] virtual int GetYCoord() = 0;
    // A combination of CM_TYPEFLAG_* values.
    [[nodiscard]] virtual TypeFlags GetTypeFlags() = 0;
    // Absolute; empty when not on a link.
    [[nodiscard]] virtual CefString GetLinkUrl() = 0;
    [[nodiscard]] virtual CefString GetUnfilteredLinkUrl() = 0;
    // Absolute source of the image under the mouse; empty otherwise.
    [[nodiscard]] virtual CefString GetSourceUrl() = 0;
    [[nodiscard]] virtual bool HasImageContents() = 0;
    [[nodiscard]] virtual CefString GetPageUrl() = 0;
    [[nodiscard]] virtual CefString GetFrameUrl() = 0;
    [[nodiscard]] virtual MediaType GetMediaType() = 0;
    [[nodiscard]] virtual CefString GetSelectionText() = 0;
    [[nodiscard]] virtual bool IsEditable() = 0;
};

// The items of a context menu. Indexes are 0-based; command ids are the values
// passed to OnContextMenuCommand.
class CefMenuModel : public virtual CefBaseRefCounted {
public:
    virtual bool Clear() = 0;
    [[nodiscard]] virtual int GetCount() = 0;
    virtual bool AddSeparator() = 0;
    virtual bool AddItem(int commandId, const CefString& label) = 0;
    virtual bool InsertItemAt(int index, int commandId, const CefString& label) = 0;
    // Removes the first item with this command id; false when there is none.
    virtual bool Remove(int commandId) = 0;
    virtual bool RemoveAt(int index) = 0;
    // -1 when absent.
    [[nodiscard]] virtual int GetIndexOf(int commandId) = 0;
    // -1 for a separator or an index out of range.
    [[nodiscard]] virtual int GetCommandIdAt(int index) = 0;
    [[nodiscard]] virtual CefString GetLabel(int commandId) = 0;
    [[nodiscard]] virtual CefString GetLabelAt(int index) = 0;
    // MENUITEMTYPE_NONE for an index out of range.
    [[nodiscard]] virtual MenuItemType GetType(int commandId) = 0;
    [[nodiscard]] virtual MenuItemType GetTypeAt(int index) = 0;
    [[nodiscard]] virtual bool IsEnabled(int commandId) = 0;
    virtual bool SetEnabled(int commandId, bool enabled) = 0;
};

// A download, as reported to CefDownloadHandler.
class CefDownloadItem : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] virtual bool IsValid() = 0;
    [[nodiscard]] virtual bool IsInProgress() = 0;
    [[nodiscard]] virtual bool IsComplete() = 0;
    [[nodiscard]] virtual bool IsCanceled() = 0;
    [[nodiscard]] virtual std::int64_t GetTotalBytes() = 0;
    [[nodiscard]] virtual std::int64_t GetReceivedBytes() = 0;
    // 0 to 100, or -1 when unknown.
    [[nodiscard]] virtual int GetPercentComplete() = 0;
    // Where the file is written; empty until a path is chosen.
    [[nodiscard]] virtual CefString GetFullPath() = 0;
    [[nodiscard]] virtual unsigned int GetId() = 0;
    [[nodiscard]] virtual CefString GetURL() = 0;
    [[nodiscard]] virtual CefString GetSuggestedFileName() = 0;
    [[nodiscard]] virtual CefString GetContentDisposition() = 0;
    [[nodiscard]] virtual CefString GetMimeType() = 0;
};

class CefBeforeDownloadCallback : public virtual CefBaseRefCounted {
public:
    // `downloadPath` empty: the suggested name in the user's download folder (or, with
    // `showDialog`, proposed in the save dialog). Only the first call counts.
    virtual void Continue(const CefString& downloadPath, bool showDialog) = 0;
};

class CefDownloadItemCallback : public virtual CefBaseRefCounted {
public:
    virtual void Cancel() = 0;
};

// Handlers that the engine asks for but does not consult yet.
class CefDialogHandler : public virtual CefBaseRefCounted {};
class CefDragHandler : public virtual CefBaseRefCounted {};
class CefFocusHandler : public virtual CefBaseRefCounted {};
class CefGeolocationHandler : public virtual CefBaseRefCounted {};
class CefJSDialogHandler : public virtual CefBaseRefCounted {};
class CefKeyboardHandler : public virtual CefBaseRefCounted {};
class CefRenderHandler : public virtual CefBaseRefCounted {};

class CefContextMenuHandler : public virtual CefBaseRefCounted {
public:
    using EventFlags = cef_event_flags_t;

    // May change `model`; an empty model shows no menu.
    virtual void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model) {}
    // True when the client handled the command; false lets the engine run its own.
    virtual bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        CefRefPtr<CefContextMenuParams> params, int commandId, EventFlags eventFlags) { return false; }
    virtual void OnContextMenuDismissed(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) {}
};

class CefDisplayHandler : public virtual CefBaseRefCounted {
public:
    virtual void OnAddressChange(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        const CefString& url) {}
    virtual void OnTitleChange(CefRefPtr<CefBrowser> browser, const CefString& title) {}
    virtual bool OnTooltip(CefRefPtr<CefBrowser> browser, CefString& text) { return false; }
    virtual void OnStatusMessage(CefRefPtr<CefBrowser> browser, const CefString& value) {}
    virtual bool OnConsoleMessage(CefRefPtr<CefBrowser> browser, const CefString& message,
        const CefString& source, int line) { return false; }
};

class CefDownloadHandler : public virtual CefBaseRefCounted {
public:
    // Keep `callback` and call Continue to save the file; without a call the download is dropped.
    virtual void OnBeforeDownload(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> downloadItem,
        const CefString& suggestedName, CefRefPtr<CefBeforeDownloadCallback> callback) = 0;
    virtual void OnDownloadUpdated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> downloadItem,
        CefRefPtr<CefDownloadItemCallback> callback) {}
};

class CefLifeSpanHandler : public virtual CefBaseRefCounted {
public:
    using WindowOpenDisposition = cef_window_open_disposition_t;

    // A page asks for a new window. Return true to cancel it; otherwise the engine opens a
    // top-level browser with `windowInfo`, `client` and `settings`, which may be changed.
    virtual bool OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        const CefString& targetUrl, const CefString& targetFrameName, WindowOpenDisposition targetDisposition,
        bool userGesture, const CefPopupFeatures& popupFeatures, CefWindowInfo& windowInfo,
        CefRefPtr<CefClient>& client, CefBrowserSettings& settings, bool* noJavascriptAccess) { return false; }
    virtual void OnAfterCreated(CefRefPtr<CefBrowser> browser) {}
    virtual bool RunModal(CefRefPtr<CefBrowser> browser) { return false; }
    // False lets the engine go on closing (see CefBrowserHost::CloseBrowser).
    virtual bool DoClose(CefRefPtr<CefBrowser> browser) { return false; }
    // The browser window is gone; the browser is released after this call.
    virtual void OnBeforeClose(CefRefPtr<CefBrowser> browser) {}
};

class CefLoadHandler : public virtual CefBaseRefCounted {
public:
    using ErrorCode = cef_errorcode_t;

    virtual void OnLoadingStateChange(CefRefPtr<CefBrowser> browser, bool isLoading, bool canGoBack,
        bool canGoForward) {}
    virtual void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) {}
    // `httpStatusCode` is 200 for pages read from disk.
    virtual void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int httpStatusCode) {}
    // A page that sends nothing for about 30 s fails with ERR_TIMED_OUT.
    virtual void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, ErrorCode errorCode,
        const CefString& errorText, const CefString& failedUrl) {}
};

class CefRequestHandler : public virtual CefBaseRefCounted {
public:
    // True cancels the navigation.
    virtual bool OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        CefRefPtr<CefRequest> request, bool isRedirect) { return false; }
};

class CefClient : public virtual CefBaseRefCounted {
public:
    virtual CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() { return nullptr; }
    virtual CefRefPtr<CefDialogHandler> GetDialogHandler() { return nullptr; }
    virtual CefRefPtr<CefDisplayHandler> GetDisplayHandler() { return nullptr; }
    virtual CefRefPtr<CefDownloadHandler> GetDownloadHandler() { return nullptr; }
    virtual CefRefPtr<CefDragHandler> GetDragHandler() { return nullptr; }
    virtual CefRefPtr<CefFocusHandler> GetFocusHandler() { return nullptr; }
    virtual CefRefPtr<CefGeolocationHandler> GetGeolocationHandler() { return nullptr; }
    virtual CefRefPtr<CefJSDialogHandler> GetJSDialogHandler() { return nullptr; }
    virtual CefRefPtr<CefKeyboardHandler> GetKeyboardHandler() { return nullptr; }
    virtual CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() { return nullptr; }
    virtual CefRefPtr<CefLoadHandler> GetLoadHandler() { return nullptr; }
    virtual CefRefPtr<CefRenderHandler> GetRenderHandler() { return nullptr; }
    virtual CefRefPtr<CefRequestHandler> GetRequestHandler() { return nullptr; }
    // A message from the browser's renderer; true when handled.
    virtual bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId sourceProcess,
        CefRefPtr<CefProcessMessage> message) { return false; }
};

#pragma GCC diagnostic pop
