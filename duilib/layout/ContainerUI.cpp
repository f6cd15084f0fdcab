// CContainerUI: the item list, placement, painting, searching and events. Scrolling
// is in ContainerUIScroll.cpp.

#include "duilib/layout/ContainerUI.h"

#include "duilib/control/ScrollBarUI.h"
#include "duilib/core/AttributeValue.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderClip.h"

#include <algorithm>
#include <cwchar>

namespace DuiLib {

namespace {

// Reaps a control of a subtree that leaves the window alive.
CControlUI* CALLBACK ForgetInManager(CControlUI* pThis, LPVOID pData)
{
    static_cast<CPaintManagerUI*>(pData)->ReapObjects(pThis);
    return nullptr;
}

[[nodiscard]] bool Meets(const RECT& a, const RECT& b) noexcept
{
    RECT overlap{};
    return ::IntersectRect(&overlap, &a, &b) != FALSE;
}

} // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() noexcept
{
    m_bDelayedDestroy = false;
    RemoveAll();
    delete m_pVerticalScrollBar;
    delete m_pHorizontalScrollBar;
}

LPCTSTR CContainerUI::GetClass() const
{
    return L"ContainerUI";
}

LPVOID CContainerUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"IContainer") == 0) {
        return static_cast<IContainerUI*>(this);
    }
    if (pstrName != nullptr && std::wcscmp(pstrName, L"Container") == 0) {
        return static_cast<CContainerUI*>(this);
    }
    return CControlUI::GetInterface(pstrName);
}

CControlUI* CContainerUI::GetItemAt(int iIndex) const
{
    return static_cast<CControlUI*>(m_items.GetAt(iIndex));
}

int CContainerUI::GetItemIndex(CControlUI* pControl) const
{
    return pControl != nullptr ? m_items.Find(pControl) : -1;
}

bool CContainerUI::SetItemIndex(CControlUI* pControl, int iIndex)
{
    const int current = GetItemIndex(pControl);
    if (current < 0 || iIndex < 0 || iIndex >= m_items.GetSize()) {
        return false;
    }
    NeedUpdate();
    return m_items.Remove(current) && m_items.InsertAt(iIndex, pControl);
}

int CContainerUI::GetCount() const
{
    return m_items.GetSize();
}

bool CContainerUI::Add(CControlUI* pControl)
{
    return AddAt(pControl, m_items.GetSize());
}

bool CContainerUI::AddAt(CControlUI* pControl, int iIndex)
{
    if (pControl == nullptr || iIndex < 0 || iIndex > m_items.GetSize()) {
        return false;
    }
    if (m_pManager != nullptr) {
        (void)m_pManager->InitControls(pControl, this); // true for a control
    } else {
        pControl->SetManager(nullptr, this, false);
    }
    if (IsVisible()) {
        NeedUpdate();
    } else {
        pControl->SetInternVisible(false);
    }
    return m_items.InsertAt(iIndex, pControl);
}

// Deletes a removed child (at once, or after the current message), or detaches one
// that stays alive so that neither the window nor this container still points at it.
void CContainerUI::Dispose(CControlUI* pControl)
{
    if (m_bAutoDestroy) {
        if (m_bDelayedDestroy && m_pManager != nullptr) {
            (void)m_pManager->AddDelayedCleanup(pControl); // deletes at once when it cannot queue
        } else {
            delete pControl;
        }
        return;
    }
    if (pControl->GetManager() != nullptr) {
        (void)pControl->FindControl(ForgetInManager, pControl->GetManager(), UIFIND_ALL);
    }
    pControl->SetManager(nullptr, nullptr, false);
}

bool CContainerUI::Remove(CControlUI* pControl)
{
    const int index = GetItemIndex(pControl);
    if (index < 0) {
        return false;
    }
    NeedUpdate();
    (void)m_items.Remove(index); // the index was just found
    Dispose(pControl);
    return true;
}

