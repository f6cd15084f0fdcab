#include "duilib/core/WindowPlacement.h"

namespace DuiLib {

namespace {

// One axis: the window's extent is size, the centring span [centerLo, centerHi), the
// work span [workLo, workHi).
[[nodiscard]] LONG CenteredStart(LONG size, LONG centerLo, LONG centerHi, LONG workLo, LONG workHi) noexcept
{
    LONG start = (centerLo + centerHi) / 2 - size / 2;
    if (start < workLo) {
        start = workLo;
    } else if (start + size > workHi) {
        start = workHi - size;
    }
    return start;
}

} // namespace

POINT CWindowPlacement::CenteredOrigin(const RECT& rcWindow, const RECT& rcCenter, const RECT& rcWork) noexcept
{
    return POINT{CenteredStart(rcWindow.right - rcWindow.left, rcCenter.left, rcCenter.right, rcWork.left, rcWork.right),
                 CenteredStart(rcWindow.bottom - rcWindow.top, rcCenter.top, rcCenter.bottom, rcWork.top, rcWork.bottom)};
}

} // namespace DuiLib
