// Parsing and loading of skin markup: document shapes, encodings, data decoding and
// every failure message with its location.

#include "MarkupTestSupport.h"

#include "duilib/core/Markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using DuiLib::CMarkup;
using DuiLib::CMarkupNode;
using markup_test::ErrorLocation;
using markup_test::ErrorMessage;

namespace {

std::wstring Trimmed(const wchar_t* text)
{
    std::wstring result = text;
    const size_t first = result.find_first_not_of(L" \t\r\n");
    return first == std::wstring::npos ? std::wstring() : result.substr(first);
}

int CountChildren(CMarkupNode node)
{
    int count = 0;
    for (CMarkupNode child = node.GetChild(); child.IsValid(); child = child.GetSibling()) {
        ++count;
    }
    return count;
}

} // namespace

TEST(MarkupDocument, EmptyTextLoadsWithARootThatIsNoElement)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(L""));
    EXPECT_TRUE(markup.IsValid());
    CMarkupNode root = markup.GetRoot();
    ASSERT_TRUE(root.IsValid());
    EXPECT_STREQ(L"", root.GetName());
    EXPECT_FALSE(root.HasChildren());
    EXPECT_FALSE(root.HasAttributes());
    EXPECT_EQ(L"", ErrorMessage(markup));
}

TEST(MarkupDocument, WhitespaceCommentsAndDeclarationsOnlyLoadWithoutElements)
{
    CMarkup markup(L"  \r\n\t<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- only a comment -->\n  ");
    ASSERT_TRUE(markup.IsValid());
    CMarkupNode root = markup.GetRoot();
    ASSERT_TRUE(root.IsValid());
    EXPECT_EQ(L"", Trimmed(root.GetName()));
    EXPECT_EQ(0, root.GetAttributeCount());
    EXPECT_FALSE(root.HasChildren());
    EXPECT_FALSE(root.HasSiblings());
}

TEST(MarkupDocument, OpenRootAndItsDirectChildrenCountAsClosedAtTheEnd)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(L"<Window size=\"8,9\"><Button/>"));
    CMarkupNode root = markup.GetRoot();
    EXPECT_STREQ(L"Window", root.GetName());
    EXPECT_STREQ(L"8,9", root.GetAttributeValue(L"size"));
    EXPECT_STREQ(L"Button", root.GetChild().GetName());

    ASSERT_TRUE(markup.Load(L"<Window><Button>click"));
    EXPECT_STREQ(L"Window", markup.GetRoot().GetName());
    EXPECT_STREQ(L"Button", markup.GetRoot().GetChild().GetName());
    EXPECT_STREQ(L"click", markup.GetRoot().GetChild().GetValue());

    ASSERT_TRUE(markup.Load(L"<Window>title"));
    EXPECT_STREQ(L"Window", markup.GetRoot().GetName());
    EXPECT_STREQ(L"title", markup.GetRoot().GetValue());
}

TEST(MarkupDocument, TextEndingInsideAGrandchildFails)
{
    CMarkup markup;
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

    ASSERT_TRUE(markup.Load(L"<a><!-- a <c/> comment --><b/></a>"));
    EXPECT_EQ(1, CountChildren(markup.GetRoot()));
    EXPECT_STREQ(L"b", markup.GetRoot().GetChild().GetName());
}

TEST(MarkupDocument, TextAfterAChildIsNotData)
{
    CMarkup markup;
    EXPECT_FALSE(markup.Load(L"<a>text<b/>more</a>"));
    EXPECT_EQ(L"Expected start tag", ErrorMessage(markup));
    EXPECT_EQ(L"more</a>", ErrorLocation(markup));

    ASSERT_TRUE(markup.Load(L"<a>text<b/></a>"));
    EXPECT_STREQ(L"text", markup.GetRoot().GetValue());
    EXPECT_STREQ(L"b", markup.GetRoot().GetChild().GetName());
}

TEST(MarkupDocument, ReloadingStartsAFreshTableEachTime)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(L"<first><x/><y/><z/></first>"));
    ASSERT_TRUE(markup.Load(L"<second/>"));
    CMarkupNode root = markup.GetRoot();
    EXPECT_STREQ(L"second", root.GetName());
    EXPECT_FALSE(root.HasChildren());
    EXPECT_FALSE(root.HasSiblings());

    std::vector<BYTE> bytes = markup_test::Utf8(L"<third a=\"1\"/>");
    ASSERT_TRUE(markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size())));
    EXPECT_STREQ(L"third", markup.GetRoot().GetName());
    EXPECT_FALSE(markup.GetRoot().HasChildren());
}

