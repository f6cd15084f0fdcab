#pragma once
// Arithmetic and attribute readings shared by the flow and the table parts of layout.

#include <optional>
#include <string>
#include <string_view>

#include "LayoutBuilder.h"
#include "StyleResolver.h"
#include "engine/dom/DomNode.h"

namespace engine {

// Sum of layout distances, saturated to [0, LayoutBuilder::kMaxCoordinate].
[[nodiscard]] int Advance(long long position, long long distance, long long more = 0);

// The block's own alignment from its text-align or align attribute, else the one it
// inherits.
[[nodiscard]] TextAlign AlignOf(const DomNode& element, const ResolvedStyle& css, TextAlign inherited);

// Pixels of a width-like attribute: "120" or "50%" of `percentBase`; -1 when absent, not
// a number, or a percentage while `percentBase` is negative.
[[nodiscard]] int DimensionAttribute(const DomNode& element, std::wstring_view name, int percentBase);

// The colour of background-color when declared (nothing for transparent), else of the
// bgcolor attribute.
[[nodiscard]] std::optional<COLORREF> BackgroundOf(const DomNode& element, const ResolvedStyle& css);

// The address of background-image when declared (empty for none), else of the
// background attribute; as written, not yet resolved.
[[nodiscard]] std::wstring BackgroundImageOf(const DomNode& element, const ResolvedStyle& css);

} // namespace engine
