#include "duilib/control/TextUI.h"

#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

#include <algorithm>
#include <cwchar>

namespace DuiLib {

CTextUI::CTextUI()
{
    m_uTextStyle = DT_WORDBREAK;
    m_rcTextPadding = RECT{2, 0, 2, 0};
}

LPCTSTR CTextUI::GetClass() const
{
    return L"TextUI";
}

LPVOID CTextUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"Text") == 0) {
        return this;
    }
    return CLabelUI::GetInterface(pstrName);
}

UINT CTextUI::GetControlFlags() const
{
    return IsEnabled() && m_nLinks > 0 ? UIFLAG_SETCURSOR : 0;
}

CDuiString* CTextUI::GetLinkContent(int iIndex)
{
    return iIndex >= 0 && iIndex < m_nLinks ? &m_sLinks[iIndex] : nullptr;
}

int CTextUI::LinkAt(POINT pt) const
{
    for (int i = 0; i < m_nLinks; ++i) {
        if (::PtInRect(&m_rcLinks[i], pt)) {
            return i;
        }
    }
    return -1;
}

SIZE CTextUI::EstimateSize(SIZE szAvailable)
{
    if (m_pManager == nullptr) {
        return m_cxyFixed;
    }
    RECT rc{m_rcTextPadding.left, 0, std::max(m_cxyFixed.cx, szAvailable.cx) - m_rcTextPadding.right, 9999};
    const UINT style = m_uTextStyle | DT_CALCRECT;
    if (m_bShowHtml) {
        int links = 0;
        (void)CRenderEngine::DrawHtmlText(m_pManager->GetPaintDC(), m_pManager, rc, m_sText, m_dwTextColor, nullptr,
                                          nullptr, links, style); // the extent comes back in rc
    } else {
        CRenderEngine::DrawText(m_pManager->GetPaintDC(), m_pManager, rc, m_sText, m_dwTextColor, m_iFont, style);
    }
    const int height = m_cxyFixed.cy != 0 ? m_cxyFixed.cy
                                          : rc.bottom - rc.top + m_rcTextPadding.top + m_rcTextPadding.bottom;
    return SIZE{rc.right - rc.left + m_rcTextPadding.left + m_rcTextPadding.right, height};
}

void CTextUI::DoEvent(TEventUI& event)
{
    if (event.Type > kEventMouseBegin && event.Type < kEventMouseEnd && !IsMouseEnabled()) {
        if (m_pParent != nullptr) {
            m_pParent->DoEvent(event);
        } else {
            CLabelUI::DoEvent(event);
        }
        return;
    }
    if (!HandleLinkEvent(event)) {
        CLabelUI::DoEvent(event);
    }
}

// True when the event ends here.
bool CTextUI::HandleLinkEvent(const TEventUI& event)
{
    const int link = LinkAt(event.ptMouse);
    switch (event.Type) {
    case kEventSetCursor:
        if (link < 0) {
            return false;
        }
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return true;
    case kEventButtonDown:
    case kEventDblClick:
        if (IsEnabled() && link >= 0) {
            Invalidate();
            return true;
        }
        return false;
    case kEventButtonUp:
        if (IsEnabled() && link >= 0 && m_pManager != nullptr) {
            m_pManager->SendNotify(this, L"link", static_cast<WPARAM>(link));
            return true;
        }
        return false;
    case kEventContextMenu:
        return true;
    case kEventMouseMove:
    case kEventMouseLeave: {
        const int hover = event.Type == kEventMouseMove ? link : -1;
        if (IsEnabled() && m_nLinks > 0 && hover != m_nHoverLink) {
            m_nHoverLink = hover;
            Invalidate();
        }
        return false;
    }
    default:
        return false;
    }
}

void CTextUI::PaintText(HDC hDC)
{
    if (m_sText.IsEmpty()) {
        m_nLinks = 0;
        return;
    }
    DefaultTextColors();
    RECT rc = TextRect();
    const DWORD color = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
    if (m_bShowHtml) {
        m_nLinks = kMaxLinks;
        (void)CRenderEngine::DrawHtmlText(hDC, m_pManager, rc, m_sText, color, m_rcLinks, m_sLinks, m_nLinks,
                                          m_uTextStyle); // the height is of no use here
    } else {
        m_nLinks = 0;
        CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, color, m_iFont, m_uTextStyle);
    }
}

} // namespace DuiLib