TEST(MarkupDocument, FailedLoadReleasesTheDocumentAndSuccessClearsTheMessage)
{
    CMarkup markup(L"<a/>");
    ASSERT_TRUE(markup.IsValid());
    EXPECT_FALSE(markup.Load(L"<a x='1'/>"));
    EXPECT_FALSE(markup.IsValid());
    EXPECT_FALSE(markup.GetRoot().IsValid());
    EXPECT_EQ(L"Expected attribute value", ErrorMessage(markup));

    ASSERT_TRUE(markup.Load(L"<b/>"));
    EXPECT_EQ(L"", ErrorMessage(markup));
    EXPECT_EQ(L"", ErrorLocation(markup));
    markup.Release();
    EXPECT_FALSE(markup.IsValid());
}

TEST(MarkupDocument, TableGrowsPastItsFirstReservation)
{
    std::wstring text = L"<root>";
    for (int i = 0; i < 3000; ++i) {
        text += L"<item n=\"" + std::to_wstring(i) + L"\"/>";
    }
    text += L"</root>";
    CMarkup markup;
    ASSERT_TRUE(markup.Load(text.c_str()));
    int count = 0;
    CMarkupNode last;
    for (CMarkupNode child = markup.GetRoot().GetChild(); child.IsValid(); child = child.GetSibling()) {
        ASSERT_STREQ(std::to_wstring(count).c_str(), child.GetAttributeValue(L"n"));
        last = child;
        ++count;
    }
    EXPECT_EQ(3000, count);
    EXPECT_STREQ(L"root", last.GetParent().GetName());
}

TEST(MarkupDocument, DeepNestingIsRefusedInsteadOfExhaustingTheStack)
{
    std::wstring deep;
    for (int i = 0; i < 100000; ++i) {
        deep += L"<a>";
    }
    CMarkup markup;
    EXPECT_FALSE(markup.Load(deep.c_str()));
    EXPECT_EQ(L"Elements nested too deeply", ErrorMessage(markup));

    std::wstring nested;
    for (int i = 0; i < 200; ++i) {
        nested += L"<a>";
    }
    for (int i = 0; i < 200; ++i) {
        nested += L"</a>";
    }
    EXPECT_TRUE(markup.Load(nested.c_str()));
}

TEST(MarkupDocument, NullTextFails)
{
    CMarkup markup;
    EXPECT_FALSE(markup.Load(nullptr));
    EXPECT_FALSE(markup.IsValid());
    EXPECT_NE(L"", ErrorMessage(markup));
}

// Element shapes that all mean "empty element".
class EmptyElement : public testing::TestWithParam<const wchar_t*> {};

TEST_P(EmptyElement, HasNameAndEmptyValue)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(GetParam()));
    CMarkupNode root = markup.GetRoot();
    EXPECT_STREQ(L"a", root.GetName());
    EXPECT_STREQ(L"", root.GetValue());
    EXPECT_FALSE(root.HasChildren());
}

INSTANTIATE_TEST_SUITE_P(MarkupDocument, EmptyElement,
                         testing::Values(L"<a/>", L"<a />", L"<a x=\"1\"/>", L"<a x=\"1\" />", L"<a></a>",
                                         L"<a ></a >"));

// Every parse failure: the message and the text at the failing place.
struct ParseFailure {
    const wchar_t* text;
    const wchar_t* message;
    const wchar_t* location;
};

class MarkupParseFailure : public testing::TestWithParam<ParseFailure> {};

TEST_P(MarkupParseFailure, ReportsMessageAndLocation)
{
    CMarkup markup;
    EXPECT_FALSE(markup.Load(GetParam().text));
    EXPECT_EQ(GetParam().message, ErrorMessage(markup));
    EXPECT_EQ(GetParam().location, ErrorLocation(markup));
    EXPECT_FALSE(markup.IsValid());
}

INSTANTIATE_TEST_SUITE_P(
    MarkupDocument, MarkupParseFailure,
    testing::Values(ParseFailure{L"text", L"Expected start tag", L"text"},
                    ParseFailure{L"<a/> x", L"Expected start tag", L"x"},
                    ParseFailure{L"<a", L"Error parsing element name", L""},
                    ParseFailure{L"<a x>", L"Error while parsing attributes", L">"},
                    ParseFailure{L"<a x y=\"1\">", L"Error while parsing attributes", L"y=\"1\">"},
                    ParseFailure{L"<a x='1'>", L"Expected attribute value", L"1'>"},
                    ParseFailure{L"<a x=", L"Expected attribute value", L""},
                    ParseFailure{L"<a x=\"1", L"Error while parsing attribute string", L""},
                    ParseFailure{L"<a x=\"1\"?>", L"Error while parsing attributes", L"?>"},
                    ParseFailure{L"<a x=\"1\"/x>", L"Expected start-tag closing", L"/x>"},
                    ParseFailure{L"<a/x>", L"Expected start-tag closing", L"/x>"},
                    ParseFailure{L"<a><b><c>text", L"Expected end-tag start", L""},
                    ParseFailure{L"<a></ab>", L"Unmatched closing tag", L">"},
                    ParseFailure{L"<a></b>", L"Unmatched closing tag", L"b>"},
                    ParseFailure{L"<a></a", L"Unmatched closing tag", L""},
                    ParseFailure{L"<a></a x>", L"Unmatched closing tag", L">"}));

