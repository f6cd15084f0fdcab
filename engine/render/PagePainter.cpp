#include "PagePainter.h"

#include <climits>

#include "DecodedImage.h"
#include "FontCache.h"
#include "LayoutBuilder.h"
#include "LayoutTree.h"

namespace engine {
namespace {

bool Intersects(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Restores the DC's clip region, text colour and background mode.
class DcStateScope final {
public:
    explicit DcStateScope(HDC dc) : m_dc(dc), m_saved(::SaveDC(dc)) {}
    ~DcStateScope()
    {
        if (m_saved != 0) {
            ::RestoreDC(m_dc, m_saved);
        }
    }
    DcStateScope(const DcStateScope&) = delete;
    DcStateScope& operator=(const DcStateScope&) = delete;

private:
    HDC m_dc;
    int m_saved;
};

} // namespace

void PagePainter::Paint(const LayoutTree& tree, const RECT& clip, int scrollY)
{
    const DcStateScope state(m_dc);
    (void)::IntersectClipRect(m_dc, clip.left, clip.top, clip.right, clip.bottom);  // failure only means no clipping
    FillSolid(clip, tree.background);
    ::SetBkMode(m_dc, TRANSPARENT);
    // Floats go over the backgrounds of the blocks whose lines they push aside.
    for (const bool floating : {false, true}) {
        for (const LayoutBox& box : tree.boxes) {
            if (box.floating == floating) {
                PaintBox(box, clip, scrollY);
            }
        }
    }
}

void PagePainter::PaintBox(const LayoutBox& box, const RECT& clip, int scrollY)
{
    RECT target = box.rect;
    ::OffsetRect(&target, 0, -scrollY);
    if (!Intersects(target, clip)) {
        return;
    }
    switch (box.kind) {
    case BoxKind::Text: PaintText(box, target); break;
    case BoxKind::Image: PaintImage(box, target); break;
    case BoxKind::Rule: FillSolid(target, box.color); break;
    case BoxKind::Background: PaintTiles(box, target, clip); break;
    }
}

void PagePainter::PaintText(const LayoutBox& box, const RECT& target)
{
    if (box.text.size() > static_cast<size_t>(INT_MAX)) {
        return;
    }
    if (box.background.has_value()) {
        FillSolid(target, *box.background);
    }
    const SelectObjectScope font(m_dc, m_fonts.Get(box.font));
    ::SetTextColor(m_dc, box.color);
    // Text sits at the bottom of its box, which layout aligned to the line's bottom.
    TEXTMETRICW metrics{};
    const int height = ::GetTextMetricsW(m_dc, &metrics) ? metrics.tmHeight : target.bottom - target.top;
    (void)::ExtTextOutW(m_dc, target.left, target.bottom - height, 0, nullptr, box.text.c_str(),
                        static_cast<UINT>(box.text.size()), nullptr);  // nothing to do if GDI refuses
}

void PagePainter::PaintImage(const LayoutBox& box, const RECT& target)
{
    if (box.image != nullptr) {
        box.image->Draw(m_dc, target);
        return;
    }
    FrameSolid(target, kPlaceholderBorder);
    if (box.text.empty() || box.text.size() > static_cast<size_t>(INT_MAX)) {
        return;
    }
    // A missing image's text, clipped to its frame.
    RECT inside = target;
    ::InflateRect(&inside, -LayoutBuilder::kAltPadding, -LayoutBuilder::kAltPadding);
    const SelectObjectScope font(m_dc, m_fonts.Get(box.font));
    ::SetTextColor(m_dc, box.color);
    (void)::ExtTextOutW(m_dc, inside.left, inside.top, ETO_CLIPPED, &inside, box.text.c_str(),
                        static_cast<UINT>(box.text.size()), nullptr);  // nothing to do if GDI refuses
}

// Only the tiles that meet the clip are drawn, so a huge box costs no more than the window.
void PagePainter::PaintTiles(const LayoutBox& box, const RECT& target, const RECT& clip)
{
    if (box.image == nullptr || box.image->Width() <= 0 || box.image->Height() <= 0) {
        return;
    }
    RECT area{};
    if (!::IntersectRect(&area, &target, &clip)) {
        return;
    }
    const int width = box.image->Width();
    const int height = box.image->Height();
    const bool acrossX = box.repeat == BackgroundRepeat::Both || box.repeat == BackgroundRepeat::X;
    const bool acrossY = box.repeat == BackgroundRepeat::Both || box.repeat == BackgroundRepeat::Y;
    const long long firstX = acrossX ? target.left + (area.left - target.left) / width * 1LL * width : target.left;
    const long long firstY = acrossY ? target.top + (area.top - target.top) / height * 1LL * height : target.top;
    const long long endX = acrossX ? area.right : std::min<long long>(target.left + width, area.right);
    const long long endY = acrossY ? area.bottom : std::min<long long>(target.top + height, area.bottom);
    const DcStateScope state(m_dc);
    (void)::IntersectClipRect(m_dc, area.left, area.top, area.right, area.bottom);  // failure only means no clipping
    for (long long y = firstY; y < endY; y += height) {
        for (long long x = firstX; x < endX; x += width) {
            const RECT tile{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x + width),
                            static_cast<LONG>(y + height)};
            box.image->Draw(m_dc, tile);
        }
    }
}

void PagePainter::FillSolid(const RECT& target, COLORREF color)
{
    const UniqueBrush brush(::CreateSolidBrush(color));
    if (brush) {
        ::FillRect(m_dc, &target, brush.get());
    }
}

void PagePainter::FrameSolid(const RECT& target, COLORREF color)
{
    const UniqueBrush brush(::CreateSolidBrush(color));
    if (brush) {
        ::FrameRect(m_dc, &target, brush.get());
    }
}

} // namespace engine
