// CPaintManagerUI::MessageHandler: turns the window's messages into control events.
// Mouse messages are in PaintManagerMouse.cpp, keyboard and focus in
// PaintManagerFocus.cpp, painting in PaintManagerPaint.cpp.

#include "duilib/core/PaintManager.h"

#include "duilib/control/ControlUI.h"

#include <windowsx.h>

namespace DuiLib {

namespace {

// Messages reflected to the child window they concern come back at this offset.
constexpr UINT kReflectBase = WM_USER + 0x1C00;

// The keys held now, as the framework numbers them.
[[nodiscard]] WORD KeyStateNow() noexcept
{
    WORD state = 0;
    const struct {
        int key;
        WORD bit;
    } keys[] = {{VK_CONTROL, kKeyStateControl}, {VK_RBUTTON, kKeyStateRButton}, {VK_LBUTTON, kKeyStateLButton},
                {VK_SHIFT, kKeyStateShift}, {VK_MENU, kKeyStateAlt}};
    for (const auto& k : keys) {
        if (::GetKeyState(k.key) < 0) {
            state |= k.bit;
        }
    }
    return state;
}

// Forwards a message to the child window it concerns; false when there is none.
bool Reflect(HWND hWndChild, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes)
{
    if (hWndChild == nullptr || !::IsWindow(hWndChild)) {
        return false;
    }
    lRes = ::SendMessageW(hWndChild, kReflectBase + uMsg, wParam, lParam);
    return true;
}

} // namespace

TEventUI CPaintManagerUI::MakeEvent(int type, CControlUI* pSender, WPARAM wParam, LPARAM lParam) const
{
    TEventUI event;
    event.Type = type;
    event.pSender = pSender;
    event.dwTimestamp = ::GetTickCount();
    event.ptMouse = m_ptLastMousePos;
    event.wKeyState = KeyStateNow();
    event.wParam = wParam;
    event.lParam = lParam;
    return event;
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes)
{
    if (m_hWndPaint == nullptr) {
        return false;
    }
    DeliverQueuedNotifications();
    if (OfferToFilters(m_aMessageFilters, uMsg, wParam, lParam, lRes)) {
        return true;
    }
    if (RouteMessage(uMsg, wParam, lParam, lRes)) {
        return true;
    }
    DeliverQueuedNotifications();
    return false;
}

bool CPaintManagerUI::RouteMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes)
{
    switch (uMsg) {
    case WM_DUI_DELAYED_CLEANUP:
        DeleteDelayedCleanup();
        return false;
    case WM_SIZE:
        OnSize();
        return true;
    case WM_ACTIVATE:
        m_bWindowActive = LOWORD(wParam) != WA_INACTIVE;
        return false;
    case WM_PAINT:
        return OnPaint();
    case WM_ERASEBKGND:
        return true; // the tree paints every pixel; the system must not erase first
    case WM_CLOSE:
        OnClose();
        return false;
    case WM_SETCURSOR:
        return OnSetCursor(wParam, lParam);
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(lParam);
        return false;
    case WM_NOTIFY:
        return lParam != 0 && Reflect(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom, uMsg, wParam, lParam, lRes);
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return Reflect(reinterpret_cast<HWND>(lParam), uMsg, wParam, lParam, lRes);
    case WM_TIMER:
        OnTimer(wParam);
        return false;
    case WM_PRINTCLIENT:
        OnPrintClient(wParam, lParam);
        return false;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        OnKey(uMsg, wParam, lParam);
        return false;
    default:
        return RouteMouseMessage(uMsg, wParam, lParam);
    }
}

bool CPaintManagerUI::RouteMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        OnMouseMove(uMsg, wParam, lParam);
        return false;
    case WM_MOUSEHOVER:
        return OnMouseHover(lParam);
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        OnButtonDown(uMsg, wParam, lParam);
        return false;
    case WM_LBUTTONUP:
        OnLButtonUp(wParam, lParam);
        return false;
    case WM_CONTEXTMENU:
        OnContextMenu(wParam, lParam);
        return false;
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam, lParam);
        return false;
    default:
        return false;
    }
}

