#include "duilib/core/GradientFiller.h"

#include "common/Handles.h"
#include "duilib/core/GradientBands.h"
#include "duilib/core/MsImg32.h"

namespace DuiLib {

namespace {

[[nodiscard]] COLORREF ToColorRef(DWORD argb) noexcept
{
    return RGB((argb >> 16) & 0xFFu, (argb >> 8) & 0xFFu, argb & 0xFFu);
}

// Each 8-bit channel widened to the 16 bits a gradient vertex takes.
[[nodiscard]] TRIVERTEX Vertex(LONG x, LONG y, DWORD argb) noexcept
{
    TRIVERTEX vertex{};
    vertex.x = x;
    vertex.y = y;
    vertex.Red = static_cast<COLOR16>(((argb >> 16) & 0xFFu) << 8);
    vertex.Green = static_cast<COLOR16>(((argb >> 8) & 0xFFu) << 8);
    vertex.Blue = static_cast<COLOR16>((argb & 0xFFu) << 8);
    vertex.Alpha = 0xFF00;
    return vertex;
}

} // namespace

void CGradientFiller::Fill(HDC hDC, const RECT& rc, const GradientColors& gradient)
{
    const CMsImg32::GradientFillProc gradientFill = CMsImg32::GradientFillEntry();
    if (gradientFill != nullptr) {
        TRIVERTEX vertices[2] = {Vertex(rc.left, rc.top, gradient.first),
                                 Vertex(rc.right, rc.bottom, gradient.second)};
        GRADIENT_RECT mesh{0, 1};
        const ULONG mode = gradient.vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H;
        if (gradientFill(hDC, vertices, 2, &mesh, 1, mode)) {
            return;
        }
    }
    FillBanded(hDC, rc, gradient);
}

void CGradientFiller::FillBanded(HDC hDC, const RECT& rc, const GradientColors& gradient)
{
    const auto bands = GradientBands(rc, gradient.first, gradient.second, gradient.vertical, gradient.steps);
    for (const GradientBand& band : bands) {
        const UniqueBrush brush(::CreateSolidBrush(ToColorRef(band.color)));
        if (brush) {
            (void)::FillRect(hDC, &band.rc, brush.get()); // a band that fails leaves its area as it was
        }
    }
}

} // namespace DuiLib
