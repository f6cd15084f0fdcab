// Images, fills, gradients, lines and frames of CRenderEngine.

#include "duilib/core/RenderEngine.h"

#include "common/Handles.h"
#include "duilib/core/AlphaBlender.h"
#include "duilib/core/GradientFiller.h"
#include "duilib/core/NineGrid.h"
#include "duilib/core/OffscreenBitmap.h"

namespace DuiLib {

namespace {

[[nodiscard]] int Width(const RECT& rc) noexcept { return rc.right - rc.left; }
[[nodiscard]] int Height(const RECT& rc) noexcept { return rc.bottom - rc.top; }

// Sets a stretch mode on a DC for one scope and puts the previous one back.
class StretchModeScope final {
public:
    StretchModeScope(HDC dc, int mode) noexcept : m_dc(dc), m_old(::SetStretchBltMode(dc, mode)) {}
    ~StretchModeScope() noexcept
    {
        if (m_old != 0) {
            (void)::SetStretchBltMode(m_dc, m_old); // restoring a mode the DC had cannot fail
        }
    }
    StretchModeScope(const StretchModeScope&) = delete;
    StretchModeScope& operator=(const StretchModeScope&) = delete;

private:
    HDC m_dc;
    int m_old;
};

void CopyPiece(HDC dst, const NineGridPiece& piece, HDC src) noexcept
{
    const RECT& d = piece.dest;
    const RECT& s = piece.source;
    if (Width(d) == Width(s) && Height(d) == Height(s)) {
        (void)::BitBlt(dst, d.left, d.top, Width(d), Height(d), src, s.left, s.top, SRCCOPY);
    } else {
        (void)::StretchBlt(dst, d.left, d.top, Width(d), Height(d), src, s.left, s.top, Width(s), Height(s),
                           SRCCOPY);
    }
}

// Alpha, red, green, blue to the premultiplied pixel a 32-bit DIB holds.
[[nodiscard]] DWORD Premultiply(DWORD argb) noexcept
{
    const DWORD alpha = argb >> 24;
    DWORD pixel = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        pixel |= ((((argb >> shift) & 0xFFu) * alpha + 127u) / 255u) << shift;
    }
    return pixel;
}

// Pure black is drawn as blue 1, so that targets whose alpha is rebuilt from the pixels
// afterwards do not take the stroke for untouched, transparent pixels.
[[nodiscard]] COLORREF PenColor(DWORD argb) noexcept
{
    const COLORREF color = RGB((argb >> 16) & 0xFFu, (argb >> 8) & 0xFFu, argb & 0xFFu);
    return color == RGB(0, 0, 0) ? RGB(0, 0, 1) : color;
}

// Fills through the DC brush: one call, where a temporary brush costs three and an
// opaque text-out five times as much under Wine.
void FillWithDcBrush(HDC hDC, const RECT& rc, COLORREF color) noexcept
{
    (void)::SetDCBrushColor(hDC, color); // the DC brush is ours to set; nobody relies on its colour
    (void)::FillRect(hDC, &rc, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH))); // nothing to report
}

void DrawFrame(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor, SIZE round)
{
    if (nSize == 1 && round.cx <= 0 && round.cy <= 0) {
        // A one-pixel frame is what FrameRect draws with the DC brush, without a pen.
        (void)::SetDCBrushColor(hDC, PenColor(dwPenColor));
        (void)::FrameRect(hDC, &rc, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        return;
    }
    const UniquePen pen(::CreatePen(PS_INSIDEFRAME, nSize, PenColor(dwPenColor)));
    if (!pen) {
        return;
    }
    const SelectObjectScope selectPen(hDC, pen.get());
    const SelectObjectScope selectBrush(hDC, ::GetStockObject(NULL_BRUSH));
    if (round.cx > 0 || round.cy > 0) {
        (void)::RoundRect(hDC, rc.left, rc.top, rc.right, rc.bottom, round.cx, round.cy);
    } else {
        (void)::Rectangle(hDC, rc.left, rc.top, rc.right, rc.bottom);
    }
}

} // namespace

