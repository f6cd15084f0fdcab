#include "WindowTestSupport.h"

namespace windowtest {

bool PumpUntil(const std::function<bool()>& done)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > 5000) {
            return false;
        }
        PumpPending();
        if (!done()) {
            (void)::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT); // timing out is the normal case
        }
    }
    return true;
}

void PumpPending()
{
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

RECT WindowRect(HWND hWnd)
{
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

RECT ClientRect(HWND hWnd)
{
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    return rc;
}

RECT WorkAreaOf(HWND hWnd)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

RECT Grown(const RECT& rc, int left, int top, int right, int bottom)
{
    return RECT{rc.left - left, rc.top - top, rc.right + right, rc.bottom + bottom};
}

} // namespace windowtest
