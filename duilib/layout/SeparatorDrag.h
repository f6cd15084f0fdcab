#pragma once
// The arithmetic of dragging a layout's separator: the strip at one edge that the user
// grabs, and how a pointer movement moves that edge within the size limits. Along the
// axis of the layout: y for a vertical layout, x for a horizontal one.

#include "common/Win32.h"

namespace DuiLib {

class CSeparatorDrag final {
public:
    CSeparatorDrag() = delete;

    // sepSize < 0: the strip at the top (left) edge, -sepSize long; > 0: at the bottom
    // (right) edge. Kept inside rc; empty for 0.
    [[nodiscard]] static RECT Strip(bool vertical, const RECT& rc, int sepSize) noexcept;
    // Moves the dragged edge of rc by delta when the pointer (along the axis) is where a
    // move that way makes sense, and keeps the length within [minimum, maximum]. False,
    // rc unchanged, when the move is dropped.
    static bool Move(bool vertical, int sepSize, LONG pointer, LONG delta, RECT& rc, int minimum, int maximum) noexcept;
};

} // namespace DuiLib
