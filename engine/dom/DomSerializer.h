#pragma once
// Compact binary form of a document tree for the pipe between the renderer and the
// browser process.

#include <memory>
#include <string>
#include <string_view>

#include "DomNode.h"

namespace engine {

// Encodes the node and all its descendants.
[[nodiscard]] std::string SerializeDom(const DomNode& root);

// Rebuilds a tree encoded by SerializeDom, with parent pointers set. Returns null
// when the bytes are truncated, carry trailing data or are malformed in any way.
[[nodiscard]] DomNodePtr DeserializeDom(std::string_view bytes);

} // namespace engine
