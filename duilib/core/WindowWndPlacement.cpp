// CWindowWnd: showing, the modal loop, icons and placement.

#include "duilib/core/WindowWnd.h"

#include "duilib/core/PaintManager.h"
#include "duilib/core/WindowPlacement.h"

#include <utility>

namespace DuiLib {

namespace {

void GiveBackToOwner(HWND hWndOwner) noexcept
{
    if (hWndOwner != nullptr) {
        ::EnableWindow(hWndOwner, TRUE);
        ::SetFocus(hWndOwner);
    }
}

// Icons come in multiples of 16 pixels; the system's size is rounded up to one.
[[nodiscard]] int IconSide(int metric) noexcept
{
    return (::GetSystemMetrics(metric) + 15) & ~15;
}

} // namespace

MONITORINFO CWindowWnd::MonitorNear(HWND hWnd) noexcept
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    // A nearest monitor always exists, so the call cannot fail.
    (void)::GetMonitorInfoW(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor;
}

void CWindowWnd::ShowWindow(bool bShow, bool bTakeFocus)
{
    if (!::IsWindow(m_hWnd)) {
        return;
    }
    ::ShowWindow(m_hWnd, !bShow ? SW_HIDE : bTakeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
    if (bShow) {
        ::UpdateWindow(m_hWnd);
    }
}

UINT CWindowWnd::ShowModal()
{
    const HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    if (hWndOwner != nullptr) {
        ::EnableWindow(hWndOwner, FALSE);
    }
    UINT nRet = 0;
    bool quit = false;
    MSG msg{};
    while (::IsWindow(m_hWnd)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            break;
        }
        if (msg.message == WM_CLOSE && msg.hwnd == m_hWnd) {
            nRet = static_cast<UINT>(msg.wParam);
            // The owner must be enabled before this window goes, or activation would
            // pass to another application.
            GiveBackToOwner(hWndOwner);
        }
        if (!CPaintManagerUI::TranslateMessage(&msg)) {
            (void)::TranslateMessage(&msg); // false only for messages it does not translate
            (void)::DispatchMessageW(&msg); // the window procedure's result means nothing here
        }
    }
    GiveBackToOwner(hWndOwner);
    if (quit) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    }
    return nRet;
}

void CWindowWnd::Close(UINT nRet)
{
    PostMessage(WM_CLOSE, static_cast<WPARAM>(nRet), 0);
}

void CWindowWnd::CenterWindow()
{
    const HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    const RECT rcWork = MonitorNear(hWndOwner != nullptr ? hWndOwner : m_hWnd).rcWork;
    RECT rcCenter = rcWork;
    if (hWndOwner != nullptr && !::IsIconic(hWndOwner) && ::IsWindowVisible(hWndOwner)) {
        ::GetWindowRect(hWndOwner, &rcCenter);
    }
    RECT rcWindow{};
    ::GetWindowRect(m_hWnd, &rcWindow);
    const POINT origin = CWindowPlacement::CenteredOrigin(rcWindow, rcCenter, rcWork);
    ::SetWindowPos(m_hWnd, nullptr, origin.x, origin.y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::SetIcon(UINT nRes)
{
    const auto load = [nRes] {
        return UniqueIcon(static_cast<HICON>(::LoadImageW(CPaintManagerUI::GetInstance(), MAKEINTRESOURCEW(nRes),
                                                          IMAGE_ICON, IconSide(SM_CXICON), IconSide(SM_CYICON),
                                                          LR_DEFAULTCOLOR)));
    };
    UniqueIcon big = load();
    UniqueIcon small = load();
    if (!big || !small) {
        return;
    }
    // The window does not own the icons it is given; the previous ones are freed only
    // after it has let go of them.
    (void)::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    (void)::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    m_bigIcon = std::move(big);
    m_smallIcon = std::move(small);
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageW(m_hWnd, uMsg, wParam, lParam);
}

BOOL CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return m_hWnd != nullptr && ::PostMessageW(m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::ResizeClient(int cx, int cy)
{
    RECT rc{};
    if (!::GetClientRect(m_hWnd, &rc)) {
        return;
    }
    if (cx != -1) {
        rc.right = cx;
    }
    if (cy != -1) {
        rc.bottom = cy;
    }
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    const bool menu = (style & WS_CHILD) == 0 && ::GetMenu(m_hWnd) != nullptr;
    if (!::AdjustWindowRectEx(&rc, style, menu, exStyle)) {
        return;
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

bool CWindowWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return SetStyle(GWL_STYLE, dwRemove, dwAdd, nFlags);
}

bool CWindowWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return SetStyle(GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

bool CWindowWnd::SetStyle(int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const auto old = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, index));
    const DWORD style = (old & ~dwRemove) | dwAdd;
    if (style == old) {
        return false;
    }
    ::SetWindowLongPtrW(m_hWnd, index, static_cast<LONG_PTR>(style));
    if (nFlags != 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return true;
}

void CWindowWnd::MoveWindow(int x, int y, int cx, int cy, bool bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint);
}

void CWindowWnd::MoveWindow(const RECT& rc, bool bRepaint)
{
    POINT origin{rc.left, rc.top};
    ::ClientToScreen(m_hWnd, &origin);
    ::MoveWindow(m_hWnd, origin.x, origin.y, rc.right - rc.left, rc.bottom - rc.top, bRepaint);
}

void CWindowWnd::FullScreen()
{
    RECT rcWindow{};
    if (!::GetWindowRect(m_hWnd, &rcWindow)) {
        return;
    }
    m_rcRestore = CDuiRect(rcWindow);
    const RECT rcWork = MonitorNear(m_hWnd).rcWork;
    ::SetWindowPos(m_hWnd, nullptr, rcWork.left, rcWork.top, rcWork.right - rcWork.left, rcWork.bottom - rcWork.top,
                   SWP_SHOWWINDOW | SWP_NOZORDER);
}

void CWindowWnd::RestoreScreen()
{
    if (m_rcRestore.IsNull()) {
        return; // never full screen
    }
    ::SetWindowPos(m_hWnd, nullptr, m_rcRestore.left, m_rcRestore.top, m_rcRestore.GetWidth(),
                   m_rcRestore.GetHeight(), SWP_SHOWWINDOW | SWP_NOZORDER);
}

} // namespace DuiLib
