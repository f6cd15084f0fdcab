// CControlUI: life, properties, geometry, visibility and events. Attributes are in
// ControlUIAttributes.cpp, painting in ControlUIPaint.cpp.

#include "duilib/control/ControlUI.h"

#include "duilib/core/DuiRect.h"
#include "duilib/core/GifHandler.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

#include <algorithm>
#include <cwchar>

namespace DuiLib {

namespace {

// The animated background's frames advance on this control timer.
constexpr UINT kGifTimerId = 1;

} // namespace

CControlUI::CControlUI() = default;

CControlUI::CControlUI(const CControlUI& src)
{
    CopyFrom(src);
}

CControlUI& CControlUI::operator=(const CControlUI& src)
{
    if (this != &src) {
        StopAnimation();
        ReleaseRegion();
        CopyFrom(src);
    }
    return *this;
}

CControlUI::~CControlUI() noexcept
{
    StopAnimation();
    ReleaseRegion();
    if (DestroyListeners) {
        DestroyListeners(this);
    }
    if (m_pManager != nullptr) {
        m_pManager->ReapObjects(this);
    }
}

void CControlUI::CopyFrom(const CControlUI& src)
{
    InitListeners = src.InitListeners;
    DestroyListeners = src.DestroyListeners;
    SizeListeners = src.SizeListeners;
    EventListeners = src.EventListeners;
    NotifyListeners = src.NotifyListeners;
    m_pManager = src.m_pManager;
    m_pParent = src.m_pParent;
    m_sVirtualWnd = src.m_sVirtualWnd;
    m_sName = src.m_sName;
    m_bUpdateNeeded = src.m_bUpdateNeeded;
    m_bMenuUsed = src.m_bMenuUsed;
    m_bVisible = src.m_bVisible;
    m_bInternVisible = src.m_bInternVisible;
    m_bEnabled = src.m_bEnabled;
    m_bMouseEnabled = src.m_bMouseEnabled;
    m_bKeyboardEnabled = src.m_bKeyboardEnabled;
    m_bFocused = src.m_bFocused;
    m_bFloat = src.m_bFloat;
    m_bSetPos = false;
    m_rcItem = src.m_rcItem;
    m_rcPadding = src.m_rcPadding;
    m_cXY = src.m_cXY;
    m_cxyFixed = src.m_cxyFixed;
    m_cxyMin = src.m_cxyMin;
    m_cxyMax = src.m_cxyMax;
    m_tRelativePos = src.m_tRelativePos;
    m_sText = src.m_sText;
    m_sToolTip = src.m_sToolTip;
    m_chShortcut = src.m_chShortcut;
    m_sUserData = src.m_sUserData;
    m_pTag = src.m_pTag;
    m_dwBackColor = src.m_dwBackColor;
    m_dwBackColor2 = src.m_dwBackColor2;
    m_dwBackColor3 = src.m_dwBackColor3;
    m_dwUserValue = src.m_dwUserValue;
    m_sBkImage = src.m_sBkImage;
    m_sForeImage = src.m_sForeImage;
    m_nForeAlpha = src.m_nForeAlpha;
    m_dwBorderColor = src.m_dwBorderColor;
    m_dwFocusBorderColor = src.m_dwFocusBorderColor;
    m_bColorHSL = src.m_bColorHSL;
    m_nBorderSize = src.m_nBorderSize;
    m_nBorderStyle = src.m_nBorderStyle;
    m_cxyBorderRound = src.m_cxyBorderRound;
    m_rcPaint = src.m_rcPaint;
    m_rcBorderSize = src.m_rcBorderSize;
    m_nTooltipWidth = src.m_nTooltipWidth;
    m_bGifAdvance = src.m_bGifAdvance;
    m_nGifDelay = 0; // the copy loads its own animation at its first paint
    m_bRandom = src.m_bRandom;
    m_bBkImageChanged = src.m_bBkImageChanged;
    if (src.m_hRgn != nullptr) {
        m_hRgn = ::CreateRectRgn(0, 0, 0, 0);
        if (m_hRgn != nullptr && ::CombineRgn(m_hRgn, src.m_hRgn, nullptr, RGN_COPY) == ERROR) {
            ReleaseRegion();
        }
    }
    m_bCanDraw = src.m_bCanDraw;
}

void CControlUI::StopAnimation()
{
    if (m_pGifHandler == nullptr) {
        return;
    }
    if (m_pManager != nullptr) {
        (void)m_pManager->KillTimer(this, kGifTimerId); // false only when it was not running
    }
    delete m_pGifHandler;
    m_pGifHandler = nullptr;
    m_nGifDelay = 0;
}

void CControlUI::ReleaseRegion() noexcept
{
    if (m_hRgn != nullptr) {
        ::DeleteObject(m_hRgn);
        m_hRgn = nullptr;
    }
}

const CDuiString& CControlUI::GetName() const
{
    return m_sName;
}

void CControlUI::SetName(LPCTSTR pstrName)
{
    m_sName = pstrName;
}

LPCTSTR CControlUI::GetClass() const
{
    return L"ControlUI";
}

LPVOID CControlUI::GetInterface(LPCTSTR pstrName)
{
    return pstrName != nullptr && std::wcscmp(pstrName, L"Control") == 0 ? this : nullptr;
}

UINT CControlUI::GetControlFlags() const
{
    return 0;
}

bool CControlUI::Activate()
{
    return IsVisible() && IsEnabled();
}

CPaintManagerUI* CControlUI::GetManager() const
{
    return m_pManager;
}

void CControlUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit)
{
    m_pManager = pManager;
    m_pParent = pParent;
    if (bInit && m_pParent != nullptr) {
        Init();
    }
}

