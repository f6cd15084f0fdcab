#include "engine/dom/Url.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

struct UrlCase {
    const wchar_t* base;
    const wchar_t* reference;
    const wchar_t* expected;
};

void PrintTo(const UrlCase& c, std::ostream* os)
{
    std::wstring all = std::wstring(c.base) + L" + " + c.reference;
    *os << std::string(all.begin(), all.end());
}

class ResolveUrlTest : public testing::TestWithParam<UrlCase> {};

TEST_P(ResolveUrlTest, ResolvesAgainstBase)
{
    const UrlCase& c = GetParam();
    EXPECT_EQ(ResolveUrl(c.base, c.reference), c.expected);
}

constexpr const wchar_t* kPage = L"http://live.example.com/a/b/page.html?x=1#top";

INSTANTIATE_TEST_SUITE_P(Http, ResolveUrlTest, testing::Values(
    UrlCase{kPage, L"https://other.example.org/z", L"https://other.example.org/z"},
    UrlCase{kPage, L"//cdn.example.net/i.png", L"http://cdn.example.net/i.png"},
    UrlCase{L"https://live.example.com/", L"//cdn.example.net/i.png", L"https://cdn.example.net/i.png"},
    UrlCase{kPage, L"/root.css", L"http://live.example.com/root.css"},
    UrlCase{kPage, L"c.png", L"http://live.example.com/a/b/c.png"},
    UrlCase{kPage, L"./c.png", L"http://live.example.com/a/b/c.png"},
    UrlCase{kPage, L"../c.png", L"http://live.example.com/a/c.png"},
    UrlCase{kPage, L"../../../../c.png", L"http://live.example.com/c.png"},
    UrlCase{kPage, L"d/./e/../f?q=2#h", L"http://live.example.com/a/b/d/f?q=2#h"},
    UrlCase{kPage, L"..", L"http://live.example.com/a/"},
    UrlCase{kPage, L"?y=2", L"http://live.example.com/a/b/page.html?y=2"},
    UrlCase{kPage, L"#frag", L"http://live.example.com/a/b/page.html?x=1#frag"},
    UrlCase{kPage, L"", L"http://live.example.com/a/b/page.html?x=1"},
    UrlCase{L"http://live.example.com", L"c.png", L"http://live.example.com/c.png"},
    UrlCase{L"http://live.example.com:8080?q", L"/c", L"http://live.example.com:8080/c"},
    UrlCase{kPage, L"  spaced.png \n", L"http://live.example.com/a/b/spaced.png"},
    UrlCase{kPage, L"img\\x.png", L"http://live.example.com/a/b/img/x.png"},
    UrlCase{kPage, L"javascript:void(0)", L"javascript:void(0)"},
    UrlCase{kPage, L"mailto:a@b.c", L"mailto:a@b.c"}));

INSTANTIATE_TEST_SUITE_P(LocalFiles, ResolveUrlTest, testing::Values(
    UrlCase{L"file:///C:/app/Html/NewTab.htm", L"img/logo.png", L"file:///C:/app/Html/img/logo.png"},
    UrlCase{L"file:///C:/app/Html/NewTab.htm", L"../x.htm", L"file:///C:/app/x.htm"},
    UrlCase{L"C:\\app\\Html\\error.htm", L"img/logo.png", L"C:\\app\\Html\\img\\logo.png"},
    UrlCase{L"C:\\app\\Html\\error.htm", L"..\\up.png", L"C:\\app\\up.png"},
    UrlCase{L"C:\\app\\Html\\error.htm", L"/top.png", L"C:\\top.png"},
    UrlCase{L"C:\\app\\Html\\error.htm", L"a.png#f", L"C:\\app\\Html\\a.png#f"},
    UrlCase{L"C:\\app\\Html\\error.htm", L"D:\\other\\b.png", L"D:\\other\\b.png"},
    UrlCase{L"C:\\app\\Html\\error.htm", L"http://x.test/", L"http://x.test/"}));

INSTANTIATE_TEST_SUITE_P(UnusableBase, ResolveUrlTest, testing::Values(
    UrlCase{L"", L"a/b.png", L"a/b.png"},
    UrlCase{L"not a url", L"a/b.png", L"a/b.png"}));

} // namespace
} // namespace engine