TEST(MarkupErrors, LocationKeepsAtMost49Characters)
{
    const std::wstring tail(80, L'q');
    CMarkup markup;
    EXPECT_FALSE(markup.Load((L"<a/>" + tail).c_str()));
    EXPECT_EQ(tail.substr(0, 49), ErrorLocation(markup));
}

TEST(MarkupErrors, AccessorsCopyLikeStrncpy)
{
    CMarkup markup;
    ASSERT_FALSE(markup.Load(L"<a></b>"));
    wchar_t cut[8];
    std::fill(std::begin(cut), std::end(cut), L'Z');
    markup.GetLastErrorMessage(cut, 5);
    EXPECT_EQ(std::wstring(L"Unmat") + L"ZZZ", std::wstring(cut, 8));

    wchar_t padded[30];
    std::fill(std::begin(padded), std::end(padded), L'Z');
    markup.GetLastErrorMessage(padded, 30);
    EXPECT_STREQ(L"Unmatched closing tag", padded);
    EXPECT_EQ(L'\0', padded[29]);

    wchar_t location[4];
    std::fill(std::begin(location), std::end(location), L'Z');
    markup.GetLastErrorLocation(location, 4);
    EXPECT_EQ(std::wstring(L"b>") + L'\0' + L'\0', std::wstring(location, 4));
}

// Character data and attribute values.
TEST(MarkupData, TheFiveEntitiesDecodeAndOtherAmpersandsStay)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(L"<a t=\"salt &amp; pepper\" all=\"&lt;&gt;&quot;&apos;&amp;\" "
                            L"other=\"&copy; &amp &#65;\" next=\"ok\">1 &lt; 2</a>"));
    CMarkupNode root = markup.GetRoot();
    EXPECT_STREQ(L"salt & pepper", root.GetAttributeValue(L"t"));
    EXPECT_STREQ(L"<>\"'&", root.GetAttributeValue(L"all"));
    EXPECT_STREQ(L"&copy; &amp &#65;", root.GetAttributeValue(L"other"));
    EXPECT_STREQ(L"ok", root.GetAttributeValue(L"next"));
    EXPECT_EQ(4, root.GetAttributeCount());
    EXPECT_STREQ(L"1 < 2", root.GetValue());
}

TEST(MarkupData, EntityRightBeforeTheClosingQuoteEndsTheValue)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(L"<a t=\"x&amp;\" u=\"&quot;\" v=\"\"/>"));
    CMarkupNode root = markup.GetRoot();
    EXPECT_STREQ(L"x&", root.GetAttributeValue(L"t"));
    EXPECT_STREQ(L"\"", root.GetAttributeValue(L"u"));
    EXPECT_STREQ(L"", root.GetAttributeValue(L"v"));
    EXPECT_TRUE(root.HasAttribute(L"v"));
    EXPECT_EQ(3, root.GetAttributeCount());
}

TEST(MarkupData, WhitespaceIsKeptByDefault)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(L"<a t=\"one   two\">x \t y</a>"));
    EXPECT_STREQ(L"one   two", markup.GetRoot().GetAttributeValue(L"t"));
    EXPECT_STREQ(L"x \t y", markup.GetRoot().GetValue());
}

TEST(MarkupData, WithoutPreservingRunsStartingWithASpaceCollapse)
{
    CMarkup markup;
    markup.SetPreserveWhitespace(false);
    ASSERT_TRUE(markup.Load(L"<a t=\"one   two\" u=\"x\t y\" v=\"p \t\r\nq\" w=\"t\t\tu\" z=\"end\">d   e</a>"));
    CMarkupNode root = markup.GetRoot();
    EXPECT_STREQ(L"one two", root.GetAttributeValue(L"t"));
    EXPECT_STREQ(L"x\t y", root.GetAttributeValue(L"u"));
    EXPECT_STREQ(L"p q", root.GetAttributeValue(L"v"));
    EXPECT_STREQ(L"t\t\tu", root.GetAttributeValue(L"w"));
    EXPECT_STREQ(L"end", root.GetAttributeValue(L"z"));
    EXPECT_STREQ(L"d e", root.GetValue());
}