bool CContainerUI::RemoveAt(int iIndex)
{
    CControlUI* control = GetItemAt(iIndex);
    return control != nullptr && Remove(control);
}

void CContainerUI::RemoveAll()
{
    CStdPtrArray items(m_items);
    m_items.Empty();
    for (int i = 0; i < items.GetSize(); ++i) {
        Dispose(static_cast<CControlUI*>(items[i]));
    }
    NeedUpdate();
}

RECT CContainerUI::GetInset() const
{
    return m_rcInset;
}

void CContainerUI::SetInset(RECT rcInset)
{
    m_rcInset = rcInset;
    NeedUpdate();
}

int CContainerUI::GetChildPadding() const
{
    return m_iChildPadding;
}

void CContainerUI::SetChildPadding(int iPadding)
{
    m_iChildPadding = iPadding;
    NeedUpdate();
}

bool CContainerUI::IsAutoDestroy() const
{
    return m_bAutoDestroy;
}

void CContainerUI::SetAutoDestroy(bool bAuto)
{
    m_bAutoDestroy = bAuto;
}

bool CContainerUI::IsDelayedDestroy() const
{
    return m_bDelayedDestroy;
}

void CContainerUI::SetDelayedDestroy(bool bDelayed)
{
    m_bDelayedDestroy = bDelayed;
}

bool CContainerUI::IsMouseChildEnabled() const
{
    return m_bMouseChildEnabled;
}

void CContainerUI::SetMouseChildEnabled(bool bEnable)
{
    m_bMouseChildEnabled = bEnable;
}

void CContainerUI::SetVisible(bool bVisible)
{
    if (m_bVisible == bVisible) {
        return;
    }
    CControlUI::SetVisible(bVisible);
    for (int i = 0; i < m_items.GetSize(); ++i) {
        static_cast<CControlUI*>(m_items[i])->SetInternVisible(IsVisible());
    }
}

void CContainerUI::SetInternVisible(bool bVisible)
{
    CControlUI::SetInternVisible(bVisible);
    for (int i = 0; i < m_items.GetSize(); ++i) {
        static_cast<CControlUI*>(m_items[i])->SetInternVisible(IsVisible());
    }
}

void CContainerUI::SetMouseEnabled(bool bEnable)
{
    if (m_pVerticalScrollBar != nullptr) {
        m_pVerticalScrollBar->SetMouseEnabled(bEnable);
    }
    if (m_pHorizontalScrollBar != nullptr) {
        m_pHorizontalScrollBar->SetMouseEnabled(bEnable);
    }
    CControlUI::SetMouseEnabled(bEnable);
}

int CContainerUI::FindSelectable(int iIndex, bool bForward) const
{
    const int count = m_items.GetSize();
    if (count == 0) {
        return -1;
    }
    auto selectable = [this](int i) {
        CControlUI* item = GetItemAt(i);
        return item->GetInterface(L"ListItem") != nullptr && item->IsVisible() && item->IsEnabled();
    };
    int i = std::clamp(iIndex, 0, count - 1);
    if (!bForward) {
        for (; i >= 0; --i) {
            if (selectable(i)) {
                return i;
            }
        }
        i = 0; // nothing before it: the first one after it
    }
    for (; i < count; ++i) {
        if (selectable(i)) {
            return i;
        }
    }
    return -1;
}

void CContainerUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit)
{
    for (int i = 0; i < m_items.GetSize(); ++i) {
        static_cast<CControlUI*>(m_items[i])->SetManager(pManager, this, bInit);
    }
    if (m_pVerticalScrollBar != nullptr) {
        m_pVerticalScrollBar->SetManager(pManager, this, bInit);
    }
    if (m_pHorizontalScrollBar != nullptr) {
        m_pHorizontalScrollBar->SetManager(pManager, this, bInit);
    }
    CControlUI::SetManager(pManager, pParent, bInit);
}

void CContainerUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (pstrName == nullptr || pstrValue == nullptr) {
        return;
    }
    const CDuiString name(pstrName);
    if (name == L"inset") {
        SetInset(CAttributeValue::ParseRect(pstrValue));
    } else if (name == L"mousechild") {
        SetMouseChildEnabled(CAttributeValue::ParseBool(pstrValue));
    } else if (name == L"vscrollbar") {
        EnableScrollBar(CAttributeValue::ParseBool(pstrValue), m_pHorizontalScrollBar != nullptr);
    } else if (name == L"vscrollbarstyle") {
        EnableScrollBar(true, m_pHorizontalScrollBar != nullptr);
        (void)m_pVerticalScrollBar->ApplyAttributeList(pstrValue); // returns the bar
    } else if (name == L"hscrollbar") {
        EnableScrollBar(m_pVerticalScrollBar != nullptr, CAttributeValue::ParseBool(pstrValue));
    } else if (name == L"hscrollbarstyle") {
        EnableScrollBar(m_pVerticalScrollBar != nullptr, true);
        (void)m_pHorizontalScrollBar->ApplyAttributeList(pstrValue); // returns the bar
    } else if (name == L"childpadding") {
        SetChildPadding(CAttributeValue::ParseInt(pstrValue));
    } else {
        CControlUI::SetAttribute(pstrName, pstrValue);
    }
}

RECT CContainerUI::GetContentRect() const
{
    RECT rc = m_rcItem;
    rc.left += m_rcInset.left;
    rc.top += m_rcInset.top;
    rc.right -= m_rcInset.right;
    rc.bottom -= m_rcInset.bottom;
    if (IsScrollBarShown(m_pVerticalScrollBar)) {
        rc.right -= m_pVerticalScrollBar->GetFixedWidth();
    }
    if (IsScrollBarShown(m_pHorizontalScrollBar)) {
        rc.bottom -= m_pHorizontalScrollBar->GetFixedHeight();
    }
    return rc;
}

void CContainerUI::SetPos(RECT rc)
{
    CControlUI::SetPos(rc);
    RECT inner = m_rcItem;
    inner.left += m_rcInset.left;
    inner.top += m_rcInset.top;
    inner.right -= m_rcInset.right;
    inner.bottom -= m_rcInset.bottom;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* item = GetItemAt(i);
        if (!item->IsVisible()) {
            continue;
        }
        if (item->IsFloat()) {
            SetFloatPos(i);
        } else {
            item->SetPos(inner); // every child fills the inner area; the layouts stack them
        }
    }
}

void CContainerUI::SetFloatPos(int iIndex)
{
    CControlUI* item = GetItemAt(iIndex);
    if (item == nullptr || !item->IsVisible() || !item->IsFloat()) {
        return;
    }
    const SIZE xy = item->GetFixedXY();
    const int w = item->GetFixedWidth();
    const int h = item->GetFixedHeight();
    RECT rc{};
    rc.left = xy.cx >= 0 ? m_rcItem.left + xy.cx : m_rcItem.right + xy.cx - w;
    rc.right = rc.left + w;
    rc.top = xy.cy >= 0 ? m_rcItem.top + xy.cy : m_rcItem.bottom + xy.cy - h;
    rc.bottom = rc.top + h;
    const TRelativePosUI relative = item->GetRelativePos();
    if (relative.bRelative) {
        const SIZE now{m_rcItem.right - m_rcItem.left, m_rcItem.bottom - m_rcItem.top};
        if (relative.szParent.cx != 0) {
            const int dw = now.cx - relative.szParent.cx;
            const int dh = now.cy - relative.szParent.cy;
            rc.left += dw * relative.nMoveXPercent / 100;
            rc.top += dh * relative.nMoveYPercent / 100;
            rc.right = rc.left + w + dw * relative.nZoomXPercent / 100;
            rc.bottom = rc.top + h + dh * relative.nZoomYPercent / 100;
        }
        item->SetRelativeParentSize(now);
    }
    item->SetPos(rc);
}