void CRenderEngine::DrawImage(HDC hDC, HBITMAP hBitmap, const RECT& rc, const RECT& rcPaint, const RECT& rcBmpPart,
                              const RECT& rcCorners, bool alphaChannel, BYTE uFade, bool hole, bool xtiled,
                              bool ytiled)
{
    if (hDC == nullptr || hBitmap == nullptr) {
        return;
    }
    const UniqueMemoryDc source(::CreateCompatibleDC(hDC));
    if (!source) {
        return;
    }
    const SelectObjectScope selectBitmap(source.get(), hBitmap);
    // A bitmap still selected into another DC cannot be selected here.
    if (::GetCurrentObject(source.get(), OBJ_BITMAP) != hBitmap) {
        return;
    }
    const StretchModeScope halftone(hDC, HALFTONE);
    const bool blended = alphaChannel || uFade < 255;
    const CNineGrid grid({rc, rcPaint, rcBmpPart, rcCorners, hole, xtiled, ytiled},
                         blended ? NineGridPath::Blended : NineGridPath::Opaque);
    // A bitmap without an alpha channel may hold anything in its alpha bytes.
    const PixelBlendMode mode{uFade, alphaChannel};
    grid.ForEachPiece([&](const NineGridPiece& piece) {
        if (blended) {
            // A piece the platform refuses stays undrawn; the others still show.
            (void)CAlphaBlender::Blend(hDC, piece.dest, source.get(), piece.source, mode);
        } else {
            CopyPiece(hDC, piece, source.get());
        }
    });
}

void CRenderEngine::DrawColor(HDC hDC, const RECT& rc, DWORD color)
{
    if (hDC == nullptr || color <= 0x00FFFFFFu) {
        return;
    }
    if ((color >> 24) == 0xFFu) {
        FillWithDcBrush(hDC, rc, RGB((color >> 16) & 0xFFu, (color >> 8) & 0xFFu, color & 0xFFu));
        return;
    }
    const COffscreenBitmap pixel(hDC, 1, 1);
    if (!pixel.IsValid()) {
        return;
    }
    pixel.GetBits()[0] = Premultiply(color);
    (void)CAlphaBlender::Blend(hDC, rc, pixel.GetDC(), RECT{0, 0, 1, 1}, PixelBlendMode{255, true});
}

void CRenderEngine::DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical, int nSteps)
{
    const auto alpha = static_cast<BYTE>(((dwFirst >> 24) + (dwSecond >> 24)) >> 1);
    if (hDC == nullptr || alpha == 0) {
        return;
    }
    const GradientColors gradient{dwFirst, dwSecond, bVertical, nSteps};
    if (alpha == 255) {
        CGradientFiller::Fill(hDC, rc, gradient);
        return;
    }
    const COffscreenBitmap buffer(hDC, Width(rc), Height(rc));
    if (!buffer.IsValid()) {
        return;
    }
    const RECT whole{0, 0, Width(rc), Height(rc)};
    CGradientFiller::Fill(buffer.GetDC(), whole, gradient);
    // The gradient itself is opaque, and a banded fill leaves the alpha bytes 0: only
    // the constant alpha counts.
    (void)CAlphaBlender::Blend(hDC, rc, buffer.GetDC(), whole, PixelBlendMode{alpha, false});
}

void CRenderEngine::DrawLine(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor, int nStyle)
{
    if (hDC == nullptr) {
        return;
    }
    const UniquePen pen(::CreatePen(nStyle, nSize, PenColor(dwPenColor)));
    if (!pen) {
        return;
    }
    const SelectObjectScope selectPen(hDC, pen.get());
    (void)::MoveToEx(hDC, rc.left, rc.top, nullptr);
    (void)::LineTo(hDC, rc.right, rc.bottom); // nothing to report to the caller
}

void CRenderEngine::DrawRect(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor)
{
    if (hDC != nullptr) {
        DrawFrame(hDC, rc, nSize, dwPenColor, SIZE{0, 0});
    }
}

void CRenderEngine::DrawRoundRect(HDC hDC, const RECT& rc, int nSize, int width, int height, DWORD dwPenColor)
{
    if (hDC != nullptr) {
        DrawFrame(hDC, rc, nSize, dwPenColor, SIZE{width, height});
    }
}

} // namespace DuiLib
