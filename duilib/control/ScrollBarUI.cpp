// CScrollBarUI: geometry, input and properties. Painting is in ScrollBarUIPaint.cpp.

#include "duilib/control/ScrollBarUI.h"

#include "duilib/core/AttributeValue.h"
#include "duilib/core/PaintManager.h"
#include "duilib/layout/ContainerUI.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

namespace DuiLib {

namespace {

constexpr UINT kRepeatTimerId = 10;
constexpr UINT kRepeatPeriodMs = 50;
// Ticks of the repeat timer before holding a button starts repeating (250 ms).
constexpr int kRepeatDelayTicks = 6;
constexpr int kDefaultCrossSize = 11;

// Along the bar: y of a vertical bar, x of a horizontal one.
[[nodiscard]] LONG Along(bool horizontal, POINT pt) noexcept
{
    return horizontal ? pt.x : pt.y;
}

[[nodiscard]] LONG Start(bool horizontal, const RECT& rc) noexcept
{
    return horizontal ? rc.left : rc.top;
}

[[nodiscard]] LONG End(bool horizontal, const RECT& rc) noexcept
{
    return horizontal ? rc.right : rc.bottom;
}

// A rectangle from along-the-bar and across-the-bar extents.
[[nodiscard]] RECT Make(bool horizontal, LONG start, LONG end, LONG crossStart, LONG crossEnd) noexcept
{
    return horizontal ? RECT{start, crossStart, end, crossEnd} : RECT{crossStart, start, crossEnd, end};
}

} // namespace

CScrollBarUI::CScrollBarUI()
{
    m_cxyFixed.cx = kDefaultCrossSize;
}

LPCTSTR CScrollBarUI::GetClass() const
{
    return L"ScrollBarUI";
}

LPVOID CScrollBarUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"ScrollBar") == 0) {
        return this;
    }
    return CControlUI::GetInterface(pstrName);
}

CContainerUI* CScrollBarUI::GetOwner() const
{
    return m_pOwner;
}

void CScrollBarUI::SetOwner(CContainerUI* pOwner)
{
    m_pOwner = pOwner;
}

void CScrollBarUI::SetVisible(bool bVisible)
{
    if (m_bVisible == bVisible) {
        return;
    }
    m_bVisible = bVisible;
    m_bFocused = false;
}

void CScrollBarUI::SetEnabled(bool bEnable)
{
    CControlUI::SetEnabled(bEnable);
    if (!IsEnabled()) {
        m_uButton1State = 0;
        m_uButton2State = 0;
        m_uThumbState = 0;
    }
}

void CScrollBarUI::SetFocus()
{
    if (m_pOwner != nullptr) {
        m_pOwner->SetFocus();
    } else {
        CControlUI::SetFocus();
    }
}

bool CScrollBarUI::IsHorizontal() const
{
    return m_bHorizontal;
}

void CScrollBarUI::SetHorizontal(bool bHorizontal)
{
    if (m_bHorizontal == bHorizontal) {
        return;
    }
    m_bHorizontal = bHorizontal;
    if (m_bHorizontal && m_cxyFixed.cy == 0) {
        m_cxyFixed = SIZE{0, kDefaultCrossSize};
    } else if (!m_bHorizontal && m_cxyFixed.cx == 0) {
        m_cxyFixed = SIZE{kDefaultCrossSize, 0};
    }
    if (m_pOwner != nullptr) {
        m_pOwner->NeedUpdate();
    } else {
        NeedParentUpdate();
    }
}

int CScrollBarUI::GetScrollRange() const
{
    return m_nRange;
}

void CScrollBarUI::SetScrollRange(int nRange)
{
    const int range = std::max(nRange, 0);
    if (m_nRange == range) {
        return;
    }
    m_nRange = range;
    m_nScrollPos = std::min(m_nScrollPos, m_nRange);
    SetPos(m_rcItem);
}

int CScrollBarUI::GetScrollPos() const
{
    return m_nScrollPos;
}

void CScrollBarUI::SetScrollPos(int nPos)
{
    const int pos = std::clamp(nPos, 0, m_nRange);
    if (m_nScrollPos == pos) {
        return;
    }
    m_nScrollPos = pos;
    SetPos(m_rcItem);
}

int CScrollBarUI::GetLineSize() const
{
    return m_nLineSize;
}

void CScrollBarUI::SetLineSize(int nSize)
{
    m_nLineSize = nSize;
}

bool CScrollBarUI::GetShowButton1() const
{
    return m_bShowButton1;
}

