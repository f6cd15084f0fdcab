#pragma once
// Runs a DOM visitor the way a renderer does: over the engine's CefDOMDocument for a
// parsed page, with the DOM objects dead once Visit returns.

#include <memory>
#include <string>

#include "CefDom.h"
#include "engine/dom/DomNode.h"
#include "engine/dom/DomQueries.h"
#include "engine/dom/HtmlParser.h"
#include "engine/renderer/DomDocumentRef.h"

namespace browser_test {

inline void RunVisit(CefDOMVisitor& visitor, engine::DomNode& document)
{
    auto session = std::make_shared<engine::VisitSession>();
    const CefRefPtr<CefDOMDocument> wrapped(
        new engine::DomDocumentRef(session, document, L"http://live.example.com/"));
    visitor.Visit(wrapped);
    session->open = false;
}

// The style attribute of the body's `index`-th child; "(none)" without one.
inline std::wstring ChildStyle(const engine::DomNode& document, size_t index)
{
    const engine::DomNode* body = engine::FindBody(document);
    if (body == nullptr || index >= body->children.size()) {
        return L"(no such child)";
    }
    const engine::DomString* style = engine::FindAttribute(*body->children[index], L"style");
    return style != nullptr ? std::wstring(*style) : L"(none)";
}

inline std::wstring BodyStyle(const engine::DomNode& document)
{
    const engine::DomNode* body = engine::FindBody(document);
    const engine::DomString* style = body != nullptr ? engine::FindAttribute(*body, L"style") : nullptr;
    return style != nullptr ? std::wstring(*style) : L"(none)";
}

} // namespace browser_test
