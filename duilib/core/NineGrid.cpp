#include "duilib/core/NineGrid.h"

#include <algorithm>
#include <cstdint>

namespace DuiLib {

namespace {

[[nodiscard]] bool HasArea(const RECT& rc) noexcept { return rc.left < rc.right && rc.top < rc.bottom; }

[[nodiscard]] bool Meets(const RECT& a, const RECT& b) noexcept
{
    return HasArea(a) && HasArea(b) && a.left < b.right && b.left < a.right && a.top < b.bottom &&
           b.top < a.bottom;
}

[[nodiscard]] RECT Shrink(const RECT& rc, const RECT& by) noexcept
{
    return {rc.left + by.left, rc.top + by.top, rc.right - by.right, rc.bottom - by.bottom};
}

// Negative border widths would grow the middle past the destination.
[[nodiscard]] RECT NonNegative(const RECT& corners) noexcept
{
    return {std::max(0L, corners.left), std::max(0L, corners.top), std::max(0L, corners.right),
            std::max(0L, corners.bottom)};
}

} // namespace

void CNineGrid::ForEachPiece(const std::function<void(const NineGridPiece&)>& visit) const
{
    if (m_path == NineGridPath::Opaque && IsUnscaledPlainImage()) {
        RECT visible = m_request.dest;
        visible.left = std::max(visible.left, m_request.paint.left);
        visible.top = std::max(visible.top, m_request.paint.top);
        visible.right = std::min(visible.right, m_request.paint.right);
        visible.bottom = std::min(visible.bottom, m_request.paint.bottom);
        if (HasArea(visible)) {
            const LONG dx = m_request.source.left - m_request.dest.left;
            const LONG dy = m_request.source.top - m_request.dest.top;
            visit({visible, {visible.left + dx, visible.top + dy, visible.right + dx, visible.bottom + dy}});
        }
        return;
    }
    if (!m_request.hole) {
        VisitMiddle(visit);
    }
    VisitBorders(visit);
}

bool CNineGrid::IsUnscaledPlainImage() const noexcept
{
    const RECT& d = m_request.dest;
    const RECT& s = m_request.source;
    const RECT& c = m_request.corners;
    return !m_request.hole && d.right - d.left == s.right - s.left && d.bottom - d.top == s.bottom - s.top &&
           c.left == 0 && c.top == 0 && c.right == 0 && c.bottom == 0;
}

void CNineGrid::VisitMiddle(const Visitor& visit) const
{
    const RECT corners = NonNegative(m_request.corners);
    const RECT middle = Shrink(m_request.dest, corners);
    const RECT tile = Shrink(m_request.source, corners);
    // Corners as wide as the bitmap part leave no middle to stretch or tile.
    if (!Meets(middle, m_request.paint) || !HasArea(tile)) {
        return;
    }
    if (!m_request.xtiled && !m_request.ytiled) {
        visit({middle, tile});
        return;
    }
    VisitTiles(middle, tile, visit);
}

// Tiles start at the middle's top-left and are cut at its right and bottom edges.
// Along an axis that is not tiled a tile spans the whole middle (and is stretched).
void CNineGrid::VisitTiles(const RECT& middle, const RECT& tile, const Visitor& visit) const
{
    const std::int64_t stepX = m_request.xtiled ? tile.right - tile.left : middle.right - middle.left;
    const std::int64_t stepY = m_request.ytiled ? tile.bottom - tile.top : middle.bottom - middle.top;
    for (std::int64_t y = middle.top; y < middle.bottom; y += stepY) {
        const auto height = static_cast<LONG>(std::min<std::int64_t>(stepY, middle.bottom - y));
        const LONG sourceBottom = m_request.ytiled ? tile.top + height : tile.bottom;
        for (std::int64_t x = middle.left; x < middle.right; x += stepX) {
            const auto width = static_cast<LONG>(std::min<std::int64_t>(stepX, middle.right - x));
            const LONG sourceRight = m_request.xtiled ? tile.left + width : tile.right;
            const RECT dest{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x) + width,
                            static_cast<LONG>(y) + height};
            visit({dest, {tile.left, tile.top, sourceRight, sourceBottom}});
        }
    }
}

void CNineGrid::VisitBorders(const Visitor& visit) const
{
    const RECT c = NonNegative(m_request.corners);
    const RECT& d = m_request.dest;
    const RECT& s = m_request.source;
    if (c.left > 0 && c.top > 0) {
        VisitIfPainted({d.left, d.top, d.left + c.left, d.top + c.top},
                       {s.left, s.top, s.left + c.left, s.top + c.top}, visit);
    }
    if (c.top > 0) {
        VisitIfPainted({d.left + c.left, d.top, d.right - c.right, d.top + c.top},
                       {s.left + c.left, s.top, s.right - c.right, s.top + c.top}, visit);
    }
    if (c.right > 0 && c.top > 0) {
        VisitIfPainted({d.right - c.right, d.top, d.right, d.top + c.top},
                       {s.right - c.right, s.top, s.right, s.top + c.top}, visit);
    }
    if (c.left > 0) {
        VisitIfPainted({d.left, d.top + c.top, d.left + c.left, d.bottom - c.bottom},
                       {s.left, s.top + c.top, s.left + c.left, s.bottom - c.bottom}, visit);
    }
    if (c.right > 0) {
        VisitIfPainted({d.right - c.right, d.top + c.top, d.right, d.bottom - c.bottom},
                       {s.right - c.right, s.top + c.top, s.right, s.bottom - c.bottom}, visit);
    }
    if (c.left > 0 && c.bottom > 0) {
        VisitIfPainted({d.left, d.bottom - c.bottom, d.left + c.left, d.bottom},
                       {s.left, s.bottom - c.bottom, s.left + c.left, s.bottom}, visit);
    }
    if (c.bottom > 0) {
        VisitIfPainted({d.left + c.left, d.bottom - c.bottom, d.right - c.right, d.bottom},
                       {s.left + c.left, s.bottom - c.bottom, s.right - c.right, s.bottom}, visit);
    }
    if (c.right > 0 && c.bottom > 0) {
        VisitIfPainted({d.right - c.right, d.bottom - c.bottom, d.right, d.bottom},
                       {s.right - c.right, s.bottom - c.bottom, s.right, s.bottom}, visit);
    }
}

// A source with no area would be mirrored or undefined in a stretch; such a piece has
// nothing to show.
void CNineGrid::VisitIfPainted(const RECT& dest, const RECT& source, const Visitor& visit) const
{
    if (Meets(dest, m_request.paint) && HasArea(source)) {
        visit({dest, source});
    }
}

} // namespace DuiLib
