#include "controls/ScrollTextButtonUI.h"

#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderClip.h"
#include "duilib/core/RenderEngine.h"

using DuiLib::CDuiString;
using DuiLib::CRenderClip;
using DuiLib::CRenderEngine;
using DuiLib::TEventUI;

namespace {

constexpr int kScrollStep = 2;
constexpr UINT kItemStyle = DT_SINGLELINE | DT_VCENTER;

} // namespace

CScrollTextButtonUI::~CScrollTextButtonUI() noexcept
{
    if (m_pManager != nullptr) {
        (void)m_pManager->KillTimer(this, kScrollTimerId); // false only for a timer not running
        (void)m_pManager->KillTimer(this, kPauseTimerId);
    }
}

void CScrollTextButtonUI::DoEvent(TEventUI& event)
{
    if (event.Type != DuiLib::kEventTimer) {
        CButtonUI::DoEvent(event);
    } else if (event.wParam == kScrollTimerId) {
        OnScrollStep();
    } else if (event.wParam == kPauseTimerId) {
        OnPauseEnd();
    }
}

void CScrollTextButtonUI::AddItem(LPCTSTR pstrText, LPCTSTR pstrUrl)
{
    m_texts.emplace_back(pstrText != nullptr ? pstrText : L"");
    m_urls.emplace_back(pstrUrl != nullptr ? pstrUrl : L"");
}

// Before the first pause ends the first item stands in the button; afterwards the item
// after the current one, which scrolls in and then stands.
CDuiString CScrollTextButtonUI::GetCurrentUrl() const
{
    if (m_urls.empty()) {
        return CDuiString();
    }
    return m_bStarted ? m_urls[NextIndex()] : m_urls.front();
}

void CScrollTextButtonUI::OnScrollStep()
{
    m_nOffset += kScrollStep;
    const int height = GetFixedHeight();
    if (m_nOffset >= height) {
        m_nOffset = height;
        SwitchTimer(kScrollTimerId, kPauseTimerId, m_uPauseInterval);
    }
    NeedUpdate();
}

// The first pause end scrolls the first item out; each later one moves on to the item
// that has been standing.
void CScrollTextButtonUI::OnPauseEnd()
{
    if (!m_bStarted) {
        m_bStarted = true;
    } else {
        m_uCurrent = m_texts.empty() ? 0 : static_cast<unsigned int>(NextIndex());
    }
    m_nOffset = 0;
    SwitchTimer(kPauseTimerId, kScrollTimerId, m_uStepInterval);
}

void CScrollTextButtonUI::SwitchTimer(UINT uStop, UINT uStart, UINT uElapse)
{
    if (m_pManager != nullptr) {
        (void)m_pManager->KillTimer(this, uStop); // it is the one running
        (void)m_pManager->SetTimer(this, uStart, uElapse); // a refused timer ends the rotation
    }
}

size_t CScrollTextButtonUI::NextIndex() const
{
    return m_texts.empty() ? 0 : (static_cast<size_t>(m_uCurrent) + 1) % m_texts.size();
}

void CScrollTextButtonUI::PaintText(HDC hDC)
{
    if (m_bEnableEffect) {
        CLabelUI::PaintText(hDC);
        return;
    }
    RefreshStateBits();
    DefaultTextColors();
    if (m_sText.IsEmpty() && m_texts.empty()) {
        return;
    }
    const RECT rc = TextRect();
    const DWORD color = StateTextColor();
    if (m_texts.empty()) {
        PaintOwnText(hDC, rc, color);
        return;
    }
    // The current text shrinks upward while the next one grows from the bottom edge.
    const int h = m_bStarted ? m_nOffset : 0;
    if (rc.top < rc.bottom - h) {
        PaintItem(hDC, RECT{rc.left, rc.top, rc.right, rc.bottom - h}, m_texts[m_uCurrent % m_texts.size()], color);
    }
    if (h > 0) {
        PaintItem(hDC, RECT{rc.left, rc.bottom - h, rc.right, rc.bottom}, m_texts[NextIndex()], color);
    }
}

void CScrollTextButtonUI::PaintOwnText(HDC hDC, RECT rc, DWORD dwColor)
{
    if (m_bShowHtml) {
        int links = 0;
        (void)CRenderEngine::DrawHtmlText(hDC, m_pManager, rc, m_sText, dwColor, nullptr, nullptr, links,
                                          m_uTextStyle); // the height matters only to adaptive buttons
    } else {
        CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, dwColor, m_iFont, m_uTextStyle);
    }
}

// One text in its part of the text rectangle, clipped to that part within the control.
// Before the rotation starts the first text is plain text.
void CScrollTextButtonUI::PaintItem(HDC hDC, const RECT& rcPart, LPCTSTR pstrText, DWORD dwColor)
{
    RECT visible{};
    if (!::IntersectRect(&visible, &rcPart, &m_rcItem)) {
        return;
    }
    CRenderClip clip;
    CRenderClip::GenerateClip(hDC, visible, clip);
    RECT rc = rcPart;
    if (m_bStarted && m_bShowHtml) {
        int links = 0;
        (void)CRenderEngine::DrawHtmlText(hDC, m_pManager, rc, pstrText, dwColor, nullptr, nullptr, links,
                                          kItemStyle); // no links are recorded
    } else {
        CRenderEngine::DrawText(hDC, m_pManager, rc, pstrText, dwColor, m_iFont, kItemStyle);
    }
}
