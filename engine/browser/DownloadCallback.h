#pragma once
// The CefBeforeDownloadCallback handed to OnBeforeDownload. Continue may be called
// at once or later; saving always runs from the message loop, once.

#include "CefHandlers.h"
#include "engine/browser/Download.h"

namespace engine {

class DownloadCallback final : public CefBeforeDownloadCallback {
public:
    DownloadCallback(int browserId, CefRefPtr<Download> download)
        : m_browserId(browserId), m_download(std::move(download))
    {
    }

    void Continue(const CefString& downloadPath, bool showDialog) override;

private:
    int m_browserId;
    CefRefPtr<Download> m_download;
    bool m_continued = false;
    IMPLEMENT_REFCOUNTING(DownloadCallback);
};

} // namespace engine
