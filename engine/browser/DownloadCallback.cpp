#include "engine/browser/DownloadCallback.h"

#include "engine/browser/Browser.h"
#include "engine/browser/EngineContext.h"

namespace engine {

void DownloadCallback::Continue(const CefString& downloadPath, bool showDialog)
{
    if (m_continued) {
        return;
    }
    m_continued = true;
    EngineContext::Post([id = m_browserId, download = m_download, path = downloadPath.ToWString(), showDialog] {
        auto* context = EngineContext::Current();
        CefRefPtr<Browser> browser = context != nullptr ? context->Find(id) : nullptr;
        const HWND window = browser ? browser->GetWindowHandle() : nullptr;
        (void)download->Save(path, showDialog, window != nullptr ? ::GetAncestor(window, GA_ROOT) : nullptr);
        CefRefPtr<CefClient> client = browser ? browser->GetClient() : nullptr;
        if (auto handler = client ? client->GetDownloadHandler() : nullptr) {
            handler->OnDownloadUpdated(browser.get(), download.get(), nullptr);
        }
    });
}

} // namespace engine
