#pragma once
// Browsers, their host side and their frames.

#include "CefDom.h"
#include "CefRefCounting.h"
#include "CefString.h"
#include "CefTypes.h"
#include "CefValues.h"

class CefBrowser;
class CefBrowserHost;
class CefClient;
class CefFrame;

// Shares storage between browsers. Only the global context exists; pass null.
class CefRequestContext : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] virtual bool IsGlobal() = 0;
};

// A navigation request as a renderer sees it.
class CefRequest : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] virtual CefString GetURL() = 0;
    [[nodiscard]] virtual CefString GetMethod() = 0;
};

class CefFrame : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] virtual bool IsValid() = 0;
    // Browser process only: starts loading `url` in this frame, ending any load in progress.
    virtual void LoadURL(const CefString& url) = 0;
    [[nodiscard]] virtual bool IsMain() = 0;
    [[nodiscard]] virtual bool IsFocused() = 0;
    [[nodiscard]] virtual CefString GetName() = 0;
    [[nodiscard]] virtual long long GetIdentifier() = 0;
    // The address of the document shown (or being loaded, in the browser process).
    [[nodiscard]] virtual CefString GetURL() = 0;
    [[nodiscard]] virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
    // Renderer process only: runs the visitor on the renderer thread with the current
    // document; changes it makes are sent to the browser window. Ignored in the browser process.
    virtual void VisitDOM(CefRefPtr<CefDOMVisitor> visitor) = 0;
};

class CefBrowser : public virtual CefBaseRefCounted {
public:
    // Null in a renderer process.
    [[nodiscard]] virtual CefRefPtr<CefBrowserHost> GetHost() = 0;
    [[nodiscard]] virtual bool CanGoBack() = 0;
    virtual void GoBack() = 0;
    [[nodiscard]] virtual bool CanGoForward() = 0;
    virtual void GoForward() = 0;
    [[nodiscard]] virtual bool IsLoading() = 0;
    virtual void Reload() = 0;
    virtual void ReloadIgnoreCache() = 0;
    virtual void StopLoad() = 0;
    // Equal in the browser process and the browser's renderer.
    [[nodiscard]] virtual int GetIdentifier() = 0;
    [[nodiscard]] virtual bool IsSame(CefRefPtr<CefBrowser> that) = 0;
    [[nodiscard]] virtual bool IsPopup() = 0;
    [[nodiscard]] virtual CefRefPtr<CefFrame> GetMainFrame() = 0;
    // Browser process: target PID_RENDERER; renderer: target PID_BROWSER. Delivered
    // asynchronously to the other side's OnProcessMessageReceived. False when the
    // target is wrong or the browser is closed.
    virtual bool SendProcessMessage(CefProcessId targetProcess, CefRefPtr<CefProcessMessage> message) = 0;
};

// The browser-process side of a browser. All methods run on the thread that runs
// CefRunMessageLoop.
class CefBrowserHost : public virtual CefBaseRefCounted {
public:
    // Creates the native window at once; OnAfterCreated follows through the message
    // loop, then the load of `url` (nothing is loaded for an empty URL). Null when the
    // engine is not initialised or the window cannot be created.
    [[nodiscard]] static CefRefPtr<CefBrowser> CreateBrowserSync(const CefWindowInfo& windowInfo,
        CefRefPtr<CefClient> client, const CefString& url, const CefBrowserSettings& settings,
        CefRefPtr<CefRequestContext> requestContext);

    [[nodiscard]] virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
    // Asynchronous. Without force, asks DoClose; when that returns false the top-level
    // ancestor of the browser window receives WM_CLOSE (a top-level browser window is
    // destroyed instead). OnBeforeClose follows when the window is destroyed; neither
    // waits for the renderer or the network.
    virtual void CloseBrowser(bool forceClose) = 0;
    [[nodiscard]] virtual CefWindowHandle GetWindowHandle() = 0;
    [[nodiscard]] virtual CefRefPtr<CefClient> GetClient() = 0;
    [[nodiscard]] virtual CefRefPtr<CefRequestContext> GetRequestContext() = 0;
};
