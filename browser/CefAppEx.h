#pragma once
// The engine application object. The same instance serves the browser process and,
// in every renderer sub-process, the page adjustments requested by process messages.

#include "CefAppApi.h"

class CCefAppEx final : public CefApp,
                        public CefBrowserProcessHandler,
                        public CefRenderProcessHandler,
                        public CefLoadHandler {
public:
    // Names of the process messages that adjust the page shown in a renderer.
    static constexpr const wchar_t* kMainMessage = L"Msg.Main";
    static constexpr const wchar_t* kPlayMessage = L"Msg.Play";

    // CefApp. Command-line processing, schemes and resource bundles keep the engine defaults.
    CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() override { return this; }
    CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override { return this; }

    // CefRenderProcessHandler. Every CefLoadHandler event keeps its empty default.
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    void OnContextCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                          CefRefPtr<CefV8Context> context) override;
    // Runs the page adjustment named by the message on the browser's main frame;
    // true for "Msg.Main" and "Msg.Play" (exact case), false for every other name.
    bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId sourceProcess,
                                  CefRefPtr<CefProcessMessage> message) override;

    IMPLEMENT_REFCOUNTING(CCefAppEx);
};
