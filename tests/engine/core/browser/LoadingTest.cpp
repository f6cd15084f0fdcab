// Page loads and the events they produce, from disk and from a loopback server.
#include <gmock/gmock.h>

#include "EngineFixture.h"
#include "LoopbackHttpServer.h"

namespace enginetest {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using Loading = EngineFixture;

std::wstring FileUrl(const std::wstring& path)
{
    std::wstring url = L"file:///" + path;
    for (wchar_t& c : url) {
        c = c == L'\\' ? L'/' : c;
    }
    return url;
}

TEST_F(Loading, LocalPageGivesEventsInOrderWithItsTitle)
{
    const std::wstring page = m_files.Write(L"titled.htm", "<html><head><title>Match day</title></head><body>x</body>");
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    LoadAndWait(browser, page);
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"title:Match day", L"end:200",
                                      L"state:0"));
    EXPECT_EQ(page, browser->GetMainFrame()->GetURL().ToWString());
    EXPECT_FALSE(browser->IsLoading());
}

TEST_F(Loading, FileUrlLoadsLikeAPath)
{
    const std::wstring page = m_files.Write(L"space name.htm", "<title>From URL</title>");
    std::wstring url = FileUrl(page);
    url.replace(url.find(L' '), 1, L"%20");
    CreateChild(url);
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"state:0") > 0; }));
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"title:From URL", L"end:200",
                                      L"state:0"));
}

// A browser's page is fetched from the moment the browser is made. A handler that runs
// the message loop before the load starts (a dialog, say) lets the page come in first;
// the load still shows it, once.
TEST_F(Loading, APageThatArrivesBeforeItsLoadStartsIsShownByThatLoad)
{
    const std::wstring page = m_files.Write(L"early.htm", "<title>Early</title>");
    m_client->afterCreated = [](CefRefPtr<CefBrowser>) { (void)RunLoopUntil([] { return false; }, 300); };
    CreateChild(page);
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"state:0") > 0; }));
    Settle();
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"title:Early", L"end:200",
                                      L"state:0"));
}

TEST_F(Loading, PageWithoutTitleIsTitledWithItsAddress)
{
    const std::wstring page = m_files.Write(L"untitled.htm", "<p>no title here</p>");
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    LoadAndWait(browser, page);
    EXPECT_EQ(1, m_client->Count(L"title:" + page));
}

TEST_F(Loading, EmptyAddressLoadsNothing)
{
    const std::wstring page = m_files.Write(L"later.htm", "<title>Later</title>");
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    Settle();
    EXPECT_THAT(m_client->events, ElementsAre(L"created"));
    browser->GetMainFrame()->LoadURL(L"");
    LoadAndWait(browser, page);
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"title:Later", L"end:200",
                                      L"state:0"));
}

TEST_F(Loading, MissingFileIsFileNotFound)
{
    const std::wstring missing = m_files.PathOf(L"absent.htm");
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    LoadAndWait(browser, missing);
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"error:-6:" + missing, L"state:0"));
}

TEST_F(Loading, UnknownSchemeAndGarbageAreRejected)
{
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    LoadAndWait(browser, L"gopher://example/");
    LoadAndWait(browser, L"not a url");
    EXPECT_EQ(1, m_client->Count(L"error:-302:gopher://example/"));
    EXPECT_EQ(1, m_client->Count(L"error:-300:not a url"));
}

TEST_F(Loading, SupersededLoadEndsAborted)
{
    const std::wstring first = m_files.Write(L"first.htm", "<title>First</title>");
    const std::wstring second = m_files.Write(L"second.htm", "<title>Second</title>");
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    browser->GetMainFrame()->LoadURL(first);
    LoadAndWait(browser, second);
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"end:") == 1; }));
    Settle();
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"error:-3:" + first, L"state:0",
                                      L"state:1", L"start", L"title:Second", L"end:200", L"state:0"));
}

TEST_F(Loading, HttpPageEndsWithItsStatusAndSendsTheLocale)
{
    LoopbackHttpServer server;
    server.Serve("/live", {200, "text/html; charset=utf-8", "", "<title>Live</title><body>now</body>"});
    server.Serve("/gone", {404, "text/html", "", "<title>Gone</title>"});
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    LoadAndWait(browser, server.Url("/live"));
    LoadAndWait(browser, server.Url("/gone"));
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"title:Live", L"end:200",
                                      L"state:0", L"state:1", L"start", L"title:Gone", L"end:404", L"state:0"));
    const auto heads = server.RequestHeads();
    ASSERT_EQ(2u, heads.size());
    EXPECT_THAT(heads[0], HasSubstr("GET /live HTTP/1.1"));
    EXPECT_THAT(heads[0], HasSubstr("Accept-Language: zh-CN\r\n"));
}

TEST_F(Loading, RefusedConnectionIsReported)
{
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(LoopbackHttpServer::ClosedPort()) + L"/";
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    LoadAndWait(browser, url);
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"error:-102:" + url, L"state:0"));
}

TEST_F(Loading, PlainTextIsShownAndTitledWithItsAddress)
{
    LoopbackHttpServer server;
    server.Serve("/notes.txt", {200, "text/plain", "", "<title>not markup</title>"});
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    LoadAndWait(browser, server.Url("/notes.txt"));
    EXPECT_EQ(1, m_client->Count(L"title:" + server.Url("/notes.txt")));
    EXPECT_EQ(1, m_client->Count(L"end:200"));
}

TEST_F(Loading, CacheDirectoryIsCreated)
{
    const DWORD attributes = ::GetFileAttributesW(m_files.PathOf(L"Cache").c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace
} // namespace enginetest
