#include "duilib/core/FrameHitTest.h"

namespace DuiLib {

LRESULT CFrameHitTest::Border(const RECT& rcClient, const RECT& rcSizeBox, POINT pt, bool maximised) noexcept
{
    if (maximised) {
        return HTNOWHERE;
    }
    const bool left = pt.x < rcClient.left + rcSizeBox.left;
    const bool right = pt.x >= rcClient.right - rcSizeBox.right;
    if (pt.y < rcClient.top + rcSizeBox.top) {
        return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    }
    if (pt.y >= rcClient.bottom - rcSizeBox.bottom) {
        return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    }
    return left ? HTLEFT : right ? HTRIGHT : HTNOWHERE;
}

bool CFrameHitTest::InCaption(const RECT& rcClient, const RECT& rcCaption, POINT pt) noexcept
{
    return pt.x >= rcClient.left + rcCaption.left && pt.x < rcClient.right - rcCaption.right &&
           pt.y >= rcCaption.top && pt.y < rcCaption.bottom;
}

} // namespace DuiLib