void CScrollBarUI::SetShowButton1(bool bShow)
{
    m_bShowButton1 = bShow;
    SetPos(m_rcItem);
}

bool CScrollBarUI::GetShowButton2() const
{
    return m_bShowButton2;
}

void CScrollBarUI::SetShowButton2(bool bShow)
{
    m_bShowButton2 = bShow;
    SetPos(m_rcItem);
}

int CScrollBarUI::Length() const
{
    return m_bHorizontal ? m_rcItem.right - m_rcItem.left : m_rcItem.bottom - m_rcItem.top;
}

// The bar's thickness, which is also the length of each button.
int CScrollBarUI::CrossSize() const
{
    return m_bHorizontal ? m_cxyFixed.cy : m_cxyFixed.cx;
}

void CScrollBarUI::SetPos(RECT rc)
{
    CControlUI::SetPos(rc);
    PlaceParts(m_rcItem);
}

void CScrollBarUI::PlaceParts(const RECT& rc)
{
    const bool h = m_bHorizontal;
    const LONG start = Start(h, rc);
    const LONG end = End(h, rc);
    const LONG crossStart = h ? rc.top : rc.left;
    const int length = end - start;
    const int cross = CrossSize();
    const int track = length - (m_bShowButton1 ? cross : 0) - (m_bShowButton2 ? cross : 0);
    // With no room for a thumb the buttons share the length, up to half each.
    const int button = track > cross ? cross : std::min(cross, length / 2);
    m_rcButton1 = Make(h, start, start + (m_bShowButton1 ? button : 0), crossStart, crossStart + cross);
    m_rcButton2 = Make(h, end - (m_bShowButton2 ? button : 0), end, crossStart, crossStart + cross);
    if (track <= cross) {
        m_rcThumb = RECT{0, 0, 0, 0};
        return;
    }
    const LONG trackStart = End(h, m_rcButton1);
    const LONG trackEnd = Start(h, m_rcButton2);
    if (m_nRange <= 0) {
        m_rcThumb = Make(h, trackStart, trackEnd, crossStart, crossStart + cross);
        return;
    }
    // 64-bit: a long bar over a long range multiplies beyond 32 bits.
    const auto thumb = std::max<std::int64_t>(std::int64_t{length} * track / (std::int64_t{length} + m_nRange), cross);
    LONG thumbStart = static_cast<LONG>((track - thumb) * m_nScrollPos / m_nRange + trackStart);
    LONG thumbEnd = static_cast<LONG>(thumbStart + thumb);
    if (thumbEnd > trackEnd) {
        thumbStart = static_cast<LONG>(trackEnd - thumb);
        thumbEnd = trackEnd;
    }
    m_rcThumb = Make(h, thumbStart, thumbEnd, crossStart, crossStart + cross);
}

// One line or one page, backwards (-1) or forwards (+1): the owner's scrolling, or the
// bar's own position with a "scroll" notification.
void CScrollBarUI::Scroll(Step step, int direction)
{
    if (m_pOwner == nullptr) {
        const int amount = step == Step::Line ? m_nLineSize : Length();
        SetScrollPos(m_nScrollPos + direction * amount);
        if (m_pManager != nullptr) {
            m_pManager->SendNotify(this, L"scroll");
        }
        return;
    }
    const bool back = direction < 0;
    if (step == Step::Line) {
        if (m_bHorizontal) {
            back ? m_pOwner->LineLeft() : m_pOwner->LineRight();
        } else {
            back ? m_pOwner->LineUp(8) : m_pOwner->LineDown(8);
        }
    } else if (m_bHorizontal) {
        back ? m_pOwner->PageLeft() : m_pOwner->PageRight();
    } else {
        back ? m_pOwner->PageUp() : m_pOwner->PageDown();
    }
}

void CScrollBarUI::DoEvent(TEventUI& event)
{
    const bool mouse = event.Type > kEventMouseBegin && event.Type < kEventMouseEnd;
    if (mouse && !IsMouseEnabled()) {
        if (m_pOwner != nullptr) {
            m_pOwner->DoEvent(event);
        } else {
            CControlUI::DoEvent(event);
        }
        return;
    }
    switch (event.Type) {
    case kEventButtonDown:
    case kEventDblClick:
        OnButtonDown(event);
        return;
    case kEventMouseMove:
        OnMouseMove(event);
        return;
    case kEventTimer:
        if (event.wParam == kRepeatTimerId) {
            OnTimer();
        }
        return;
    case kEventButtonUp:
        OnButtonUp();
        return;
    case kEventMouseEnter:
    case kEventMouseLeave:
        OnHover(event.Type == kEventMouseEnter, event.ptMouse);
        return;
    case kEventContextMenu:
    case kEventKillFocus:
    case kEventSetFocus:
        return;
    default:
        break;
    }
    if (m_pOwner != nullptr) {
        m_pOwner->DoEvent(event);
    } else {
        CControlUI::DoEvent(event);
    }
}

