// Parsing and loading of skin markup: document shapes, encodings, data decoding and
// every failure message with its location.

#include "MarkupTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

using DuiLib::CMarkup;
using DuiLib::CMarkupNode;
using markup_test::ErrorLocation;
using markup_test::ErrorMessage;

namespace {

std::wstring Repeat(const wchar_t* part, int count)
{
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        text += part;
    }
    return text;
}

std::vector<BYTE> Utf16(const wchar_t* text, bool bigEndian)
{
    std::vector<BYTE> bytes = bigEndian ? std::vector<BYTE>{0xFE, 0xFF} : std::vector<BYTE>{0xFF, 0xFE};
    for (const wchar_t* ch = text; *ch != L'\0'; ++ch) {
        const BYTE high = static_cast<BYTE>(*ch >> 8);
        const BYTE low = static_cast<BYTE>(*ch & 0xFF);
        bytes.insert(bytes.end(), {bigEndian ? high : low, bigEndian ? low : high});
    }
    return bytes;
}

} // namespace

TEST(MarkupDocument, EmptyOrCommentOnlyTextLoadsWithARootThatIsNoElement)
{
    for (const wchar_t* text : {L"", L"  \r\n\t<?xml version=\"1.0\"?>\n<!-- only a comment -->\n  "}) {
        CMarkup markup;
        ASSERT_TRUE(markup.Load(text)) << ErrorMessage(markup);
        CMarkupNode root = markup.GetRoot();
        ASSERT_TRUE(root.IsValid());
        const std::wstring name = root.GetName();
        EXPECT_EQ(std::wstring::npos, name.find_first_not_of(L" \t\r\n")) << "not an element name";
        EXPECT_FALSE(root.HasAttributes());
        EXPECT_FALSE(root.HasChildren());
        EXPECT_FALSE(root.HasSiblings());
    }
}

TEST(MarkupDocument, RootAndItsChildrenMayStayOpenAtTheEndButNotGrandchildren)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(L"<Window size=\"8,9\"><Button/>"));
    EXPECT_STREQ(L"Window", markup.GetRoot().GetName());
    EXPECT_STREQ(L"8,9", markup.GetRoot().GetAttributeValue(L"size"));
    EXPECT_STREQ(L"Button", markup.GetRoot().GetChild().GetName());

    ASSERT_TRUE(markup.Load(L"<Window><Button>click"));
    EXPECT_STREQ(L"Window", markup.GetRoot().GetName());
    EXPECT_STREQ(L"click", markup.GetRoot().GetChild().GetValue());

    EXPECT_FALSE(markup.Load(L"<Window><Layout><Button/>"));
    EXPECT_EQ(L"Expected start tag", ErrorMessage(markup));
    EXPECT_FALSE(markup.IsValid());
    EXPECT_FALSE(markup.GetRoot().IsValid());
}

TEST(MarkupDocument, CommentEndsAtTheFirstArrowEvenInsideIt)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(L"<a><!-- one -> <b/></a>"));
    EXPECT_STREQ(L"b", markup.GetRoot().GetChild().GetName());
    ASSERT_TRUE(markup.Load(L"<a><!-- <c/> --><b/></a>"));
    EXPECT_STREQ(L"b", markup.GetRoot().GetChild().GetName());
    EXPECT_FALSE(markup.GetRoot().GetChild().HasSiblings());
}

TEST(MarkupDocument, ReloadingStartsAFreshTableAndSuccessClearsTheLastError)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(L"<first><x/><y/></first>"));
    EXPECT_FALSE(markup.Load(L"<a x='1'/>"));
    EXPECT_FALSE(markup.IsValid());
    ASSERT_TRUE(markup.Load(L"<second/>"));
    EXPECT_EQ(L"", ErrorMessage(markup));
    EXPECT_STREQ(L"second", markup.GetRoot().GetName());
    EXPECT_FALSE(markup.GetRoot().HasChildren());

    std::vector<BYTE> bytes = markup_test::Utf8(L"<third/>");
    ASSERT_TRUE(markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size())));
    EXPECT_STREQ(L"third", markup.GetRoot().GetName());
    EXPECT_FALSE(markup.GetRoot().HasSiblings());
    markup.Release();
    EXPECT_FALSE(markup.IsValid());
    EXPECT_FALSE(markup.Load(nullptr));
}

TEST(MarkupDocument, TableGrowsPastItsFirstReservation)
{
    std::wstring text = L"<root>";
    for (int i = 0; i < 3000; ++i) {
        text += L"<item n=\"" + std::to_wstring(i) + L"\"/>";
    }
    CMarkup markup;
    ASSERT_TRUE(markup.Load((text + L"</root>").c_str()));
    int count = 0;
    for (CMarkupNode child = markup.GetRoot().GetChild(); child.IsValid(); child = child.GetSibling(), ++count) {
        ASSERT_STREQ(std::to_wstring(count).c_str(), child.GetAttributeValue(L"n"));
        ASSERT_STREQ(L"root", child.GetParent().GetName());
    }
    EXPECT_EQ(3000, count);
}

