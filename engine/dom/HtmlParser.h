#pragma once
// Tolerant HTML parser: turns any text into a document tree and never fails.

#include <memory>
#include <string_view>

#include "DomNode.h"

namespace engine {

// Returns a Document node whose only element child is <html>, which always holds a
// <head> and a <body> (created when the markup leaves them out). Element and
// attribute names are lower-cased, character references are decoded.
[[nodiscard]] DomNodePtr ParseHtml(std::wstring_view html);

} // namespace engine