CControlUI* CControlUI::GetParent() const
{
    return m_pParent;
}

CDuiString CControlUI::GetText() const
{
    return m_sText;
}

void CControlUI::SetText(LPCTSTR pstrText)
{
    if (m_sText == pstrText) {
        return;
    }
    m_sText = pstrText;
    Invalidate();
}

const RECT& CControlUI::GetPos() const
{
    return m_rcItem;
}

void CControlUI::SetPos(RECT rc)
{
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
    const RECT rcOld = ::IsRectEmpty(&m_rcItem) ? rc : m_rcItem;
    m_rcItem = rc;
    if (m_pManager == nullptr) {
        return;
    }
    NotifySizeListeners();
    ReanchorFloat();
    m_bUpdateNeeded = false;
    InvalidateMove(rcOld);
}

void CControlUI::NotifySizeListeners()
{
    if (m_bSetPos) {
        return;
    }
    m_bSetPos = true;
    if (SizeListeners) {
        SizeListeners(this);
    }
    m_bSetPos = false;
}

// A floating control keeps its place relative to the parent's edge it is anchored to.
void CControlUI::ReanchorFloat()
{
    if (!m_bFloat || m_pParent == nullptr) {
        return;
    }
    const RECT& parent = m_pParent->GetPos();
    m_cXY.cx = m_cXY.cx >= 0 ? m_rcItem.left - parent.left : m_rcItem.right - parent.right;
    m_cXY.cy = m_cXY.cy >= 0 ? m_rcItem.top - parent.top : m_rcItem.bottom - parent.bottom;
    m_cxyFixed.cx = m_rcItem.right - m_rcItem.left;
    m_cxyFixed.cy = m_rcItem.bottom - m_rcItem.top;
}

// Repaints where the control was and where it is, as far as its ancestors show it.
void CControlUI::InvalidateMove(const RECT& rcOld)
{
    CDuiRect invalidate(rcOld);
    invalidate.Join(m_rcItem);
    for (const CControlUI* parent = GetParent(); parent != nullptr; parent = parent->GetParent()) {
        if (!invalidate.Intersect(parent->GetPos())) {
            return;
        }
    }
    m_pManager->Invalidate(invalidate);
}

