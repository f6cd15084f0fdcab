#pragma once
// A browser in the browser process: its window, its renderer, its loads. Lives on the
// thread that runs the message loop.

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CefHandlers.h"
#include "engine/browser/FetchResult.h"
#include "engine/ipc/RendererHost.h"
#include "engine/ipc/WireMessage.h"
#include "engine/render/PageView.h"

namespace engine {

class BrowserWindow;
class FetchJob;
class MainFrame;
class PendingPage;
struct FetchedPage;

class Browser final : public CefBrowser, public CefBrowserHost {
public:
    // Creates the window and the renderer. Null when the window cannot be created.
    [[nodiscard]] static CefRefPtr<Browser> Create(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
        const std::wstring& url, bool popup);
    ~Browser() override;

    CefRefPtr<CefBrowserHost> GetHost() override { return this; }
    bool CanGoBack() override { return m_historyIndex > 0; }
    void GoBack() override { GoToHistory(m_historyIndex - 1); }
    bool CanGoForward() override { return m_historyIndex + 1 < static_cast<int>(m_history.size()); }
    void GoForward() override { GoToHistory(m_historyIndex + 1); }
    bool IsLoading() override { return m_loading; }
    void Reload() override;
    void ReloadIgnoreCache() override { Reload(); }
    void StopLoad() override;
    int GetIdentifier() override { return m_id; }
    bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == static_cast<CefBrowser*>(this); }
    bool IsPopup() override { return m_popup; }
    CefRefPtr<CefFrame> GetMainFrame() override;
    bool SendProcessMessage(CefProcessId targetProcess, CefRefPtr<CefProcessMessage> message) override;

    CefRefPtr<CefBrowser> GetBrowser() override { return this; }
    void CloseBrowser(bool forceClose) override;
    CefWindowHandle GetWindowHandle() override;
    CefRefPtr<CefClient> GetClient() override { return m_client; }
    CefRefPtr<CefRequestContext> GetRequestContext() override { return nullptr; }

    // Starts loading `url`, ending the load in progress with ERR_ABORTED.
    void Navigate(const std::wstring& url);
    // The address shown, or being loaded.
    [[nodiscard]] const std::wstring& Url() const noexcept { return m_url; }

    // From the browser window.
    void OnLinkClicked(const std::wstring& url, const std::wstring& target);
    void OnContextMenu(POINT clientPoint, const PageView::Hit& hit);
    void OnCloseRequested();
    void OnWindowDestroyed();
    void OnTimer(UINT_PTR timerId);

    // Ends the browser at CefShutdown: window, renderer and fetches.
    void Shutdown();

private:
    Browser(int id, CefRefPtr<CefClient> client, bool popup);
    [[nodiscard]] bool Launch(const CefWindowInfo& windowInfo);
    // Starts a renderer for this browser; m_renderer stays null when it cannot start.
    void LaunchRenderer();
    void AfterCreated(const std::wstring& url);
    void RunClose(bool force);

    // Loading (BrowserLoading.cpp).
    void Prefetch(const std::wstring& url);
    void StartLoad(const std::wstring& url, int historyIndex);
    [[nodiscard]] std::unique_ptr<FetchJob> StartPageFetch(const std::wstring& url, std::uint32_t sequence);
    // OnFetched hears of `page` on the message loop.
    static void PostFetched(int browserId, std::uint32_t sequence, FetchedPage page);
    void PostFetched(std::uint32_t sequence, FetchedPage page);
    void OnFetched(std::uint32_t sequence, FetchedPage page);
    void AwaitStylesheets(std::unique_ptr<PendingPage> page, std::vector<std::wstring> sheets);
    void OnStylesheet(std::uint32_t sequence, const std::wstring& url, const FetchResult& result);
    void ShowPendingPage();
    void DropPendingPage();
    void ShowLoadedPage(PendingPage& page);
    void OnRendererMessage(const WireMessage& message);
    void OnDisplay(std::uint32_t sequence, const std::string& tree);
    void OnRendererGone();
    void CommitLoad();
    void FailLoad(int errorCode);
    void NotifyLoadingState(bool loading);
    using ResourceDone = void (Browser::*)(std::uint32_t sequence, const std::wstring& url, const FetchResult& result);
    void FetchImages();
    void FetchResource(const std::wstring& url, ResourceDone done);
    void OnImage(std::uint32_t sequence, const std::wstring& url, const FetchResult& result);
    void SendToRenderer(WireType type, std::string payload);
    void SendToRenderer(WireMessage message);
    void GoToHistory(int index);
    void CancelFetches();
    void CheckStall();

    // Context menu, pop-ups and downloads (BrowserCommands.cpp).
    void OpenPopup(const std::wstring& url, const std::wstring& targetName);
    void RunCommand(int commandId);
    void StartDownload(const FetchResult& result);

    int m_id;
    CefRefPtr<CefClient> m_client;
    bool m_popup;
    CefRefPtr<MainFrame> m_frame;
    std::unique_ptr<BrowserWindow> m_window;
    RendererHost::Owner m_renderer;
    bool m_closing = false;
    bool m_closed = false;

    std::wstring m_url;  // shown or being loaded
    bool m_loading = false;
    std::uint32_t m_sequence = 0;  // of the newest load
    std::uint32_t m_shownSequence = 0;  // of the load whose page is shown
    int m_pendingHistoryIndex = -1;  // -1: a new entry
    std::vector<std::wstring> m_history;
    int m_historyIndex = -1;
    std::unique_ptr<FetchJob> m_pageJob;  // until the page's bytes are in
    std::wstring m_prefetchUrl;  // fetched since the browser was made, for the load that asks first
    std::unique_ptr<FetchedPage> m_prefetched;  // came before that load started
    DWORD m_stallLimitMs = 0;  // of the page fetch
    std::vector<std::unique_ptr<FetchJob>> m_resourceJobs;  // images and style sheets of the shown page
    std::set<std::wstring> m_requestedImages;                // of the shown page
    std::unique_ptr<PendingPage> m_pendingPage;  // loaded, waiting for its style sheets
    IMPLEMENT_REFCOUNTING(Browser);
};

} // namespace engine
