#include "MainWndFixture.h"

#include "PageProbe.h"
#include "app/AppDirectory.h"
#include "app/AppVersion.h"
#include "app/MainWnd.h"
#include "app/SiteRoot.h"
#include "browser/CefHandler.h"
#include "browser/CefWebkitUI.h"
#include "controls/ScrollOptionUI.h"
#include "controls/ScrollTabUI.h"
#include "duilib/core/WndShadow.h"
#include "duilib/layout/ContainerUI.h"
#include "engine/browser/Browser.h"
#include "engine/browser/EngineContext.h"

namespace client_test {

namespace {

constexpr DWORD kMainWindowStyle = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
constexpr int kMostBrowsers = 1000;

std::string Words(const char* word)
{
    std::string words;
    for (int i = 0; i < 40; ++i) {
        words += word;
    }
    return words;
}

std::string Narrow(const std::wstring& ascii)
{
    return std::string(ascii.begin(), ascii.end());
}

} // namespace

void MainWndFixture::SetUp()
{
    ASSERT_TRUE(enginetest::InitialiseEngine(m_files));
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    DuiLib::CPaintManagerUI::SetInstance(instance);
    (void)DuiLib::CWndShadow::Initialize(instance);
    g_strAppDir = GetAppDirectory();
    m_previousRoot = SetSiteRoot(m_server.Url(""));
    ServeSite();
    auto* window = new CMainWnd(m_opener);
    m_hwnd = window->Create(nullptr, kWindowTitle, kMainWindowStyle, 0);
    ASSERT_NE(m_hwnd, nullptr);
    m_window = window;
    ASSERT_TRUE(WaitForTabText(0, L"Zeltavue"));
}

void MainWndFixture::TearDown()
{
    if (::IsWindow(m_hwnd)) {
        (void)::PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
        EXPECT_TRUE(enginetest::RunLoopUntil([this] { return !::IsWindow(m_hwnd); }));
    }
    enginetest::Settle();
    CefShutdown();
    EXPECT_EQ(0, CCefHandler::GetLiveBrowserCount());
    (void)SetSiteRoot(m_previousRoot);
}

void MainWndFixture::ServeSite()
{
    m_unreachable = L"http://127.0.0.1:" + std::to_wstring(enginetest::LoopbackHttpServer::ClosedPort()) + L"/";
    m_livePage = "<title>直播中心 - Zeltavue</title><body>"
                 "<p><a href=\"/match/1.html\" target=\"_blank\">" + Words("match ") + "</a></p>"
                 "<p><a href=\"" + Narrow(m_unreachable) + "\" target=\"_blank\">" + Words("gone ") + "</a></p>"
                 "<p><a href=\"/slow\" target=\"_blank\">" + Words("slow ") + "</a></p>";
    m_server.Serve("/", {200, "text/html; charset=utf-8", "", "<title>Zeltavue 首页</title><p>home</p>"});
    m_server.Serve("/live", {200, "text/html; charset=utf-8", "", m_livePage});
    m_server.Serve("/match/1.html", {200, "text/html; charset=utf-8", "", std::string("<title>") + kMatchTitle +
                                                                              "</title><p>match</p>"});
    enginetest::LoopbackHttpServer::Response slow;
    slow.delivery = enginetest::LoopbackHttpServer::Delivery::NeverAnswer;
    m_server.Serve("/slow", slow);
}

DuiLib::CPaintManagerUI& MainWndFixture::Manager() const
{
    return m_window->GetPaintManager();
}

CScrollTabUI& MainWndFixture::TabBar() const
{
    return *static_cast<CScrollTabUI*>(Manager().FindControl(L"tabbar"));
}

std::wstring MainWndFixture::TabText(int index) const
{
    const CScrollOptionUI* tab = TabBar().GetTabAt(index);
    return tab != nullptr ? tab->GetText().GetData() : L"(no tab)";
}

CCefWebkitUI* MainWndFixture::View(int index) const
{
    auto* parent = static_cast<DuiLib::CContainerUI*>(Manager().FindControl(L"webparent"));
    DuiLib::CControlUI* item = parent->GetItemAt(index);
    return item != nullptr ? static_cast<CCefWebkitUI*>(item->GetInterface(L"CefWebkit")) : nullptr;
}

std::wstring MainWndFixture::ShownUrl(const CCefWebkitUI* view)
{
    const engine::EngineContext* context = engine::EngineContext::Current();
    for (int id = 1; context != nullptr && view != nullptr && id < kMostBrowsers; ++id) {
        const CefRefPtr<engine::Browser> browser = context->Find(id);
        if (browser != nullptr && browser->GetWindowHandle() == view->GetBrowserWindow()) {
            return browser->IsLoading() ? std::wstring() : browser->GetMainFrame()->GetURL().ToWString();
        }
    }
    return {};
}

bool MainWndFixture::WaitForTabText(int index, const std::wstring& text) const
{
    return enginetest::RunLoopUntil([&] { return TabText(index) == text; });
}

void MainWndFixture::ClickLink(const CCefWebkitUI* view, const std::string& html, const std::wstring& pageUrl,
                               const std::wstring& url) const
{
    RECT client{};
    ASSERT_TRUE(::GetClientRect(view->GetBrowserWindow(), &client));
    const auto point = enginetest::FindPoint(html, pageUrl, client.right, client.bottom,
                                             [&url](const engine::PageView::Hit& hit) { return hit.linkUrl == url; });
    ASSERT_TRUE(point.has_value()) << "no link to the address on the page";
    enginetest::Click(view->GetBrowserWindow(), *point);
}

void MainWndFixture::OpenPopupTab(const std::string& path)
{
    const int tabs = TabBar().GetTabCount();
    ClickLink(View(0), m_livePage, m_server.Url("/live"), m_server.Url(path));
    ASSERT_TRUE(enginetest::RunLoopUntil([&] { return TabBar().GetTabCount() == tabs + 1; }));
}

void MainWndFixture::ClickControl(LPCTSTR name) const
{
    const DuiLib::CControlUI* control = Manager().FindControl(name);
    ASSERT_NE(control, nullptr) << "no control of that name";
    // The next paint lays the window out, so that the control has its place.
    (void)::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT rc = control->GetPos();
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    (void)::SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    (void)::SendMessageW(m_hwnd, WM_LBUTTONUP, 0, at);
}

size_t MainWndFixture::RequestsFor(const std::string& path) const
{
    size_t count = 0;
    for (const std::string& head : m_server.RequestHeads()) {
        count += head.rfind("GET " + path + " ", 0) == 0 ? 1 : 0;
    }
    return count;
}

} // namespace client_test
