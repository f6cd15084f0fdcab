#pragma once
// Fetches one address on a worker thread: http(s) through WinINet, file:// URLs and
// absolute Windows paths from disk, about:blank from nothing.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "common/Win32.h"

#include <wininet.h>
#include "engine/browser/FetchResult.h"

namespace engine {

struct FetchRequest {
    std::wstring url;
    std::wstring acceptLanguage;  // empty: no Accept-Language header
};

class FetchJob final {
public:
    // `done` runs on the worker thread, and never once Cancel() has returned.
    using Done = std::function<void(FetchResult)>;

    FetchJob(FetchRequest request, Done done);
    // Cancels and waits for the worker.
    ~FetchJob();
    FetchJob(const FetchJob&) = delete;
    FetchJob& operator=(const FetchJob&) = delete;

    // Stops the transfer as soon as possible; the result is dropped.
    void Cancel();
    [[nodiscard]] bool Finished() const noexcept { return m_finished.load(); }

    // The error code for an address that names no resource the engine can fetch, or 0.
    [[nodiscard]] static int CheckUrl(const std::wstring& url);

private:
    void Run();
    [[nodiscard]] FetchResult FetchHttp();
    [[nodiscard]] FetchResult ReadResponse(HINTERNET session);
    [[nodiscard]] FetchResult FetchFile(const std::wstring& path) const;
    [[nodiscard]] bool ReadBody(HINTERNET request, std::string& body);
    [[nodiscard]] bool AdoptSession(HINTERNET session);
    void CloseSession();

    FetchRequest m_request;
    Done m_done;
    std::mutex m_mutex;  // guards m_cancelled and m_session
    bool m_cancelled = false;
    HINTERNET m_session = nullptr;  // Owned; closed by the worker or by Cancel().
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

} // namespace engine
