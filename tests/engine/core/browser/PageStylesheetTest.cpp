// A page's linked style sheets hold back its first paint and its load end, for a
// bounded time.
#include <gmock/gmock.h>

#include <memory>

#include "EngineFixture.h"
#include "LoopbackHttpServer.h"
#include "PageProbe.h"
#include "common/Handles.h"
#include "engine/browser/EngineContext.h"

namespace enginetest {
namespace {

using ::testing::ElementsAre;
using Delivery = LoopbackHttpServer::Delivery;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kUnstyled = RGB(0, 0, 255);
constexpr COLORREF kStyled = RGB(0, 255, 0);
constexpr char kPage[] = "<title>Scores</title><link rel=stylesheet href=/site.css><body bgcolor=#0000ff><p>1:0</p>";
constexpr char kSheet[] = "body { background-color: #00ff00 }";
constexpr int kWidth = 400;  // of the browser window
constexpr int kHeight = 300;

// What a browser window paints, drawn into a bitmap through WM_PRINTCLIENT.
class WindowPicture final {
public:
    explicit WindowPicture(HWND window)
    {
        const HDC screen = ::GetDC(nullptr);
        m_dc.reset(::CreateCompatibleDC(screen));
        m_bitmap.reset(::CreateCompatibleBitmap(screen, kWidth, kHeight));
        ::ReleaseDC(nullptr, screen);
        m_select = std::make_unique<SelectObjectScope>(m_dc.get(), m_bitmap.get());
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc.get()), PRF_CLIENT);
    }

    [[nodiscard]] COLORREF At(int x, int y) const { return ::GetPixel(m_dc.get(), x, y); }

    [[nodiscard]] int Count(COLORREF colour) const
    {
        int count = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                count += At(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

private:
    UniqueMemoryDc m_dc;
    UniqueBitmap m_bitmap;
    std::unique_ptr<SelectObjectScope> m_select;  // last: deselects before the bitmap goes
};

class PageStylesheets : public EngineFixture {
protected:
    void Load(LoopbackHttpServer& server, const LoopbackHttpServer::Response& sheet)
    {
        server.Serve("/page", {200, "text/html", "", kPage});
        server.Serve("/site.css", sheet);
        m_browser = CreateChild(L"");
        m_browser->GetMainFrame()->LoadURL(server.Url("/page"));
    }

    // The colour the browser window paints near its bottom right corner, away from the text.
    COLORREF Painted() const { return WindowPicture(Window()).At(kWidth - 20, kHeight - 20); }
    HWND Window() const { return m_browser->GetHost()->GetWindowHandle(); }

    bool WaitForEnd() { return RunLoopUntil([&] { return m_client->Count(L"end:") == 1; }); }

    CefRefPtr<CefBrowser> m_browser;
};

TEST_F(PageStylesheets, SlowSheetHoldsTheFirstPaintAndTheLoadEndUntilItArrives)
{
    LoopbackHttpServer server;
    Load(server, {200, "text/css", "", kSheet, Delivery::WhenReleased});
    ASSERT_TRUE(RunLoopUntil([&] { return server.RequestHeads().size() == 2; }));
    Settle();
    EXPECT_EQ(m_client->Count(L"end:"), 0);
    EXPECT_EQ(Painted(), kWhite) << "nothing of the page shows, not even unstyled";
    server.Release();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Painted(), kStyled);
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"title:Scores", L"end:200",
                                      L"state:0"));
}

TEST_F(PageStylesheets, RedirectedPageFindsItsSheetWhereThePageCameFrom)
{
    LoopbackHttpServer server;
    server.Serve("/scores", {301, "text/html", "Location: /scores/today/\r\n", ""});
    server.Serve("/scores/today/", {200, "text/html", "", "<link rel=stylesheet href=site.css><body bgcolor=#0000ff>"});
    server.Serve("/scores/today/site.css", {200, "text/css", "", kSheet});
    m_browser = CreateChild(L"");
    m_browser->GetMainFrame()->LoadURL(server.Url("/scores"));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Painted(), kStyled);
}

TEST_F(PageStylesheets, MouseOverALinkRepaintsItInItsHoverColourUntilTheMouseLeaves)
{
    const std::string html = "<style>a:hover { color: #00ff00 }</style><p>Now: <a href=live.htm>live scores</a>";
    const std::wstring page = m_files.Write(L"hover.htm", html);
    m_browser = CreateChild(L"");
    LoadAndWait(m_browser, page);
    const auto link = FindPoint(html, page, kWidth, kHeight,
                                [](const engine::PageView::Hit& hit) { return !hit.linkUrl.empty(); });
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(WindowPicture(Window()).Count(kStyled), 0);
    ::SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(link->x, link->y));
    EXPECT_GT(WindowPicture(Window()).Count(kStyled), 10) << "the underline at least";
    ::SendMessageW(Window(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(WindowPicture(Window()).Count(kStyled), 0);
}

struct FailingSheet {
    const char* name;
    int status;
    Delivery delivery;
};

class FailingStylesheet : public PageStylesheets, public ::testing::WithParamInterface<FailingSheet> {};

TEST_P(FailingStylesheet, PageShowsUnstyledAndEndsWithoutWaitingForTheStallLimit)
{
    engine::EngineContext::Current()->SetStylesheetWaitMs(300);
    LoopbackHttpServer server;
    Load(server, {GetParam().status, "text/css", "", kSheet, GetParam().delivery});
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Painted(), kUnstyled);
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"title:Scores", L"end:200",
                                      L"state:0"));
    if (GetParam().delivery == Delivery::WhenReleased) {
        server.Release();
        EXPECT_TRUE(RunLoopUntil([&] { return Painted() == kStyled; })) << "a late sheet still applies";
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, FailingStylesheet,
    ::testing::Values(FailingSheet{"Missing", 404, Delivery::Whole}, FailingSheet{"Stalled", 200, Delivery::NeverAnswer},
        FailingSheet{"Late", 200, Delivery::WhenReleased}),
    [](const ::testing::TestParamInfo<FailingSheet>& info) { return std::string(info.param.name); });

} // namespace
} // namespace enginetest
