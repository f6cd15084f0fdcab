// Navigating a parsed document and reading attributes through CMarkupNode.

#include "duilib/core/Markup.h"

#include <gtest/gtest.h>

#include <string>

using DuiLib::CMarkup;
using DuiLib::CMarkupNode;

namespace {

constexpr const wchar_t* kSkin = L"<Window size=\"800,600\">"
                                 L"  <Font name=\"Tahoma\" size=\"12\"/>"
                                 L"  <VerticalLayout>"
                                 L"    <Button name=\"ok\"/>"
                                 L"    <Button name=\"cancel\"/>"
                                 L"  </VerticalLayout>"
                                 L"  <font name=\"lower case\"/>"
                                 L"</Window>";

} // namespace

TEST(MarkupNode, WalksParentsChildrenAndSiblings)
{
    CMarkup markup(kSkin);
    CMarkupNode root = markup.GetRoot();
    ASSERT_STREQ(L"Window", root.GetName());
    EXPECT_FALSE(root.GetParent().IsValid());
    EXPECT_TRUE(root.HasChildren());
    EXPECT_FALSE(root.HasSiblings());

    CMarkupNode font = root.GetChild();
    EXPECT_STREQ(L"Font", font.GetName());
    EXPECT_TRUE(font.HasSiblings());
    EXPECT_FALSE(font.HasChildren());
    CMarkupNode layout = font.GetSibling();
    EXPECT_STREQ(L"VerticalLayout", layout.GetName());
    CMarkupNode cancel = layout.GetChild().GetSibling();
    EXPECT_STREQ(L"cancel", cancel.GetAttributeValue(L"name"));
    EXPECT_FALSE(cancel.GetSibling().IsValid());
    EXPECT_STREQ(L"VerticalLayout", cancel.GetParent().GetName());
    EXPECT_STREQ(L"Window", cancel.GetParent().GetParent().GetName());
    EXPECT_STREQ(L"font", layout.GetSibling().GetName());
}

TEST(MarkupNode, ChildByNameIsExactAndFirstInDocumentOrder)
{
    CMarkup markup(kSkin);
    CMarkupNode root = markup.GetRoot();
    EXPECT_STREQ(L"Tahoma", root.GetChild(L"Font").GetAttributeValue(L"name"));
    EXPECT_STREQ(L"lower case", root.GetChild(L"font").GetAttributeValue(L"name"));
    EXPECT_STREQ(L"ok", root.GetChild(L"VerticalLayout").GetChild(L"Button").GetAttributeValue(L"name"));
    EXPECT_FALSE(root.GetChild(L"Button").IsValid());
    EXPECT_FALSE(root.GetChild(L"FONT").IsValid());
}

TEST(MarkupNode, InvalidNodeAnswersNullAndFalse)
{
    CMarkupNode node;
    EXPECT_FALSE(node.IsValid());
    EXPECT_EQ(nullptr, node.GetName());
    EXPECT_EQ(nullptr, node.GetValue());
    EXPECT_FALSE(node.GetChild().IsValid());
    EXPECT_FALSE(node.GetParent().IsValid());
    EXPECT_FALSE(node.GetSibling().IsValid());
    EXPECT_FALSE(node.HasChildren());
    EXPECT_FALSE(node.HasSiblings());
    EXPECT_EQ(0, node.GetAttributeCount());
    EXPECT_FALSE(node.HasAttributes());
    EXPECT_EQ(nullptr, node.GetAttributeName(0));
    EXPECT_EQ(nullptr, node.GetAttributeValue(0));
    EXPECT_EQ(nullptr, node.GetAttributeValue(L"name"));
    wchar_t value[8] = {};
    EXPECT_FALSE(node.GetAttributeValue(L"name", value, 8));
    EXPECT_FALSE(node.HasAttribute(L"name"));
}

