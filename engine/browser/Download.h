#pragma once
// A response that is saved instead of shown. The whole body is already in memory;
// Continue() picks the path (asking the user when wanted) and writes it.

#include <string>

#include "CefHandlers.h"
#include "engine/browser/FetchResult.h"

namespace engine {

class Download final : public CefDownloadItem {
public:
    Download(unsigned int id, std::wstring url, FetchResult response);

    // "filename" of Content-Disposition, else the last segment of the URL path, with
    // characters that Windows file names cannot hold replaced by '_'.
    [[nodiscard]] static std::wstring SuggestFileName(const std::wstring& url, const std::string& disposition);

    // Writes the body to `path`, or to a path chosen in the save dialog (owned by
    // `owner`) when `showDialog`. Returns false when cancelled or the write failed.
    bool Save(std::wstring path, bool showDialog, HWND owner);

    bool IsValid() override { return true; }
    bool IsInProgress() override { return m_state == State::Pending; }
    bool IsComplete() override { return m_state == State::Complete; }
    bool IsCanceled() override { return m_state == State::Canceled; }
    std::int64_t GetTotalBytes() override { return static_cast<std::int64_t>(m_response.body.size()); }
    std::int64_t GetReceivedBytes() override { return GetTotalBytes(); }
    int GetPercentComplete() override { return 100; }
    CefString GetFullPath() override { return m_path; }
    unsigned int GetId() override { return m_id; }
    CefString GetURL() override { return m_url; }
    CefString GetSuggestedFileName() override { return m_suggestedName; }
    CefString GetContentDisposition() override { return CefString(m_response.contentDisposition); }
    CefString GetMimeType() override { return CefString(m_response.contentType); }

private:
    enum class State { Pending, Complete, Canceled };

    [[nodiscard]] bool AskForPath(std::wstring& path, HWND owner) const;
    [[nodiscard]] bool WriteTo(const std::wstring& path) const;

    unsigned int m_id;
    std::wstring m_url;
    FetchResult m_response;
    std::wstring m_suggestedName;
    std::wstring m_path;
    State m_state = State::Pending;
    IMPLEMENT_REFCOUNTING(Download);
};

} // namespace engine
