#pragma once
// Paints a laid-out page with GDI.

#include "common/Win32.h"

namespace engine {

class FontCache;
class LayoutTree;
struct LayoutBox;

class PagePainter final {
public:
    static constexpr COLORREF kPlaceholderBorder = RGB(192, 192, 192);

    // Both borrowed for the painter's lifetime.
    PagePainter(HDC dc, FontCache& fonts) : m_dc(dc), m_fonts(fonts) {}

    // Fills `clip` (device coordinates) with the background and draws every box that
    // meets it, the content shifted up by `scrollY`.
    void Paint(const LayoutTree& tree, const RECT& clip, int scrollY);

private:
    void PaintBox(const LayoutBox& box, const RECT& clip, int scrollY);
    void PaintText(const LayoutBox& box, const RECT& target);
    void PaintImage(const LayoutBox& box, const RECT& target);
    void PaintTiles(const LayoutBox& box, const RECT& target, const RECT& clip);
    void FillSolid(const RECT& target, COLORREF color);
    void FrameSolid(const RECT& target, COLORREF color);

    HDC m_dc;
    FontCache& m_fonts;
};

} // namespace engine