TEST(MarkupData, NamesEndAtCharactersOutsideIdentifiers)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load(L"<ns:Item_2 a_b:c9=\"1\"/>"));
    EXPECT_STREQ(L"ns:Item_2", markup.GetRoot().GetName());
    EXPECT_STREQ(L"a_b:c9", markup.GetRoot().GetAttributeName(0));
    EXPECT_FALSE(markup.Load(L"<a data-x=\"1\"/>"));
    EXPECT_EQ(L"Error while parsing attributes", ErrorMessage(markup));
    EXPECT_EQ(L"-x=\"1\"/>", ErrorLocation(markup));
}

// Conversion of the three encodings.
TEST(MarkupEncoding, Utf8WithAndWithoutByteOrderMark)
{
    std::vector<BYTE> bytes = {0xEF, 0xBB, 0xBF};
    const std::vector<BYTE> text = markup_test::Utf8(L"<a t=\"\x5FAE\x8F6F\"/>");
    bytes.insert(bytes.end(), text.begin(), text.end());
    CMarkup markup;
    ASSERT_TRUE(markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size()), DuiLib::XMLFILE_ENCODING_UTF8));
    EXPECT_STREQ(L"a", markup.GetRoot().GetName());
    EXPECT_STREQ(L"\x5FAE\x8F6F", markup.GetRoot().GetAttributeValue(L"t"));

    std::vector<BYTE> plain = text;
    ASSERT_TRUE(markup.LoadFromMem(plain.data(), static_cast<DWORD>(plain.size())));
    EXPECT_STREQ(L"\x5FAE\x8F6F", markup.GetRoot().GetAttributeValue(L"t"));

    std::vector<BYTE> markOnly = {0xEF, 0xBB, 0xBF};
    EXPECT_TRUE(markup.LoadFromMem(markOnly.data(), 3));
}

TEST(MarkupEncoding, Utf16ByteOrders)
{
    std::vector<BYTE> little = {0xFF, 0xFE};
    std::vector<BYTE> big = {0xFE, 0xFF};
    for (const wchar_t ch : std::wstring(L"<a t=\"\x00E4\x4E2D\"/>")) {
        little.push_back(static_cast<BYTE>(ch & 0xFF));
        little.push_back(static_cast<BYTE>(ch >> 8));
        big.push_back(static_cast<BYTE>(ch >> 8));
        big.push_back(static_cast<BYTE>(ch & 0xFF));
    }
    const std::vector<BYTE> bigBefore = big;
    CMarkup markup;
    ASSERT_TRUE(markup.LoadFromMem(little.data(), static_cast<DWORD>(little.size()), DuiLib::XMLFILE_ENCODING_UNICODE));
    EXPECT_STREQ(L"\x00E4\x4E2D", markup.GetRoot().GetAttributeValue(L"t"));
    ASSERT_TRUE(markup.LoadFromMem(big.data(), static_cast<DWORD>(big.size()), DuiLib::XMLFILE_ENCODING_UNICODE));
    EXPECT_STREQ(L"a", markup.GetRoot().GetName());
    EXPECT_STREQ(L"\x00E4\x4E2D", markup.GetRoot().GetAttributeValue(L"t"));
    EXPECT_EQ(bigBefore, big) << "the caller's bytes (possibly a read-only resource) must stay as they were";

    little.push_back(0x41); // an odd trailing byte is not a character
    ASSERT_TRUE(markup.LoadFromMem(little.data(), static_cast<DWORD>(little.size()), DuiLib::XMLFILE_ENCODING_UNICODE));
    EXPECT_STREQ(L"\x00E4\x4E2D", markup.GetRoot().GetAttributeValue(L"t"));
}

TEST(MarkupEncoding, Utf16WithoutByteOrderMarkFailsWithoutParsing)
{
    std::vector<BYTE> bytes = {'<', 0, 'a', 0, '/', 0, '>', 0};
    CMarkup markup(L"<old/>");
    EXPECT_FALSE(markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size()), DuiLib::XMLFILE_ENCODING_UNICODE));
    EXPECT_FALSE(markup.IsValid());
    EXPECT_NE(L"", ErrorMessage(markup));
    EXPECT_EQ(L"", ErrorLocation(markup));

    std::vector<BYTE> single = {0xFF};
    EXPECT_FALSE(markup.LoadFromMem(single.data(), 1, DuiLib::XMLFILE_ENCODING_UNICODE));
    EXPECT_FALSE(markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size()), 7));
}

TEST(MarkupEncoding, AnsiCodePage)
{
    std::vector<BYTE> bytes = {'<', 'a', ' ', 't', '=', '"', 'x', 'y', '"', '/', '>'};
    CMarkup markup;
    ASSERT_TRUE(markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size()), DuiLib::XMLFILE_ENCODING_ASNI));
    EXPECT_STREQ(L"xy", markup.GetRoot().GetAttributeValue(L"t"));
}