int CControlUI::GetWidth() const
{
    return m_rcItem.right - m_rcItem.left;
}

int CControlUI::GetHeight() const
{
    return m_rcItem.bottom - m_rcItem.top;
}

int CControlUI::GetX() const
{
    return m_rcItem.left;
}

int CControlUI::GetY() const
{
    return m_rcItem.top;
}

RECT CControlUI::GetPadding() const
{
    return m_rcPadding;
}

void CControlUI::SetPadding(RECT rcPadding)
{
    m_rcPadding = rcPadding;
    NeedParentUpdate();
}

SIZE CControlUI::GetFixedXY() const
{
    return m_cXY;
}

void CControlUI::SetFixedXY(SIZE szXY)
{
    m_cXY = szXY;
    SizeChanged();
}

// A floating control is placed by itself; any other by its parent's layout.
void CControlUI::SizeChanged()
{
    if (m_bFloat) {
        NeedUpdate();
    } else {
        NeedParentUpdate();
    }
}

int CControlUI::GetFixedWidth() const
{
    return m_cxyFixed.cx;
}

void CControlUI::SetFixedWidth(int cx)
{
    if (cx < 0) {
        return;
    }
    m_cxyFixed.cx = cx;
    SizeChanged();
}

int CControlUI::GetFixedHeight() const
{
    return m_cxyFixed.cy;
}

void CControlUI::SetFixedHeight(int cy)
{
    if (cy < 0) {
        return;
    }
    m_cxyFixed.cy = cy;
    SizeChanged();
}

int CControlUI::GetMinWidth() const
{
    return m_cxyMin.cx;
}

void CControlUI::SetMinWidth(int cx)
{
    if (cx < 0 || cx == m_cxyMin.cx) {
        return;
    }
    m_cxyMin.cx = cx;
    SizeChanged();
}

int CControlUI::GetMaxWidth() const
{
    return m_cxyMax.cx;
}

void CControlUI::SetMaxWidth(int cx)
{
    if (cx < 0 || cx == m_cxyMax.cx) {
        return;
    }
    m_cxyMax.cx = cx;
    SizeChanged();
}

int CControlUI::GetMinHeight() const
{
    return m_cxyMin.cy;
}

void CControlUI::SetMinHeight(int cy)
{
    if (cy < 0 || cy == m_cxyMin.cy) {
        return;
    }
    m_cxyMin.cy = cy;
    SizeChanged();
}

int CControlUI::GetMaxHeight() const
{
    return m_cxyMax.cy;
}

void CControlUI::SetMaxHeight(int cy)
{
    if (cy < 0 || cy == m_cxyMax.cy) {
        return;
    }
    m_cxyMax.cy = cy;
    SizeChanged();
}

void CControlUI::SetRelativePos(SIZE szMove, SIZE szZoom)
{
    m_tRelativePos.bRelative = true;
    m_tRelativePos.nMoveXPercent = szMove.cx;
    m_tRelativePos.nMoveYPercent = szMove.cy;
    m_tRelativePos.nZoomXPercent = szZoom.cx;
    m_tRelativePos.nZoomYPercent = szZoom.cy;
}

void CControlUI::SetRelativeParentSize(SIZE sz)
{
    m_tRelativePos.szParent = sz;
}

TRelativePosUI CControlUI::GetRelativePos() const
{
    return m_tRelativePos;
}

bool CControlUI::IsRelativePos() const
{
    return m_tRelativePos.bRelative;
}

CDuiString CControlUI::GetToolTip() const
{
    return m_sToolTip;
}

void CControlUI::SetToolTip(LPCTSTR pstrText)
{
    CDuiString text(pstrText);
    (void)text.Replace(L"<n>", L"\r\n"); // the count of replacements is of no interest
    m_sToolTip = text;
}

void CControlUI::SetToolTipWidth(int nWidth)
{
    m_nTooltipWidth = nWidth;
}

int CControlUI::GetToolTipWidth() const
{
    return m_nTooltipWidth;
}

