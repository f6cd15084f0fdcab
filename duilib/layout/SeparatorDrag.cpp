#include "duilib/layout/SeparatorDrag.h"

#include <algorithm>

namespace DuiLib {

RECT CSeparatorDrag::Strip(bool vertical, const RECT& rc, int sepSize) noexcept
{
    RECT strip = rc;
    LONG& nearEdge = vertical ? strip.top : strip.left;
    LONG& farEdge = vertical ? strip.bottom : strip.right;
    if (sepSize < 0) {
        farEdge = std::min<LONG>(nearEdge - sepSize, farEdge);
    } else if (sepSize > 0) {
        nearEdge = std::max<LONG>(nearEdge, farEdge - sepSize);
    } else {
        farEdge = nearEdge;
    }
    return strip;
}

bool CSeparatorDrag::Move(bool vertical, int sepSize, LONG pointer, LONG delta, RECT& rc, int minimum,
                          int maximum) noexcept
{
    LONG nearEdge = vertical ? rc.top : rc.left;
    LONG farEdge = vertical ? rc.bottom : rc.right;
    const LONG before = farEdge - nearEdge;
    // A move is followed only while the pointer is on the strip's side it moves from.
    const LONG stripStart = sepSize < 0 ? nearEdge : farEdge - sepSize;
    const LONG stripEnd = sepSize < 0 ? nearEdge - sepSize : farEdge;
    if ((delta > 0 && pointer < stripStart) || (delta < 0 && pointer > stripEnd) || sepSize == 0) {
        return false;
    }
    LONG& moving = sepSize < 0 ? nearEdge : farEdge;
    const LONG anchor = sepSize < 0 ? farEdge : nearEdge;
    const LONG direction = sepSize < 0 ? -1 : 1; // the length grows when the far edge moves on
    moving += delta;
    if (minimum >= farEdge - nearEdge) {
        if (before <= minimum) {
            return false;
        }
        moving = anchor + direction * minimum;
    }
    if (farEdge - nearEdge >= maximum) {
        if (before >= maximum) {
            return false;
        }
        moving = anchor + direction * maximum;
    }
    (vertical ? rc.top : rc.left) = nearEdge;
    (vertical ? rc.bottom : rc.right) = farEdge;
    return true;
}

} // namespace DuiLib
