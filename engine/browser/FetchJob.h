#pragma once
// Fetches one address on a worker thread: http(s) through WinINet, file:// URLs and
// absolute Windows paths from disk, about:blank from nothing.

#include <functional>
#include <memory>
#include <string>

#include "common/Win32.h"
#include "engine/browser/FetchResult.h"

namespace engine {

// A load that receives nothing for this long has stalled.
inline constexpr DWORD kStallLimitMs = 30000;
// Long enough for a sheet over a slow link, short enough that a dead server costs the
// page a moment rather than its whole stall limit.
inline constexpr DWORD kStylesheetWaitMs = 3000;

struct FetchRequest {
    std::wstring url;
    std::wstring acceptLanguage;  // empty: no Accept-Language header
    // Also WinINet's connect and receive timeout, which bounds how long an abandoned
    // worker can stay blocked where WinINet honours it.
    DWORD stallLimitMs = kStallLimitMs;
};

class FetchJob final {
public:
    // `done` runs on the worker thread, and never once Cancel() has returned.
    using Done = std::function<void(FetchResult)>;

    FetchJob(FetchRequest request, Done done);
    // Cancels without waiting: a worker blocked on the network is abandoned and ends on
    // its own, touching nothing but what it shares with no one.
    ~FetchJob();
    FetchJob(const FetchJob&) = delete;
    FetchJob& operator=(const FetchJob&) = delete;

    // The result is dropped; the worker stops at its next step.
    void Cancel();
    // Milliseconds since the fetch started or last received anything.
    [[nodiscard]] ULONGLONG IdleMs() const noexcept;

    // The error code for an address that names no resource the engine can fetch, or 0.
    [[nodiscard]] static int CheckUrl(const std::wstring& url);

private:
    class Worker;
    std::shared_ptr<Worker> m_worker;
};

} // namespace engine
