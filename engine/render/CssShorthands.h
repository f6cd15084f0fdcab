#pragma once
// Shorthand properties (margin, padding, border, background, font) split into the
// longhands the cascade weighs one by one, so that "margin: 0" followed by
// "margin-top: 4px" ends as browsers end it.

#include <vector>

#include "CssStyleSheet.h"

namespace engine {

// Appends the longhands `declaration` sets, each to its part of the value or to its
// initial value, and returns true; an invalid value appends nothing. Returns false,
// appending nothing, when the property is no shorthand read here.
[[nodiscard]] bool ExpandShorthand(const CssDeclaration& declaration, std::vector<CssDeclaration>& out);

} // namespace engine
