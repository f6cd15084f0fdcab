// Browser: loading pages, the renderer's answers and history.
#include <algorithm>
#include <memory>

#include "engine/browser/Browser.h"
#include "engine/api/ProcessMessage.h"
#include "engine/browser/BrowserWindow.h"
#include "engine/browser/BackgroundTask.h"
#include "engine/browser/EngineContext.h"
#include "engine/browser/FetchedPage.h"
#include "engine/browser/FetchJob.h"
#include "engine/browser/MainFrame.h"
#include "engine/browser/PendingPage.h"
#include "engine/dom/DomQueries.h"
#include "engine/dom/DomSerializer.h"
#include "engine/ipc/PayloadReader.h"
#include "engine/ipc/PayloadWriter.h"
#include "engine/ipc/RendererHost.h"

namespace engine {
namespace {

constexpr std::size_t kMaxImagesPerPage = 64;
constexpr std::size_t kMaxStylesheetsPerPage = 16;
constexpr UINT_PTR kStallTimerId = 1;
constexpr UINT_PTR kStylesheetTimerId = 2;

// A sheet counts only when the server delivered it: an error page is not CSS.
[[nodiscard]] bool IsDelivered(const FetchResult& result)
{
    return result.error == 0 && result.status >= 200 && result.status < 300;
}

[[nodiscard]] const wchar_t* ErrorText(int code)
{
    switch (code) {
    case ERR_ABORTED: return L"net::ERR_ABORTED";
    case ERR_FILE_NOT_FOUND: return L"net::ERR_FILE_NOT_FOUND";
    case ERR_ACCESS_DENIED: return L"net::ERR_ACCESS_DENIED";
    case ERR_TIMED_OUT: return L"net::ERR_TIMED_OUT";
    case ERR_CONNECTION_REFUSED: return L"net::ERR_CONNECTION_REFUSED";
    case ERR_CONNECTION_RESET: return L"net::ERR_CONNECTION_RESET";
    case ERR_NAME_NOT_RESOLVED: return L"net::ERR_NAME_NOT_RESOLVED";
    case ERR_INVALID_URL: return L"net::ERR_INVALID_URL";
    case ERR_UNKNOWN_URL_SCHEME: return L"net::ERR_UNKNOWN_URL_SCHEME";
    default: return L"net::ERR_FAILED";
    }
}

} // namespace

void Browser::Navigate(const std::wstring& url)
{
    StartLoad(url, -1);
}

void Browser::Reload()
{
    if (!m_url.empty()) {
        StartLoad(m_url, m_historyIndex);
    }
}

void Browser::GoToHistory(int index)
{
    if (index >= 0 && index < static_cast<int>(m_history.size())) {
        StartLoad(m_history[static_cast<std::size_t>(index)], index);
    }
}

void Browser::StopLoad()
{
    if (m_loading) {
        m_pageJob.reset();
        FailLoad(ERR_ABORTED);
    }
}

void Browser::CancelFetches()
{
    // Cancelling never waits, so a stalled connection cannot block the loop.
    m_resourceJobs.clear();
    m_requestedImages.clear();
    m_pageJob.reset();
    m_prefetchUrl.clear();
    m_prefetched.reset();
    DropPendingPage();  // a result posted before the cancel finds nothing to show
}

void Browser::CheckStall()
{
    const HWND hwnd = GetWindowHandle();
    if (!m_loading || !m_pageJob) {
        (void)::KillTimer(hwnd, kStallTimerId);
        return;
    }
    const ULONGLONG idle = m_pageJob->IdleMs();
    if (idle < m_stallLimitMs) {
        // Re-arming replaces the timer: the next check falls due when the limit would.
        (void)::SetTimer(hwnd, kStallTimerId, static_cast<UINT>(m_stallLimitMs - idle), nullptr);
        return;
    }
    (void)::KillTimer(hwnd, kStallTimerId);
    m_pageJob.reset();
    FailLoad(ERR_TIMED_OUT);
}

void Browser::OnTimer(UINT_PTR timerId)
{
    if (timerId == kStallTimerId) {
        CheckStall();
    } else if (timerId == kStylesheetTimerId && m_pendingPage) {
        ShowPendingPage();  // the sheets still out apply when they come
    }
}

// The page's fetch starts when the browser is made, while its window and renderer are:
// the load that first asks for that address takes the fetch over.
void Browser::Prefetch(const std::wstring& url)
{
    if (!url.empty()) {
        m_prefetchUrl = url;
        m_pageJob = StartPageFetch(url, m_sequence + 1);
    }
}

void Browser::StartLoad(const std::wstring& url, int historyIndex)
{
    if (url.empty() || m_closed) {
        return;
    }
    const bool prefetched = url == m_prefetchUrl;
    m_prefetchUrl.clear();
    std::unique_ptr<FetchJob> early = prefetched ? std::move(m_pageJob) : nullptr;
    std::unique_ptr<FetchedPage> arrived = prefetched ? std::move(m_prefetched) : nullptr;
    m_prefetched.reset();
    if (m_loading) {
        FailLoad(ERR_ABORTED);
    }
    CancelFetches();
    if (!m_renderer) {
        LaunchRenderer(); // the last one died: this load gets a new one
    }
    m_url = url;
    m_loading = true;
    m_pendingHistoryIndex = historyIndex;
    const std::uint32_t sequence = ++m_sequence;  // the prefetch's, which no other load preceded
    NotifyLoadingState(true);
    if (auto load = m_client ? m_client->GetLoadHandler() : nullptr) {
        load->OnLoadStart(this, m_frame.get());
    }
    if (!m_loading || m_sequence != sequence) {
        return;  // The handler started another load or closed the browser.
    }
    m_stallLimitMs = EngineContext::Current()->StallLimitMs();
    if (arrived) {
        PostFetched(sequence, std::move(*arrived));  // as a fetch would, after this returns
        return;
    }
    m_pageJob = early ? std::move(early) : StartPageFetch(url, sequence);
    (void)::SetTimer(GetWindowHandle(), kStallTimerId, m_stallLimitMs, nullptr);
}

// A pool thread decodes and parses the page, which takes milliseconds of a large one
// that the message loop keeps for the windows. Not the fetch's own thread: it runs
// `done` under the job's lock, and cancelling never waits.
std::unique_ptr<FetchJob> Browser::StartPageFetch(const std::wstring& url, std::uint32_t sequence)
{
    EngineContext& context = *EngineContext::Current();
    const int id = m_id;
    return std::make_unique<FetchJob>(FetchRequest{url, context.Locale(), context.StallLimitMs()},
        [id, sequence, url](FetchResult result) {
            const auto response = std::make_shared<FetchResult>(std::move(result));
            const auto prepare = [id, sequence, url, response] {
                PostFetched(id, sequence, PreparePage(std::move(*response), url));
            };
            if (!RunInBackground(prepare)) {
                prepare();
            }
        });
}

void Browser::PostFetched(int browserId, std::uint32_t sequence, FetchedPage page)
{
    const auto shared = std::make_shared<FetchedPage>(std::move(page));
    EngineContext::Post([browserId, sequence, shared] {
        if (auto* context = EngineContext::Current()) {
            if (CefRefPtr<Browser> browser = context->Find(browserId)) {
                browser->OnFetched(sequence, std::move(*shared));
            }
        }
    });
}

void Browser::PostFetched(std::uint32_t sequence, FetchedPage page)
{
    PostFetched(m_id, sequence, std::move(page));
}

void Browser::OnFetched(std::uint32_t sequence, FetchedPage page)
{
    if (!m_prefetchUrl.empty() && sequence == m_sequence + 1) {
        m_prefetched = std::make_unique<FetchedPage>(std::move(page));  // before its load started
        return;
    }
    if (!m_loading || sequence != m_sequence) {
        return;
    }
    m_pageJob.reset();
    (void)::KillTimer(GetWindowHandle(), kStallTimerId);
    FetchResult& result = page.response;
    if (result.error != 0) {
        FailLoad(result.error);
        return;
    }
    if (IsDownload(result)) {
        FailLoad(ERR_ABORTED);  // The page stays; the response becomes a file.
        StartDownload(result);
        return;
    }
    if (!m_renderer || !m_window) {
        FailLoad(ERR_FAILED);
        return;
    }
    if (!page.document) {
        FailLoad(ERR_FILE_TOO_BIG);  // it could never reach the renderer
        return;
    }
    // The page is shown from this process's own parse of the text: a round trip through
    // the renderer would add its start-up and the tree's transport to every load. The
    // renderer makes the same text from the same bytes (half the size of the text, and
    // moved into the message, not copied) for the page's DOM access, and sends back only
    // the changes a visitor makes. It gets them once this parse is done, so that the two
    // parses do not compete for the processor; anything sent to it later, from the load
    // handlers on, still arrives after the page.
    PayloadWriter writer;
    writer.U32(sequence);
    writer.Text(m_url);
    writer.Bytes(result.contentType);
    const int status = result.status;
    SendToRenderer(writer.TakeMessage(WireType::Document, std::move(result.body)));
    AwaitStylesheets(std::make_unique<PendingPage>(sequence, std::move(page.document), status, std::move(page.baseUrl)),
        std::move(page.stylesheets));
}

// Like a browser's render-blocking sheets: the page shows once its linked sheets have
// arrived or failed, so it never paints unstyled first. A sheet that stalls holds it
// back for StylesheetWaitMs at most.
void Browser::AwaitStylesheets(std::unique_ptr<PendingPage> page, std::vector<std::wstring> sheets)
{
    sheets.resize(std::min(sheets.size(), kMaxStylesheetsPerPage));
    page->Expect(sheets);
    m_pendingPage = std::move(page);
    if (sheets.empty()) {
        ShowPendingPage();
        return;
    }
    for (const auto& url : sheets) {
        FetchResource(url, &Browser::OnStylesheet);
    }
    (void)::SetTimer(GetWindowHandle(), kStylesheetTimerId, EngineContext::Current()->StylesheetWaitMs(), nullptr);
}

void Browser::OnStylesheet(std::uint32_t sequence, const std::wstring& url, const FetchResult& result)
{
    const std::string* bytes = IsDelivered(result) ? &result.body : nullptr;
    if (m_pendingPage && m_pendingPage->Sequence() == sequence) {
        if (m_pendingPage->Arrived(url, bytes)) {
            ShowPendingPage();
        }
    } else if (bytes != nullptr && m_window && m_shownSequence == sequence) {
        m_window->SetStylesheet(url, *bytes);  // came after the wait ran out
        FetchImages();
    }
}

void Browser::DropPendingPage()
{
    m_pendingPage.reset();
    (void)::KillTimer(GetWindowHandle(), kStylesheetTimerId);
}

void Browser::ShowPendingPage()
{
    (void)::KillTimer(GetWindowHandle(), kStylesheetTimerId);
    const std::unique_ptr<PendingPage> page = std::move(m_pendingPage);
    ShowLoadedPage(*page);
}

void Browser::ShowLoadedPage(PendingPage& page)
{
    const std::uint32_t sequence = page.Sequence();
    DomNodePtr document = page.TakeDocument();
    const std::wstring title = DocumentTitle(*document);
    m_window->ShowDocument(std::move(document), page.BaseUrl());
    for (const auto& [url, bytes] : page.TakeSheets()) {
        m_window->SetStylesheet(url, bytes);
    }
    m_shownSequence = sequence;
    CommitLoad();
    if (auto display = m_client ? m_client->GetDisplayHandler() : nullptr) {
        display->OnTitleChange(this, title.empty() ? m_url : title);
    }
    if (!m_loading || sequence != m_sequence) {
        return;  // The handler started another load or closed the browser.
    }
    m_loading = false;
    if (auto load = m_client ? m_client->GetLoadHandler() : nullptr) {
        load->OnLoadEnd(this, m_frame.get(), page.Status());
    }
    NotifyLoadingState(false);
    FetchImages();
    // The page is up: the next browser's renderer can start now without slowing it down.
    EngineContext::Current()->Renderers().StartSpare();
}

void Browser::OnRendererMessage(const WireMessage& message)
{
    PayloadReader reader(message.payload);
    if (message.type == WireType::Display) {
        std::uint32_t sequence = 0;
        std::string tree;
        if (reader.U32(sequence) && reader.Bytes(tree) && reader.AtCleanEnd()) {
            OnDisplay(sequence, tree);
        }
    } else if (message.type == WireType::ProcessMessage) {
        const CefRefPtr<ProcessMessage> received = DecodeProcessMessage(message.payload);
        if (m_client && received) {
            (void)m_client->OnProcessMessageReceived(this, PID_RENDERER, received.get());
        }
    }
}

// A visitor changed the renderer's tree of the page with load number `sequence`.
void Browser::OnDisplay(std::uint32_t sequence, const std::string& tree)
{
    if (!m_window || sequence != m_shownSequence) {
        return;  // That page is no longer shown.
    }
    if (DomNodePtr document = DeserializeDom(tree)) {
        m_window->UpdateDocument(std::move(document));
    }
}

void Browser::CommitLoad()
{
    if (m_pendingHistoryIndex >= 0) {
        m_historyIndex = m_pendingHistoryIndex;
        return;
    }
    m_history.resize(static_cast<std::size_t>(m_historyIndex + 1));
    m_history.push_back(m_url);
    m_historyIndex = static_cast<int>(m_history.size()) - 1;
}

void Browser::FailLoad(int errorCode)
{
    m_loading = false;
    DropPendingPage();
    const std::uint32_t sequence = m_sequence;
    auto load = m_client ? m_client->GetLoadHandler() : nullptr;
    if (load) {
        load->OnLoadError(this, m_frame.get(), static_cast<cef_errorcode_t>(errorCode), ErrorText(errorCode), m_url);
    }
    // The handler may have started the next load already (an error page, say).
    if (m_sequence != sequence) {
        return;
    }
    if (errorCode == ERR_ABORTED) {
        // Nothing replaced the page on show, so its address is the current one again.
        m_url = m_historyIndex >= 0 ? m_history[static_cast<std::size_t>(m_historyIndex)] : std::wstring();
    }
    if (load) {
        load->OnLoadingStateChange(this, false, CanGoBack(), CanGoForward());
    }
}

void Browser::NotifyLoadingState(bool loading)
{
    if (auto load = m_client ? m_client->GetLoadHandler() : nullptr) {
        load->OnLoadingStateChange(this, loading, CanGoBack(), CanGoForward());
    }
}

void Browser::OnRendererGone()
{
    m_renderer.reset();
    if (m_closed) {
        return;
    }
    if (m_loading) {
        FailLoad(ERR_FAILED);
        return;
    }
    // The page on show stays painted, but its document went with the renderer: the
    // main frame fails once, and the next load starts a new renderer.
    auto load = m_client ? m_client->GetLoadHandler() : nullptr;
    if (load && !m_url.empty()) {
        load->OnLoadError(this, m_frame.get(), ERR_FAILED, ErrorText(ERR_FAILED), m_url);
    }
}

void Browser::FetchImages()
{
    if (!m_window) {
        return;
    }
    // Each image once: a sheet that comes late may name more background images.
    for (const auto& url : m_window->ImageUrls()) {
        if (m_requestedImages.size() >= kMaxImagesPerPage) {
            break;
        }
        if (m_requestedImages.insert(url).second) {
            FetchResource(url, &Browser::OnImage);
        }
    }
}

void Browser::OnImage(std::uint32_t sequence, const std::wstring& url, const FetchResult& result)
{
    if (m_window && m_sequence == sequence && result.error == 0) {
        m_window->SetImage(url, std::vector<unsigned char>(result.body.begin(), result.body.end()));
    }
}

// Fetches a resource of the page of load `m_sequence`; `done` hears of it unless
// another load has started by then.
void Browser::FetchResource(const std::wstring& url, ResourceDone done)
{
    const int id = m_id;
    const std::uint32_t sequence = m_sequence;
    m_resourceJobs.push_back(std::make_unique<FetchJob>(FetchRequest{url, std::wstring()},
        [id, sequence, url, done](FetchResult result) {
            EngineContext::Post([id, sequence, url, done, result = std::move(result)] {
                auto* context = EngineContext::Current();
                CefRefPtr<Browser> browser = context != nullptr ? context->Find(id) : nullptr;
                if (browser && browser->m_sequence == sequence) {
                    ((*browser).*done)(sequence, url, result);
                }
            });
        }));
}

} // namespace engine
