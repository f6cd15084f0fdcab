#include "support/XmlNavigator.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Names = std::vector<std::wstring>;

// Names of the elements at the cursor's level, from the first one on.
Names SiblingNames(CXmlNavigator& nav)
{
    Names names;
    nav.ResetMainPosition();
    while (nav.FindElement(L"")) {
        names.push_back(nav.GetTagName());
    }
    return names;
}

struct Case {
    const char* name;
    const wchar_t* text;
    const wchar_t* expected; // error text, or attribute value
};
std::string CaseName(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }

class XmlNavigatorErrors : public ::testing::TestWithParam<Case> {};

TEST_P(XmlNavigatorErrors, ReportsTheFirstErrorWithItsOffsets)
{
    CXmlNavigator nav;
    EXPECT_FALSE(nav.SetDocument(GetParam().text));
    EXPECT_EQ(nav.GetError(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Messages, XmlNavigatorErrors, ::testing::Values(
    Case{"Empty", L"", L"Empty document"},
    Case{"OnlyText", L" text <!-- c -->", L"No root element"},
    Case{"RootSibling", L"<a/><b/>", L"Root element has sibling"},
    Case{"EndTagMismatch", L"<a><b></a>", L"End tag 'a' at offset 7 does not match start tag 'b' at offset 3"},
    Case{"NoStartTag", L"<a></b></a>", L"No start tag for end tag 'b' at offset 3"},
    Case{"CaseSensitive", L"<a></A>", L"No start tag for end tag 'A' at offset 3"},
    Case{"NotEnded", L"<a>", L"Element 'a' at offset 0 not ended"},
    Case{"BadComment", L"<a><!-x></a>", L"Incorrect comment tag at offset 3"},
    Case{"BadBracket", L"<a><![x></a>", L"Incorrect tag at offset 3"},
    Case{"BadBang", L"<a><!Q></a>", L"Incorrect ! tag at offset 3"},
    Case{"BadNameStart", L"<a> <1/></a>", L"Incorrect tag name character at offset 4"},
    Case{"OpenStartTag", L"<r/><a x='1>", L"Element tag at offset 4 unterminated"},
    Case{"OpenEndTag", L"<r></r", L"Element end tag at offset 3 unterminated"},
    Case{"OpenCData", L"<r/><![CDATA[x", L"CDATA Section at offset 4 unterminated"},
    Case{"OpenPi", L"<r/><?pi x", L"Processing instruction at offset 4 unterminated"},
    Case{"OpenComment", L"<r/><!-- c --", L"Comment at offset 4 unterminated"},
    Case{"OpenDoctype", L"<r/><!DOCTYPE r [ <!ENTITY x 'y'> <r/>", L"Doctype at offset 4 unterminated"},
    Case{"OpenDeclaration", L"<r/><!ELEMENT r", L"Doctype at offset 4 unterminated"},
    Case{"LoneAngle", L"<r/><", L"tag at offset 4 unterminated"},
    Case{"FirstErrorOnly", L"<a><1/></b></a>", L"Incorrect tag name character at offset 3"}), CaseName);

TEST(XmlNavigator, SkipsMarkupThatIsNotAnElement)
{
    CXmlNavigator nav;
    ASSERT_TRUE(nav.SetDocument(L"<?xml version='1.0'?>\r\n<!DOCTYPE r [<!ENTITY e \"<x>\"> <!-- ] > -->]>"
                                L"<r><!-- <a/> --><![CDATA[<b/>]]>text<?pi <c/>?><ad/></r>\n"));
    EXPECT_EQ(nav.GetError(), L"");
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement());
    EXPECT_EQ(SiblingNames(nav), Names{L"ad"});
}

TEST(XmlNavigator, ErrorTextJoinsParsesUntilCleared)
{
    CXmlNavigator nav;
    EXPECT_FALSE(nav.SetDocument(L""));
    EXPECT_FALSE(nav.SetDocument(L"<a>"));
    EXPECT_TRUE(nav.SetDocument(L"<a/>"));
    EXPECT_EQ(nav.GetError(), L"Empty document, Element 'a' at offset 0 not ended");
    nav.ClearError();
    EXPECT_FALSE(nav.SetDocument(L"<a/><b/>"));
    EXPECT_EQ(nav.GetError(), L"Root element has sibling");
}

TEST(XmlNavigator, DamagedDocumentStaysNavigable)
{
    CXmlNavigator nav;
    EXPECT_FALSE(nav.SetDocument(L"<r><a><b><c v='1'/></r>"));
    EXPECT_EQ(nav.GetError(), L"End tag 'r' at offset 20 does not match start tag 'b' at offset 6");
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement());
    EXPECT_EQ(SiblingNames(nav), (Names{L"a", L"b", L"c"})) << "children of unended elements move up";
    EXPECT_EQ(nav.GetAttribute(L"v"), L"1");
    ASSERT_TRUE(nav.LeaveElement());
    EXPECT_EQ(nav.GetTagName(), L"r");

    nav.ClearError();
    EXPECT_FALSE(nav.SetDocument(L"<r><1/></b><ad v='x'/></r>"));
    EXPECT_EQ(nav.GetError(), L"Incorrect tag name character at offset 3");
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement() && nav.FindElement(L"ad"));
    EXPECT_EQ(nav.GetAttribute(L"v"), L"x") << "parsing goes on after an error";
}

