// CPaintManagerUI: mouse routing. The control under the pointer gets enter, move,
// hover and leave; the control pressed holds the capture and gets the moves and the
// release wherever the pointer goes; the hovered control's tool tip is shown.

#include "duilib/core/PaintManager.h"

#include "duilib/control/ControlUI.h"

#include <windowsx.h>

namespace DuiLib {

namespace {

constexpr DWORD kDefaultHoverTime = 400;
// The tool tip sits this far below the pointer, clear of the cursor's arrow.
constexpr int kToolTipCursorGap = 20;

[[nodiscard]] POINT PointOf(LPARAM lParam) noexcept
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The MK_ bits of a mouse message, as the framework numbers them.
[[nodiscard]] WORD KeyStateOf(WPARAM wParam) noexcept
{
    WORD state = 0;
    state |= (wParam & MK_LBUTTON) != 0 ? kKeyStateLButton : 0;
    state |= (wParam & MK_RBUTTON) != 0 ? kKeyStateRButton : 0;
    state |= (wParam & MK_SHIFT) != 0 ? kKeyStateShift : 0;
    state |= (wParam & MK_CONTROL) != 0 ? kKeyStateControl : 0;
    state |= ::GetKeyState(VK_MENU) < 0 ? kKeyStateAlt : 0;
    return state;
}

} // namespace

CControlUI* CPaintManagerUI::FindOwnControl(POINT pt) const
{
    CControlUI* control = FindControl(pt);
    return control != nullptr && control->GetManager() == this ? control : nullptr;
}

void CPaintManagerUI::SetCapture()
{
    (void)::SetCapture(m_hWndPaint); // the previous capture window is of no interest
    m_bMouseCapture = true;
}

void CPaintManagerUI::ReleaseCapture()
{
    (void)::ReleaseCapture(); // fails only when this thread had no capture
    m_bMouseCapture = false;
}

void CPaintManagerUI::TrackMouse()
{
    if (m_bMouseTracking) {
        return;
    }
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_HOVER | TME_LEAVE;
    tme.hwndTrack = m_hWndPaint;
    tme.dwHoverTime = m_hwndTooltip != nullptr
                          ? static_cast<DWORD>(::SendMessageW(m_hwndTooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0))
                          : kDefaultHoverTime;
    m_bMouseTracking = ::TrackMouseEvent(&tme) != FALSE;
}

void CPaintManagerUI::OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    TrackMouse();
    POINT pt = PointOf(lParam);
    const WORD keyState = uMsg == WM_MOUSEMOVE ? KeyStateOf(wParam) : KeyStateOf(0);
    if (uMsg == WM_NCMOUSEMOVE) {
        (void)::ScreenToClient(m_hWndPaint, &pt); // the non-client area reports screen points
    }
    m_ptLastMousePos = pt;
    CControlUI* hover = FindControl(pt);
    if (hover != nullptr && hover->GetManager() != this) {
        return;
    }
    if (hover != m_pEventHover && m_pEventHover != nullptr) {
        TEventUI event = MakeEvent(kEventMouseLeave, m_pEventHover, wParam, lParam);
        event.wKeyState = keyState;
        m_pEventHover = nullptr;
        event.pSender->Event(event);
        HideToolTip();
        hover = FindOwnControl(pt); // the leave may have changed the tree
    }
    if (hover != m_pEventHover && hover != nullptr) {
        m_pEventHover = hover;
        TEventUI event = MakeEvent(kEventMouseEnter, hover, wParam, lParam);
        event.wKeyState = keyState;
        hover->Event(event);
    }
    CControlUI* target = m_pEventClick != nullptr ? m_pEventClick : m_pEventHover;
    if (target != nullptr) {
        TEventUI event = MakeEvent(kEventMouseMove, target, wParam, lParam);
        event.wKeyState = keyState;
        target->Event(event);
    }
}

bool CPaintManagerUI::OnMouseHover(LPARAM lParam)
{
    m_bMouseTracking = false;
    const POINT pt = PointOf(lParam);
    CControlUI* control = FindControl(pt);
    if (control == nullptr) {
        return false;
    }
    if (m_pEventHover != nullptr) {
        TEventUI event = MakeEvent(kEventMouseHover, m_pEventHover, 0, lParam);
        event.ptMouse = pt;
        m_pEventHover->Event(event);
    }
    control = FindControl(pt); // the hover event may have changed the tree
    if (control != nullptr) {
        ShowToolTip(control);
    }
    return true;
}

