#pragma once
// How a label draws its text with effects through GDI+: a gradient fill, an outline
// stroke and a drop shadow. Colours are ARGB; only their red, green and blue are used,
// each paired with its own alpha.

#include "common/Win32.h"

namespace DuiLib {

struct TTextEffect {
    int renderingHint = 0; // a GDI+ text rendering hint, 0..5
    int align = 0;         // 0 near, 1 centre, 2 far
    int lineAlign = 1;
    int textAlpha = 168; // at the gradient's start
    int textAlpha1 = 168; // at its end
    DWORD textColor1 = 0; // gradient end; 0xFFFFFFFF means the text colour
    int gradientAngle = 0;
    int gradientLength = 0; // 0: the text rectangle's height
    bool shadow = false;
    DWORD shadowColorA = 0;
    DWORD shadowColorB = 0; // 0xFFFFFFFF means colour A
    int shadowAlpha = 60;
    int shadowAlpha1 = 60;
    float shadowDx = 0.0F; // where the shadow lies relative to the text
    float shadowDy = 0.0F;
    bool stroke = false;
    DWORD strokeColor = 0;
    int strokeAlpha = 255;
};

class CTextEffectPainter final {
public:
    CTextEffectPainter() = delete;

    // Draws text in rc with the font (the device context's when null), in colour
    // textColor at the start of the gradient. False when GDI+ refused to draw.
    static bool Paint(HDC hDC, HFONT hFont, const RECT& rc, LPCTSTR text, DWORD textColor, const TTextEffect& effect);
    // The ARGB value of a colour's red, green and blue with the given alpha (clamped).
    [[nodiscard]] static DWORD Compose(int alpha, DWORD color) noexcept;
};

} // namespace DuiLib
