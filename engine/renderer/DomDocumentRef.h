#pragma once
// CefDOMDocument over the renderer's tree for one visit.

#include <memory>
#include <string>

#include "CefDom.h"
#include "engine/dom/DomNode.h"
#include "engine/renderer/VisitSession.h"

namespace engine {

class DomDocumentRef final : public CefDOMDocument {
public:
    DomDocumentRef(std::shared_ptr<VisitSession> session, DomNode& root, std::wstring baseUrl);

    CefRefPtr<CefDOMNode> GetDocument() override;
    CefRefPtr<CefDOMNode> GetBody() override;
    CefRefPtr<CefDOMNode> GetHead() override;
    CefString GetTitle() override;
    CefRefPtr<CefDOMNode> GetElementById(const CefString& id) override;
    CefString GetBaseURL() override;

private:
    [[nodiscard]] DomNode* Live() const noexcept { return m_session->open ? m_root : nullptr; }
    [[nodiscard]] CefRefPtr<CefDOMNode> Wrap(DomNode* node);

    std::shared_ptr<VisitSession> m_session;
    DomNode* m_root;  // Borrowed; see Live().
    std::wstring m_baseUrl;
    IMPLEMENT_REFCOUNTING(DomDocumentRef);
};

} // namespace engine