void CPaintManagerUI::OnSize()
{
    if (m_pFocus != nullptr) {
        TEventUI event = MakeEvent(kEventWindowSize, m_pFocus);
        m_pFocus->Event(event);
    }
    if (m_pRoot != nullptr) {
        m_pRoot->NeedUpdate();
    }
}

// Every control that was told "enter" or "down" is told "leave" or "up" before the
// window goes; the tree may stay, so they are forgotten too.
void CPaintManagerUI::OnClose()
{
    if (m_pEventHover != nullptr) {
        TEventUI event = MakeEvent(kEventMouseLeave, m_pEventHover);
        m_pEventHover = nullptr;
        event.pSender->Event(event);
    }
    if (m_pEventClick != nullptr) {
        TEventUI event = MakeEvent(kEventButtonUp, m_pEventClick);
        m_pEventClick = nullptr;
        ReleaseCapture();
        event.pSender->Event(event);
    }
    SetFocus(nullptr);
    const HWND owner = ::GetWindow(m_hWndPaint, GW_OWNER);
    if (owner != nullptr) {
        (void)::SetFocus(owner); // the previous focus window is of no interest
    }
}

bool CPaintManagerUI::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(lParam) != HTCLIENT) {
        return false;
    }
    if (m_bMouseCapture) {
        return true;
    }
    POINT pt{};
    (void)::GetCursorPos(&pt); // a failure leaves (0, 0), which only picks another control
    (void)::ScreenToClient(m_hWndPaint, &pt);
    CControlUI* control = FindControl(pt);
    if (control == nullptr || (control->GetControlFlags() & UIFLAG_SETCURSOR) == 0) {
        return false;
    }
    TEventUI event = MakeEvent(kEventSetCursor, control, wParam, lParam);
    event.ptMouse = pt;
    control->Event(event);
    return true;
}

void CPaintManagerUI::OnGetMinMaxInfo(LPARAM lParam) const
{
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    if (info == nullptr) {
        return;
    }
    if (m_szMinWindow.cx > 0) {
        info->ptMinTrackSize.x = m_szMinWindow.cx;
    }
    if (m_szMinWindow.cy > 0) {
        info->ptMinTrackSize.y = m_szMinWindow.cy;
    }
    if (m_szMaxWindow.cx > 0) {
        info->ptMaxTrackSize.x = m_szMaxWindow.cx;
    }
    if (m_szMaxWindow.cy > 0) {
        info->ptMaxTrackSize.y = m_szMaxWindow.cy;
    }
}

void CPaintManagerUI::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    const auto hDC = reinterpret_cast<HDC>(wParam);
    if (m_pRoot == nullptr || hDC == nullptr) {
        return;
    }
    // A window printed before it was ever painted (hidden, say) is laid out first.
    if (m_bUpdateNeeded) {
        LayOut();
    }
    RECT rcClient{};
    (void)::GetClientRect(m_hWndPaint, &rcClient); // a failure paints nothing
    const int saved = ::SaveDC(hDC);
    m_pRoot->DoPaint(hDC, rcClient);
    if ((lParam & PRF_CHILDREN) != 0) {
        for (HWND child = ::GetWindow(m_hWndPaint, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT rcChild{};
            (void)::GetWindowRect(child, &rcChild);
            (void)::MapWindowPoints(HWND_DESKTOP, m_hWndPaint, reinterpret_cast<POINT*>(&rcChild), 2);
            (void)::SetWindowOrgEx(hDC, -rcChild.left, -rcChild.top, nullptr);
            (void)::SendMessageW(child, WM_PRINT, wParam, lParam | PRF_NONCLIENT);
        }
    }
    (void)::RestoreDC(hDC, saved);
}

} // namespace DuiLib
