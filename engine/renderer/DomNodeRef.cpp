#include "engine/renderer/DomNodeRef.h"

#include <algorithm>

#include "engine/dom/DomQueries.h"

namespace engine {
namespace {

[[nodiscard]] std::wstring UpperAscii(std::wstring_view name)
{
    std::wstring text(name);
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    return text;
}

void AppendText(const DomNode& node, std::wstring& out)
{
    if (node.kind == DomNodeKind::Text) {
        out += node.text;
    }
    for (const auto& child : node.children) {
        AppendText(*child, out);
    }
}

} // namespace

DomNodeRef::DomNodeRef(std::shared_ptr<VisitSession> session, DomNode* node, CefRefPtr<CefDOMDocument> document)
    : m_session(std::move(session)), m_node(node), m_document(std::move(document))
{
}

CefRefPtr<CefDOMNode> DomNodeRef::Wrap(std::shared_ptr<VisitSession> session, DomNode* node,
    CefRefPtr<CefDOMDocument> document)
{
    if (node == nullptr || !session || !session->open) {
        return nullptr;
    }
    return new DomNodeRef(std::move(session), node, std::move(document));
}

DomNode* DomNodeRef::LiveElement() const noexcept
{
    DomNode* node = Live();
    return node != nullptr && node->kind == DomNodeKind::Element ? node : nullptr;
}

cef_dom_node_type_t DomNodeRef::GetType()
{
    const DomNode* node = Live();
    if (node == nullptr) {
        return DOM_NODE_TYPE_UNSUPPORTED;
    }
    switch (node->kind) {
    case DomNodeKind::Document: return DOM_NODE_TYPE_DOCUMENT;
    case DomNodeKind::Element: return DOM_NODE_TYPE_ELEMENT;
    case DomNodeKind::Text: return DOM_NODE_TYPE_TEXT;
    case DomNodeKind::Comment: return DOM_NODE_TYPE_COMMENT;
    }
    return DOM_NODE_TYPE_UNSUPPORTED;
}

bool DomNodeRef::IsText()
{
    return GetType() == DOM_NODE_TYPE_TEXT;
}

bool DomNodeRef::IsElement()
{
    return GetType() == DOM_NODE_TYPE_ELEMENT;
}

bool DomNodeRef::IsSame(CefRefPtr<CefDOMNode> that)
{
    const auto* other = dynamic_cast<DomNodeRef*>(that.get());
    return other != nullptr && Live() != nullptr && other->Live() == m_node;
}

CefString DomNodeRef::GetName()
{
    const DomNode* node = Live();
    if (node == nullptr) {
        return {};
    }
    switch (node->kind) {
    case DomNodeKind::Document: return L"#document";
    case DomNodeKind::Element: return UpperAscii(node->tagName);
    case DomNodeKind::Text: return L"#text";
    case DomNodeKind::Comment: return L"#comment";
    }
    return {};
}

CefString DomNodeRef::GetValue()
{
    const DomNode* node = Live();
    if (node == nullptr || (node->kind != DomNodeKind::Text && node->kind != DomNodeKind::Comment)) {
        return {};
    }
    return std::wstring(node->text);
}

CefRefPtr<CefDOMDocument> DomNodeRef::GetDocument()
{
    return Live() != nullptr ? m_document : nullptr;
}

CefRefPtr<CefDOMNode> DomNodeRef::GetParent()
{
    const DomNode* node = Live();
    return node != nullptr ? Wrap(node->parent) : nullptr;
}

CefRefPtr<CefDOMNode> DomNodeRef::Sibling(int step)
{
    const DomNode* node = Live();
    if (node == nullptr || node->parent == nullptr) {
        return nullptr;
    }
    const auto& siblings = node->parent->children;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [node](const auto& c) { return c.get() == node; });
    if (it == siblings.end()) {
        return nullptr;
    }
    const auto index = (it - siblings.begin()) + step;
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(siblings.size())) {
        return nullptr;
    }
    return Wrap(siblings[static_cast<std::size_t>(index)].get());
}

bool DomNodeRef::HasChildren()
{
    const DomNode* node = Live();
    return node != nullptr && !node->children.empty();
}

CefRefPtr<CefDOMNode> DomNodeRef::GetFirstChild()
{
    const DomNode* node = Live();
    return node != nullptr && !node->children.empty() ? Wrap(node->children.front().get()) : nullptr;
}

CefRefPtr<CefDOMNode> DomNodeRef::GetLastChild()
{
    const DomNode* node = Live();
    return node != nullptr && !node->children.empty() ? Wrap(node->children.back().get()) : nullptr;
}

CefString DomNodeRef::GetElementTagName()
{
    const DomNode* node = LiveElement();
    return node != nullptr ? UpperAscii(node->tagName) : std::wstring();
}

bool DomNodeRef::HasElementAttributes()
{
    const DomNode* node = LiveElement();
    return node != nullptr && !node->attributes.empty();
}

bool DomNodeRef::HasElementAttribute(const CefString& attrName)
{
    const DomNode* node = LiveElement();
    return node != nullptr && FindAttribute(*node, attrName.ToWString()) != nullptr;
}

CefString DomNodeRef::GetElementAttribute(const CefString& attrName)
{
    const DomNode* node = LiveElement();
    const DomString* value = node != nullptr ? FindAttribute(*node, attrName.ToWString()) : nullptr;
    return value != nullptr ? std::wstring(*value) : std::wstring();
}

bool DomNodeRef::SetElementAttribute(const CefString& attrName, const CefString& value)
{
    DomNode* node = LiveElement();
    if (node == nullptr || attrName.empty()) {
        return false;
    }
    SetAttribute(*node, attrName.ToWString(), value.ToWString());
    m_session->changed = true;
    return true;
}

CefString DomNodeRef::GetElementInnerText()
{
    const DomNode* node = LiveElement();
    std::wstring text;
    if (node != nullptr) {
        AppendText(*node, text);
    }
    return text;
}

} // namespace engine
