// WindowImplBase: the message flow, notifications, the system buttons, Alt+F4 and the
// shadow. The frame handlers are in WindowImplBaseFrame.cpp, the skin in
// WindowImplBaseSkin.cpp.

#include "duilib/core/WindowImplBase.h"

#include "duilib/control/ControlUI.h"
#include "duilib/core/WndShadow.h"

namespace DuiLib {

LPBYTE WindowImplBase::m_lpResourceZIPBuffer = nullptr;

DUI_BEGIN_MESSAGE_MAP(WindowImplBase, CNotifyPump)
DUI_ON_MSGTYPE(L"click", OnClick)
DUI_ON_MSGTYPE(L"selectchanged", OnSelectChanged)
DUI_END_MESSAGE_MAP()

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase() noexcept = default;

UINT WindowImplBase::GetClassStyle() const
{
    return CS_DBLCLKS;
}

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    BOOL bHandled = TRUE;
    LRESULT lRes = RouteFrameMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled) {
        return lRes;
    }
    lRes = HandleCustomMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled) {
        return lRes;
    }
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) {
        if (uMsg == WM_PAINT) {
            LookAfterShadow();
        }
        return lRes;
    }
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

LRESULT WindowImplBase::RouteFrameMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    switch (uMsg) {
    case WM_CREATE: return OnCreate(uMsg, wParam, lParam, bHandled);
    case WM_CLOSE: return OnClose(uMsg, wParam, lParam, bHandled);
    case WM_DESTROY: return OnDestroy(uMsg, wParam, lParam, bHandled);
    case WM_NCACTIVATE: return OnNcActivate(uMsg, wParam, lParam, bHandled);
    case WM_NCCALCSIZE: return OnNcCalcSize(uMsg, wParam, lParam, bHandled);
    case WM_NCPAINT: return OnNcPaint(uMsg, wParam, lParam, bHandled);
    case WM_NCHITTEST: return OnNcHitTest(uMsg, wParam, lParam, bHandled);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(uMsg, wParam, lParam, bHandled);
    case WM_SIZE: return OnSize(uMsg, wParam, lParam, bHandled);
    case WM_SYSCOMMAND: return OnSysCommand(uMsg, wParam, lParam, bHandled);
    case WM_COMMAND: return OnCommand(uMsg, wParam, lParam, bHandled);
    default: return RouteInputMessage(uMsg, wParam, lParam, bHandled);
    }
}

LRESULT WindowImplBase::RouteInputMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    switch (uMsg) {
    case WM_MOUSEWHEEL: return OnMouseWheel(uMsg, wParam, lParam, bHandled);
    case WM_MOUSEHOVER: return OnMouseHover(uMsg, wParam, lParam, bHandled);
    case WM_CHAR: return OnChar(uMsg, wParam, lParam, bHandled);
    case WM_KEYDOWN: return OnKeyDown(uMsg, wParam, lParam, bHandled);
    case WM_KILLFOCUS: return OnKillFocus(uMsg, wParam, lParam, bHandled);
    case WM_SETFOCUS: return OnSetFocus(uMsg, wParam, lParam, bHandled);
    case WM_LBUTTONDOWN: return OnLButtonDown(uMsg, wParam, lParam, bHandled);
    case WM_LBUTTONUP: return OnLButtonUp(uMsg, wParam, lParam, bHandled);
    case WM_MOUSEMOVE: return OnMouseMove(uMsg, wParam, lParam, bHandled);
    default:
        bHandled = FALSE;
        return 0;
    }
}

LRESULT WindowImplBase::HandleCustomMessage(UINT /*uMsg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, BOOL& bHandled)
{
    bHandled = FALSE;
    return 0;
}

void WindowImplBase::OnFinalMessage(HWND /*hWnd*/)
{
    m_pWndShadow.reset();
    m_pm.RemovePreMessageFilter(this);
    m_pm.RemoveNotifier(this);
    if (m_pm.GetRoot() != nullptr) {
        m_pm.ReapObjects(m_pm.GetRoot());
    }
}

void WindowImplBase::Notify(TNotifyUI& msg)
{
    if (msg.sType == L"windowinit") {
        OnPrepare(msg);
    }
    NotifyPump(msg);
}

void WindowImplBase::OnClick(TNotifyUI& msg)
{
    CControlUI* sender = msg.pSender;
    if (sender == nullptr) {
        return;
    }
    if (sender == m_pbtnClose) {
        OnCloseWnd();
    } else if (sender == m_pbtnMin) {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (sender == m_pbtnMax || sender == m_pbtnRestore) {
        SendMessage(WM_SYSCOMMAND, sender == m_pbtnMax ? SC_MAXIMIZE : SC_RESTORE, 0);
        // The buttons follow what the command did, not what it asked for.
        ShowMaxRestore(::IsZoomed(m_hWnd) != FALSE);
    }
}

void WindowImplBase::ShowMaxRestore(bool maximised)
{
    if (m_pbtnMax != nullptr) {
        m_pbtnMax->SetVisible(!maximised);
    }
    if (m_pbtnRestore != nullptr) {
        m_pbtnRestore->SetVisible(maximised);
    }
}

void WindowImplBase::OnSelectChanged(TNotifyUI& /*msg*/) {}

void WindowImplBase::OnPrepare(TNotifyUI& /*msg*/) {}

void WindowImplBase::OnCloseWnd()
{
    Close(1);
}

LRESULT WindowImplBase::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM /*lParam*/, bool& bHandled)
{
    if (uMsg != WM_SYSKEYDOWN || wParam != VK_F4) {
        return 0;
    }
    if (m_pbtnClose != nullptr) {
        m_pm.SendNotify(m_pbtnClose, L"click");
    }
    // The key stops here either way: passed on, the system's Alt+F4 would ask the
    // window to close a second time, and without a close button not at all.
    bHandled = true;
    return 1;
}

CControlUI* WindowImplBase::CreateControl(LPCTSTR /*pstrClass*/)
{
    return nullptr;
}

HDC WindowImplBase::GetPaintDC()
{
    return m_pm.GetPaintDC();
}

HDC WindowImplBase::GetMemDC()
{
    return nullptr;
}

void WindowImplBase::ReleaseMemDC(HDC /*hDC*/) {}

void WindowImplBase::SetCanDraw(bool bCanDraw)
{
    m_pm.SetCanDraw(bCanDraw);
}

bool WindowImplBase::IsCanDraw()
{
    return m_pm.IsCanDraw();
}

void WindowImplBase::ReDraw()
{
    m_pm.ReDraw();
}

void WindowImplBase::LookAfterShadow()
{
    if (m_pWndShadow == nullptr && CWndShadow::IsInitialized() && m_pm.IsUseShadow()) {
        m_pWndShadow = std::make_unique<CWndShadow>();
        m_pWndShadow->SetBkImage(m_pm.GetShadowImage());
        m_pWndShadow->SetBorder(m_pm.GetShadowBorder());
        m_pWndShadow->Create(m_hWnd, &m_pm);
    }
    if (m_pWndShadow != nullptr && (!::IsIconic(m_hWnd) || ::IsWindowVisible(m_hWnd))) {
        m_pWndShadow->SetPrepared();
    }
}

} // namespace DuiLib
