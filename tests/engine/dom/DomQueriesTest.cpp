#include "engine/dom/DomQueries.h"

#include <gtest/gtest.h>

#include "engine/dom/HtmlParser.h"

namespace engine {
namespace {

TEST(DomQueries, FindBodyReturnsTheBodyElementOrNull)
{
    auto doc = ParseHtml(L"<p>x</p>");
    DomNode* body = FindBody(*doc);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->tagName, L"body");
    EXPECT_EQ(FindBody(static_cast<const DomNode&>(*doc)), body);

    DomNode bare;
    bare.kind = DomNodeKind::Document;
    EXPECT_EQ(FindBody(bare), nullptr);
}

TEST(DomQueries, TitleIsCollapsedAndTrimmedOrEmptyWhenAbsent)
{
    EXPECT_EQ(DocumentTitle(*ParseHtml(L"<title>\n  Live \t  Scores  </title>")), L"Live Scores");
    EXPECT_EQ(DocumentTitle(*ParseHtml(L"<title>直播</title><title>second</title>")), L"直播");
    EXPECT_EQ(DocumentTitle(*ParseHtml(L"<p>no title</p>")), L"");
}

TEST(DomQueries, FindAttributeIgnoresNameCase)
{
    const auto doc = ParseHtml(L"<div class=content data-x=\"1\"></div>");
    const DomNode& div = *FindBody(*doc)->children[0];
    ASSERT_NE(FindAttribute(div, L"CLASS"), nullptr);
    EXPECT_EQ(*FindAttribute(div, L"CLASS"), L"content");
    EXPECT_EQ(*FindAttribute(div, L"data-x"), L"1");
    EXPECT_EQ(FindAttribute(div, L"style"), nullptr);
}

TEST(DomQueries, SetAttributeReplacesInPlaceOrAppendsLowerCased)
{
    DomNode node;
    node.attributes = {{L"id", L"a"}, {L"style", L"color:red"}};
    SetAttribute(node, L"Style", L"display:none");
    SetAttribute(node, L"NEW", L"v");
    const decltype(node.attributes) expected = {{L"id", L"a"}, {L"style", L"display:none"}, {L"new", L"v"}};
    EXPECT_EQ(node.attributes, expected);
}

} // namespace
} // namespace engine
