#pragma once
// What the main window learns about the page in one of its views. Every call runs on
// the user-interface thread and names the view (`owner`) the client was given by
// CCefHandler::SetWebLoadCallback; the window must check that the view is still one
// of its own before touching it.

#include "CefBrowserApi.h"

class CCefHandler;
class CCefWebkitUI;

class CCefWebLoadCallback {
public:
    // The main frame started loading.
    virtual void OnWebLoadStart(CCefHandler* handler, CCefWebkitUI* owner) = 0;
    // The main frame finished loading, whatever the HTTP status.
    virtual void OnWebLoadEnd(CCefHandler* handler, CCefWebkitUI* owner, CefRefPtr<CefBrowser> browser) = 0;
    // The main frame failed to load (never for a load that was superseded or stopped).
    virtual void OnWebLoadError(CCefHandler* handler, CCefWebkitUI* owner, CefRefPtr<CefFrame> frame) = 0;
    // `title` is null when the page gives none.
    virtual void OnWebTitleChange(CCefHandler* handler, CCefWebkitUI* owner, LPCWSTR title) = 0;
    // The page asks for a new window for `url`; true keeps the engine from opening one.
    virtual bool OnWebPopup(CCefHandler* handler, CCefWebkitUI* owner, LPCWSTR url) = 0;

protected:
    ~CCefWebLoadCallback() = default;
};
