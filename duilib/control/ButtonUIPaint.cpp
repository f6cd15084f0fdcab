// CButtonUI: the state images and the state's text colour.

#include "duilib/control/ButtonUI.h"

#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

namespace DuiLib {

void CButtonUI::RefreshStateBits()
{
    m_uButtonState = IsFocused() ? m_uButtonState | UISTATE_FOCUSED : m_uButtonState & ~UISTATE_FOCUSED;
    m_uButtonState = IsEnabled() ? m_uButtonState & ~UISTATE_DISABLED : m_uButtonState | UISTATE_DISABLED;
}

bool CButtonUI::DrawStateImage(HDC hDC, CDuiString& image)
{
    if (image.IsEmpty()) {
        return false;
    }
    if (!DrawImage(hDC, image)) {
        image.Empty();
        return false;
    }
    return true;
}

void CButtonUI::PaintForeOver(HDC hDC, CDuiString& image)
{
    (void)DrawStateImage(hDC, image); // an image that failed is emptied; nothing else to do
}

void CButtonUI::PaintStatusImage(HDC hDC)
{
    PaintButtonImages(hDC);
}

// The first state that has something to show wins; the normal image is the fallback.
void CButtonUI::PaintButtonImages(HDC hDC)
{
    RefreshStateBits();
    const UINT state = m_uButtonState;
    if ((state & UISTATE_DISABLED) != 0) {
        if (DrawStateImage(hDC, m_sDisabledImage)) {
            PaintForeOver(hDC, m_sForeImage);
            return;
        }
    } else if ((state & UISTATE_PUSHED) != 0 && !m_sPushedImage.IsEmpty()) {
        (void)DrawStateImage(hDC, m_sPushedImage); // emptied on failure; the fore image still shows
        PaintForeOver(hDC, m_sPushedForeImage.IsEmpty() ? m_sForeImage : m_sPushedForeImage);
        return;
    } else if ((state & UISTATE_HOT) != 0 && !m_sHotImage.IsEmpty()) {
        (void)DrawStateImage(hDC, m_sHotImage);
        PaintForeOver(hDC, m_sHotForeImage.IsEmpty() ? m_sForeImage : m_sHotForeImage);
        return;
    } else if ((state & UISTATE_HOT) != 0 && m_dwHotBkColor != 0) {
        CRenderEngine::DrawColor(hDC, m_rcPaint, GetAdjustColor(m_dwHotBkColor));
        return;
    } else if ((state & UISTATE_FOCUSED) != 0 && DrawStateImage(hDC, m_sFocusedImage)) {
        PaintForeOver(hDC, m_sForeImage);
        return;
    }
    (void)DrawStateImage(hDC, m_sNormalImage);
    PaintForeOver(hDC, m_sForeImage);
}

void CButtonUI::PaintText(HDC hDC)
{
    if (m_bEnableEffect) {
        CLabelUI::PaintText(hDC);
        return;
    }
    PaintButtonText(hDC);
}

DWORD CButtonUI::StateTextColor() const
{
    if ((m_uButtonState & UISTATE_PUSHED) != 0 && m_dwPushedTextColor != 0) {
        return m_dwPushedTextColor;
    }
    if ((m_uButtonState & UISTATE_HOT) != 0 && m_dwHotTextColor != 0) {
        return m_dwHotTextColor;
    }
    if (!IsEnabled()) {
        return m_dwDisabledTextColor;
    }
    if ((m_uButtonState & UISTATE_FOCUSED) != 0 && m_dwFocusedTextColor != 0) {
        return m_dwFocusedTextColor;
    }
    return m_dwTextColor;
}

void CButtonUI::PaintButtonText(HDC hDC)
{
    RefreshStateBits();
    DefaultTextColors();
    if (m_sText.IsEmpty()) {
        return;
    }
    RECT rc = TextRect();
    const DWORD color = StateTextColor();
    int drawnHeight = 0;
    if (m_bShowHtml) {
        int links = 0;
        drawnHeight = CRenderEngine::DrawHtmlText(hDC, m_pManager, rc, m_sText, color, nullptr, nullptr, links,
                                                  m_uTextStyle);
        m_nHtmlTextHeight = drawnHeight;
    } else {
        CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, color, m_iFont, m_uTextStyle);
    }
    if (m_bAdaptive) {
        Adapt(hDC, drawnHeight);
    }
}

// Formatted text sets the height, plain text the width.
void CButtonUI::Adapt(HDC hDC, int drawnHeight)
{
    if (m_bShowHtml) {
        if (drawnHeight >= 1 && GetHeight() >= drawnHeight) {
            m_rcItem.bottom = m_rcItem.top + drawnHeight;
        }
        return;
    }
    const SIZE text = CRenderEngine::GetTextSize(hDC, m_pManager, m_sText, m_iFont, m_uTextStyle);
    if (text.cx >= 1 && m_rcItem.left + text.cx != m_rcItem.right) {
        SetPos(RECT{m_rcItem.left, m_rcItem.top, m_rcItem.left + text.cx, m_rcItem.bottom});
    }
}

} // namespace DuiLib