void CContainerUI::DoEvent(TEventUI& event)
{
    const bool mouse = event.Type > kEventMouseBegin && event.Type < kEventMouseEnd;
    if (mouse && !IsMouseEnabled()) {
        if (m_pParent != nullptr) {
            m_pParent->DoEvent(event);
        } else {
            CControlUI::DoEvent(event);
        }
        return;
    }
    if (event.Type == kEventSetFocus || event.Type == kEventKillFocus) {
        m_bFocused = event.Type == kEventSetFocus;
        return;
    }
    const bool vertical = IsScrollBarShown(m_pVerticalScrollBar) && m_pVerticalScrollBar->IsEnabled();
    const bool horizontal = IsScrollBarShown(m_pHorizontalScrollBar) && m_pHorizontalScrollBar->IsEnabled();
    if (vertical || horizontal) {
        const WPARAM key = event.Type == kEventKeyDown ? event.chKey : 0;
        const WPARAM wheel = event.Type == kEventScrollWheel ? LOWORD(event.wParam) : 0xFFFF;
        // The same keys scroll a container that has only a horizontal bar sideways.
        const bool back = key == VK_UP || wheel == SB_LINEUP;
        const bool forward = key == VK_DOWN || wheel == SB_LINEDOWN;
        if (key == VK_PRIOR) {
            vertical ? PageUp() : PageLeft();
        } else if (key == VK_NEXT) {
            vertical ? PageDown() : PageRight();
        } else if (key == VK_HOME) {
            vertical ? HomeUp() : HomeLeft();
        } else if (key == VK_END) {
            vertical ? EndDown() : EndRight();
        } else if (back || forward) {
            vertical ? (back ? LineUp(8) : LineDown(8)) : (back ? LineLeft() : LineRight());
        } else {
            CControlUI::DoEvent(event);
        }
        return;
    }
    CControlUI::DoEvent(event);
}

CControlUI* CContainerUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags)
{
    if ((uFlags & UIFIND_VISIBLE) != 0 && !IsVisible()) {
        return nullptr;
    }
    if ((uFlags & UIFIND_ENABLED) != 0 && !IsEnabled()) {
        return nullptr;
    }
    if ((uFlags & UIFIND_HITTEST) != 0 && !::PtInRect(&m_rcItem, *static_cast<const POINT*>(pData))) {
        return nullptr;
    }
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        CControlUI* found = bar != nullptr ? bar->FindControl(Proc, pData, uFlags) : nullptr;
        if (found != nullptr) {
            return found;
        }
    }
    if ((uFlags & UIFIND_ME_FIRST) != 0) {
        if (CControlUI* self = CControlUI::FindControl(Proc, pData, uFlags)) {
            return self;
        }
    }
    if ((uFlags & UIFIND_HITTEST) == 0 || m_bMouseChildEnabled) {
        if (CControlUI* child = FindInChildren(Proc, pData, uFlags)) {
            return child;
        }
    }
    return (uFlags & UIFIND_ME_FIRST) != 0 ? nullptr : CControlUI::FindControl(Proc, pData, uFlags);
}

// A hit outside the content area counts only for floating controls, which may cover
// the inset.
CControlUI* CContainerUI::FindInChildren(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags)
{
    const bool hitTest = (uFlags & UIFIND_HITTEST) != 0;
    const RECT content = GetContentRect();
    const int count = m_items.GetSize();
    const bool topFirst = (uFlags & UIFIND_TOP_FIRST) != 0;
    for (int n = 0; n < count; ++n) {
        CControlUI* item = GetItemAt(topFirst ? count - 1 - n : n);
        CControlUI* found = item->FindControl(Proc, pData, uFlags);
        if (found != nullptr &&
            (!hitTest || found->IsFloat() || ::PtInRect(&content, *static_cast<const POINT*>(pData)))) {
            return found;
        }
    }
    return nullptr;
}

