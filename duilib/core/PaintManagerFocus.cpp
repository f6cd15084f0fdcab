// CPaintManagerUI: keyboard focus, tab navigation, shortcuts and the keyboard events.

#include "duilib/core/PaintManager.h"

#include "duilib/control/ControlUI.h"

#include <cwchar>
#include <cwctype>

namespace DuiLib {

namespace {

// Tab stops are visited in tree order, each container before its children.
constexpr UINT kTabSearchFlags = UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_ME_FIRST;

struct TabSearch {
    CControlUI* focus; // the walk starts after (before) this control; null: the first tab stop
    CControlUI* last;  // the last tab stop seen so far
    bool forward;
    bool nextIsIt;
};

CControlUI* CALLBACK TabStop(CControlUI* pThis, LPVOID pData)
{
    auto* search = static_cast<TabSearch*>(pData);
    if (search->focus == pThis) {
        if (search->forward) {
            search->nextIsIt = true;
            return nullptr;
        }
        return search->last;
    }
    if ((pThis->GetControlFlags() & UIFLAG_TABSTOP) == 0) {
        return nullptr;
    }
    search->last = pThis;
    return search->nextIsIt || search->focus == nullptr ? pThis : nullptr;
}

struct ShortcutSearch {
    TCHAR ch;
    bool pickNext;
};

// From the control whose shortcut matches on, the first one that is not a label: a
// label's shortcut reaches the control after it.
CControlUI* CALLBACK ShortcutTarget(CControlUI* pThis, LPVOID pData)
{
    auto* search = static_cast<ShortcutSearch*>(pData);
    if (pThis->GetShortcut() != 0 && std::towupper(pThis->GetShortcut()) == search->ch) {
        search->pickNext = true;
    }
    if (std::wcsstr(pThis->GetClass(), L"LabelUI") != nullptr) {
        return nullptr;
    }
    return search->pickNext ? pThis : nullptr;
}

} // namespace

void CPaintManagerUI::TakeKeyboardFocus() const
{
    if (m_hWndPaint != nullptr && ::GetFocus() != m_hWndPaint) {
        (void)::SetFocus(m_hWndPaint); // the previous focus window is of no interest
    }
}

// The focus, if any, is told it loses the focus to next, and forgotten.
void CPaintManagerUI::DropFocus(CControlUI* next)
{
    if (m_pFocus == nullptr) {
        return;
    }
    CControlUI* old = m_pFocus;
    m_pFocus = nullptr;
    TEventUI event = MakeEvent(kEventKillFocus, next);
    old->Event(event);
    SendNotify(old, L"killfocus");
}

void CPaintManagerUI::SetFocus(CControlUI* pControl)
{
    if (pControl != m_pFocus) {
        TakeKeyboardFocus();
    }
    if (pControl == m_pFocus) {
        return;
    }
    DropFocus(pControl);
    if (pControl == nullptr || pControl->GetManager() != this || !pControl->IsVisible() || !pControl->IsEnabled()) {
        return;
    }
    m_pFocus = pControl;
    TEventUI event = MakeEvent(kEventSetFocus, pControl);
    pControl->Event(event);
    if (m_pFocus == pControl) {
        SendNotify(pControl, L"setfocus");
    }
}

void CPaintManagerUI::SetFocusNeeded(CControlUI* pControl)
{
    TakeKeyboardFocus();
    if (pControl == nullptr) {
        return;
    }
    DropFocus(pControl);
    if (m_pRoot == nullptr) {
        return;
    }
    // The tab stop before pControl: the forward move at the next paint lands on pControl.
    TabSearch search{pControl, nullptr, false, false};
    m_pFocus = m_pRoot->FindControl(TabStop, &search, kTabSearchFlags);
    m_bFocusNeeded = true;
    m_pRoot->NeedUpdate();
}

bool CPaintManagerUI::SetNextTabControl(bool bForward)
{
    if (m_bUpdateNeeded && bForward) {
        m_bFocusNeeded = true;
        (void)::InvalidateRect(m_hWndPaint, nullptr, FALSE); // fails only without a window
        return true;
    }
    CControlUI* next = FindTabStop(bForward);
    if (next != nullptr) {
        next->SetFocus();
    }
    m_bFocusNeeded = false;
    return true;
}

CControlUI* CPaintManagerUI::FindTabStop(bool bForward) const
{
    if (m_pRoot == nullptr) {
        return nullptr;
    }
    TabSearch search{m_pFocus, nullptr, bForward, false};
    CControlUI* found = m_pRoot->FindControl(TabStop, &search, kTabSearchFlags);
    if (found != nullptr || !bForward) {
        // Backward past the first tab stop: the walk went on to the last one.
        return found != nullptr ? found : search.last;
    }
    TabSearch wrap{nullptr, nullptr, true, false};
    return m_pRoot->FindControl(TabStop, &wrap, kTabSearchFlags);
}

void CPaintManagerUI::OnKey(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_KEYUP) {
        if (m_pEventKey != nullptr) {
            TEventUI event = MakeEvent(kEventKeyUp, m_pEventKey, wParam, lParam);
            event.chKey = static_cast<TCHAR>(wParam);
            m_pEventKey = nullptr;
            event.pSender->Event(event);
        }
        return;
    }
    if (m_pFocus == nullptr) {
        return;
    }
    TEventUI event = MakeEvent(uMsg == WM_KEYDOWN ? kEventKeyDown : kEventChar, m_pFocus, wParam, lParam);
    event.chKey = static_cast<TCHAR>(wParam);
    if (uMsg == WM_KEYDOWN) {
        m_pEventKey = m_pFocus;
    }
    m_pFocus->Event(event);
}

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes)
{
    if (OfferToFilters(m_aPreMessageFilters, uMsg, wParam, lParam, lRes)) {
        return true;
    }
    switch (uMsg) {
    case WM_KEYDOWN:
        if (wParam != VK_TAB) {
            return false;
        }
        // Tab moves on, Shift+Tab back.
        return SetNextTabControl(::GetKeyState(VK_SHIFT) >= 0);
    case WM_SYSKEYDOWN:
        if (m_pFocus != nullptr) {
            TEventUI event = MakeEvent(kEventSysKey, m_pFocus, wParam, lParam);
            event.chKey = static_cast<TCHAR>(wParam);
            m_pFocus->Event(event);
        }
        return false;
    case WM_SYSCHAR:
        return ActivateShortcut(wParam);
    default:
        return false;
    }
}

bool CPaintManagerUI::ActivateShortcut(WPARAM wParam)
{
    if (m_pRoot == nullptr) {
        return false;
    }
    ShortcutSearch search{static_cast<TCHAR>(std::towupper(static_cast<wint_t>(wParam))), false};
    CControlUI* control = m_pRoot->FindControl(ShortcutTarget, &search, kTabSearchFlags);
    if (control == nullptr) {
        return false;
    }
    control->SetFocus();
    (void)control->Activate(); // what the control does is its own business
    return true;
}

} // namespace DuiLib