TEST(MarkupDocument, DeepNestingIsRefusedInsteadOfExhaustingTheStack)
{
    CMarkup markup;
    EXPECT_FALSE(markup.Load(Repeat(L"<a>", 100000).c_str()));
    EXPECT_EQ(L"Elements nested too deeply", ErrorMessage(markup));
    EXPECT_TRUE(markup.Load((Repeat(L"<a>", 200) + Repeat(L"</a>", 200)).c_str()));
}

// One value read after parsing: an attribute of the root, or the root's data.
struct ParsedValue {
    const wchar_t* text;
    bool preserveWhitespace;
    const wchar_t* attribute; // null: the element's value
    const wchar_t* expected;
};

class MarkupValue : public testing::TestWithParam<ParsedValue> {};

TEST_P(MarkupValue, DecodesAsExpected)
{
    CMarkup markup;
    markup.SetPreserveWhitespace(GetParam().preserveWhitespace);
    ASSERT_TRUE(markup.Load(GetParam().text)) << ErrorMessage(markup);
    CMarkupNode root = markup.GetRoot();
    EXPECT_STREQ(GetParam().expected, GetParam().attribute ? root.GetAttributeValue(GetParam().attribute)
                                                           : root.GetValue());
}

INSTANTIATE_TEST_SUITE_P(
    MarkupData, MarkupValue,
    testing::Values(ParsedValue{L"<a/>", true, nullptr, L""}, ParsedValue{L"<a />", true, nullptr, L""},
                    ParsedValue{L"<a x=\"1\"/>", true, nullptr, L""}, ParsedValue{L"<a ></a >", true, nullptr, L""},
                    ParsedValue{L"<a t=\"salt &amp; pepper\"/>", true, L"t", L"salt & pepper"},
                    ParsedValue{L"<a t=\"&lt;&gt;&quot;&apos;&amp;\"/>", true, L"t", L"<>\"'&"},
                    ParsedValue{L"<a t=\"&copy; &amp &#65;\"/>", true, L"t", L"&copy; &amp &#65;"},
                    ParsedValue{L"<a t=\"x&amp;\" u=\"1\"/>", true, L"t", L"x&"},
                    ParsedValue{L"<a t=\"&amp;&amp;\" next=\"ok\"/>", true, L"next", L"ok"},
                    ParsedValue{L"<a t=\"\" u=\"2\"/>", true, L"u", L"2"},
                    ParsedValue{L"<a>1 &lt; 2</a>", true, nullptr, L"1 < 2"},
                    ParsedValue{L"<a>text<b/></a>", true, nullptr, L"text"},
                    ParsedValue{L"<a>title", true, nullptr, L"title"},
                    ParsedValue{L"<a t=\"one   two\"/>", true, L"t", L"one   two"},
                    ParsedValue{L"<a>x \t y</a>", true, nullptr, L"x \t y"},
                    ParsedValue{L"<a t=\"one   two\"/>", false, L"t", L"one two"},
                    ParsedValue{L"<a t=\"p \t\r\nq\"/>", false, L"t", L"p q"},
                    ParsedValue{L"<a t=\"x\t y\"/>", false, L"t", L"x\t y"},
                    ParsedValue{L"<a t=\"t\t\tu\"/>", false, L"t", L"t\t\tu"},
                    ParsedValue{L"<a t=\"a &amp;  b\" u=\"v\"/>", false, L"u", L"v"},
                    ParsedValue{L"<a>d   e</a>", false, nullptr, L"d e"},
                    ParsedValue{L"<a ns:x_1=\"n\"/>", true, L"ns:x_1", L"n"}));

// Every parse failure: the message and the text at the failing place.
struct ParseFailure {
    const wchar_t* text;
    const wchar_t* message;
    const wchar_t* location;
};

class MarkupParseFailure : public testing::TestWithParam<ParseFailure> {};

TEST_P(MarkupParseFailure, ReportsMessageAndLocation)
{
    CMarkup markup(L"<previous/>");
    EXPECT_FALSE(markup.Load(GetParam().text));
    EXPECT_EQ(GetParam().message, ErrorMessage(markup));
    EXPECT_EQ(GetParam().location, ErrorLocation(markup));
    EXPECT_FALSE(markup.IsValid());
}

