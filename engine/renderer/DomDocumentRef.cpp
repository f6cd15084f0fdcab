#include "engine/renderer/DomDocumentRef.h"

#include "engine/dom/DomQueries.h"
#include "engine/renderer/DomNodeRef.h"

namespace engine {
namespace {

[[nodiscard]] DomNode* FindElement(DomNode& node, const std::wstring& tag, const std::wstring* id)
{
    if (node.kind == DomNodeKind::Element) {
        const DomString* value = id != nullptr ? FindAttribute(node, L"id") : nullptr;
        if (id != nullptr ? (value != nullptr && std::wstring_view(*value) == *id) : std::wstring_view(node.tagName) == tag) {
            return &node;
        }
    }
    for (const auto& child : node.children) {
        if (DomNode* found = FindElement(*child, tag, id)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

DomDocumentRef::DomDocumentRef(std::shared_ptr<VisitSession> session, DomNode& root, std::wstring baseUrl)
    : m_session(std::move(session)), m_root(&root), m_baseUrl(std::move(baseUrl))
{
}

CefRefPtr<CefDOMNode> DomDocumentRef::Wrap(DomNode* node)
{
    return DomNodeRef::Wrap(m_session, node, this);
}

CefRefPtr<CefDOMNode> DomDocumentRef::GetDocument()
{
    return Wrap(Live());
}

CefRefPtr<CefDOMNode> DomDocumentRef::GetBody()
{
    DomNode* root = Live();
    return root != nullptr ? Wrap(FindBody(*root)) : nullptr;
}

CefRefPtr<CefDOMNode> DomDocumentRef::GetHead()
{
    DomNode* root = Live();
    return root != nullptr ? Wrap(FindElement(*root, L"head", nullptr)) : nullptr;
}

CefString DomDocumentRef::GetTitle()
{
    const DomNode* root = Live();
    return root != nullptr ? DocumentTitle(*root) : std::wstring();
}

CefRefPtr<CefDOMNode> DomDocumentRef::GetElementById(const CefString& id)
{
    DomNode* root = Live();
    const std::wstring wanted = id.ToWString();
    return root != nullptr && !wanted.empty() ? Wrap(FindElement(*root, std::wstring(), &wanted)) : nullptr;
}

CefString DomDocumentRef::GetBaseURL()
{
    return Live() != nullptr ? m_baseUrl : std::wstring();
}

} // namespace engine
