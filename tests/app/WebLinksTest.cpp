#include "app/SiteRoot.h"
#include "app/WebLinks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr wchar_t kRoot[] = L"http://127.0.0.1:8080";

struct LinkCase {
    const wchar_t* link;
    const wchar_t* opened; // empty: not opened
};

TEST(AdLinks, OpenOnlyAsWebAddresses)
{
    const LinkCase cases[] = {
        {L"https://example.com/a", L"https://example.com/a"},
        {L"HTTP://Example.com", L"HTTP://Example.com"},
        {L"  http://example.com/x  ", L"http://example.com/x"},
        {L"/live", L"http://127.0.0.1:8080/live"},
        {L"/", L"http://127.0.0.1:8080/"},
        {L"//cdn.example.com/p", L"http://cdn.example.com/p"},
        {L"http://a/b c\"d", L"http://a/b%20c%22d"},
        {L"", L""},
        {L"   ", L""},
        {L"live", L""},
        {L"file:///C:/Windows/System32/calc.exe", L""},
        {L"C:\\Windows\\System32\\cmd.exe", L""},
        {L"calc", L""},
        {L"ftp://example.com", L""},
        {L"javascript:alert(1)", L""},
        {L"httpx://example.com", L""},
        {L"http:/example.com", L""},
        {L"http://a/\nb", L""},
        {L"http://a/\tb", L""},
    };
    for (const auto& [link, opened] : cases) {
        EXPECT_EQ(ResolveAdLink(link, kRoot), opened) << link;
    }
}

TEST(LocalSiteLinks, MapOntoTheSiteRootInUse)
{
    const LinkCase cases[] = {
        {L"zeltavue://site/live", L"http://127.0.0.1:8080/live"},
        {L"ZELTAVUE://SITE/live", L"http://127.0.0.1:8080/live"},
        {L"zeltavue://site", L"http://127.0.0.1:8080"},
        {L"zeltavue://site/match/1.html?x=1", L"http://127.0.0.1:8080/match/1.html?x=1"},
        {L"zeltavue://sitex/live", L""},
        {L"zeltavue://site//evil.example/", L""},
        {L"zeltavue://site/a\rb", L""},
        {L"https://www.example.com/live", L""},
        {L"", L""},
    };
    for (const auto& [link, mapped] : cases) {
        EXPECT_EQ(MapLocalSiteLink(link, kRoot), mapped) << link;
    }
}

TEST(SiteRootSwitch, TakesTheLastValidHttpRootWithoutTrailingSlash)
{
    const LinkCase cases[] = {
        {L"zv.exe --site-root=http://127.0.0.1:8080", L"http://127.0.0.1:8080"},
        {L"zv.exe --site-root=https://demo.example/sub///", L"https://demo.example/sub"},
        {L"\"C:\\Program Files\\zv.exe\" --site-root=HTTP://h:1/", L"HTTP://h:1"},
        {L"zv.exe --site-root=http://a --site-root=http://b", L"http://b"},
        {L"zv.exe \"--site-root=http://a\"", L"http://a"},
        {L"zv.exe", L""},
        {L"--site-root=http://a", L""},
        {L"zv.exe --site-root=", L""},
        {L"zv.exe --site-root=http://", L""},
        {L"zv.exe --site-root=http:///path", L""},
        {L"zv.exe --site-root=ftp://a", L""},
        {L"zv.exe --site-root=file:///C:/", L""},
        {L"zv.exe --site-root=http://a/?q=1", L""},
        {L"zv.exe --site-root=http://a/#top", L""},
        {L"zv.exe \"--site-root=http://a b\"", L""},
        {L"zv.exe --site-root=http://\u4f8b\u5b50.cn", L""},
        {L"zv.exe --Site-Root=http://a", L""},
        {L"zv.exe --site-root http://a", L""},
    };
    for (const auto& [commandLine, root] : cases) {
        EXPECT_EQ(SiteRootFromCommandLine(commandLine), root) << commandLine;
    }
}

TEST(SiteRoot, IsKeptWithoutTrailingSlashes)
{
    const std::wstring previous = SetSiteRoot(L"http://127.0.0.1:1/");
    EXPECT_EQ(GetSiteRoot(), L"http://127.0.0.1:1");
    EXPECT_EQ(SetSiteRoot(previous), L"http://127.0.0.1:1");
    EXPECT_EQ(GetSiteRoot(), previous);
}

} // namespace