INSTANTIATE_TEST_SUITE_P(
    MarkupErrors, MarkupParseFailure,
    testing::Values(ParseFailure{L"text", L"Expected start tag", L"text"},
                    ParseFailure{L"<a>text<b/>more</a>", L"Expected start tag", L"more</a>"},
                    ParseFailure{L"<a", L"Error parsing element name", L""},
                    ParseFailure{L"<a x>", L"Error while parsing attributes", L">"},
                    ParseFailure{L"<a data-x=\"1\"/>", L"Error while parsing attributes", L"-x=\"1\"/>"},
                    ParseFailure{L"<a x=\"1\"?>", L"Error while parsing attributes", L"?>"},
                    ParseFailure{L"<a x='1'>", L"Expected attribute value", L"1'>"},
                    ParseFailure{L"<a x=", L"Expected attribute value", L""},
                    ParseFailure{L"<a x=\"1", L"Error while parsing attribute string", L""},
                    ParseFailure{L"<a x=\"1\"/x>", L"Expected start-tag closing", L"/x>"},
                    ParseFailure{L"<a><b><c>text", L"Expected end-tag start", L""},
                    ParseFailure{L"<a></ab>", L"Unmatched closing tag", L">"},
                    ParseFailure{L"<a></b>", L"Unmatched closing tag", L"b>"},
                    ParseFailure{L"<a></a", L"Unmatched closing tag", L""},
                    ParseFailure{L"<a></a x>", L"Unmatched closing tag", L">"}));

TEST(MarkupErrors, AccessorsCopyLikeStrncpyAndLocationsKeep49Characters)
{
    CMarkup markup;
    ASSERT_FALSE(markup.Load((L"<a/>" + std::wstring(80, L'q')).c_str()));
    EXPECT_EQ(std::wstring(49, L'q'), ErrorLocation(markup));

    ASSERT_FALSE(markup.Load(L"<a></b>"));
    wchar_t buffer[30];
    std::fill(std::begin(buffer), std::end(buffer), L'Z');
    markup.GetLastErrorMessage(buffer, 5);
    EXPECT_EQ(L"UnmatZZZ", std::wstring(buffer, 8)) << "cut without a terminator";
    markup.GetLastErrorMessage(buffer, 30);
    EXPECT_STREQ(L"Unmatched closing tag", buffer);
    EXPECT_EQ(L'\0', buffer[29]) << "padded with NULs";
}

TEST(MarkupEncoding, Utf8WithOrWithoutByteOrderMark)
{
    const std::vector<BYTE> text = markup_test::Utf8(L"<a t=\"\x5FAE\x8F6F\"/>");
    std::vector<BYTE> marked = {0xEF, 0xBB, 0xBF};
    marked.insert(marked.end(), text.begin(), text.end());
    CMarkup markup;
    for (std::vector<BYTE> bytes : {marked, text}) {
        ASSERT_TRUE(markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size()), DuiLib::XMLFILE_ENCODING_UTF8));
        EXPECT_STREQ(L"a", markup.GetRoot().GetName());
        EXPECT_STREQ(L"\x5FAE\x8F6F", markup.GetRoot().GetAttributeValue(L"t"));
    }
    EXPECT_TRUE(markup.LoadFromMem(marked.data(), 3)) << "a mark alone is an empty document";
    std::vector<BYTE> ansi = {'<', 'a', ' ', 't', '=', '"', 'x', '"', '/', '>'};
    ASSERT_TRUE(markup.LoadFromMem(ansi.data(), static_cast<DWORD>(ansi.size()), DuiLib::XMLFILE_ENCODING_ASNI));
    EXPECT_STREQ(L"x", markup.GetRoot().GetAttributeValue(L"t"));
}

TEST(MarkupEncoding, Utf16InEitherByteOrderAndTheCallersBytesStayUnchanged)
{
    for (const bool bigEndian : {false, true}) {
        std::vector<BYTE> bytes = Utf16(L"<a t=\"\x00E4\x4E2D\"/>", bigEndian);
        bytes.push_back(0x41); // an odd trailing byte is not a character
        const std::vector<BYTE> before = bytes;
        CMarkup markup;
        ASSERT_TRUE(markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size()), DuiLib::XMLFILE_ENCODING_UNICODE));
        EXPECT_STREQ(L"a", markup.GetRoot().GetName());
        EXPECT_STREQ(L"\x00E4\x4E2D", markup.GetRoot().GetAttributeValue(L"t"));
        EXPECT_EQ(before, bytes) << "the bytes may be a read-only resource";
    }
}

TEST(MarkupEncoding, Utf16WithoutByteOrderMarkAndUnknownEncodingsFailWithoutParsing)
{
    std::vector<BYTE> bytes = {'<', 0, 'a', 0, '/', 0, '>', 0};
    CMarkup markup(L"<old/>");
    EXPECT_FALSE(markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size()), DuiLib::XMLFILE_ENCODING_UNICODE));
    EXPECT_FALSE(markup.IsValid());
    EXPECT_NE(L"", ErrorMessage(markup));
    EXPECT_EQ(L"", ErrorLocation(markup));
    EXPECT_FALSE(markup.LoadFromMem(bytes.data(), 1, DuiLib::XMLFILE_ENCODING_UNICODE));
    EXPECT_FALSE(markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size()), 7));
    EXPECT_NE(L"", ErrorMessage(markup));
}