void CScrollBarUI::OnButtonDown(const TEventUI& event)
{
    if (!IsEnabled()) {
        return;
    }
    m_nLastScrollOffset = 0;
    m_nScrollRepeatDelay = 0;
    if (m_pManager != nullptr) {
        (void)m_pManager->SetTimer(this, kRepeatTimerId, kRepeatPeriodMs); // without it nothing repeats
    }
    const POINT pt = event.ptMouse;
    if (::PtInRect(&m_rcButton1, pt)) {
        m_uButton1State |= UISTATE_PUSHED;
        Scroll(Step::Line, -1);
    } else if (::PtInRect(&m_rcButton2, pt)) {
        m_uButton2State |= UISTATE_PUSHED;
        Scroll(Step::Line, +1);
    } else if (::PtInRect(&m_rcThumb, pt)) {
        m_uThumbState |= UISTATE_CAPTURED | UISTATE_PUSHED;
        m_ptLastMouse = pt;
        m_nLastScrollPos = m_nScrollPos;
    } else if (Along(m_bHorizontal, pt) < Start(m_bHorizontal, m_rcThumb)) {
        Scroll(Step::Page, -1);
    } else if (Along(m_bHorizontal, pt) >= End(m_bHorizontal, m_rcThumb)) {
        Scroll(Step::Page, +1);
    }
    Invalidate();
}

void CScrollBarUI::OnMouseMove(const TEventUI& event)
{
    if ((m_uThumbState & UISTATE_CAPTURED) != 0) {
        const int thumb = End(m_bHorizontal, m_rcThumb) - Start(m_bHorizontal, m_rcThumb);
        const int travel = Length() - 2 * CrossSize() - thumb;
        // A thumb with no room to travel (or overlapping the buttons) does not drag.
        if (travel > 0) {
            const std::int64_t moved = Along(m_bHorizontal, event.ptMouse) - Along(m_bHorizontal, m_ptLastMouse);
            m_nLastScrollOffset = static_cast<int>(std::clamp<std::int64_t>(
                moved * m_nRange / travel, -std::int64_t{m_nRange}, std::int64_t{m_nRange}));
        }
        return;
    }
    const bool hot = ::PtInRect(&m_rcThumb, event.ptMouse) != FALSE;
    if (hot != ((m_uThumbState & UISTATE_HOT) != 0) && IsEnabled()) {
        m_uThumbState = hot ? m_uThumbState | UISTATE_HOT : m_uThumbState & ~UISTATE_HOT;
        Invalidate();
    }
}

void CScrollBarUI::OnTimer()
{
    ++m_nScrollRepeatDelay;
    if ((m_uThumbState & UISTATE_CAPTURED) != 0) {
        const int target = m_nLastScrollPos + m_nLastScrollOffset;
        if (m_pOwner != nullptr) {
            const SIZE owner = m_pOwner->GetScrollPos();
            m_pOwner->SetScrollPos(m_bHorizontal ? SIZE{target, owner.cy} : SIZE{owner.cx, target});
        } else {
            SetScrollPos(target);
            if (m_pManager != nullptr) {
                m_pManager->SendNotify(this, L"scroll");
            }
        }
        Invalidate();
        return;
    }
    if (m_nScrollRepeatDelay < kRepeatDelayTicks) {
        return;
    }
    if ((m_uButton1State & UISTATE_PUSHED) != 0) {
        Scroll(Step::Line, -1);
    } else if ((m_uButton2State & UISTATE_PUSHED) != 0) {
        Scroll(Step::Line, +1);
    } else if (m_pManager != nullptr) {
        POINT pt{};
        (void)::GetCursorPos(&pt); // on failure no page is turned: (0, 0) is no reliable side
        (void)::ScreenToClient(m_pManager->GetPaintWindow(), &pt);
        if (Along(m_bHorizontal, pt) < Start(m_bHorizontal, m_rcThumb)) {
            Scroll(Step::Page, -1);
        } else if (Along(m_bHorizontal, pt) >= End(m_bHorizontal, m_rcThumb)) {
            Scroll(Step::Page, +1);
        }
    }
}