void CContainerUI::DoPaint(HDC hDC, const RECT& rcPaint)
{
    RECT area{};
    if (!m_bCanDraw || !::IntersectRect(&area, &rcPaint, &m_rcItem)) {
        return;
    }
    CRenderClip clip;
    CRenderClip::GenerateClip(hDC, area, clip);
    CControlUI::DoPaint(hDC, rcPaint);
    if (m_items.GetSize() > 0) {
        PaintChildren(hDC, rcPaint);
    }
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (IsScrollBarShown(bar) && Meets(rcPaint, bar->GetPos())) {
            bar->DoPaint(hDC, rcPaint);
        }
    }
}

// Children are clipped to the content area; floating ones may cover the inset and are
// painted with the container's own clip.
void CContainerUI::PaintChildren(HDC hDC, const RECT& rcPaint)
{
    const RECT content = GetContentRect();
    RECT contentDirty{};
    const bool contentIsDirty = ::IntersectRect(&contentDirty, &rcPaint, &content) != FALSE;
    CRenderClip childClip;
    if (contentIsDirty) {
        CRenderClip::GenerateClip(hDC, contentDirty, childClip);
    }
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* item = GetItemAt(i);
        if (!item->IsVisible() || !Meets(rcPaint, item->GetPos())) {
            continue;
        }
        if (item->IsFloat()) {
            if (!Meets(m_rcItem, item->GetPos())) {
                continue;
            }
            if (contentIsDirty) {
                CRenderClip::UseOldClipBegin(hDC, childClip);
            }
            item->DoPaint(hDC, rcPaint);
            if (contentIsDirty) {
                CRenderClip::UseOldClipEnd(hDC, childClip);
            }
        } else if (contentIsDirty && Meets(content, item->GetPos())) {
            item->DoPaint(hDC, rcPaint);
        }
    }
}

CControlUI* CContainerUI::FindSubControl(LPCTSTR pstrSubControlName)
{
    return m_pManager != nullptr ? m_pManager->FindSubControlByName(this, pstrSubControlName) : nullptr;
}

bool CContainerUI::SetSubControlText(LPCTSTR pstrSubControlName, LPCTSTR pstrText)
{
    CControlUI* control = FindSubControl(pstrSubControlName);
    if (control != nullptr) {
        control->SetText(pstrText);
    }
    return control != nullptr;
}

bool CContainerUI::SetSubControlFixedHeight(LPCTSTR pstrSubControlName, int cy)
{
    CControlUI* control = FindSubControl(pstrSubControlName);
    if (control != nullptr) {
        control->SetFixedHeight(cy);
    }
    return control != nullptr;
}

bool CContainerUI::SetSubControlFixedWdith(LPCTSTR pstrSubControlName, int cx)
{
    CControlUI* control = FindSubControl(pstrSubControlName);
    if (control != nullptr) {
        control->SetFixedWidth(cx);
    }
    return control != nullptr;
}

bool CContainerUI::SetSubControlUserData(LPCTSTR pstrSubControlName, LPCTSTR pstrText)
{
    CControlUI* control = FindSubControl(pstrSubControlName);
    if (control != nullptr) {
        control->SetUserData(pstrText);
    }
    return control != nullptr;
}

CDuiString CContainerUI::GetSubControlText(LPCTSTR pstrSubControlName)
{
    CControlUI* control = FindSubControl(pstrSubControlName);
    return control != nullptr ? control->GetText() : CDuiString();
}

int CContainerUI::GetSubControlFixedHeight(LPCTSTR pstrSubControlName)
{
    CControlUI* control = FindSubControl(pstrSubControlName);
    return control != nullptr ? control->GetFixedHeight() : -1;
}

int CContainerUI::GetSubControlFixedWdith(LPCTSTR pstrSubControlName)
{
    CControlUI* control = FindSubControl(pstrSubControlName);
    return control != nullptr ? control->GetFixedWidth() : -1;
}

CDuiString CContainerUI::GetSubControlUserData(LPCTSTR pstrSubControlName)
{
    CControlUI* control = FindSubControl(pstrSubControlName);
    return control != nullptr ? control->GetUserData() : CDuiString();
}

} // namespace DuiLib
