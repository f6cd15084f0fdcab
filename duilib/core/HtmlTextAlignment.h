#pragma once
// Rectangle arithmetic that places formatted text by the DT_* alignment flags.

#include "common/Win32.h"

namespace DuiLib {

class HtmlTextAlignment final {
public:
    HtmlTextAlignment() = delete;

    // Width of the pre-measuring rectangle for a single line: wide enough for any text.
    static constexpr int kUnboundedWidth = 9999;
    static constexpr int kPreMeasureHeight = 100;

    // Whether drawing needs the text's extent first: vertical placement always, and
    // horizontal placement of a single line (multi-line text shifts line by line).
    [[nodiscard]] static bool NeedsPreMeasure(UINT style) noexcept;
    [[nodiscard]] static RECT PreMeasureRect(const RECT& rc, UINT style) noexcept;
    // rc moved so that text of the measured size sits where the flags ask; right and
    // bottom stay, since they bound the line breaking and the drawing.
    [[nodiscard]] static RECT Place(const RECT& rc, UINT style, SIZE measured) noexcept;
    // Shift of one line of a multi-line text; never to the left of the rectangle.
    [[nodiscard]] static int LineShift(UINT style, int available, int lineWidth) noexcept;
};

} // namespace DuiLib