void CPaintManagerUI::ShowToolTip(CControlUI* pControl)
{
    const CDuiString text = pControl->GetToolTip();
    if (text.IsEmpty()) {
        return;
    }
    m_ToolTip = TOOLINFOW{};
    // The version-2 size is what every comctl32 accepts, with or without a manifest.
    m_ToolTip.cbSize = TTTOOLINFOW_V2_SIZE;
    m_ToolTip.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    m_ToolTip.hwnd = m_hWndPaint;
    m_ToolTip.uId = reinterpret_cast<UINT_PTR>(m_hWndPaint);
    m_ToolTip.hinst = GetInstance();
    m_ToolTip.lpszText = const_cast<LPTSTR>(text.GetData()); // the tool tip keeps its own copy
    m_ToolTip.rect = pControl->GetPos();
    if (m_hwndTooltip == nullptr) {
        const INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        (void)::InitCommonControlsEx(&icc); // already registered classes are fine too
        m_hwndTooltip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWndPaint,
                                          nullptr, GetInstance(), nullptr);
        if (m_hwndTooltip == nullptr) {
            return;
        }
        (void)::SendMessageW(m_hwndTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&m_ToolTip));
    }
    (void)::SendMessageW(m_hwndTooltip, TTM_SETMAXTIPWIDTH, 0, pControl->GetToolTipWidth());
    (void)::SendMessageW(m_hwndTooltip, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&m_ToolTip));
    POINT at = m_ptLastMousePos;
    (void)::ClientToScreen(m_hWndPaint, &at);
    (void)::SendMessageW(m_hwndTooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y + kToolTipCursorGap));
    (void)::SendMessageW(m_hwndTooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&m_ToolTip));
}

void CPaintManagerUI::HideToolTip()
{
    if (m_hwndTooltip != nullptr) {
        (void)::SendMessageW(m_hwndTooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&m_ToolTip));
    }
}

void CPaintManagerUI::OnMouseLeave()
{
    HideToolTip();
    if (m_bMouseTracking) {
        // The hover control gets its leave through the usual move handling.
        (void)::SendMessageW(m_hWndPaint, WM_MOUSEMOVE, 0, static_cast<LPARAM>(-1));
    }
    m_bMouseTracking = false;
}

void CPaintManagerUI::OnButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    TakeKeyboardFocus();
    const POINT pt = PointOf(lParam);
    m_ptLastMousePos = pt;
    CControlUI* control = FindOwnControl(pt);
    if (control == nullptr) {
        return;
    }
    m_pEventClick = control;
    if (uMsg != WM_LBUTTONDBLCLK) {
        control->SetFocus();
    }
    if (m_pEventClick == nullptr) {
        return; // the focus change took the control away
    }
    SetCapture();
    const int type = uMsg == WM_LBUTTONDOWN ? kEventButtonDown
                     : uMsg == WM_RBUTTONDOWN ? kEventRButtonDown
                                              : kEventDblClick;
    TEventUI event = MakeEvent(type, m_pEventClick, wParam, lParam);
    event.wKeyState = KeyStateOf(wParam);
    m_pEventClick->Event(event);
}

void CPaintManagerUI::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    m_ptLastMousePos = PointOf(lParam);
    ReleaseClick(kEventButtonUp, wParam, lParam);
}

// The pressed control gets the event that ends its press and is forgotten.
void CPaintManagerUI::ReleaseClick(int type, WPARAM wParam, LPARAM lParam)
{
    if (m_pEventClick == nullptr) {
        return;
    }
    ReleaseCapture();
    TEventUI event = MakeEvent(type, m_pEventClick, wParam, lParam);
    m_pEventClick = nullptr;
    event.pSender->Event(event);
}

void CPaintManagerUI::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    POINT pt = PointOf(lParam);
    (void)::ScreenToClient(m_hWndPaint, &pt);
    m_ptLastMousePos = pt;
    ReleaseClick(kEventContextMenu, wParam, lParam);
}

void CPaintManagerUI::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    POINT pt = PointOf(lParam);
    (void)::ScreenToClient(m_hWndPaint, &pt);
    m_ptLastMousePos = pt;
    CControlUI* control = FindOwnControl(pt);
    if (control == nullptr) {
        return;
    }
    // wParam 1 (SB_LINEDOWN) when the wheel turned towards the user.
    const WPARAM direction = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? SB_LINEDOWN : SB_LINEUP;
    TEventUI event = MakeEvent(kEventScrollWheel, control, direction, lParam);
    control->Event(event);
    // What lies under the pointer may have scrolled away.
    (void)::SendMessageW(m_hWndPaint, WM_MOUSEMOVE, 0, MAKELPARAM(m_ptLastMousePos.x, m_ptLastMousePos.y));
}

} // namespace DuiLib