TCHAR CControlUI::GetShortcut() const
{
    return m_chShortcut;
}

void CControlUI::SetShortcut(TCHAR ch)
{
    m_chShortcut = ch;
}

bool CControlUI::IsContextMenuUsed() const
{
    return m_bMenuUsed;
}

void CControlUI::SetContextMenuUsed(bool bMenuUsed)
{
    m_bMenuUsed = bMenuUsed;
}

void CControlUI::SetGifed(bool bGifed)
{
    m_bGifAdvance = bGifed;
    Invalidate();
}

const CDuiString& CControlUI::GetUserData() const
{
    return m_sUserData;
}

void CControlUI::SetUserData(LPCTSTR pstrText)
{
    m_sUserData = pstrText;
}

UINT_PTR CControlUI::GetTag() const
{
    return m_pTag;
}

void CControlUI::SetTag(UINT_PTR pTag)
{
    m_pTag = pTag;
}

void CControlUI::SetUserValue(DWORD dwValue)
{
    m_dwUserValue = dwValue;
}

DWORD CControlUI::GetUserValue() const
{
    return m_dwUserValue;
}

bool CControlUI::IsVisible() const
{
    return m_bVisible && m_bInternVisible;
}

void CControlUI::SetVisible(bool bVisible)
{
    if (m_bVisible == bVisible) {
        return;
    }
    const bool wasVisible = IsVisible();
    m_bVisible = bVisible;
    m_bFocused = false;
    if (!bVisible && m_pGifHandler != nullptr && m_pManager != nullptr) {
        (void)m_pManager->KillTimer(this, kGifTimerId); // false only when it was not running
    }
    if (!bVisible && m_pManager != nullptr && m_pManager->GetFocus() == this) {
        m_pManager->SetFocus(nullptr);
    }
    if (IsVisible() != wasVisible) {
        NeedParentUpdate();
    }
}

void CControlUI::SetInternVisible(bool bVisible)
{
    m_bInternVisible = bVisible;
    if (!bVisible && m_pManager != nullptr && m_pManager->GetFocus() == this) {
        m_pManager->SetFocus(nullptr);
    }
}

bool CControlUI::IsEnabled() const
{
    return m_bEnabled;
}

void CControlUI::SetEnabled(bool bEnable)
{
    if (m_bEnabled == bEnable) {
        return;
    }
    m_bEnabled = bEnable;
    Invalidate();
}

bool CControlUI::IsMouseEnabled() const
{
    return m_bMouseEnabled;
}

void CControlUI::SetMouseEnabled(bool bEnable)
{
    m_bMouseEnabled = bEnable;
}

bool CControlUI::IsKeyboardEnabled() const
{
    return m_bKeyboardEnabled;
}

void CControlUI::SetKeyboardEnabled(bool bEnable)
{
    m_bKeyboardEnabled = bEnable;
}

bool CControlUI::IsFocused() const
{
    return m_bFocused;
}

void CControlUI::SetFocus()
{
    if (m_pManager != nullptr) {
        m_pManager->SetFocus(this);
    }
}

bool CControlUI::IsFloat() const
{
    return m_bFloat;
}

void CControlUI::SetFloat(bool bFloat)
{
    if (m_bFloat == bFloat) {
        return;
    }
    m_bFloat = bFloat;
    NeedParentUpdate();
}

bool CControlUI::IsRandom() const
{
    return m_bRandom;
}

void CControlUI::SetRandom(bool bRandom)
{
    if (m_bRandom == bRandom) {
        return;
    }
    m_bRandom = bRandom;
    Invalidate();
}

CControlUI* CControlUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags)
{
    if ((uFlags & UIFIND_VISIBLE) != 0 && !IsVisible()) {
        return nullptr;
    }
    if ((uFlags & UIFIND_ENABLED) != 0 && !IsEnabled()) {
        return nullptr;
    }
    if ((uFlags & UIFIND_HITTEST) != 0 && (!IsMouseEnabled() || !HitTest(*static_cast<const POINT*>(pData)))) {
        return nullptr;
    }
    return Proc(this, pData);
}

