#pragma once
// Reads declarations from an element's style attribute ("display: none; color:red").

#include <optional>
#include <string>
#include <string_view>

#include "engine/dom/DomNode.h"

namespace engine {

// The value of the last declaration of `property` (lower case), trimmed and lower-cased,
// with any "!important" removed; nothing when the property is not declared.
[[nodiscard]] std::optional<std::wstring> InlineStyleValue(std::wstring_view style, std::wstring_view property);

// True for an element whose inline style says display:none (any spacing or case).
[[nodiscard]] bool IsDisplayNone(const DomNode& element);

} // namespace engine