void CScrollBarUI::OnButtonUp()
{
    m_nScrollRepeatDelay = 0;
    m_nLastScrollOffset = 0;
    if (m_pManager != nullptr) {
        (void)m_pManager->KillTimer(this, kRepeatTimerId); // false when it was not running
    }
    if ((m_uThumbState & UISTATE_CAPTURED) != 0) {
        m_uThumbState &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
    } else if ((m_uButton1State & UISTATE_PUSHED) != 0) {
        m_uButton1State &= ~UISTATE_PUSHED;
    } else if ((m_uButton2State & UISTATE_PUSHED) != 0) {
        m_uButton2State &= ~UISTATE_PUSHED;
    } else {
        return;
    }
    Invalidate();
}

void CScrollBarUI::OnHover(bool enter, POINT pt)
{
    if (!IsEnabled()) {
        return;
    }
    if (enter) {
        m_uButton1State |= UISTATE_HOT;
        m_uButton2State |= UISTATE_HOT;
        if (::PtInRect(&m_rcThumb, pt)) {
            m_uThumbState |= UISTATE_HOT;
        }
    } else {
        m_uButton1State &= ~UISTATE_HOT;
        m_uButton2State &= ~UISTATE_HOT;
        m_uThumbState &= ~UISTATE_HOT;
    }
    Invalidate();
}

void CScrollBarUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (pstrName == nullptr || pstrValue == nullptr) {
        return;
    }
    struct ImageAttribute {
        LPCTSTR name;
        CDuiString PartImages::*image;
        PartImages CScrollBarUI::*part;
    };
    static const ImageAttribute kImages[] = {
        {L"button1normalimage", &PartImages::normal, &CScrollBarUI::m_button1},
        {L"button1hotimage", &PartImages::hot, &CScrollBarUI::m_button1},
        {L"button1pushedimage", &PartImages::pushed, &CScrollBarUI::m_button1},
        {L"button1disabledimage", &PartImages::disabled, &CScrollBarUI::m_button1},
        {L"button2normalimage", &PartImages::normal, &CScrollBarUI::m_button2},
        {L"button2hotimage", &PartImages::hot, &CScrollBarUI::m_button2},
        {L"button2pushedimage", &PartImages::pushed, &CScrollBarUI::m_button2},
        {L"button2disabledimage", &PartImages::disabled, &CScrollBarUI::m_button2},
        {L"thumbnormalimage", &PartImages::normal, &CScrollBarUI::m_thumb},
        {L"thumbhotimage", &PartImages::hot, &CScrollBarUI::m_thumb},
        {L"thumbpushedimage", &PartImages::pushed, &CScrollBarUI::m_thumb},
        {L"thumbdisabledimage", &PartImages::disabled, &CScrollBarUI::m_thumb},
        {L"railnormalimage", &PartImages::normal, &CScrollBarUI::m_rail},
        {L"railhotimage", &PartImages::hot, &CScrollBarUI::m_rail},
        {L"railpushedimage", &PartImages::pushed, &CScrollBarUI::m_rail},
        {L"raildisabledimage", &PartImages::disabled, &CScrollBarUI::m_rail},
        {L"bknormalimage", &PartImages::normal, &CScrollBarUI::m_bk},
        {L"bkhotimage", &PartImages::hot, &CScrollBarUI::m_bk},
        {L"bkpushedimage", &PartImages::pushed, &CScrollBarUI::m_bk},
        {L"bkdisabledimage", &PartImages::disabled, &CScrollBarUI::m_bk},
    };
    for (const ImageAttribute& entry : kImages) {
        if (std::wcscmp(entry.name, pstrName) == 0) {
            SetImage((this->*entry.part).*entry.image, pstrValue);
            return;
        }
    }
    const CDuiString name(pstrName);
    if (name == L"hor") {
        SetHorizontal(CAttributeValue::ParseBool(pstrValue));
    } else if (name == L"linesize") {
        SetLineSize(CAttributeValue::ParseInt(pstrValue));
    } else if (name == L"range") {
        SetScrollRange(CAttributeValue::ParseInt(pstrValue));
    } else if (name == L"value") {
        SetScrollPos(CAttributeValue::ParseInt(pstrValue));
    } else if (name == L"showbutton1") {
        SetShowButton1(CAttributeValue::ParseBool(pstrValue));
    } else if (name == L"showbutton2") {
        SetShowButton2(CAttributeValue::ParseBool(pstrValue));
    } else {
        CControlUI::SetAttribute(pstrName, pstrValue);
    }
}

} // namespace DuiLib
