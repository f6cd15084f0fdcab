#include "engine/dom/HtmlParser.h"

#include <gtest/gtest.h>

#include <random>

#include "DomTestHelpers.h"
#include "engine/dom/DomQueries.h"

namespace engine {
namespace {

using test::Outline;

std::wstring BodyOf(std::wstring_view html)
{
    const auto doc = ParseHtml(html);
    const DomNode* body = FindBody(*doc);
    return body != nullptr ? Outline(*body) : L"(no body)";
}

TEST(HtmlParser, CreatesHtmlHeadAndBodyWhenMissing)
{
    const auto doc = ParseHtml(L"hello");
    EXPECT_EQ(doc->kind, DomNodeKind::Document);
    EXPECT_EQ(Outline(*doc), L"<html><head></head><body>#hello</body></html>");
    EXPECT_EQ(Outline(*ParseHtml(L"")), L"<html><head></head><body></body></html>");
}

TEST(HtmlParser, PutsHeadElementsInHeadAndTheRestInBody)
{
    const auto doc = ParseHtml(L"<!DOCTYPE html><title>T</title><meta charset=utf-8>\n<p>x</p><script>s</script>");
    EXPECT_EQ(Outline(*doc), L"<html><head><title>#T</title><meta charset=\"utf-8\"></meta></head>"
                             L"<body><p>#x</p><script>#s</script></body></html>");
}

TEST(HtmlParser, MergesExplicitHtmlAndBodyAttributesIntoTheSingleElements)
{
    const auto doc = ParseHtml(L"<html lang=zh><head></head><body class=b><div></div></body></html><body id=2>");
    EXPECT_EQ(Outline(*doc), L"<html lang=\"zh\"><head></head><body class=\"b\" id=\"2\"><div></div></body></html>");
}

TEST(HtmlParser, VoidElementsTakeNoChildren)
{
    EXPECT_EQ(BodyOf(L"a<br>b<img src=x.png>c<hr><input type=text>d"),
              L"<body>#a<br></br>#b<img src=\"x.png\"></img>#c<hr></hr><input type=\"text\"></input>#d</body>");
}

TEST(HtmlParser, ParsesAttributeFormsAndKeepsTheFirstOfDuplicates)
{
    EXPECT_EQ(BodyOf(L"<a HREF=\"x y\" title='it' data-n=5 hidden CLASS = \"c\">t</a>"),
              L"<body><a href=\"x y\" title=\"it\" data-n=\"5\" hidden=\"\" class=\"c\">#t</a></body>");
    EXPECT_EQ(BodyOf(L"<div id=a ID=b></div>"), L"<body><div id=\"a\"></div></body>");
}

TEST(HtmlParser, DecodesCharacterReferencesInTextAndAttributes)
{
    EXPECT_EQ(BodyOf(L"<a title=\"&quot;q&quot;\">&lt;b&gt; &amp; &#65;&#x42;&#X43;&nbsp;&copy;</a>"),
              L"<body><a title=\"\"q\"\">#<b> & ABC\u00A0\u00A9</a></body>");
}

TEST(HtmlParser, KeepsUnknownReferencesAndReplacesInvalidNumbers)
{
    EXPECT_EQ(BodyOf(L"&bogus; &#; &#xZZ; a&b &amp"), L"<body>#&bogus; &#; &#xZZ; a&b &</body>");
    EXPECT_EQ(BodyOf(L"&#0;&#xD800;&#99999999999;&#x1F600;"), L"<body>#\uFFFD\uFFFD\uFFFD\xD83D\xDE00</body>");
}

TEST(HtmlParser, KeepsCommentsAndSkipsDeclarations)
{
    EXPECT_EQ(BodyOf(L"<p>a<!-- x <b> -->b<?php echo ?>c</p><!-- open"),
              L"<body><p>#a<!-- x <b> -->#bc</p><!-- open--></body>");
}

TEST(HtmlParser, ReadsScriptAndStyleAsRawText)
{
    EXPECT_EQ(BodyOf(L"<div><script>if (a<b && c) { x = \"</div>\"; }</script></div>"),
              L"<body><div><script>#if (a<b && c) { x = \"</div>\"; }</script></div></body>");
    EXPECT_EQ(BodyOf(L"x<style>p > a { }</STYLE >y"), L"<body>#x<style>#p > a { }</style>#y</body>");
}

TEST(HtmlParser, DecodesReferencesInTitleButNotInScript)
{
    const auto doc = ParseHtml(L"<title>A &amp; B <b></title><script>&amp;</script>");
    EXPECT_EQ(DocumentTitle(*doc), L"A & B <b>");
    EXPECT_EQ(Outline(*doc->children[0]->children[0]), L"<head><title>#A & B <b></title><script>#&amp;</script></head>");
}

TEST(HtmlParser, UnclosedRawTextRunsToTheEnd)
{
    EXPECT_EQ(BodyOf(L"<p>x<script>never closed <p>"), L"<body><p>#x<script>#never closed <p></script></p></body>");
}

TEST(HtmlParser, ClosesOpenParagraphsAndListItemsImplicitly)
{
    EXPECT_EQ(BodyOf(L"<p>one<p>two<div>d</div><ul><li>a<li>b<ul><li>c</ul></ul>"),
              L"<body><p>#one</p><p>#two</p><div>#d</div><ul><li>#a</li><li>#b<ul><li>#c</li></ul></li></ul></body>");
}

TEST(HtmlParser, ClosesUnclosedElementsAtTheEndAndIgnoresStrayEndTags)
{
    EXPECT_EQ(BodyOf(L"</span><div><b>bold</i></div>after</body></html>tail"),
              L"<body><div><b>#bold</b></div>#aftertail</body>");
}

TEST(HtmlParser, TreatsLessThanWithoutATagAsText)
{
    EXPECT_EQ(BodyOf(L"1 < 2 <3 </ 4 <"), L"<body>#1 < 2 <3 </ 4 <</body>");
}

TEST(HtmlParser, FlattensVeryDeepNestingInsteadOfRecursingWithoutBound)
{
    std::wstring html;
    for (int i = 0; i < 50000; ++i) {
        html += L"<div>";
    }
    const auto doc = ParseHtml(html);
    int depth = 0;
    for (const DomNode* node = FindBody(*doc); !node->children.empty(); node = node->children.back().get()) {
        ++depth;
    }
    EXPECT_GE(depth, 100);
    EXPECT_LE(depth, 250);
}

TEST(HtmlParser, SurvivesRandomMarkupFragments)
{
    const std::wstring pieces[] = {L"<", L">", L"</", L"/>", L"<div", L"<p>", L"</p>", L"<!--", L"-->", L"<!",
                                   L"<script>", L"</script", L"=", L"\"", L"'", L"&", L"&#", L"&#x", L";", L"a",
                                   L" ", L"<li>", L"<br>", L"<title>", L"<body>", L"</html>", L"\xD800", std::wstring(1, L'\0'),
                                   L"<big>", L"<big><small><big>", L"<h1>", L"</big>"};
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
    for (int round = 0; round < 300; ++round) {
        std::wstring html;
        for (int i = 0; i < 200; ++i) {
            html += pieces[pick(rng)];
        }
        const auto doc = ParseHtml(html);
        ASSERT_NE(FindBody(*doc), nullptr) << "round " << round;
        ASSERT_TRUE(test::ParentsConsistent(*doc)) << "round " << round;
    }
}

} // namespace
} // namespace engine