TEST(MarkupNode, AttributesByIndexAndByName)
{
    CMarkup markup(L"<Button name=\"ok\" text=\"OK\" pos=\"1,2,3,4\"/>");
    CMarkupNode button = markup.GetRoot();
    ASSERT_EQ(3, button.GetAttributeCount());
    EXPECT_TRUE(button.HasAttributes());
    EXPECT_STREQ(L"name", button.GetAttributeName(0));
    EXPECT_STREQ(L"OK", button.GetAttributeValue(1));
    EXPECT_STREQ(L"pos", button.GetAttributeName(2));
    EXPECT_STREQ(L"", button.GetAttributeName(3));
    EXPECT_STREQ(L"", button.GetAttributeValue(-1));
    EXPECT_STREQ(L"", button.GetAttributeValue(L"missing"));
    EXPECT_FALSE(button.HasAttribute(L"missing"));
    EXPECT_FALSE(button.HasAttribute(L"Name"));
    EXPECT_TRUE(button.HasAttribute(L"pos"));
}

TEST(MarkupNode, CopiesAttributeValuesLikeStrncpy)
{
    CMarkup markup(L"<Button text=\"Cancel\"/>");
    CMarkupNode button = markup.GetRoot();
    wchar_t cut[6] = {L'Z', L'Z', L'Z', L'Z', L'Z', L'Z'};
    ASSERT_TRUE(button.GetAttributeValue(L"text", cut, 3));
    EXPECT_EQ(std::wstring(L"CanZZZ"), std::wstring(cut, 6));
    wchar_t whole[10];
    std::fill(std::begin(whole), std::end(whole), L'Z');
    ASSERT_TRUE(button.GetAttributeValue(0, whole, 10));
    EXPECT_STREQ(L"Cancel", whole);
    EXPECT_EQ(L'\0', whole[9]);
    EXPECT_FALSE(button.GetAttributeValue(L"missing", whole, 10));
    EXPECT_FALSE(button.GetAttributeValue(1, whole, 10));
}

TEST(MarkupNode, OnlyTheFirst64AttributesAreVisible)
{
    std::wstring text = L"<Control";
    for (int i = 0; i < 65; ++i) {
        text += L" a" + std::to_wstring(i) + L"=\"v" + std::to_wstring(i) + L"\"";
    }
    text += L"/>";
    CMarkup markup;
    ASSERT_TRUE(markup.Load(text.c_str()));
    CMarkupNode node = markup.GetRoot();
    EXPECT_EQ(64, node.GetAttributeCount());
    EXPECT_STREQ(L"v63", node.GetAttributeValue(L"a63"));
    EXPECT_STREQ(L"a63", node.GetAttributeName(63));
    EXPECT_STREQ(L"", node.GetAttributeValue(L"a64"));
    EXPECT_STREQ(L"", node.GetAttributeName(64));
    EXPECT_FALSE(node.HasAttribute(L"a64"));
}

TEST(MarkupNode, AttributesOfEveryElementShapeMapCorrectly)
{
    CMarkup markup(L"<a x=\"1\"><b y=\"2\" >text</b><c z=\"&amp;\"/><d/><e w=\"4\" /></a>");
    CMarkupNode a = markup.GetRoot();
    EXPECT_EQ(1, a.GetAttributeCount());
    CMarkupNode b = a.GetChild();
    EXPECT_STREQ(L"2", b.GetAttributeValue(L"y"));
    EXPECT_EQ(1, b.GetAttributeCount());
    EXPECT_STREQ(L"text", b.GetValue());
    CMarkupNode c = b.GetSibling();
    EXPECT_STREQ(L"&", c.GetAttributeValue(L"z"));
    EXPECT_EQ(1, c.GetAttributeCount());
    EXPECT_EQ(0, c.GetSibling().GetAttributeCount());
    EXPECT_STREQ(L"4", c.GetSibling().GetSibling().GetAttributeValue(L"w"));
}

TEST(MarkupNode, NodesOfAReleasedDocumentReadAsInvalid)
{
    CMarkup markup(L"<a><b/></a>");
    CMarkupNode b = markup.GetRoot().GetChild();
    ASSERT_STREQ(L"b", b.GetName());
    markup.Release();
    EXPECT_EQ(nullptr, b.GetName());
    EXPECT_FALSE(b.GetParent().IsValid());
    EXPECT_EQ(0, b.GetAttributeCount());
}
