#include "engine/browser/Download.h"

#include <commdlg.h>

#include "common/Handles.h"

namespace engine {
namespace {

[[nodiscard]] std::wstring DispositionFileName(const std::string& disposition)
{
    const auto at = disposition.find("filename=");
    if (at == std::string::npos) {
        return {};
    }
    std::string name = disposition.substr(at + 9);
    if (!name.empty() && name.front() == '"') {
        const auto close = name.find('"', 1);
        name = name.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    } else {
        name = name.substr(0, name.find(';'));
    }
    return CefString(name).ToWString();
}

[[nodiscard]] std::wstring UrlFileName(const std::wstring& url)
{
    const std::wstring path = url.substr(0, url.find_first_of(L"?#"));
    const auto slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? std::wstring() : path.substr(slash + 1);
}

} // namespace

Download::Download(unsigned int id, std::wstring url, FetchResult response)
    : m_id(id), m_url(std::move(url)), m_response(std::move(response)),
      m_suggestedName(SuggestFileName(m_url, m_response.contentDisposition))
{
}

std::wstring Download::SuggestFileName(const std::wstring& url, const std::string& disposition)
{
    std::wstring name = DispositionFileName(disposition);
    if (name.empty()) {
        name = UrlFileName(url);
    }
    // Only the last path segment counts; the server does not choose directories.
    if (const auto slash = name.find_last_of(L"/\\"); slash != std::wstring::npos) {
        name = name.substr(slash + 1);
    }
    for (wchar_t& c : name) {
        if (c < 0x20 || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos) {
            c = L'_';
        }
    }
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) {
        name.pop_back();
    }
    return name.empty() || name == L"." || name == L".." ? L"download" : name;
}

bool Download::Save(std::wstring path, bool showDialog, HWND owner)
{
    if (m_state != State::Pending) {
        return false;
    }
    if (path.empty()) {
        path = m_suggestedName;
        showDialog = true;  // A bare name has no folder; the user picks one.
    }
    if ((showDialog && !AskForPath(path, owner)) || !WriteTo(path)) {
        m_state = State::Canceled;
        return false;
    }
    m_path = path;
    m_state = State::Complete;
    return true;
}

bool Download::AskForPath(std::wstring& path, HWND owner) const
{
    std::wstring buffer = path;
    buffer.resize(std::max<std::size_t>(buffer.size() + 1, 32768), L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!::GetSaveFileNameW(&dialog)) {
        return false;
    }
    path = buffer.c_str();
    return !path.empty();
}

bool Download::WriteTo(const std::wstring& path) const
{
    const UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    const std::string& body = m_response.body;
    std::size_t written = 0;
    while (written < body.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(body.size() - written, 1u << 20));
        DWORD done = 0;
        if (!::WriteFile(file.get(), body.data() + written, chunk, &done, nullptr) || done == 0) {
            return false;
        }
        written += done;
    }
    return true;
}

} // namespace engine
