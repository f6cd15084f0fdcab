#pragma once
// CefDOMNode over one node of the renderer's tree. Valid only while its visit runs;
// afterwards every call returns an empty result.

#include <memory>

#include "CefDom.h"
#include "engine/dom/DomNode.h"
#include "engine/renderer/VisitSession.h"

namespace engine {

class DomNodeRef final : public CefDOMNode {
public:
    // Null when `node` is null.
    [[nodiscard]] static CefRefPtr<CefDOMNode> Wrap(std::shared_ptr<VisitSession> session, DomNode* node,
        CefRefPtr<CefDOMDocument> document);

    cef_dom_node_type_t GetType() override;
    bool IsText() override;
    bool IsElement() override;
    bool IsSame(CefRefPtr<CefDOMNode> that) override;
    CefString GetName() override;
    CefString GetValue() override;
    CefRefPtr<CefDOMDocument> GetDocument() override;
    CefRefPtr<CefDOMNode> GetParent() override;
    CefRefPtr<CefDOMNode> GetPreviousSibling() override { return Sibling(-1); }
    CefRefPtr<CefDOMNode> GetNextSibling() override { return Sibling(+1); }
    bool HasChildren() override;
    CefRefPtr<CefDOMNode> GetFirstChild() override;
    CefRefPtr<CefDOMNode> GetLastChild() override;
    CefString GetElementTagName() override;
    bool HasElementAttributes() override;
    bool HasElementAttribute(const CefString& attrName) override;
    CefString GetElementAttribute(const CefString& attrName) override;
    bool SetElementAttribute(const CefString& attrName, const CefString& value) override;
    CefString GetElementInnerText() override;

private:
    DomNodeRef(std::shared_ptr<VisitSession> session, DomNode* node, CefRefPtr<CefDOMDocument> document);
    // The node, or null once the visit is over.
    [[nodiscard]] DomNode* Live() const noexcept { return m_session->open ? m_node : nullptr; }
    [[nodiscard]] DomNode* LiveElement() const noexcept;
    [[nodiscard]] CefRefPtr<CefDOMNode> Wrap(DomNode* node) const { return Wrap(m_session, node, m_document); }
    [[nodiscard]] CefRefPtr<CefDOMNode> Sibling(int step);

    std::shared_ptr<VisitSession> m_session;
    DomNode* m_node;  // Borrowed from the renderer's page; see Live().
    CefRefPtr<CefDOMDocument> m_document;
    IMPLEMENT_REFCOUNTING(DomNodeRef);
};

} // namespace engine
