#pragma once
// Moving the mouse from one element to another on a laid-out page: which :hover rules
// that touches, and recolouring in place when they change only colours.

#include "LayoutTree.h"
#include "StyleResolver.h"
#include "engine/dom/DomNode.h"

namespace engine {

// The hover moved from `previous` to `current` (either null), and `styles` already
// has `current` as its hovered element. When the rules that apply differently change
// only colours and decorations, the boxes of the elements concerned are recoloured
// and Paint is returned; Layout asks for a new layout; None needs nothing.
[[nodiscard]] HoverEffect RestyleHover(const DomNode* previous, const DomNode* current, const StyleResolver& styles,
                                       LayoutTree& layout);

} // namespace engine
