#include "engine/browser/Browser.h"

#include "engine/api/ListValue.h"
#include "engine/api/ProcessMessage.h"
#include "engine/browser/BrowserWindow.h"
#include "engine/browser/EngineContext.h"
#include "engine/browser/FetchJob.h"
#include "engine/browser/FetchedPage.h"
#include "engine/browser/MainFrame.h"
#include "engine/browser/PendingPage.h"
#include "engine/ipc/PayloadWriter.h"
#include "engine/ipc/RendererHost.h"

namespace engine {
namespace {

// Runs `member` on the browser with this id if it is still registered.
template <typename Function>
void PostToBrowser(int browserId, Function function)
{
    EngineContext::Post([browserId, function = std::move(function)]() mutable {
        if (auto* context = EngineContext::Current()) {
            if (CefRefPtr<Browser> browser = context->Find(browserId)) {
                function(*browser);
            }
        }
    });
}

} // namespace

Browser::Browser(int id, CefRefPtr<CefClient> client, bool popup)
    : m_id(id), m_client(std::move(client)), m_popup(popup), m_frame(new MainFrame(*this))
{
}

Browser::~Browser()
{
    m_frame->Detach();
}

CefRefPtr<Browser> Browser::Create(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
    const std::wstring& url, bool popup)
{
    EngineContext* context = EngineContext::Current();
    if (context == nullptr) {
        return nullptr;
    }
    CefRefPtr<Browser> browser = new Browser(context->NextBrowserId(), std::move(client), popup);
    // Queued before the page's fetch starts, so that it runs before anything the fetch
    // posts; a browser that fails to launch is not found by then.
    PostToBrowser(browser->m_id, [url](Browser& b) { b.AfterCreated(url); });
    browser->Prefetch(url);
    if (!browser->Launch(windowInfo)) {
        return nullptr;
    }
    context->Register(browser);
    return browser;
}

bool Browser::Launch(const CefWindowInfo& windowInfo)
{
    m_window = BrowserWindow::Create(*this, windowInfo);
    if (!m_window) {
        return false;
    }
    LaunchRenderer();
    return true;
}

void Browser::LaunchRenderer()
{
    EngineContext& context = *EngineContext::Current();
    CefRefPtr<ListValue> extraInfo = new ListValue();
    if (auto handler = context.ProcessHandler()) {
        handler->OnRenderProcessThreadCreated(extraInfo.get());
    }
    const int id = m_id;
    m_renderer = context.Renderers().Take(
        [id](WireMessage message) {
            PostToBrowser(id, [message = std::move(message)](Browser& b) { b.OnRendererMessage(message); });
        },
        [id] { PostToBrowser(id, [](Browser& b) { b.OnRendererGone(); }); });
    PayloadWriter hello;
    hello.I32(m_id);
    hello.U32(m_popup ? 1u : 0u);
    hello.List(*extraInfo);
    SendToRenderer(WireType::Hello, hello.Take());
}

void Browser::AfterCreated(const std::wstring& url)
{
    if (m_closed) {
        return;
    }
    if (auto lifeSpan = m_client ? m_client->GetLifeSpanHandler() : nullptr) {
        lifeSpan->OnAfterCreated(this);
    }
    if (!url.empty() && !m_closed) {
        Navigate(url);
    }
}

CefRefPtr<CefFrame> Browser::GetMainFrame()
{
    return m_frame.get();
}

CefWindowHandle Browser::GetWindowHandle()
{
    return m_window ? m_window->Handle() : nullptr;
}

bool Browser::SendProcessMessage(CefProcessId targetProcess, CefRefPtr<CefProcessMessage> message)
{
    if (targetProcess != PID_RENDERER || !message || !m_renderer) {
        return false;
    }
    SendToRenderer(WireType::ProcessMessage, EncodeProcessMessage(*message));
    return true;
}

void Browser::SendToRenderer(WireType type, std::string payload)
{
    SendToRenderer(WireMessage{type, std::move(payload), {}});
}

void Browser::SendToRenderer(WireMessage message)
{
    if (m_renderer) {
        m_renderer->Send(std::move(message));
    }
}

void Browser::CloseBrowser(bool forceClose)
{
    PostToBrowser(m_id, [forceClose](Browser& b) { b.RunClose(forceClose); });
}

void Browser::RunClose(bool force)
{
    const HWND hwnd = GetWindowHandle();
    if (hwnd == nullptr || (m_closing && !force)) {
        return;
    }
    m_closing = true;
    if (!force) {
        auto lifeSpan = m_client ? m_client->GetLifeSpanHandler() : nullptr;
        if (lifeSpan && lifeSpan->DoClose(this)) {
            return;  // The client closes the top-level window itself.
        }
    }
    const HWND top = ::GetAncestor(hwnd, GA_ROOT);
    if (force || top == nullptr || top == hwnd) {
        ::DestroyWindow(hwnd);
    } else {
        ::SendMessageW(top, WM_CLOSE, 0, 0);
    }
}

void Browser::OnCloseRequested()
{
    if (m_closing) {
        ::DestroyWindow(GetWindowHandle());
    } else {
        RunClose(false);
    }
}

void Browser::OnWindowDestroyed()
{
    if (m_closed) {
        return;
    }
    m_closed = true;
    m_loading = false;
    CancelFetches();
    m_renderer.reset();
    if (auto lifeSpan = m_client ? m_client->GetLifeSpanHandler() : nullptr) {
        lifeSpan->OnBeforeClose(this);
    }
    // Unregistering may drop the last reference, and the window procedure is still on
    // the stack: let the loop do it.
    const int id = m_id;
    EngineContext::Post([id] {
        if (auto* context = EngineContext::Current()) {
            context->Unregister(id);
        }
    });
}

void Browser::Shutdown()
{
    if (m_window && m_window->Handle() != nullptr) {
        ::DestroyWindow(m_window->Handle());
    }
    OnWindowDestroyed();
}

} // namespace engine
