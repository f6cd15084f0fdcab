#include "duilib/control/ButtonUI.h"

#include "duilib/core/AttributeTable.h"
#include "duilib/core/AttributeValue.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

#include <cwchar>

namespace DuiLib {

namespace {

DWORD Color(LPCTSTR v) { return CAttributeValue::ParseColor(v); }

const TAttributeEntry<CButtonUI> kAttributes[] = {
    {L"normalimage", [](CButtonUI& c, LPCTSTR v) { c.SetNormalImage(v); }},
    {L"hotimage", [](CButtonUI& c, LPCTSTR v) { c.SetHotImage(v); }},
    {L"pushedimage", [](CButtonUI& c, LPCTSTR v) { c.SetPushedImage(v); }},
    {L"focusedimage", [](CButtonUI& c, LPCTSTR v) { c.SetFocusedImage(v); }},
    {L"disabledimage", [](CButtonUI& c, LPCTSTR v) { c.SetDisabledImage(v); }},
    {L"hotforeimage", [](CButtonUI& c, LPCTSTR v) { c.SetHotForeImage(v); }},
    {L"hotbkcolor", [](CButtonUI& c, LPCTSTR v) { c.SetHotBkColor(Color(v)); }},
    {L"hottextcolor", [](CButtonUI& c, LPCTSTR v) { c.SetHotTextColor(Color(v)); }},
    {L"pushedtextcolor", [](CButtonUI& c, LPCTSTR v) { c.SetPushedTextColor(Color(v)); }},
    {L"focusedtextcolor", [](CButtonUI& c, LPCTSTR v) { c.SetFocusedTextColor(Color(v)); }},
    {L"adaptive", [](CButtonUI& c, LPCTSTR v) { c.SetAdaptive(CAttributeValue::ParseBool(v)); }},
    // Only "true" has an effect: a default list cannot switch the hand off again.
    {L"showhand",
     [](CButtonUI& c, LPCTSTR v) {
         if (CAttributeValue::ParseBool(v)) {
             c.SetShowHand(true);
         }
     }},
};

[[nodiscard]] bool IsMouseEvent(int type)
{
    return type > kEventMouseBegin && type < kEventMouseEnd;
}

} // namespace

CButtonUI::CButtonUI()
{
    m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
}

LPCTSTR CButtonUI::GetClass() const
{
    return L"ButtonUI";
}

LPVOID CButtonUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"Button") == 0) {
        return this;
    }
    return CLabelUI::GetInterface(pstrName);
}

UINT CButtonUI::GetControlFlags() const
{
    return (IsEnabled() ? UIFLAG_SETCURSOR : 0) | (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0);
}

bool CButtonUI::Activate()
{
    if (!CControlUI::Activate()) {
        return false;
    }
    if (m_pManager != nullptr) {
        m_pManager->SendNotify(this, L"click");
    }
    return true;
}

void CButtonUI::SetEnabled(bool bEnable)
{
    CControlUI::SetEnabled(bEnable);
    if (!IsEnabled()) {
        m_uButtonState = 0;
    }
}

void CButtonUI::DoEvent(TEventUI& event)
{
    if (IsMouseEvent(event.Type) && !IsMouseEnabled()) {
        if (m_pParent != nullptr) {
            m_pParent->DoEvent(event);
        } else {
            CLabelUI::DoEvent(event);
        }
        return;
    }
    switch (event.Type) {
    case kEventKeyDown:
        if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
            (void)Activate(); // a hidden or disabled button simply does not click
            return;
        }
        break;
    case kEventSetFocus:
    case kEventKillFocus:
        Invalidate();
        break;
    case kEventSetCursor:
        if (m_bShowHand) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return;
        }
        break;
    default:
        if (IsMouseEvent(event.Type) && HandleMouse(event)) {
            return;
        }
        break;
    }
    CLabelUI::DoEvent(event);
}

// True when the event ends here.
bool CButtonUI::HandleMouse(TEventUI& event)
{
    const bool inside = ::PtInRect(&m_rcItem, event.ptMouse) != FALSE;
    switch (event.Type) {
    case kEventMouseMove:
        if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
            m_uButtonState = inside ? m_uButtonState | UISTATE_PUSHED : m_uButtonState & ~UISTATE_PUSHED;
            Invalidate();
        }
        return true;
    case kEventMouseEnter:
    case kEventMouseLeave:
        if (IsEnabled()) {
            const bool enter = event.Type == kEventMouseEnter;
            m_uButtonState = enter ? m_uButtonState | UISTATE_HOT : m_uButtonState & ~UISTATE_HOT;
            if (m_pManager != nullptr) {
                m_pManager->SendNotify(this, enter ? L"mouseenter" : L"mouseleave", event.wParam, event.lParam);
            }
            Invalidate();
        }
        return false;
    case kEventButtonDown:
    case kEventDblClick:
        if (inside && IsEnabled()) {
            m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
            Invalidate();
        }
        return true;
    case kEventButtonUp: {
        const bool captured = (m_uButtonState & UISTATE_CAPTURED) != 0;
        m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
        // Last: a "click" handler may delete the button.
        if (captured && inside) {
            (void)Activate(); // a hidden or disabled button simply does not click
        }
        return true;
    }
    case kEventContextMenu:
        if (IsContextMenuUsed() && m_pManager != nullptr) {
            m_pManager->SendNotify(this, L"menu", event.wParam, event.lParam);
        }
        return true;
    default:
        return false;
    }
}

SIZE CButtonUI::EstimateSize(SIZE /*szAvailable*/)
{
    if (m_cxyFixed.cy != 0) {
        return m_cxyFixed;
    }
    return SIZE{m_cxyFixed.cx, FontHeight() + 8};
}

void CButtonUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (!ApplyAttributeEntry(kAttributes, *this, pstrName, pstrValue)) {
        CLabelUI::SetAttribute(pstrName, pstrValue);
    }
}

void CButtonUI::SetNormalImage(LPCTSTR pStrImage)
{
    m_sNormalImage = pStrImage;
    Invalidate();
}

void CButtonUI::SetHotImage(LPCTSTR pStrImage)
{
    m_sHotImage = pStrImage;
    Invalidate();
}

void CButtonUI::SetHotForeImage(LPCTSTR pStrImage)
{
    m_sHotForeImage = pStrImage;
    Invalidate();
}

void CButtonUI::SetPushedImage(LPCTSTR pStrImage)
{
    m_sPushedImage = pStrImage;
    Invalidate();
}

void CButtonUI::SetPushedForeImage(LPCTSTR pStrImage)
{
    m_sPushedForeImage = pStrImage;
    Invalidate();
}

void CButtonUI::SetFocusedImage(LPCTSTR pStrImage)
{
    m_sFocusedImage = pStrImage;
    Invalidate();
}

void CButtonUI::SetDisabledImage(LPCTSTR pStrImage)
{
    m_sDisabledImage = pStrImage;
    Invalidate();
}

} // namespace DuiLib
