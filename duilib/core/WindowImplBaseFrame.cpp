// WindowImplBase: the frame without a system frame. The whole window is client area;
// borders and caption exist only for hit testing.

#include "duilib/core/WindowImplBase.h"

#include "common/Handles.h"
#include "duilib/control/ControlUI.h"
#include "duilib/core/FrameHitTest.h"

#include <windowsx.h>

namespace DuiLib {

namespace {

LRESULT Unhandled(BOOL& bHandled) noexcept
{
    bHandled = FALSE;
    return 0;
}

} // namespace

LRESULT WindowImplBase::OnNcActivate(UINT /*uMsg*/, WPARAM wParam, LPARAM /*lParam*/, BOOL& bHandled)
{
    if (::IsIconic(m_hWnd)) {
        bHandled = FALSE;
    }
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT /*uMsg*/, WPARAM /*wParam*/, LPARAM lParam, BOOL& /*bHandled*/)
{
    // With and without NCCALCSIZE_PARAMS, lParam begins with the proposed rectangle.
    auto* proposed = reinterpret_cast<RECT*>(lParam);
    if (!::IsZoomed(m_hWnd)) {
        return 0;
    }
    const RECT work = MonitorNear(m_hWnd).rcWork;
    proposed->right = proposed->left + (work.right - work.left);
    proposed->bottom = proposed->top + (work.bottom - work.top);
    return WVR_REDRAW;
}

LRESULT WindowImplBase::OnNcPaint(UINT /*uMsg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, BOOL& /*bHandled*/)
{
    return 0;
}

LRESULT WindowImplBase::OnNcHitTest(UINT /*uMsg*/, WPARAM /*wParam*/, LPARAM lParam, BOOL& /*bHandled*/)
{
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_hWnd, &pt);
    RECT rcClient{};
    ::GetClientRect(m_hWnd, &rcClient);
    const LRESULT border = CFrameHitTest::Border(rcClient, m_pm.GetSizeBox(), pt, ::IsZoomed(m_hWnd) != FALSE);
    if (border != HTNOWHERE) {
        return border;
    }
    if (CFrameHitTest::InCaption(rcClient, m_pm.GetCaptionRect(), pt)) {
        CControlUI* control = m_pm.FindControl(pt);
        if (control != nullptr && !HitTestControl(control)) {
            return HTCAPTION;
        }
    }
    return HTCLIENT;
}

bool WindowImplBase::HitTestControl(CControlUI* pControl)
{
    const CDuiString className = pControl->GetClass();
    return className.CompareNoCase(L"ButtonUI") == 0 || className.CompareNoCase(L"OptionUI") == 0 ||
           className.CompareNoCase(L"EditUI") == 0;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT /*uMsg*/, WPARAM /*wParam*/, LPARAM lParam, BOOL& bHandled)
{
    const MONITORINFO monitor = MonitorNear(m_hWnd);
    const RECT& work = monitor.rcWork;
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    // The maximised position counts from the monitor's corner.
    info->ptMaxPosition = POINT{work.left - monitor.rcMonitor.left, work.top - monitor.rcMonitor.top};
    info->ptMaxTrackSize = POINT{work.right - work.left, work.bottom - work.top};
    const SIZE minimum = m_pm.GetMinInfo();
    info->ptMinTrackSize = POINT{minimum.cx, minimum.cy};
    // The manager applies "mininfo" and "maxinfo" after this.
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT /*uMsg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, BOOL& bHandled)
{
    bHandled = FALSE;
    const SIZE corner = m_pm.GetRoundCorner();
    RECT rcWindow{};
    if (::IsIconic(m_hWnd) || (corner.cx == 0 && corner.cy == 0) || !::GetWindowRect(m_hWnd, &rcWindow)) {
        return 0;
    }
    // Round rectangle regions leave out their right and bottom edges.
    UniqueRegion region(::CreateRoundRectRgn(0, 0, rcWindow.right - rcWindow.left + 1,
                                             rcWindow.bottom - rcWindow.top + 1, corner.cx, corner.cy));
    if (region && ::SetWindowRgn(m_hWnd, region.get(), TRUE) != 0) {
        (void)region.release(); // the window owns its region now
    }
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& /*bHandled*/)
{
    // The low four bits of the command are the system's own.
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        OnCloseWnd();
        return 1;
    }
    const bool wasZoomed = ::IsZoomed(m_hWnd) != FALSE;
    const LRESULT lRes = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    const bool zoomed = ::IsZoomed(m_hWnd) != FALSE;
    if (zoomed != wasZoomed) {
        ShowMaxRestore(zoomed);
    }
    return lRes;
}

LRESULT WindowImplBase::OnCommand(UINT /*uMsg*/, WPARAM wParam, LPARAM /*lParam*/, BOOL& bHandled)
{
    bHandled = FALSE;
    if (wParam > 0xFFFF) {
        return 0;
    }
    return OnMenuClick(LOWORD(wParam), bHandled);
}

LRESULT WindowImplBase::OnMenuClick(WORD /*id*/, BOOL& /*bHandled*/)
{
    return 1;
}

LONG WindowImplBase::GetStyle()
{
    return static_cast<LONG>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CAPTION));
}

// Handlers the base leaves to the paint manager and the default procedure.
LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }
LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }
LRESULT WindowImplBase::OnMouseWheel(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }
LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }
LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }
LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }
LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }
LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }
LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }
LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }
LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, BOOL& bHandled) { return Unhandled(bHandled); }

} // namespace DuiLib