// The hit region is kept relative to the control, so it follows the control when it moves.
bool CControlUI::HitTest(POINT pt) const
{
    if (m_bRandom && m_hRgn != nullptr) {
        return ::PtInRegion(m_hRgn, pt.x - m_rcItem.left, pt.y - m_rcItem.top) != FALSE;
    }
    return ::PtInRect(&m_rcItem, pt) != FALSE;
}

void CControlUI::Init()
{
    DoInit();
    if (InitListeners) {
        InitListeners(this);
    }
}

void CControlUI::DoInit()
{
}

void CControlUI::Event(TEventUI& event)
{
    if (EventListeners(&event)) {
        DoEvent(event);
    }
}

void CControlUI::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case kEventContextMenu:
        if (IsContextMenuUsed() && m_pManager != nullptr) {
            m_pManager->SendNotify(this, L"menu", event.wParam, event.lParam);
            return;
        }
        break;
    case kEventKillFocus:
    case kEventSetFocus:
        m_bFocused = event.Type == kEventSetFocus;
        Invalidate();
        return;
    case kEventSetCursor:
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        return;
    case kEventTimer:
        if (m_pGifHandler != nullptr && event.wParam == kGifTimerId) {
            m_bGifAdvance = true;
            NeedUpdate();
        }
        if (m_pManager != nullptr) {
            m_pManager->SendNotify(this, L"timer", event.wParam, event.lParam);
        }
        return;
    default:
        break;
    }
    if (m_pParent != nullptr) {
        m_pParent->DoEvent(event);
    }
}

SIZE CControlUI::EstimateSize(SIZE /*szAvailable*/)
{
    return m_cxyFixed;
}

void CControlUI::Invalidate()
{
    if (!IsVisible()) {
        return;
    }
    CDuiRect invalidate(m_rcItem);
    for (const CControlUI* parent = GetParent(); parent != nullptr; parent = parent->GetParent()) {
        if (!invalidate.Intersect(parent->GetPos())) {
            return;
        }
    }
    if (m_pManager != nullptr) {
        m_pManager->Invalidate(invalidate);
    }
}

bool CControlUI::IsUpdateNeeded() const
{
    return m_bUpdateNeeded;
}

void CControlUI::NeedUpdate()
{
    if (!IsVisible()) {
        return;
    }
    m_bUpdateNeeded = true;
    Invalidate();
    if (m_pManager != nullptr) {
        m_pManager->NeedUpdate();
    }
}

void CControlUI::NeedParentUpdate()
{
    if (GetParent() != nullptr) {
        GetParent()->NeedUpdate();
        GetParent()->Invalidate();
    } else {
        NeedUpdate();
    }
    if (m_pManager != nullptr) {
        m_pManager->NeedUpdate();
    }
}

DWORD CControlUI::GetAdjustColor(DWORD dwColor) const
{
    if (!m_bColorHSL) {
        return dwColor;
    }
    short H = 0;
    short S = 0;
    short L = 0;
    CPaintManagerUI::GetHSL(&H, &S, &L);
    return CRenderEngine::AdjustColor(dwColor, H, S, L);
}

void CControlUI::SetVirtualWnd(LPCTSTR pstrValue)
{
    m_sVirtualWnd = pstrValue;
    if (m_pManager != nullptr) {
        m_pManager->UsedVirtualWnd(true);
    }
}

CDuiString CControlUI::GetVirtualWnd() const
{
    if (!m_sVirtualWnd.IsEmpty()) {
        return m_sVirtualWnd;
    }
    return m_pParent != nullptr ? m_pParent->GetVirtualWnd() : CDuiString();
}

bool CControlUI::IsCanDraw() const
{
    return m_bCanDraw;
}

void CControlUI::SetCanDraw(bool bCanDraw)
{
    m_bCanDraw = bCanDraw;
}

} // namespace DuiLib
