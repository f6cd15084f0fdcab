#pragma once
// The arithmetic of placing a top-level window, apart from the calls that read and
// apply it. Rectangles are in screen coordinates.

#include "common/Win32.h"

namespace DuiLib {

class CWindowPlacement final {
public:
    CWindowPlacement() = delete;

    // Top-left corner that centres a window of rcWindow's size on rcCenter, moved back
    // inside rcWork where it would cross an edge; the left and top edges win when the
    // window is larger than the work area.
    [[nodiscard]] static POINT CenteredOrigin(const RECT& rcWindow, const RECT& rcCenter, const RECT& rcWork) noexcept;
};

} // namespace DuiLib
