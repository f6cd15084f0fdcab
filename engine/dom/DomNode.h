#pragma once
// The engine's document tree, shared by the HTML parser, the renderer's DOM access,
// the transport of display content to the browser process, and the page painter.

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace engine {

enum class DomNodeKind { Document, Element, Text, Comment };

struct DomNode {
    DomNodeKind kind = DomNodeKind::Element;
    std::wstring tagName;  // lower case; elements only
    std::vector<std::pair<std::wstring, std::wstring>> attributes;  // in source order; names lower case
    std::wstring text;     // text and comment nodes
    DomNode* parent = nullptr;  // Borrowed; null for the document.
    std::vector<std::unique_ptr<DomNode>> children;  // Owned.
};

} // namespace engine
