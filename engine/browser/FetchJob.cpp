#include "engine/browser/FetchJob.h"

#include <algorithm>
#include <cwctype>

#include <shlwapi.h>
#include <wininet.h>

#include "CefTypes.h"
#include "common/Handles.h"

namespace engine {
namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr std::size_t kMaxBody = 256u * 1024u * 1024u;

struct InternetHandleTraits {
    using Type = HINTERNET;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::InternetCloseHandle(h); }
};
using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;

[[nodiscard]] std::wstring LowerScheme(const std::wstring& url)
{
    const auto colon = url.find(L':');
    std::wstring scheme = colon == std::wstring::npos ? std::wstring() : url.substr(0, colon);
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](wchar_t c) { return std::towlower(c); });
    return scheme;
}

[[nodiscard]] bool IsWindowsPath(const std::wstring& url)
{
    const bool drive = url.size() >= 3 && std::iswalpha(url[0]) && url[1] == L':' && (url[2] == L'\\' || url[2] == L'/');
    return drive || url.rfind(L"\\\\", 0) == 0;
}

[[nodiscard]] int MapInternetError(DWORD error)
{
    switch (error) {
    case ERROR_INTERNET_NAME_NOT_RESOLVED: return ERR_NAME_NOT_RESOLVED;
    case ERROR_INTERNET_CANNOT_CONNECT: return ERR_CONNECTION_REFUSED;
    case ERROR_INTERNET_TIMEOUT: return ERR_TIMED_OUT;
    case ERROR_INTERNET_INVALID_URL:
    case ERROR_INTERNET_UNRECOGNIZED_SCHEME: return ERR_INVALID_URL;
    case ERROR_INTERNET_CONNECTION_RESET: return ERR_CONNECTION_RESET;
    case ERROR_INTERNET_CONNECTION_ABORTED: return ERR_CONNECTION_CLOSED;
    case ERROR_INTERNET_OPERATION_CANCELLED: return ERR_ABORTED;
    case ERROR_HTTP_INVALID_SERVER_RESPONSE: return ERR_INVALID_RESPONSE;
    default: return ERR_FAILED;
    }
}

[[nodiscard]] std::string ContentTypeForPath(const std::wstring& path)
{
    std::wstring extension = ::PathFindExtensionW(path.c_str());
    std::transform(extension.begin(), extension.end(), extension.begin(), [](wchar_t c) { return std::towlower(c); });
    if (extension == L".htm" || extension == L".html" || extension == L".xhtml") {
        return "text/html";
    }
    if (extension == L".txt" || extension == L".css" || extension == L".js" || extension == L".xml" ||
        extension == L".json") {
        return "text/plain";
    }
    if (extension == L".png" || extension == L".gif" || extension == L".bmp") {
        return "image/" + std::string(extension.begin() + 1, extension.end());
    }
    if (extension == L".jpg" || extension == L".jpeg") {
        return "image/jpeg";
    }
    return "application/octet-stream";
}

[[nodiscard]] std::string QueryHeader(HINTERNET request, DWORD query)
{
    std::string value(256, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD size = static_cast<DWORD>(value.size());
        if (::HttpQueryInfoA(request, query, value.data(), &size, nullptr)) {
            value.resize(size);
            return value;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            break;
        }
        value.assign(size + 1, '\0');
    }
    return {};
}

[[nodiscard]] std::wstring PathFromUrl(const std::wstring& url)
{
    if (IsWindowsPath(url)) {
        return url;
    }
    std::wstring path(MAX_PATH * 4, L'\0');
    DWORD length = static_cast<DWORD>(path.size());
    if (FAILED(::PathCreateFromUrlW(url.c_str(), path.data(), &length, 0))) {
        return {};
    }
    path.resize(length);
    return path;
}

} // namespace

FetchJob::FetchJob(FetchRequest request, Done done) : m_request(std::move(request)), m_done(std::move(done))
{
    m_thread = std::thread([this] { Run(); });
}

