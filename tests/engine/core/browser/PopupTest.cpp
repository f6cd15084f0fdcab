// Clicking links: same-window navigation and target="_blank" pop-ups.
#include <gmock/gmock.h>

#include "EngineFixture.h"
#include "PageProbe.h"
#include "engine/dom/Url.h"

namespace enginetest {
namespace {

using Popups = EngineFixture;

std::string LinkPage(const char* target)
{
    std::string words;
    for (int i = 0; i < 200; ++i) {
        words += "follow ";
    }
    return std::string("<html><body><a href=\"next.htm\"") + target + ">" + words + "</a></body></html>";
}

class LinkClick : public EngineFixture {
protected:
    // Loads `html`; returns its address.
    std::wstring Load(const std::string& html)
    {
        const std::wstring page = m_files.Write(L"links.htm", html);
        m_files.Write(L"next.htm", "<title>Next page</title>");
        m_browser = CreateChild(page);
        EXPECT_TRUE(RunLoopUntil([&] { return m_client->Count(L"end:") == 1; }));
        return page;
    }

    // Loads `html` and clicks its link; returns the link's absolute address.
    std::wstring ClickLink(const std::string& html)
    {
        const std::wstring page = Load(html);
        const auto point =
            FindPoint(html, page, 400, 300, [](const engine::PageView::Hit& hit) { return !hit.linkUrl.empty(); });
        EXPECT_TRUE(point.has_value());
        if (point) {
            Click(m_browser->GetHost()->GetWindowHandle(), *point);
        }
        return engine::ResolveUrl(page, L"next.htm");
    }

    CefRefPtr<CefBrowser> m_browser;
};

TEST_F(LinkClick, PlainLinkNavigatesTheSameBrowser)
{
    const std::wstring next = ClickLink(LinkPage(""));
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"end:") == 2; }));
    EXPECT_EQ(1, m_client->Count(L"title:Next page"));
    EXPECT_EQ(0, m_client->Count(L"popup:"));
    EXPECT_EQ(next, m_browser->GetMainFrame()->GetURL().ToWString());
    EXPECT_TRUE(m_browser->CanGoBack());
}

// A click opens a link only when the button goes down and comes up on it.
TEST_F(LinkClick, PressAndReleaseInDifferentPlacesOpenNothing)
{
    const std::string html = LinkPage("");
    const std::wstring page = Load(html);
    const auto onLink = FindPoint(html, page, 400, 300, [](const auto& hit) { return !hit.linkUrl.empty(); });
    const auto offLink = FindPoint(html, page, 400, 300, [](const auto& hit) { return hit.linkUrl.empty(); });
    ASSERT_TRUE(onLink.has_value() && offLink.has_value());
    const HWND window = m_browser->GetHost()->GetWindowHandle();
    for (const auto& [down, up] : {std::pair{*onLink, *offLink}, std::pair{*offLink, *onLink}}) {
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    }
    Settle();
    EXPECT_EQ(1, m_client->Count(L"start"));
    EXPECT_EQ(0, m_client->Count(L"title:Next page"));
}

TEST_F(LinkClick, BlankTargetAsksOnceAndOpensNothingWhenCancelled)
{
    m_client->cancelPopups = true;
    const std::wstring next = ClickLink(LinkPage(" target=\"_blank\""));
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"popup:") == 1; }));
    Settle();
    EXPECT_THAT(m_client->EventsAfter(L"state:0"), ::testing::ElementsAre(L"popup:" + next + L":_blank"));
    EXPECT_EQ(1u, m_client->browsers.size());
}

TEST_F(LinkClick, BlankTargetOpensATopLevelPopupWhenAllowed)
{
    m_client->cancelPopups = false;
    const std::wstring next = ClickLink(LinkPage(" target=\"_blank\""));
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"title:Next page") == 1; }));
    EXPECT_EQ(1, m_client->Count(L"popup:"));
    ASSERT_EQ(2u, m_client->browsers.size());
    CefRefPtr<CefBrowser> popup = m_client->browsers[1];
    EXPECT_TRUE(popup->IsPopup());
    const HWND window = popup->GetHost()->GetWindowHandle();
    EXPECT_EQ(window, ::GetAncestor(window, GA_ROOT));
    EXPECT_EQ(next, popup->GetMainFrame()->GetURL().ToWString());
    EXPECT_EQ(m_browser->GetMainFrame()->GetURL().ToWString(), m_files.PathOf(L"links.htm"));
}

} // namespace
} // namespace enginetest
