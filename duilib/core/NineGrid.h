#pragma once
// Rectangle arithmetic of nine-grid image drawing: which part of the bitmap goes where.
// Pure: no device context is touched, so every piece can be checked on its own.

#include "common/Win32.h"

#include <functional>

namespace DuiLib {

// One blit: source (bitmap pixels) drawn over dest (target coordinates). When both
// have the same size the blit is a copy, otherwise a stretch.
struct NineGridPiece {
    RECT dest;
    RECT source;
};

struct NineGridRequest {
    RECT dest;    // where the whole image goes
    RECT paint;   // only pieces meeting this are drawn
    RECT source;  // part of the bitmap to use
    RECT corners; // border widths in bitmap pixels (left, top, right, bottom)
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;
};

enum class NineGridPath {
    Blended, // every piece is blended
    Opaque,  // an unscaled image without corners copies only its visible part
};

class CNineGrid final {
public:
    CNineGrid(const NineGridRequest& request, NineGridPath path) noexcept : m_request(request), m_path(path) {}

    // Calls visit once per piece in drawing order: the middle (one piece or its tiles),
    // then the eight borders (top-left, top, top-right, left, right, bottom-left,
    // bottom, bottom-right). Pieces with an empty source or outside the paint
    // rectangle are left out.
    void ForEachPiece(const std::function<void(const NineGridPiece&)>& visit) const;

private:
    using Visitor = std::function<void(const NineGridPiece&)>;

    [[nodiscard]] bool IsUnscaledPlainImage() const noexcept;
    void VisitMiddle(const Visitor& visit) const;
    void VisitTiles(const RECT& middle, const RECT& tile, const Visitor& visit) const;
    void VisitBorders(const Visitor& visit) const;
    void VisitIfPainted(const RECT& dest, const RECT& source, const Visitor& visit) const;

    NineGridRequest m_request;
    NineGridPath m_path;
};

} // namespace DuiLib