FetchJob::~FetchJob()
{
    Cancel();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

int FetchJob::CheckUrl(const std::wstring& url)
{
    if (IsWindowsPath(url)) {
        return 0;
    }
    const std::wstring scheme = LowerScheme(url);
    if (scheme.empty() || scheme.find_first_not_of(L"abcdefghijklmnopqrstuvwxyz0123456789+-.") != std::wstring::npos) {
        return ERR_INVALID_URL;
    }
    if (scheme == L"http" || scheme == L"https" || scheme == L"file" || url == L"about:blank") {
        return 0;
    }
    return ERR_UNKNOWN_URL_SCHEME;
}

void FetchJob::Cancel()
{
    const std::lock_guard lock(m_mutex);
    m_cancelled = true;
    if (m_session != nullptr) {
        // Closing the session makes WinINet abandon the transfer in progress.
        ::InternetCloseHandle(m_session);
        m_session = nullptr;
    }
}

bool FetchJob::AdoptSession(HINTERNET session)
{
    const std::lock_guard lock(m_mutex);
    if (m_cancelled) {
        ::InternetCloseHandle(session);
        return false;
    }
    m_session = session;
    return true;
}

void FetchJob::CloseSession()
{
    const std::lock_guard lock(m_mutex);
    if (m_session != nullptr) {
        ::InternetCloseHandle(m_session);
        m_session = nullptr;
    }
}

void FetchJob::Run()
{
    FetchResult result;
    const std::wstring scheme = LowerScheme(m_request.url);
    if (const int error = CheckUrl(m_request.url); error != 0) {
        result.error = error;
    } else if (scheme == L"http" || scheme == L"https") {
        result = FetchHttp();
    } else if (m_request.url == L"about:blank") {
        result.status = 200;
        result.contentType = "text/html";
    } else {
        const std::wstring path = PathFromUrl(m_request.url);
        result = path.empty() ? FetchResult::Failed(ERR_INVALID_URL) : FetchFile(path);
    }
    {
        // Under the lock, so that Cancel() returning means `done` will not run.
        const std::lock_guard lock(m_mutex);
        if (!m_cancelled) {
            m_done(std::move(result));
        }
    }
    m_finished = true;
}

FetchResult FetchJob::FetchHttp()
{
    const HINTERNET session =
        ::InternetOpenW(L"Zeltavue-Engine/1.0", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (session == nullptr || !AdoptSession(session)) {
        return FetchResult::Failed(ERR_FAILED);
    }
    DWORD timeout = kTimeoutMs;
    (void)::InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
    (void)::InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
    FetchResult result = ReadResponse(session);
    CloseSession();
    return result;
}

FetchResult FetchJob::ReadResponse(HINTERNET session)
{
    const std::wstring headers =
        m_request.acceptLanguage.empty() ? std::wstring() : L"Accept-Language: " + m_request.acceptLanguage + L"\r\n";
    // The engine keeps no cache or cookies outside its cache directory.
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
        INTERNET_FLAG_NO_UI | INTERNET_FLAG_PRAGMA_NOCACHE;
    const UniqueInternetHandle request(::InternetOpenUrlW(session, m_request.url.c_str(),
        headers.empty() ? nullptr : headers.c_str(), static_cast<DWORD>(headers.size()), flags, 0));
    if (!request) {
        return FetchResult::Failed(MapInternetError(::GetLastError()));
    }
    FetchResult result;
    DWORD status = 0;
    DWORD size = sizeof status;
    (void)::HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
    result.status = static_cast<int>(status);
    result.contentType = QueryHeader(request.get(), HTTP_QUERY_CONTENT_TYPE);
    std::transform(result.contentType.begin(), result.contentType.end(), result.contentType.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    result.contentDisposition = QueryHeader(request.get(), HTTP_QUERY_CONTENT_DISPOSITION);
    if (!ReadBody(request.get(), result.body)) {
        result.error = ERR_CONNECTION_RESET;
    }
    return result;
}

bool FetchJob::ReadBody(HINTERNET request, std::string& body)
{
    char buffer[16 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!::InternetReadFile(request, buffer, sizeof buffer, &read)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        if (body.size() + read > kMaxBody) {
            return false;
        }
        body.append(buffer, read);
    }
}

FetchResult FetchJob::FetchFile(const std::wstring& path) const
{
    const UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        return FetchResult::Failed(error == ERROR_ACCESS_DENIED ? ERR_ACCESS_DENIED : ERR_FILE_NOT_FOUND);
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxBody) {
        return FetchResult::Failed(ERR_FILE_TOO_BIG);
    }
    FetchResult result;
    result.body.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!result.body.empty() &&
        (!::ReadFile(file.get(), result.body.data(), static_cast<DWORD>(result.body.size()), &read, nullptr) ||
            read != result.body.size())) {
        return FetchResult::Failed(ERR_FAILED);
    }
    result.status = 200;
    result.contentType = ContentTypeForPath(path);
    return result;
}

} // namespace engine
