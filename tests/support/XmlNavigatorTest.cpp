#include "support/XmlNavigator.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Names of the elements at the current level, from the first child of the parent.
std::vector<std::wstring> SiblingNames(CXmlNavigator& nav)
{
    std::vector<std::wstring> names;
    nav.ResetMainPosition();
    while (nav.FindElement(L"")) {
        names.push_back(nav.GetTagName());
    }
    return names;
}

std::wstring ParseError(const std::wstring& text)
{
    CXmlNavigator nav;
    EXPECT_FALSE(nav.SetDocument(text)) << text;
    return nav.GetError();
}

std::wstring AttributeOf(const std::wstring& document, const std::wstring& name)
{
    CXmlNavigator nav;
    EXPECT_TRUE(nav.SetDocument(document)) << nav.GetError();
    EXPECT_TRUE(nav.FindElement(L""));
    return nav.GetAttribute(name);
}

struct ErrorCase {
    const char* name;
    const wchar_t* text;
    const wchar_t* error;
};

class XmlNavigatorErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(XmlNavigatorErrors, ReportsTheFirstErrorWithItsOffsets)
{
    EXPECT_EQ(ParseError(GetParam().text), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Messages, XmlNavigatorErrors,
    ::testing::Values(ErrorCase{"Empty", L"", L"Empty document"},
        ErrorCase{"OnlyText", L"  hello ", L"No root element"},
        ErrorCase{"OnlyComment", L"<!-- x -->", L"No root element"},
        ErrorCase{"RootSibling", L"<a/><b/>", L"Root element has sibling"},
        ErrorCase{"EndTagMismatch", L"<a><b></a>", L"End tag 'a' at offset 7 does not match start tag 'b' at offset 3"},
        ErrorCase{"NoStartTag", L"<a></b></a>", L"No start tag for end tag 'b' at offset 3"},
        ErrorCase{"NotEnded", L"<a>", L"Element 'a' at offset 0 not ended"},
        ErrorCase{"NamesAreCaseSensitive", L"<a></A>", L"No start tag for end tag 'A' at offset 3"},
        ErrorCase{"BadComment", L"<a><!-x></a>", L"Incorrect comment tag at offset 3"},
        ErrorCase{"BadBracket", L"<a><![x></a>", L"Incorrect tag at offset 3"},
        ErrorCase{"BadBang", L"<a><!Q></a>", L"Incorrect ! tag at offset 3"},
        ErrorCase{"BadNameStart", L"<a><1/></a>", L"Incorrect tag name character at offset 3"},
        ErrorCase{"BadNameBracket", L"<a> <[x]> </a>", L"Incorrect tag name character at offset 4"},
        ErrorCase{"OpenStartTag", L"<r/><a x='1>", L"Element tag at offset 4 unterminated"},
        ErrorCase{"OpenEndTag", L"<r></r", L"Element end tag at offset 3 unterminated"},
        ErrorCase{"OpenCData", L"<r/><![CDATA[x", L"CDATA Section at offset 4 unterminated"},
        ErrorCase{"OpenPi", L"<r/><?pi x", L"Processing instruction at offset 4 unterminated"},
        ErrorCase{"OpenComment", L"<r/><!-- c --", L"Comment at offset 4 unterminated"},
        ErrorCase{"OpenDoctype", L"<r/><!DOCTYPE r [ <!ENTITY x 'y'> <r/>", L"Doctype at offset 4 unterminated"},
        ErrorCase{"OpenDeclaration", L"<r/><!ELEMENT r", L"Doctype at offset 4 unterminated"},
        ErrorCase{"LoneAngle", L"<r/><", L"tag at offset 4 unterminated"},
        ErrorCase{"OnlyFirstErrorKept", L"<a><1/></b></a>", L"Incorrect tag name character at offset 3"}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(XmlNavigatorDocument, SkipsMarkupThatIsNotAnElement)
{
    CXmlNavigator nav;
    ASSERT_TRUE(nav.SetDocument(L"<?xml version=\"1.0\"?>\r\n<!DOCTYPE r [<!ENTITY e \"<x>\"> <!-- ] > -->]>"
                                L"<r><!-- <ad/> --><![CDATA[<ad/>]]>text<?pi <ad/>?><ad/></r>\n"))
        << nav.GetError();
    EXPECT_EQ(nav.GetError(), L"");
    ASSERT_TRUE(nav.FindElement(L"r"));
    ASSERT_TRUE(nav.EnterElement());
    EXPECT_EQ(SiblingNames(nav), std::vector<std::wstring>{L"ad"});
}

TEST(XmlNavigatorDocument, ErrorTextJoinsParsesUntilCleared)
{
    CXmlNavigator nav;
    EXPECT_FALSE(nav.SetDocument(L""));
    EXPECT_FALSE(nav.SetDocument(L"<a>"));
    EXPECT_EQ(nav.GetError(), L"Empty document, Element 'a' at offset 0 not ended");
    EXPECT_TRUE(nav.SetDocument(L"<a/>"));
    EXPECT_EQ(nav.GetError(), L"Empty document, Element 'a' at offset 0 not ended");
    nav.ClearError();
    EXPECT_FALSE(nav.SetDocument(L"<a/><b/>"));
    EXPECT_EQ(nav.GetError(), L"Root element has sibling");
}

TEST(XmlNavigatorDocument, DamagedDocumentIsStillNavigable)
{
    CXmlNavigator nav;
    EXPECT_FALSE(nav.SetDocument(L"<r><1/><ad text='x'/></b></r>"));
    ASSERT_TRUE(nav.FindElement(L"r"));
    ASSERT_TRUE(nav.EnterElement());
    ASSERT_TRUE(nav.FindElement(L"ad"));
    EXPECT_EQ(nav.GetAttribute(L"text"), L"x");
}

TEST(XmlNavigatorDocument, UnendedElementsGiveTheirChildrenToTheMatchedParent)
{
    CXmlNavigator nav;
    EXPECT_FALSE(nav.SetDocument(L"<r><a><b><c/></r>"));
    EXPECT_EQ(nav.GetError(), L"End tag 'r' at offset 14 does not match start tag 'b' at offset 6");
    ASSERT_TRUE(nav.FindElement(L"r"));
    ASSERT_TRUE(nav.EnterElement());
    EXPECT_EQ(SiblingNames(nav), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    nav.ResetMainPosition();
    ASSERT_TRUE(nav.FindElement(L"c"));
    ASSERT_TRUE(nav.LeaveElement());
    EXPECT_EQ(nav.GetTagName(), L"r");
    EXPECT_FALSE(nav.EnterElement() && nav.FindElement(L"d"));
}

TEST(XmlNavigatorDocument, ElementsNotEndedAtTheEndMoveTheirChildrenUp)
{
    CXmlNavigator nav;
    EXPECT_FALSE(nav.SetDocument(L"<r><a><b/></r><x>"));
    ASSERT_TRUE(nav.FindElement(L"r"));
    ASSERT_TRUE(nav.EnterElement());
    EXPECT_EQ(SiblingNames(nav), (std::vector<std::wstring>{L"a", L"b"}));
    ASSERT_TRUE(nav.LeaveElement());
    EXPECT_EQ(SiblingNames(nav), (std::vector<std::wstring>{L"r", L"x"}));
}

TEST(XmlNavigatorDocument, SlashAfterUnquotedValueBelongsToTheValue)
{
    CXmlNavigator nav;
    EXPECT_FALSE(nav.SetDocument(L"<r><a x=1/><b/></r>"));
    EXPECT_EQ(nav.GetError(), L"End tag 'r' at offset 16 does not match start tag 'a' at offset 3");
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement() && nav.FindElement(L"a"));
    EXPECT_EQ(nav.GetAttribute(L"x"), L"1/");

    ASSERT_TRUE(nav.SetDocument(L"<r><a x=\"1\"/><b x=2 /></r>"));
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement());
    EXPECT_EQ(SiblingNames(nav), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(XmlNavigatorDocument, HoldsMoreElementsThanOneSegment)
{
    constexpr int kCount = 70000;
    std::wstring text = L"<r>";
    for (int i = 0; i < kCount; ++i) {
        text += L"<ad n='" + std::to_wstring(i) + L"'/>";
    }
    text += L"</r>";
    CXmlNavigator nav;
    ASSERT_TRUE(nav.SetDocument(text)) << nav.GetError();
    ASSERT_TRUE(nav.FindElement(L"r") && nav.EnterElement());
    int found = 0;
    std::wstring last;
    while (nav.FindElement(L"ad")) {
        last = nav.GetAttribute(L"n");
        EXPECT_EQ(last, std::to_wstring(found)) << "at " << found;
        if (last != std::to_wstring(found)) {
            break;
        }
        ++found;
    }
    EXPECT_EQ(found, kCount);
}

class XmlNavigatorCursor : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_nav.SetDocument(L"<r><items n='1'/><Item n='2'/><item n='3'><ad/></item><x/><item n='4'/></r>"));
        ASSERT_TRUE(m_nav.FindElement(L"r"));
        ASSERT_TRUE(m_nav.EnterElement());
    }
    CXmlNavigator m_nav;
};

TEST_F(XmlNavigatorCursor, FindMatchesTheWholeNameWithCase)
{
    ASSERT_TRUE(m_nav.FindElement(L"item"));
    EXPECT_EQ(m_nav.GetAttribute(L"n"), L"3");
    ASSERT_TRUE(m_nav.FindElement(L"item"));
    EXPECT_EQ(m_nav.GetAttribute(L"n"), L"4");
}

TEST_F(XmlNavigatorCursor, FailedFindLeavesTheCursorWhereItWas)
{
    ASSERT_TRUE(m_nav.FindElement(L"x"));
    EXPECT_FALSE(m_nav.FindElement(L"x"));
    EXPECT_EQ(m_nav.GetTagName(), L"x");
    ASSERT_TRUE(m_nav.FindElement(L"item"));
    EXPECT_EQ(m_nav.GetAttribute(L"n"), L"4");
    EXPECT_FALSE(m_nav.FindElement(L"item"));
    EXPECT_EQ(m_nav.GetAttribute(L"n"), L"4");
}

TEST_F(XmlNavigatorCursor, EmptyNameTakesTheNextElementOfAnyName)
{
    EXPECT_EQ(SiblingNames(m_nav), (std::vector<std::wstring>{L"items", L"Item", L"item", L"x", L"item"}));
}

TEST_F(XmlNavigatorCursor, ResetStartsOverAtTheSameLevel)
{
    ASSERT_TRUE(m_nav.FindElement(L"x"));
    m_nav.ResetMainPosition();
    EXPECT_EQ(m_nav.GetTagName(), L"");
    EXPECT_EQ(m_nav.GetAttribute(L"n"), L"");
    ASSERT_TRUE(m_nav.FindElement(L"Item"));
    EXPECT_EQ(m_nav.GetAttribute(L"n"), L"2");
}

TEST_F(XmlNavigatorCursor, LeaveThenEnterResumesAfterTheLastChild)
{
    ASSERT_TRUE(m_nav.FindElement(L"Item"));
    ASSERT_TRUE(m_nav.LeaveElement());
    EXPECT_EQ(m_nav.GetTagName(), L"r");
    ASSERT_TRUE(m_nav.EnterElement());
    EXPECT_EQ(m_nav.GetTagName(), L"Item");
    ASSERT_TRUE(m_nav.FindElement(L""));
    EXPECT_EQ(m_nav.GetAttribute(L"n"), L"3");
}

TEST_F(XmlNavigatorCursor, EnterAndLeaveFailAtTheEdges)
{
    EXPECT_FALSE(m_nav.EnterElement()) << "no current element yet at this level";
    ASSERT_TRUE(m_nav.LeaveElement());
    EXPECT_EQ(m_nav.GetTagName(), L"r");
    EXPECT_FALSE(m_nav.LeaveElement()) << "the root's parent is the document itself";
    EXPECT_EQ(m_nav.GetTagName(), L"r");
    EXPECT_FALSE(m_nav.FindElement(L"")) << "the root has no sibling";
}

TEST_F(XmlNavigatorCursor, FindInsideAnElementWithoutChildrenFails)
{
    ASSERT_TRUE(m_nav.FindElement(L"x"));
    ASSERT_TRUE(m_nav.EnterElement());
    EXPECT_FALSE(m_nav.FindElement(L""));
    ASSERT_TRUE(m_nav.LeaveElement());
    EXPECT_EQ(m_nav.GetTagName(), L"x");
}

struct AttributeCase {
    const char* name;
    const wchar_t* document;
    const wchar_t* attribute;
    const wchar_t* value;
};

class XmlNavigatorAttributes : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(XmlNavigatorAttributes, ReadsDecodedValue)
{
    EXPECT_EQ(AttributeOf(GetParam().document, GetParam().attribute), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Lookup, XmlNavigatorAttributes,
    ::testing::Values(AttributeCase{"Double", L"<ad text=\"a b\"/>", L"text", L"a b"},
        AttributeCase{"Single", L"<ad text='a \"b\"'/>", L"text", L"a \"b\""},
        AttributeCase{"Unquoted", L"<ad text=abc url=x>1</ad>", L"url", L"x"},
        AttributeCase{"BlanksAroundEquals", L"<ad\r\n\ttext \t=\n 'v' />", L"text", L"v"},
        AttributeCase{"AngleInsideQuotes", L"<ad text='a>b' url=\"c>d\"/>", L"url", L"c>d"},
        AttributeCase{"Missing", L"<ad url='u'/>", L"text", L""},
        AttributeCase{"PrefixIsNotTheName", L"<ad texts='1' tex='2'/>", L"text", L""},
        AttributeCase{"CaseSensitive", L"<ad Text='1'/>", L"text", L""},
        AttributeCase{"ValueLookingLikeName", L"<ad url='text' text='y'/>", L"text", L"y"},
        AttributeCase{"UnquotedValueLookingLikeName", L"<ad url=text text=y />", L"text", L"y"},
        AttributeCase{"FirstOfTwo", L"<ad text='1' text='2'/>", L"text", L"1"},
        AttributeCase{"ScanStopsAtSlash", L"<ad / text='1'/>", L"text", L""},
        AttributeCase{"EmptyValue", L"<ad text='' url='u'/>", L"url", L"u"},
        AttributeCase{"FiveEntities", L"<ad v='&lt;&amp;&gt;&apos;&quot;'/>", L"v", L"<&>'\""},
        AttributeCase{"NumericReferences", L"<ad v='&amp;&#65;&#x42;&nbsp;'/>", L"v", L"&AB&nbsp;"},
        AttributeCase{"UpperCaseEntity", L"<ad v='&AMP;&Lt;'/>", L"v", L"&AMP;&Lt;"},
        AttributeCase{"ZeroReference", L"<ad v='&#0;&#x0;'/>", L"v", L"&#0;&#x0;"},
        AttributeCase{"ReferenceWithoutSemicolon", L"<ad v='&#65 &amp'/>", L"v", L"&#65 &amp"},
        AttributeCase{"SemicolonTooFar", L"<ad v='&#0000065;'/>", L"v", L"&#0000065;"},
        AttributeCase{"LongestReference", L"<ad v='&#65535;&#xFFFF;'/>", L"v", L"\xFFFF\xFFFF"},
        AttributeCase{"BeyondOneUnit", L"<ad v='&#65536;&#98765;'/>", L"v", L"\xD800\xDC00\xD820\xDDCD"},
        AttributeCase{"NotDigits", L"<ad v='&#6a;&#xg;&#;'/>", L"v", L"&#6a;&#xg;&#;"},
        AttributeCase{"CjkAndLoneAmpersand", L"<ad v='体育 & 直播'/>", L"v", L"体育 & 直播"}),
    [](const ::testing::TestParamInfo<AttributeCase>& info) { return std::string(info.param.name); });

TEST(XmlNavigatorAttributes, NothingWithoutACurrentElement)
{
    CXmlNavigator nav;
    EXPECT_EQ(nav.GetAttribute(L"text"), L"");
    ASSERT_TRUE(nav.SetDocument(L"<ad text='t'/>"));
    EXPECT_EQ(nav.GetAttribute(L"text"), L"");
}

} // namespace
