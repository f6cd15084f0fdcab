#pragma once
// Where a point of a frameless window lies for the window system: on a resize border
// or in the caption area that drags the window. Client coordinates.

#include "common/Win32.h"

namespace DuiLib {

class CFrameHitTest final {
public:
    CFrameHitTest() = delete;

    // The HT code of the resize border under pt, with rcSizeBox giving each border's
    // width; HTNOWHERE away from the borders and always while maximised.
    [[nodiscard]] static LRESULT Border(const RECT& rcClient, const RECT& rcSizeBox, POINT pt, bool maximised) noexcept;
    // rcCaption's left and right count in from the client's sides, its top and bottom
    // from the client's top.
    [[nodiscard]] static bool InCaption(const RECT& rcClient, const RECT& rcCaption, POINT pt) noexcept;
};

} // namespace DuiLib
