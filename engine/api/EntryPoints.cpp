// The process-wide engine functions.
#include <cstring>

#include "CefAppApi.h"
#include "engine/api/CommandLine.h"
#include "engine/browser/Browser.h"
#include "engine/browser/EngineContext.h"
#include "engine/renderer/Renderer.h"

namespace {

[[nodiscard]] bool ApiMatches()
{
    return std::strcmp(cef_api_hash(0), CEF_API_HASH_PLATFORM) == 0;
}

} // namespace

const char* cef_api_hash(int)
{
    return CEF_API_HASH_PLATFORM;
}

int CefExecuteProcess(const CefMainArgs&, CefRefPtr<CefApp> application, void*)
{
    if (!ApiMatches()) {
        return 0;
    }
    CefRefPtr<engine::CommandLine> commandLine = engine::CommandLine::Parse(::GetCommandLineW());
    if (!commandLine->HasSwitch(L"type")) {
        return -1;
    }
    const CefString processType = commandLine->GetSwitchValue(L"type");
    if (application) {
        application->OnBeforeCommandLineProcessing(processType, commandLine.get());
    }
    if (processType.ToWString() != L"renderer") {
        return 0;  // No other sub-process kinds exist; such a process has nothing to do.
    }
    engine::Renderer renderer(application);
    return renderer.Run(commandLine->GetSwitchValue(L"channel").ToWString());
}

bool CefInitialize(const CefMainArgs&, const CefSettings& settings, CefRefPtr<CefApp> application, void*)
{
    if (!ApiMatches()) {
        return false;
    }
    if (application) {
        application->OnBeforeCommandLineProcessing(CefString(), engine::CommandLine::Parse(::GetCommandLineW()).get());
    }
    return engine::EngineContext::Start(settings, std::move(application));
}

void CefRunMessageLoop()
{
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void CefQuitMessageLoop()
{
    if (engine::EngineContext::Current() != nullptr) {
        engine::EngineContext::Post([] { ::PostQuitMessage(0); });
    } else {
        ::PostQuitMessage(0);
    }
}

void CefShutdown()
{
    engine::EngineContext::Stop();
}

CefRefPtr<CefBrowser> CefBrowserHost::CreateBrowserSync(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
    const CefString& url, const CefBrowserSettings&, CefRefPtr<CefRequestContext>)
{
    return engine::Browser::Create(windowInfo, std::move(client), url.ToWString(), false);
}
