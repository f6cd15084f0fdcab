#pragma once
// Small look-ups on the document tree shared by the renderer and the page view.

#include <string>
#include <string_view>

#include "DomNode.h"

namespace engine {

// The first <body> element under the document's <html>; null when there is none.
[[nodiscard]] DomNode* FindBody(DomNode& doc);
[[nodiscard]] const DomNode* FindBody(const DomNode& doc);

// Text of the first <title> element with whitespace runs collapsed and trimmed;
// empty when the document has no title.
[[nodiscard]] std::wstring DocumentTitle(const DomNode& doc);

// Attribute names are compared ignoring ASCII case. Returns null when absent;
// the pointer stays valid until the node's attributes change.
[[nodiscard]] const DomString* FindAttribute(const DomNode& node, std::wstring_view name);

// Replaces the value of an existing attribute or appends a new one (name lower-cased).
void SetAttribute(DomNode& node, std::wstring_view name, std::wstring_view value);

} // namespace engine
