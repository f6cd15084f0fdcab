#pragma once
// Compact views of document trees for assertions.

#include <string>

#include "engine/dom/DomNode.h"

namespace engine::test {

// One line per tree, e.g. "<body><p a=\"1\">#hi</p><!--c--></body>"; text nodes are
// written as "#text".
inline std::wstring Outline(const DomNode& node)
{
    switch (node.kind) {
    case DomNodeKind::Text: return L"#" + std::wstring(node.text);
    case DomNodeKind::Comment: return L"<!--" + std::wstring(node.text) + L"-->";
    case DomNodeKind::Document:
    case DomNodeKind::Element: break;
    }
    std::wstring out;
    if (node.kind == DomNodeKind::Element) {
        out += L"<" + node.tagName;
        for (const auto& [name, value] : node.attributes) {
            out += L" " + name + L"=\"" + value + L"\"";
        }
        out += L">";
    }
    for (const auto& child : node.children) {
        out += Outline(*child);
    }
    if (node.kind == DomNodeKind::Element) {
        out += L"</" + node.tagName + L">";
    }
    return out;
}

// True when every child's parent pointer names its real parent.
inline bool ParentsConsistent(const DomNode& node)
{
    for (const auto& child : node.children) {
        if (child->parent != &node || !ParentsConsistent(*child)) {
            return false;
        }
    }
    return true;
}

} // namespace engine::test
