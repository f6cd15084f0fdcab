#pragma once
// How a browser client hands the browser the engine created to the view that asked for it.

#include "CefBrowserApi.h"

class Delegate {
public:
    // Called once per browser, on the user-interface thread, from OnAfterCreated.
    virtual void SetBrowser(CefRefPtr<CefBrowser> browser) = 0;

protected:
    ~Delegate() = default;
};