TEST(XmlNavigator, SlashAfterUnquotedValueBelongsToTheValue)
{
    CXmlNavigator nav;
    EXPECT_FALSE(nav.SetDocument(L"<r><a x=1/><b/></r>"));
    EXPECT_EQ(nav.GetError(), L"End tag 'r' at offset 16 does not match start tag 'a' at offset 3");
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement() && nav.FindElement(L"a"));
    EXPECT_EQ(nav.GetAttribute(L"x"), L"1/");
    ASSERT_TRUE(nav.SetDocument(L"<r><a x=\"1\"/><b x=2 /></r>"));
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement());
    EXPECT_EQ(SiblingNames(nav), (Names{L"a", L"b"}));
}

TEST(XmlNavigator, HoldsMoreElementsThanOneSegment)
{
    std::wstring text = L"<r>";
    for (int i = 0; i < 70000; ++i) {
        text += L"<ad n='" + std::to_wstring(i) + L"'/>";
    }
    CXmlNavigator nav;
    ASSERT_TRUE(nav.SetDocument(text + L"</r>"));
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement());
    int found = 0;
    while (nav.FindElement(L"ad") && nav.GetAttribute(L"n") == std::to_wstring(found)) {
        ++found;
    }
    EXPECT_EQ(found, 70000);
}

TEST(XmlNavigator, FindMatchesWholeNamesAndKeepsTheCursorOnFailure)
{
    CXmlNavigator nav;
    ASSERT_TRUE(nav.SetDocument(L"<r><items n='1'/><Item n='2'/><item n='3'><ad/></item><x/><item n='4'/></r>"));
    EXPECT_FALSE(nav.EnterElement()) << "no current element yet";
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement());
    EXPECT_EQ(SiblingNames(nav), (Names{L"items", L"Item", L"item", L"x", L"item"}));
    nav.ResetMainPosition();
    EXPECT_EQ(nav.GetAttribute(L"n"), L"");
    ASSERT_TRUE(nav.FindElement(L"item"));
    EXPECT_EQ(nav.GetAttribute(L"n"), L"3");
    ASSERT_TRUE(nav.FindElement(L"item"));
    EXPECT_FALSE(nav.FindElement(L"item"));
    EXPECT_EQ(nav.GetAttribute(L"n"), L"4");
    ASSERT_TRUE(nav.LeaveElement());
    EXPECT_FALSE(nav.LeaveElement()) << "the root's parent is the document";
    EXPECT_EQ(nav.GetTagName(), L"r");
}

TEST(XmlNavigator, EnterResumesAfterTheChildWhereLeaveWasCalled)
{
    CXmlNavigator nav;
    ASSERT_TRUE(nav.SetDocument(L"<r><a/><b><c/></b><d/></r>"));
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement() && nav.FindElement(L"b"));
    ASSERT_TRUE(nav.EnterElement());
    EXPECT_FALSE(nav.FindElement(L"a")) << "search stays inside b";
    ASSERT_TRUE(nav.LeaveElement() && nav.LeaveElement() && nav.EnterElement());
    EXPECT_EQ(nav.GetTagName(), L"b");
    ASSERT_TRUE(nav.FindElement(L""));
    EXPECT_EQ(nav.GetTagName(), L"d");
}

class XmlNavigatorAttributes : public ::testing::TestWithParam<Case> {};

TEST_P(XmlNavigatorAttributes, ReadsTheDecodedValueOfV)
{
    CXmlNavigator nav;
    ASSERT_TRUE(nav.SetDocument(GetParam().text)) << nav.GetError();
    ASSERT_TRUE(nav.FindElement(L""));
    EXPECT_EQ(nav.GetAttribute(L"v"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lookup, XmlNavigatorAttributes, ::testing::Values(
    Case{"Quotes", L"<a x='1' v=\"a 'b'\"/>", L"a 'b'"},
    Case{"Unquoted", L"<a v=abc w=x>1</a>", L"abc"},
    Case{"BlanksAroundEquals", L"<a\r\n\tv \t=\n 'x' />", L"x"},
    Case{"AngleInsideQuotes", L"<a w='a>b' v=\"c>d\"/>", L"c>d"},
    Case{"Missing", L"<a w='1' vv='2' V='3' x='v'/>", L""},
    Case{"ValueThatLooksLikeTheName", L"<a w=v v=y />", L"y"},
    Case{"FirstOfTwo", L"<a v='1' v='2'/>", L"1"},
    Case{"ScanStopsAtSlash", L"<a / v='1'/>", L""},
    Case{"FiveEntities", L"<a v='&lt;&amp;&gt;&apos;&quot;'/>", L"<&>'\""},
    Case{"References", L"<a v='&amp;&#65;&#x42;&nbsp;&AMP;'/>", L"&AB&nbsp;&AMP;"},
    Case{"KeptAsWritten", L"<a v='&#0;&#x0;&#65 &#0000065;&#6a;&#xg;&#;'/>", L"&#0;&#x0;&#65 &#0000065;&#6a;&#xg;&#;"},
    Case{"WidestInSevenCharacters", L"<a v='&#65535;&#xFFFF;'/>", L"\xFFFF\xFFFF"},
    Case{"BeyondOneUnit", L"<a v='&#65536;&#98765;'/>", L"\xD800\xDC00\xD820\xDDCD"},
    Case{"CjkAndLoneAmpersand", L"<a v='体育 & 直播'/>", L"体育 & 直播"}), CaseName);

} // namespace
