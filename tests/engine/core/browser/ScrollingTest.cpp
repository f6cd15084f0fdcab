// A browser window's scroll bar, keyboard scrolling and #fragment links on a real page.
#include <memory>
#include <string>

#include "EngineFixture.h"
#include "PageProbe.h"
#include "engine/browser/PageScroll.h"
#include "engine/dom/HtmlParser.h"

namespace enginetest {
namespace {

class Scrolling : public EngineFixture {
protected:
    void Open(const std::string& html)
    {
        m_html = html;
        m_page = m_files.Write(L"long.htm", html);
        m_browser = CreateChild(L"");
        LoadAndWait(m_browser, m_page);
        m_window = m_browser->GetHost()->GetWindowHandle();
        ::UpdateWindow(m_window);  // lays the page out
    }

    // The page laid out as the window shows it, for expected positions.
    std::unique_ptr<engine::PageView> Expected()
    {
        auto view = std::make_unique<engine::PageView>();
        view->SetDocument(engine::ParseHtml(std::wstring(m_html.begin(), m_html.end())), m_page);
        const HDC screen = ::GetDC(nullptr);
        view->Layout(screen, Client().right);
        ::ReleaseDC(nullptr, screen);
        return view;
    }

    RECT Client() const
    {
        RECT client{};
        ::GetClientRect(m_window, &client);
        return client;
    }

    SCROLLINFO Bar() const
    {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        EXPECT_TRUE(::GetScrollInfo(m_window, SB_VERT, &info));
        return info;
    }

    bool BarShows() const { return (::GetWindowLongPtrW(m_window, GWL_STYLE) & WS_VSCROLL) != 0; }

    void Press(UINT key)
    {
        ::SendMessageW(m_window, WM_KEYDOWN, key, 0);
        Settle();
    }

    std::string m_html;
    std::wstring m_page;
    CefRefPtr<CefBrowser> m_browser;
    HWND m_window = nullptr;
};

std::string LongPage()
{
    std::string html = "<p><a href='#goal'>to the goal</a></p>";
    for (int i = 0; i < 120; ++i) {
        html += "<p>Paragraph " + std::to_string(i) + " of the match report.</p>";
        if (i == 70) {
            html += "<h2 id=goal>The goal</h2>";
        }
    }
    return html;
}

TEST_F(Scrolling, ShortPageHasNoScrollBar)
{
    Open("<p>Just one line.</p>");
    EXPECT_FALSE(BarShows());
}

// Content overflowing a box of set height does not make the page taller: a first layout
// that stopped once that content passed the window's bottom leaves no bar behind.
TEST_F(Scrolling, ContentOverflowingABoxOfSetHeightLeavesNoBar)
{
    std::string lines;
    for (int i = 0; i < 120; ++i) {
        lines += "<p>line</p>";
    }
    Open("<div style='height:100px'>" + lines + "</div>");
    EXPECT_LT(Expected()->ContentHeight(), Client().bottom);
    EXPECT_FALSE(BarShows());
}

TEST_F(Scrolling, LongPageShowsABarOverItsWholeHeightAndKeysMoveIt)
{
    Open(LongPage());
    ASSERT_TRUE(BarShows());
    const int viewport = Client().bottom;
    const int content = Expected()->ContentHeight();
    EXPECT_EQ(Bar().nMax + 1, content);
    EXPECT_EQ(static_cast<int>(Bar().nPage), viewport);

    const int page = std::max(viewport - engine::PageScroll::kPageOverlap, viewport / 2);
    const struct {
        UINT key;
        int position;
    } steps[] = {{VK_NEXT, page}, {VK_DOWN, page + engine::PageScroll::kLineStep}, {VK_END, content - viewport},
                 {VK_UP, content - viewport - engine::PageScroll::kLineStep}, {VK_HOME, 0}};
    for (const auto& step : steps) {
        Press(step.key);
        EXPECT_EQ(Bar().nPos, step.position) << "key " << step.key;
    }
    ::SendMessageW(m_window, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Bar().nPos, page);
}

TEST_F(Scrolling, FragmentLinkScrollsItsTargetToTheTop)
{
    Open(LongPage());
    const auto goal = Expected()->AnchorTop(L"goal");
    ASSERT_TRUE(goal.has_value());
    const auto link = FindPoint(m_html, m_page, Client().right, Client().bottom,
                                [](const engine::PageView::Hit& hit) { return !hit.linkUrl.empty(); });
    ASSERT_TRUE(link.has_value());
    Click(m_window, *link);
    ASSERT_TRUE(RunLoopUntil([&] { return Bar().nPos != 0; }));
    EXPECT_EQ(Bar().nPos, *goal);
    EXPECT_EQ(m_client->Count(L"start"), 1) << "the page is not loaded again";
}

TEST_F(Scrolling, AddressWithAFragmentOpensAtItsTarget)
{
    m_html = LongPage();
    m_page = m_files.Write(L"long.htm", m_html);
    m_browser = CreateChild(L"");
    LoadAndWait(m_browser, m_page + L"#goal");
    m_window = m_browser->GetHost()->GetWindowHandle();
    ::UpdateWindow(m_window);
    const auto goal = Expected()->AnchorTop(L"goal");
    ASSERT_TRUE(goal.has_value());
    EXPECT_EQ(Bar().nPos, *goal);
}

TEST_F(Scrolling, LinkedStyleSheetArrivesAfterThePageAndApplies)
{
    (void)m_files.Write(L"hide.css", "div.report { display: none }");
    Open("<link rel=stylesheet href=hide.css><p>Summary</p><div class=report>" + LongPage() + "</div>");
    EXPECT_TRUE(RunLoopUntil([&] {
        ::UpdateWindow(m_window);
        return !BarShows();
    }));
}

} // namespace
} // namespace enginetest
