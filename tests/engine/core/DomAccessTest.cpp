// The renderer's DOM objects over the parsed tree, and their lifetime.
#include <gmock/gmock.h>

#include "engine/dom/HtmlParser.h"
#include "engine/renderer/DomDocumentRef.h"
#include "engine/renderer/DomNodeRef.h"

namespace engine {
namespace {

class DomAccess : public ::testing::Test {
protected:
    CefRefPtr<CefDOMDocument> Open(const std::wstring& html)
    {
        m_tree = ParseHtml(html);
        m_session = std::make_shared<VisitSession>();
        return new DomDocumentRef(m_session, *m_tree, L"http://127.0.0.1/page");
    }

    DomNodePtr m_tree;
    std::shared_ptr<VisitSession> m_session;
};

TEST_F(DomAccess, WalksTheBodysChildrenInOrder)
{
    CefRefPtr<CefDOMDocument> doc = Open(L"<title>T</title><div id=a class=Content>x</div>text<!--c--><p>y</p>");
    EXPECT_EQ(L"T", doc->GetTitle().ToWString());
    std::vector<std::wstring> names;
    for (CefRefPtr<CefDOMNode> n = doc->GetBody()->GetFirstChild(); n; n = n->GetNextSibling()) {
        names.push_back(n->GetName().ToWString() + L"/" + n->GetElementTagName().ToWString());
    }
    EXPECT_THAT(names, ::testing::ElementsAre(L"DIV/DIV", L"#text/", L"#comment/", L"P/P"));
    CefRefPtr<CefDOMNode> last = doc->GetBody()->GetLastChild();
    EXPECT_EQ(L"#comment", last->GetPreviousSibling()->GetName().ToWString());
    EXPECT_TRUE(last->GetParent()->IsSame(doc->GetBody()));
    EXPECT_FALSE(last->GetNextSibling());
    EXPECT_EQ(L"y", last->GetElementInnerText().ToWString());
    EXPECT_TRUE(doc->GetElementById(L"a")->IsSame(doc->GetBody()->GetFirstChild()));
    EXPECT_FALSE(doc->GetElementById(L"b"));
}

TEST_F(DomAccess, AttributesCompareNamesIgnoringCase)
{
    CefRefPtr<CefDOMDocument> doc = Open(L"<div CLASS=\"Content\" style=\"color:red\">x</div>");
    CefRefPtr<CefDOMNode> div = doc->GetBody()->GetFirstChild();
    EXPECT_TRUE(div->HasElementAttribute(L"Class"));
    EXPECT_EQ(L"Content", div->GetElementAttribute(L"class").ToWString());
    EXPECT_TRUE(div->SetElementAttribute(L"style", L"display:none"));
    EXPECT_EQ(L"display:none", div->GetElementAttribute(L"STYLE").ToWString());
    EXPECT_TRUE(m_session->changed);
}

TEST_F(DomAccess, TextNodesRefuseAttributes)
{
    CefRefPtr<CefDOMDocument> doc = Open(L"plain");
    CefRefPtr<CefDOMNode> text = doc->GetBody()->GetFirstChild();
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->IsText());
    EXPECT_FALSE(text->SetElementAttribute(L"style", L"display:none"));
    EXPECT_FALSE(m_session->changed);
    EXPECT_EQ(L"plain", text->GetValue().ToWString());
    EXPECT_EQ(L"", text->GetElementTagName().ToWString());
}

TEST_F(DomAccess, ObjectsKeptAfterTheVisitAreInert)
{
    CefRefPtr<CefDOMDocument> doc = Open(L"<div class=a>x</div>");
    CefRefPtr<CefDOMNode> div = doc->GetBody()->GetFirstChild();
    m_session->open = false;
    m_tree.reset();  // the page moved on
    EXPECT_FALSE(div->SetElementAttribute(L"style", L"x"));
    EXPECT_EQ(L"", div->GetElementAttribute(L"class").ToWString());
    EXPECT_FALSE(div->HasChildren());
    EXPECT_FALSE(div->GetNextSibling());
    EXPECT_FALSE(doc->GetBody());
    EXPECT_EQ(DOM_NODE_TYPE_UNSUPPORTED, div->GetType());
}

} // namespace
} // namespace engine
