#pragma once
// Opaque two-colour gradient fills: the platform's GradientFill when it has one, bands
// of solid colour otherwise. Colours are ARGB; their alpha is not used here.

#include "common/Win32.h"

namespace DuiLib {

struct GradientColors {
    DWORD first = 0;  // top or left
    DWORD second = 0; // bottom or right
    bool vertical = false;
    int steps = 0; // how finely the banded fill divides the rectangle
};

class CGradientFiller final {
public:
    CGradientFiller() = delete;

    static void Fill(HDC hDC, const RECT& rc, const GradientColors& gradient);
    // The fill used without the platform's gradient (see GradientBands).
    static void FillBanded(HDC hDC, const RECT& rc, const GradientColors& gradient);
};

} // namespace DuiLib
