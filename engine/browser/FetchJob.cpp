#include "engine/browser/FetchJob.h"

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <cwctype>
#include <memory>
#include <mutex>

#include <shlwapi.h>
#include <wininet.h>

#include "CefTypes.h"
#include "common/Handles.h"

namespace engine {
namespace {

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

// The address a response came from once WinINet has followed its redirects; empty when
// it cannot say.
[[nodiscard]] std::wstring FinalUrl(HINTERNET request)
{
    DWORD size = 0;  // in bytes
    (void)::InternetQueryOptionW(request, INTERNET_OPTION_URL, nullptr, &size);  // fails, giving the size
    std::wstring url(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(url.size() * sizeof(wchar_t));
    if (!::InternetQueryOptionW(request, INTERNET_OPTION_URL, url.data(), &size)) {
        return {};
    }
    url.resize(std::wcslen(url.c_str()));
    return url;
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

// Everything the worker thread touches. The thread holds its own reference, so an
// abandoned worker outlives its job safely.
class FetchJob::Worker final {
public:
    Worker(FetchRequest request, Done done) : m_request(std::move(request)), m_done(std::move(done)) {}

    // The worker's entry point on a thread of the process's pool; owns one reference
    // to its worker.
    static void CALLBACK Main(PTP_CALLBACK_INSTANCE instance, void* reference) noexcept;
    void Run(PTP_CALLBACK_INSTANCE instance);
    // Hands `result` to `done` unless the job was cancelled.
    void Deliver(FetchResult result);
    void Cancel()
    {
        const std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    [[nodiscard]] ULONGLONG IdleMs() const noexcept
    {
        // Read in this order, the last activity can never lie after the present.
        const ULONGLONG last = m_lastActivity.load();
        return ::GetTickCount64() - last;
    }

private:
    [[nodiscard]] bool Cancelled()
    {
        const std::lock_guard lock(m_mutex);
        return m_cancelled;
    }
    void Touch() noexcept { m_lastActivity = ::GetTickCount64(); }
    [[nodiscard]] FetchResult FetchHttp();
    [[nodiscard]] FetchResult ReadResponse(HINTERNET session);
    [[nodiscard]] bool ReadBody(HINTERNET request, std::string& body);
    [[nodiscard]] static FetchResult FetchFile(const std::wstring& path);

    const FetchRequest m_request;
    const Done m_done;
    std::mutex m_mutex;  // guards m_cancelled
    bool m_cancelled = false;
    std::atomic<ULONGLONG> m_lastActivity{::GetTickCount64()};
};

FetchJob::FetchJob(FetchRequest request, Done done)
    : m_worker(std::make_shared<Worker>(std::move(request), std::move(done)))
{
    // Closing a WinINet handle cannot be trusted to unblock a blocked call, so nothing
    // may ever wait for the worker. The pool's threads outlive their work, so a fetch
    // does not pay for starting a thread; one blocked on the network keeps its thread
    // and the pool makes another.
    auto reference = std::make_unique<std::shared_ptr<Worker>>(m_worker);
    if (::TrySubmitThreadpoolCallback(&Worker::Main, reference.get(), nullptr)) {
        (void)reference.release();
    } else {
        m_worker->Deliver(FetchResult::Failed(ERR_FAILED));
    }
}

FetchJob::~FetchJob()
{
    Cancel();
}

void FetchJob::Cancel()
{
    m_worker->Cancel();
}

ULONGLONG FetchJob::IdleMs() const noexcept
{
    return m_worker->IdleMs();
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

void CALLBACK FetchJob::Worker::Main(PTP_CALLBACK_INSTANCE instance, void* reference) noexcept
{
    const std::unique_ptr<std::shared_ptr<Worker>> worker(static_cast<std::shared_ptr<Worker>*>(reference));
    try {
        (*worker)->Run(instance);
    } catch (...) {
        // Out of memory; nothing may unwind into the thread's system frames.
    }
}

void FetchJob::Worker::Run(PTP_CALLBACK_INSTANCE instance)
{
    FetchResult result;
    const std::wstring scheme = LowerScheme(m_request.url);
    if (const int error = CheckUrl(m_request.url); error != 0) {
        result.error = error;
    } else if (scheme == L"http" || scheme == L"https") {
        // The pool keeps a thread ready for other work while this one waits on the network
        // (false only says it has none to spare now).
        (void)::CallbackMayRunLong(instance);
        result = FetchHttp();
    } else if (m_request.url == L"about:blank") {
        result.status = 200;
        result.contentType = "text/html";
    } else {
        // A #fragment names a place in the page, not a part of the file's name.
        const std::wstring path = PathFromUrl(m_request.url.substr(0, m_request.url.find(L'#')));
        result = path.empty() ? FetchResult::Failed(ERR_INVALID_URL) : FetchFile(path);
    }
    Deliver(std::move(result));
}

void FetchJob::Worker::Deliver(FetchResult result)
{
    // Under the lock, so that Cancel() returning means `done` will not run.
    const std::lock_guard lock(m_mutex);
    if (!m_cancelled) {
        m_done(std::move(result));
    }
}

FetchResult FetchJob::Worker::FetchHttp()
{
    const UniqueInternetHandle session(
        ::InternetOpenW(L"Zeltavue-Engine/1.0", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) {
        return FetchResult::Failed(ERR_FAILED);
    }
    DWORD timeout = m_request.stallLimitMs;
    (void)::InternetSetOptionW(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
    (void)::InternetSetOptionW(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
    return ReadResponse(session.get());
}

FetchResult FetchJob::Worker::ReadResponse(HINTERNET session)
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
    Touch();
    FetchResult result;
    DWORD status = 0;
    DWORD size = sizeof status;
    (void)::HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
    result.status = static_cast<int>(status);
    result.contentType = QueryHeader(request.get(), HTTP_QUERY_CONTENT_TYPE);
    std::transform(result.contentType.begin(), result.contentType.end(), result.contentType.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    result.contentDisposition = QueryHeader(request.get(), HTTP_QUERY_CONTENT_DISPOSITION);
    if (std::wstring url = FinalUrl(request.get()); url != m_request.url) {
        result.url = std::move(url);
    }
    if (!ReadBody(request.get(), result.body)) {
        result.error = ERR_CONNECTION_RESET;
    }
    return result;
}

bool FetchJob::Worker::ReadBody(HINTERNET request, std::string& body)
{
    for (;;) {
        // A blocking read fills its whole buffer before it returns; asking what is
        // available first returns as soon as anything arrives, so each arrival counts
        // as a sign of life.
        DWORD available = 0;
        if (!::InternetQueryDataAvailable(request, &available, 0, 0) || Cancelled()) {
            return false;
        }
        if (available == 0) {
            return true;
        }
        if (body.size() + available > kMaxBody) {
            return false;
        }
        const std::size_t at = body.size();
        body.resize(at + available);
        DWORD read = 0;
        if (!::InternetReadFile(request, body.data() + at, available, &read)) {
            return false;
        }
        body.resize(at + read);
        if (read == 0) {
            return true;
        }
        Touch();
    }
}

FetchResult FetchJob::Worker::FetchFile(const std::wstring& path)
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
