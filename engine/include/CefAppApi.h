#pragma once
// The application object and the process-wide engine functions.

#include "CefBrowserApi.h"
#include "CefHandlers.h"
#include "CefRefCounting.h"
#include "CefString.h"
#include "CefTypes.h"
#include "CefValues.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"  // default handlers ignore their arguments

class CefSchemeRegistrar : public virtual CefBaseRefCounted {
public:
    virtual bool AddCustomScheme(const CefString& schemeName, bool isStandard, bool isLocal,
        bool isDisplayIsolated) = 0;
};

class CefResourceBundleHandler : public virtual CefBaseRefCounted {};

// A script context of a frame (renderer process). Scripts do not run yet, so a context
// only supports being entered and left.
class CefV8Context : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] virtual bool IsValid() = 0;
    virtual bool Enter() = 0;
    virtual bool Exit() = 0;
};

class CefV8Exception : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] virtual CefString GetMessage() = 0;
};

class CefV8StackTrace : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] virtual int GetFrameCount() = 0;
};

// Browser-process events of the application.
class CefBrowserProcessHandler : public virtual CefBaseRefCounted {
public:
    // After CefInitialize, through the message loop.
    virtual void OnContextInitialized() {}
    // Before a renderer is started; switches may be added.
    virtual void OnBeforeChildProcessLaunch(CefRefPtr<CefCommandLine> commandLine) {}
    // Values added to `extraInfo` reach OnRenderThreadCreated in the new renderer.
    virtual void OnRenderProcessThreadCreated(CefRefPtr<CefListValue> extraInfo) {}
};

// Renderer-process events; all run on the renderer thread of the sub-process.
class CefRenderProcessHandler : public virtual CefBaseRefCounted {
public:
    using NavigationType = int;

    virtual void OnRenderThreadCreated(CefRefPtr<CefListValue> extraInfo) {}
    virtual void OnWebKitInitialized() {}
    virtual void OnBrowserCreated(CefRefPtr<CefBrowser> browser) {}
    virtual void OnBrowserDestroyed(CefRefPtr<CefBrowser> browser) {}
    virtual CefRefPtr<CefLoadHandler> GetLoadHandler() { return nullptr; }
    // True cancels the navigation.
    virtual bool OnBeforeNavigation(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        CefRefPtr<CefRequest> request, NavigationType navigationType, bool isRedirect) { return false; }
    virtual void OnContextCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        CefRefPtr<CefV8Context> context) {}
    virtual void OnContextReleased(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        CefRefPtr<CefV8Context> context) {}
    virtual void OnUncaughtException(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        CefRefPtr<CefV8Context> context, CefRefPtr<CefV8Exception> exception,
        CefRefPtr<CefV8StackTrace> stackTrace) {}
    virtual void OnFocusedNodeChanged(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
        CefRefPtr<CefDOMNode> node) {}
    // A message from the browser process; true when handled.
    virtual bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId sourceProcess,
        CefRefPtr<CefProcessMessage> message) { return false; }
};

class CefApp : public virtual CefBaseRefCounted {
public:
    // Empty `processType` in the browser process.
    virtual void OnBeforeCommandLineProcessing(const CefString& processType,
        CefRefPtr<CefCommandLine> commandLine) {}
    virtual void OnRegisterCustomSchemes(CefRefPtr<CefSchemeRegistrar> registrar) {}
    virtual CefRefPtr<CefResourceBundleHandler> GetResourceBundleHandler() { return nullptr; }
    virtual CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() { return nullptr; }
    virtual CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() { return nullptr; }
};

#pragma GCC diagnostic pop

// The interface version the headers describe; cef_api_hash(0) returns the one the
// engine was built with.
#define CEF_API_HASH_PLATFORM "zv-engine-api-1"
[[nodiscard]] const char* cef_api_hash(int entry);

// Call first in every process. Returns -1 in the browser process (the one the user
// started); in an engine sub-process runs its role to the end and returns the exit
// code (0 or more). Returns 0 when the engine and the headers disagree on the interface.
[[nodiscard]] int CefExecuteProcess(const CefMainArgs& args, CefRefPtr<CefApp> application,
    void* windowsSandboxInfo = nullptr);

// Browser process: prepares the engine on the calling thread, which must then run
// CefRunMessageLoop. Creates the cache directory. False when already initialised, on
// an interface mismatch or when the engine's windows cannot be set up.
bool CefInitialize(const CefMainArgs& args, const CefSettings& settings, CefRefPtr<CefApp> application,
    void* windowsSandboxInfo = nullptr);

// Pumps the calling thread's messages until CefQuitMessageLoop.
void CefRunMessageLoop();
// May be called from any thread.
void CefQuitMessageLoop();
// Closes the remaining browsers, ends the renderers (a hung one is terminated after a
// short grace) and releases the application. Never waits on the network: fetches still
// in progress are abandoned.
void CefShutdown();
