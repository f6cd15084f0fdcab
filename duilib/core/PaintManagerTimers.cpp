// CPaintManagerUI: control timers. Each control timer runs as a platform timer of the
// window with a native id of its own; WM_TIMER is routed back to the control.

#include "duilib/core/PaintManager.h"

#include "duilib/control/ControlUI.h"

namespace DuiLib {

namespace {

// Native ids cycle through 0 .. kNativeIdCount - 1.
constexpr UINT kNativeIdCount = 255;

} // namespace

struct CPaintManagerUI::TimerInfo {
    CControlUI* pSender;
    UINT nLocalID;
    HWND hWnd;
    UINT uWinTimer;
    bool bKilled;
};

CPaintManagerUI::TimerInfo* CPaintManagerUI::FindTimer(CControlUI* pControl, UINT nTimerID) const noexcept
{
    for (int i = 0; i < m_aTimers.GetSize(); ++i) {
        auto* timer = static_cast<TimerInfo*>(m_aTimers[i]);
        if (timer->pSender == pControl && timer->hWnd == m_hWndPaint && timer->nLocalID == nTimerID) {
            return timer;
        }
    }
    return nullptr;
}

// The next id of the cycle that no record of this window holds: two timers on one
// native id would stop each other and deliver to the wrong control.
bool CPaintManagerUI::NextNativeTimerId(UINT& uNativeId) noexcept
{
    for (UINT attempt = 0; attempt < kNativeIdCount; ++attempt) {
        m_uTimerID = (m_uTimerID + 1) % kNativeIdCount;
        bool taken = false;
        for (int i = 0; i < m_aTimers.GetSize() && !taken; ++i) {
            const auto* timer = static_cast<const TimerInfo*>(m_aTimers[i]);
            taken = timer->hWnd == m_hWndPaint && timer->uWinTimer == m_uTimerID;
        }
        if (!taken) {
            uNativeId = m_uTimerID;
            return true;
        }
    }
    return false;
}

bool CPaintManagerUI::SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse)
{
    if (pControl == nullptr || m_hWndPaint == nullptr) {
        return false;
    }
    TimerInfo* existing = FindTimer(pControl, nTimerID);
    if (existing != nullptr) {
        if (!existing->bKilled || ::SetTimer(m_hWndPaint, existing->uWinTimer, uElapse, nullptr) == 0) {
            return false;
        }
        existing->bKilled = false;
        return true;
    }
    UINT nativeId = 0;
    if (!NextNativeTimerId(nativeId) || ::SetTimer(m_hWndPaint, nativeId, uElapse, nullptr) == 0) {
        return false;
    }
    auto* timer = new TimerInfo{pControl, nTimerID, m_hWndPaint, nativeId, false};
    if (!m_aTimers.Add(timer)) {
        (void)::KillTimer(m_hWndPaint, nativeId); // it was just started
        delete timer;
        return false;
    }
    return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* pControl, UINT nTimerID)
{
    TimerInfo* timer = FindTimer(pControl, nTimerID);
    if (timer == nullptr || timer->bKilled) {
        return false;
    }
    if (::IsWindow(m_hWndPaint)) {
        (void)::KillTimer(timer->hWnd, timer->uWinTimer); // fails only for a timer the platform dropped
    }
    timer->bKilled = true;
    return true;
}

void CPaintManagerUI::KillTimer(CControlUI* pControl)
{
    for (int i = m_aTimers.GetSize() - 1; i >= 0; --i) {
        auto* timer = static_cast<TimerInfo*>(m_aTimers[i]);
        if (timer->pSender == pControl && timer->hWnd == m_hWndPaint) {
            if (!timer->bKilled && ::IsWindow(m_hWndPaint)) {
                (void)::KillTimer(timer->hWnd, timer->uWinTimer); // as above
            }
            delete timer;
            (void)m_aTimers.Remove(i); // i is inside the array
        }
    }
}

void CPaintManagerUI::RemoveAllTimers()
{
    for (int i = 0; i < m_aTimers.GetSize(); ++i) {
        auto* timer = static_cast<TimerInfo*>(m_aTimers[i]);
        if (!timer->bKilled && ::IsWindow(timer->hWnd)) {
            (void)::KillTimer(timer->hWnd, timer->uWinTimer); // as above
        }
        delete timer;
    }
    m_aTimers.Empty();
}

void CPaintManagerUI::OnTimer(WPARAM wParam)
{
    const UINT nativeId = LOWORD(wParam);
    for (int i = 0; i < m_aTimers.GetSize(); ++i) {
        const auto* timer = static_cast<const TimerInfo*>(m_aTimers[i]);
        if (timer->hWnd == m_hWndPaint && timer->uWinTimer == nativeId && !timer->bKilled) {
            TEventUI event = MakeEvent(kEventTimer, timer->pSender, timer->nLocalID, 0);
            timer->pSender->Event(event);
            return;
        }
    }
}

} // namespace DuiLib
