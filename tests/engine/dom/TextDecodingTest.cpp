#include "engine/dom/TextDecoding.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

// "比赛" in GBK and in UTF-8.
const std::string kGbk = "\xB1\xC8\xC8\xFC";
const std::string kUtf8 = "\xE6\xAF\x94\xE8\xB5\x9B";

TEST(TextDecoding, DefaultsToUtf8AndReplacesInvalidSequences)
{
    EXPECT_EQ(DecodeHtmlBytes(kUtf8, ""), L"比赛");
    EXPECT_EQ(DecodeHtmlBytes(kUtf8, "text/html"), L"比赛");
    EXPECT_EQ(DecodeHtmlBytes("a\xFF" "b", "text/html; charset=utf-8"), L"a\uFFFDb");
    EXPECT_EQ(DecodeHtmlBytes("", "text/html; charset=gbk"), L"");
}

TEST(TextDecoding, HeaderCharsetIsHonouredInAnyCaseAndQuoting)
{
    EXPECT_EQ(DecodeHtmlBytes(kGbk, "text/html; charset=GBK"), L"比赛");
    EXPECT_EQ(DecodeHtmlBytes(kGbk, "text/html;Charset=\"gb2312\""), L"比赛");
    EXPECT_EQ(DecodeHtmlBytes("caf\xE9", "text/html; charset=iso-8859-1"), L"caf\u00E9");
    EXPECT_EQ(DecodeHtmlBytes("\x80", "text/html; charset=windows-1252"), L"\u20AC");
}

TEST(TextDecoding, MetaCharsetAndHttpEquivAreFoundInThePage)
{
    EXPECT_EQ(DecodeHtmlBytes("<meta charset=\"gbk\">" + kGbk, ""), L"<meta charset=\"gbk\">比赛");
    const std::string equiv = "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=gb2312\">";
    EXPECT_EQ(DecodeHtmlBytes(equiv + kGbk, "text/html"), std::wstring(equiv.begin(), equiv.end()) + L"比赛");
}

TEST(TextDecoding, HeaderWinsOverMetaAndBomWinsOverBoth)
{
    EXPECT_EQ(DecodeHtmlBytes("<meta charset=gbk>" + kUtf8, "text/html; charset=utf-8"), L"<meta charset=gbk>比赛");
    EXPECT_EQ(DecodeHtmlBytes("\xEF\xBB\xBF" + kUtf8, "text/html; charset=gbk"), L"比赛");
}

TEST(TextDecoding, Utf16ByteOrderMarksInBothEndians)
{
    EXPECT_EQ(DecodeHtmlBytes(std::string("\xFF\xFE" "A\0\x14\x6B", 6), ""), L"A\u6B14");
    EXPECT_EQ(DecodeHtmlBytes(std::string("\xFE\xFF\0A\x6B\x14\0", 7), ""), L"A\u6B14\uFFFD");
}

TEST(TextDecoding, UnknownCharsetAndMetaUtf16FallBackToUtf8)
{
    EXPECT_EQ(DecodeHtmlBytes(kUtf8, "text/html; charset=klingon"), L"比赛");
    EXPECT_EQ(DecodeHtmlBytes("<meta charset=utf-16>" + kUtf8, ""), L"<meta charset=utf-16>比赛");
}

// Undeclared bytes that are not UTF-8 are read as windows-1252, whole, even when
// part of them would pass as UTF-8.
TEST(TextDecoding, UndeclaredBytesThatAreNotUtf8AreWindows1252)
{
    const struct {
        std::string bytes;
        std::string contentType;
        std::wstring text;
    } cases[] = {
        {"caf\xE9 \x93quoted\x94", "", L"caf\u00E9 \u201Cquoted\u201D"},
        {"\xE6\xAF\x94 \xE9t\xE9", "text/html", L"\u00E6\u00AF\u201D \u00E9t\u00E9"},
        {"na\xEFve", "text/html; charset=klingon", L"na\u00EFve"},
        {kUtf8, "", L"比赛"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeHtmlBytes(c.bytes, c.contentType), c.text) << c.bytes;
    }
}

// Long pages are checked for ASCII sixteen bytes at a time: one byte beyond ASCII
// anywhere, at the edges of those steps too, sends the whole page to the converter.
TEST(TextDecoding, OneByteBeyondAsciiAnywhereInALongPageIsDecoded)
{
    const std::string ascii(40, 'a');
    EXPECT_EQ(DecodeHtmlBytes(ascii, ""), std::wstring(40, L'a'));
    for (const size_t at : {0u, 15u, 16u, 31u, 38u}) {
        std::string utf8 = ascii;
        utf8.replace(at, 2, "\xC3\xA9");
        std::wstring text(39, L'a');
        text[at] = L'\u00E9';
        EXPECT_EQ(DecodeHtmlBytes(utf8, ""), text) << at;
        std::string gbk = ascii;
        gbk.replace(at, 2, "\xB1\xC8");
        text[at] = L'\u6BD4';
        EXPECT_EQ(DecodeHtmlBytes(gbk, "text/html; charset=gbk"), text) << at;
        std::string latin = ascii;
        latin[at] = '\xE9';
        EXPECT_EQ(DecodeHtmlBytes(latin, ""), std::wstring(at, L'a') + L'\u00E9' + std::wstring(39 - at, L'a')) << at;
    }
}

std::wstring Markup(const std::string& body, const std::string& contentType)
{
    const std::pmr::wstring text = PageMarkup(body, contentType);
    return std::wstring(text.begin(), text.end());
}

// A page of markup shows as decoded; other text as itself, preformatted. Large pages
// (their text in recycled memory) decode as small ones do.
TEST(PageMarkup, MarkupIsDecodedAndOtherTextIsEscapedIntoAPreformattedPage)
{
    const std::string large = std::string(100 * 1024, 'a') + kGbk;
    const struct {
        std::string body;
        std::string contentType;
        std::wstring markup;
    } cases[] = {
        {"<b>x</b>", "", L"<b>x</b>"},
        {"<b>x</b>", "TEXT/HTML; charset=utf-8", L"<b>x</b>"},
        {"<b>x</b>", "application/xhtml+xml", L"<b>x</b>"},
        {"a<b>&" + kUtf8, "text/plain", L"<html><body><pre>a&lt;b&gt;&amp;比赛</pre></body></html>"},
        {large, "text/html; charset=gbk", std::wstring(100 * 1024, L'a') + L"比赛"},
        {large, "text/css",
            L"<html><body><pre>" + std::wstring(100 * 1024, L'a') + L"\u00B1\u00C8\u00C8\u00FC</pre></body></html>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Markup(c.body, c.contentType), c.markup) << c.contentType;
    }
}

} // namespace
} // namespace engine
