// Navigating a parsed document and reading attributes through CMarkupNode.

#include "duilib/core/Markup.h"

#include <gtest/gtest.h>

#include <string>

using DuiLib::CMarkup;
using DuiLib::CMarkupNode;

TEST(MarkupNode, WalksTheTreeAndFindsChildrenByExactName)
{
    CMarkup markup(L"<Window><Font name=\"Tahoma\"/><VerticalLayout><Button name=\"ok\"/><Button name=\"cancel\"/>"
                   L"</VerticalLayout><font name=\"lower\"/></Window>");
    CMarkupNode root = markup.GetRoot();
    ASSERT_STREQ(L"Window", root.GetName());
    EXPECT_FALSE(root.GetParent().IsValid());
    EXPECT_FALSE(root.HasSiblings());
    CMarkupNode layout = root.GetChild().GetSibling();
    EXPECT_STREQ(L"VerticalLayout", layout.GetName());
    CMarkupNode cancel = layout.GetChild().GetSibling();
    EXPECT_STREQ(L"cancel", cancel.GetAttributeValue(L"name"));
    EXPECT_FALSE(cancel.HasSiblings());
    EXPECT_FALSE(cancel.HasChildren());
    EXPECT_STREQ(L"Window", cancel.GetParent().GetParent().GetName());

    EXPECT_STREQ(L"Tahoma", root.GetChild(L"Font").GetAttributeValue(L"name"));
    EXPECT_STREQ(L"lower", root.GetChild(L"font").GetAttributeValue(L"name"));
    EXPECT_STREQ(L"ok", layout.GetChild(L"Button").GetAttributeValue(L"name")) << "first in document order";
    EXPECT_FALSE(root.GetChild(L"Button").IsValid()) << "children only, not grandchildren";
    EXPECT_FALSE(root.GetChild(L"FONT").IsValid());
}

TEST(MarkupNode, AttributesByIndexAndByName)
{
    CMarkup markup(L"<Button name=\"ok\" text=\"Cancel\" pos=\"1,2,3,4\"/>");
    CMarkupNode button = markup.GetRoot();
    ASSERT_EQ(3, button.GetAttributeCount());
    EXPECT_STREQ(L"name", button.GetAttributeName(0));
    EXPECT_STREQ(L"Cancel", button.GetAttributeValue(1));
    EXPECT_STREQ(L"", button.GetAttributeName(3));
    EXPECT_STREQ(L"", button.GetAttributeValue(-1));
    EXPECT_STREQ(L"", button.GetAttributeValue(L"missing"));
    EXPECT_FALSE(button.HasAttribute(L"Name"));
    EXPECT_TRUE(button.HasAttribute(L"pos"));

    wchar_t value[10] = {L'Z', L'Z', L'Z', L'Z', L'Z', L'Z', L'Z', L'Z', L'Z', L'Z'};
    ASSERT_TRUE(button.GetAttributeValue(L"text", value, 3));
    EXPECT_EQ(L"CanZZZ", std::wstring(value, 6)) << "copied like wcsncpy";
    ASSERT_TRUE(button.GetAttributeValue(1, value, 10));
    EXPECT_EQ(std::wstring(L"Cancel\0\0\0\0", 10), std::wstring(value, 10));
    EXPECT_FALSE(button.GetAttributeValue(L"missing", value, 10));
    EXPECT_FALSE(button.GetAttributeValue(3, value, 10));
}

TEST(MarkupNode, OnlyTheFirst64AttributesAreVisible)
{
    std::wstring text = L"<Control";
    for (int i = 0; i < 65; ++i) {
        text += L" a" + std::to_wstring(i) + L"=\"v" + std::to_wstring(i) + L"\"";
    }
    CMarkup markup((text + L"/>").c_str());
    CMarkupNode node = markup.GetRoot();
    EXPECT_EQ(64, node.GetAttributeCount());
    EXPECT_STREQ(L"v63", node.GetAttributeValue(L"a63"));
    EXPECT_STREQ(L"", node.GetAttributeValue(L"a64"));
    EXPECT_STREQ(L"", node.GetAttributeName(64));
    EXPECT_FALSE(node.HasAttribute(L"a64"));
}

TEST(MarkupNode, InvalidNodesAnswerNullAndFalse)
{
    CMarkup markup(L"<a><b x=\"1\"/></a>");
    CMarkupNode b = markup.GetRoot().GetChild();
    ASSERT_STREQ(L"1", b.GetAttributeValue(L"x"));
    markup.Release();
    wchar_t value[4] = {};
    for (CMarkupNode node : {CMarkupNode(), b}) {
        EXPECT_EQ(nullptr, node.GetName());
        EXPECT_EQ(nullptr, node.GetValue());
        EXPECT_FALSE(node.GetParent().IsValid() || node.GetChild().IsValid() || node.GetSibling().IsValid());
        EXPECT_FALSE(node.HasChildren() || node.HasSiblings() || node.HasAttributes());
        EXPECT_FALSE(node.GetAttributeValue(L"x", value, 4));
        EXPECT_FALSE(node.HasAttribute(L"x"));
    }
    CMarkupNode invalid;
    EXPECT_EQ(nullptr, invalid.GetAttributeValue(L"x"));
    EXPECT_EQ(nullptr, invalid.GetAttributeName(0));
}
