// CPaintManagerUI: notifications to the window's listeners, synchronous or queued, the
// message filters and the pre-translation of the message loops.

#include "duilib/core/PaintManager.h"

#include "duilib/control/ControlUI.h"

#include <memory>

namespace DuiLib {

namespace {

// The window that has hWnd as itself or as an ancestor, walking up the parents.
[[nodiscard]] bool IsSelfOrAncestor(HWND ancestor, HWND hWnd) noexcept
{
    for (HWND h = hWnd; h != nullptr; h = ::GetParent(h)) {
        if (h == ancestor) {
            return true;
        }
    }
    return false;
}

bool AddUnique(CStdPtrArray& list, LPVOID p)
{
    return p != nullptr && list.Find(p) < 0 && list.Add(p);
}

bool RemoveFound(CStdPtrArray& list, LPVOID p) noexcept
{
    const int index = list.Find(p);
    return index >= 0 && list.Remove(index);
}

} // namespace

void CPaintManagerUI::SendNotify(CControlUI* pControl, LPCTSTR pstrMessage, WPARAM wParam, LPARAM lParam, bool bAsync)
{
    TNotifyUI msg;
    msg.pSender = pControl;
    msg.sType = pstrMessage;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, bAsync);
}

void CPaintManagerUI::SendNotify(TNotifyUI& Msg, bool bAsync)
{
    Msg.ptMouse = m_ptLastMousePos;
    Msg.dwTimestamp = ::GetTickCount();
    if (m_bUsedVirtualWnd && Msg.pSender != nullptr) {
        Msg.sVirtualWnd = Msg.pSender->GetVirtualWnd();
    }
    if (!bAsync) {
        DeliverNotify(Msg);
        return;
    }
    auto copy = std::make_unique<TNotifyUI>(Msg);
    const bool wasEmpty = m_aAsyncNotify.IsEmpty();
    if (!m_aAsyncNotify.Add(copy.get())) {
        return;
    }
    (void)copy.release(); // owned by the queue from here on
    // The queue is delivered when the window handles a message; make sure one comes.
    if (wasEmpty && m_hWndPaint != nullptr) {
        (void)::PostMessageW(m_hWndPaint, WM_DUI_DELAYED_CLEANUP, 0, 0); // a lost wake-up waits for the next message
    }
}

void CPaintManagerUI::DeliverNotify(TNotifyUI& Msg)
{
    if (Msg.pSender != nullptr && Msg.pSender->NotifyListeners) {
        Msg.pSender->NotifyListeners(&Msg);
    }
    // By index: a notifier may register or remove notifiers while it runs.
    for (int i = 0; i < m_aNotifiers.GetSize(); ++i) {
        static_cast<INotifyUI*>(m_aNotifiers[i])->Notify(Msg);
    }
}

// In order, including what the notifiers queue meanwhile. A record whose sender went
// away is dropped: the window must never see a control that no longer exists.
void CPaintManagerUI::DeliverQueuedNotifications()
{
    while (!m_aAsyncNotify.IsEmpty()) {
        std::unique_ptr<TNotifyUI> msg(static_cast<TNotifyUI*>(m_aAsyncNotify[0]));
        (void)m_aAsyncNotify.Remove(0); // the array is not empty
        if (msg->pSender != nullptr) {
            DeliverNotify(*msg);
        }
    }
}

void CPaintManagerUI::ForgetQueuedSender(CControlUI* pControl) noexcept
{
    for (int i = 0; i < m_aAsyncNotify.GetSize(); ++i) {
        auto* msg = static_cast<TNotifyUI*>(m_aAsyncNotify[i]);
        if (msg->pSender == pControl) {
            msg->pSender = nullptr;
        }
    }
}

bool CPaintManagerUI::AddNotifier(INotifyUI* pControl)
{
    return AddUnique(m_aNotifiers, pControl);
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* pControl)
{
    return RemoveFound(m_aNotifiers, pControl);
}

bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* pFilter)
{
    return AddUnique(m_aPreMessageFilters, pFilter);
}

bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* pFilter)
{
    return RemoveFound(m_aPreMessageFilters, pFilter);
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* pFilter)
{
    return AddUnique(m_aMessageFilters, pFilter);
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* pFilter)
{
    return RemoveFound(m_aMessageFilters, pFilter);
}

bool CPaintManagerUI::AddTranslateAccelerator(ITranslateAccelerator* pTranslateAccelerator)
{
    return AddUnique(m_aTranslateAccelerator, pTranslateAccelerator);
}

bool CPaintManagerUI::RemoveTranslateAccelerator(ITranslateAccelerator* pTranslateAccelerator)
{
    return RemoveFound(m_aTranslateAccelerator, pTranslateAccelerator);
}

bool CPaintManagerUI::OfferToFilters(const CStdPtrArray& filters, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& lRes)
{
    for (int i = 0; i < filters.GetSize(); ++i) {
        bool handled = false;
        const LRESULT result = static_cast<IMessageFilterUI*>(filters[i])->MessageHandler(uMsg, wParam, lParam, handled);
        if (handled) {
            lRes = result;
            return true;
        }
    }
    return false;
}

bool CPaintManagerUI::TranslateAccelerator(LPMSG pMsg)
{
    for (int i = 0; i < m_aTranslateAccelerator.GetSize(); ++i) {
        if (static_cast<ITranslateAccelerator*>(m_aTranslateAccelerator[i])->TranslateAccelerator(pMsg) == 0) {
            return true;
        }
    }
    return false;
}

bool CPaintManagerUI::TranslateMessage(const LPMSG pMsg)
{
    if (pMsg == nullptr || pMsg->hwnd == nullptr) {
        return false;
    }
    const bool isChild = (::GetWindowLongPtrW(pMsg->hwnd, GWL_STYLE) & WS_CHILD) != 0;
    for (int i = 0; i < m_aPreMessages.GetSize(); ++i) {
        auto* manager = static_cast<CPaintManagerUI*>(m_aPreMessages[i]);
        const HWND hWndPaint = manager->GetPaintWindow();
        const bool mine = isChild ? IsSelfOrAncestor(hWndPaint, pMsg->hwnd) : pMsg->hwnd == hWndPaint;
        if (!mine) {
            continue;
        }
        if (manager->TranslateAccelerator(pMsg)) {
            return true;
        }
        LRESULT lRes = 0;
        return manager->PreMessageHandler(pMsg->message, pMsg->wParam, pMsg->lParam, lRes);
    }
    return false;
}

void CPaintManagerUI::MessageLoop()
{
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!CPaintManagerUI::TranslateMessage(&msg)) {
            (void)::TranslateMessage(&msg); // false only for messages it does not translate
            (void)::DispatchMessageW(&msg); // the window procedure's result means nothing here
        }
    }
}

} // namespace DuiLib
