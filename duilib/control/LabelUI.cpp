#include "duilib/control/LabelUI.h"

#include "duilib/core/AttributeTable.h"
#include "duilib/core/AttributeValue.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

// GDI+ needs the COM property types that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>

#include <gdiplus.h>

#include <cwchar>

namespace DuiLib {

int CLabelUI::m_nCount = 0;
ULONG_PTR CLabelUI::m_gdiplusToken = 0;

namespace {

constexpr UINT kMultiLineStyle = DT_WORDBREAK | DT_EDITCONTROL;

// One "align" word: its style replaces the current one, or is added to it.
struct AlignWord {
    LPCTSTR word;
    UINT style;
    bool withMultiLine; // the multi-line style is part of it
    bool added;
};

// Later matches override earlier ones, so the order is part of the rule.
const AlignWord kAlignWords[] = {
    {L"left+top", 0, true, false},
    {L"left+vcenter", DT_SINGLELINE | DT_VCENTER, false, false},
    {L"left+bottom", DT_BOTTOM, true, false},
    {L"right+top", DT_RIGHT, true, false},
    {L"right+vcenter", DT_SINGLELINE | DT_VCENTER | DT_RIGHT, false, false},
    {L"right+bottom", DT_RIGHT | DT_BOTTOM, true, true},
    {L"center+top", DT_SINGLELINE | DT_CENTER, false, false},
    {L"center+vcenter", DT_SINGLELINE | DT_VCENTER | DT_CENTER, false, false},
    {L"center+bottom", DT_SINGLELINE | DT_CENTER | DT_BOTTOM, false, true},
};

// The index of the first word of the list that the value contains, or fallback.
int FirstWordIn(LPCTSTR value, const LPCTSTR (&words)[3], int fallback)
{
    for (int i = 0; i < 3; ++i) {
        if (std::wcsstr(value, words[i]) != nullptr) {
            return i;
        }
    }
    return fallback;
}

int Int(LPCTSTR v) { return CAttributeValue::ParseInt(v); }
DWORD Color(LPCTSTR v) { return CAttributeValue::ParseColor(v); }
bool Bool(LPCTSTR v) { return CAttributeValue::ParseBool(v); }

void SetEndEllipsis(CLabelUI& c, LPCTSTR v)
{
    c.SetTextStyle(Bool(v) ? c.GetTextStyle() | DT_END_ELLIPSIS : c.GetTextStyle() & ~DT_END_ELLIPSIS);
}

void SetShadowOffsetAttribute(CLabelUI& c, LPCTSTR v)
{
    const SIZE offsetAndAngle = CAttributeValue::ParseSize(v);
    c.SetShadowOffset(offsetAndAngle.cx, offsetAndAngle.cy);
}

void SetEffectAlign(CLabelUI& c, LPCTSTR v)
{
    static const LPCTSTR kWords[3] = {L"left", L"center", L"right"};
    c.SetEffectAlign(FirstWordIn(v, kWords, c.GetEffectAlign()));
}

void SetEffectLineAlign(CLabelUI& c, LPCTSTR v)
{
    static const LPCTSTR kWords[3] = {L"top", L"center", L"bottom"};
    c.SetEffectLineAlign(FirstWordIn(v, kWords, c.GetEffectLineAlign()));
}

const TAttributeEntry<CLabelUI> kAttributes[] = {
    {L"multiline", [](CLabelUI& c, LPCTSTR v) { c.SetMultiLine(Bool(v)); }},
    {L"endellipsis", SetEndEllipsis},
    {L"font", [](CLabelUI& c, LPCTSTR v) { c.SetFont(Int(v)); }},
    {L"textcolor", [](CLabelUI& c, LPCTSTR v) { c.SetTextColor(Color(v)); }},
    {L"disabledtextcolor", [](CLabelUI& c, LPCTSTR v) { c.SetDisabledTextColor(Color(v)); }},
    {L"textpadding", [](CLabelUI& c, LPCTSTR v) { c.SetTextPadding(CAttributeValue::ParseRect(v)); }},
    {L"showhtml", [](CLabelUI& c, LPCTSTR v) { c.SetShowHtml(Bool(v)); }},
    {L"enabledeffect", [](CLabelUI& c, LPCTSTR v) { c.SetEnabledEffect(Bool(v)); }},
    {L"rhaa", [](CLabelUI& c, LPCTSTR v) { c.SetTextRenderingHintAntiAlias(Int(v)); }},
    {L"transshadow", [](CLabelUI& c, LPCTSTR v) { c.SetTransShadow(Int(v)); }},
    {L"transshadow1", [](CLabelUI& c, LPCTSTR v) { c.SetTransShadow1(Int(v)); }},
    {L"transtext", [](CLabelUI& c, LPCTSTR v) { c.SetTransText(Int(v)); }},
    {L"transtext1", [](CLabelUI& c, LPCTSTR v) { c.SetTransText1(Int(v)); }},
    {L"transstroke", [](CLabelUI& c, LPCTSTR v) { c.SetTransStroke(Int(v)); }},
    {L"gradientangle", [](CLabelUI& c, LPCTSTR v) { c.SetGradientAngle(Int(v)); }},
    {L"gradientlength", [](CLabelUI& c, LPCTSTR v) { c.SetGradientLength(Int(v)); }},
    {L"enabledstroke", [](CLabelUI& c, LPCTSTR v) { c.SetEnabledStroke(Bool(v)); }},
    {L"enabledshadow", [](CLabelUI& c, LPCTSTR v) { c.SetEnabledShadow(Bool(v)); }},
    {L"shadowoffset", SetShadowOffsetAttribute},
    {L"textcolor1", [](CLabelUI& c, LPCTSTR v) { c.SetTextColor1(Color(v)); }},
    {L"textshadowcolora", [](CLabelUI& c, LPCTSTR v) { c.SetTextShadowColorA(Color(v)); }},
    {L"textshadowcolorb", [](CLabelUI& c, LPCTSTR v) { c.SetTextShadowColorB(Color(v)); }},
    {L"strokecolor", [](CLabelUI& c, LPCTSTR v) { c.SetStrokeColor(Color(v)); }},
    {L"effectalign", SetEffectAlign},
    {L"effectvalign", SetEffectLineAlign},
};

} // namespace

CLabelUI::GdiplusUser::GdiplusUser() noexcept
{
    if (m_nCount++ == 0) {
        const Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) != Gdiplus::Ok) {
            m_gdiplusToken = 0; // effects then fail to draw; plain text is unaffected
        }
    }
}

CLabelUI::GdiplusUser::GdiplusUser(const GdiplusUser& /*other*/) noexcept : GdiplusUser() {}

CLabelUI::GdiplusUser::~GdiplusUser() noexcept
{
    if (--m_nCount == 0 && m_gdiplusToken != 0) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
}

CLabelUI::CLabelUI() = default;

LPCTSTR CLabelUI::GetClass() const
{
    return L"LabelUI";
}

LPVOID CLabelUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"Label") == 0) {
        return this;
    }
    return CControlUI::GetInterface(pstrName);
}

UINT CLabelUI::GetControlFlags() const
{
    return UIFLAG_TABSTOP;
}

void CLabelUI::SetTextStyle(UINT uStyle)
{
    m_uTextStyle = uStyle;
    Invalidate();
}

void CLabelUI::SetMultiLine(bool bMultiLine)
{
    m_bMultiLine = bMultiLine;
    m_uMultiLineStyle = bMultiLine ? kMultiLineStyle : DT_SINGLELINE;
    Invalidate();
}

void CLabelUI::SetTextColor(DWORD dwTextColor)
{
    m_dwTextColor = dwTextColor;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD dwTextColor)
{
    m_dwDisabledTextColor = dwTextColor;
    Invalidate();
}

void CLabelUI::SetFont(int index)
{
    m_iFont = index;
    Invalidate();
}

void CLabelUI::SetTextPadding(RECT rc)
{
    m_rcTextPadding = rc;
    Invalidate();
}

void CLabelUI::SetShowHtml(bool bShowHtml)
{
    if (m_bShowHtml != bShowHtml) {
        m_bShowHtml = bShowHtml;
        Invalidate();
    }
}

void CLabelUI::SetTextRenderingHintAntiAlias(int hint)
{
    m_effect.renderingHint = hint >= 0 && hint <= 5 ? hint : 0;
}

// The displacement does not depend on where the label stands, so a shadow set after
// layout lands as close to the text as one set from markup.
void CLabelUI::SetShadowOffset(int offset, int angle)
{
    if (angle < -180 || angle > 180) {
        return;
    }
    int top = 0;
    int left = 0;
    if (angle >= 0) {
        top -= offset;
    } else if (angle > -180) {
        top += offset;
    }
    if (angle > -90 && angle <= 90) {
        left -= offset;
    } else if (angle != -90) {
        left += offset;
    }
    m_effect.shadowDx = static_cast<float>(top);
    m_effect.shadowDy = static_cast<float>(left);
    m_szShadowOffset = SIZE{offset, angle};
}

Gdiplus::RectF CLabelUI::GetShadowOffset() const
{
    return Gdiplus::RectF(m_effect.shadowDx, m_effect.shadowDy, 0.0F, 0.0F);
}

int CLabelUI::FontHeight() const
{
    const TFontInfo* font = m_pManager != nullptr ? m_pManager->GetFontInfo(m_iFont) : nullptr;
    return font != nullptr ? font->tm.tmHeight : 0;
}

SIZE CLabelUI::EstimateSize(SIZE /*szAvailable*/)
{
    if (m_cxyFixed.cy != 0) {
        return m_cxyFixed;
    }
    return SIZE{m_cxyFixed.cx, FontHeight() + 4};
}

void CLabelUI::DoEvent(TEventUI& event)
{
    if (event.Type == kEventSetFocus || event.Type == kEventKillFocus) {
        m_bFocused = event.Type == kEventSetFocus;
        return;
    }
    CControlUI::DoEvent(event);
}

void CLabelUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (pstrName != nullptr && pstrValue != nullptr && std::wcscmp(pstrName, L"align") == 0) {
        ApplyAlign(pstrValue);
    } else if (!ApplyAttributeEntry(kAttributes, *this, pstrName, pstrValue)) {
        CControlUI::SetAttribute(pstrName, pstrValue);
    }
}

void CLabelUI::ApplyAlign(LPCTSTR pstrValue)
{
    UINT style = m_uTextStyle;
    for (const AlignWord& align : kAlignWords) {
        if (std::wcsstr(pstrValue, align.word) == nullptr) {
            continue;
        }
        const UINT value = align.style | (align.withMultiLine ? m_uMultiLineStyle : 0);
        style = align.added ? style | value : value;
    }
    SetTextStyle(style);
}

void CLabelUI::DefaultTextColors()
{
    if (m_pManager == nullptr) {
        return;
    }
    if (m_dwTextColor == 0) {
        m_dwTextColor = m_pManager->GetDefaultFontColor();
    }
    if (m_dwDisabledTextColor == 0) {
        m_dwDisabledTextColor = m_pManager->GetDefaultDisabledColor();
    }
}

RECT CLabelUI::TextRect() const
{
    return RECT{m_rcItem.left + m_rcTextPadding.left, m_rcItem.top + m_rcTextPadding.top,
                m_rcItem.right - m_rcTextPadding.right, m_rcItem.bottom - m_rcTextPadding.bottom};
}

void CLabelUI::PaintText(HDC hDC)
{
    LPCTSTR translated = m_pManager != nullptr ? CPaintManagerUI::GetLanguageAttributeList(m_sText) : nullptr;
    m_TextValue = translated != nullptr ? translated : m_sText.GetData();
    DefaultTextColors();
    if (m_bEnableEffect) {
        PaintEffectText(hDC);
        return;
    }
    if (m_sText.IsEmpty()) {
        return;
    }
    RECT rc = TextRect();
    const DWORD color = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
    if (m_bShowHtml) {
        int links = 0;
        (void)CRenderEngine::DrawHtmlText(hDC, m_pManager, rc, m_sText, color, nullptr, nullptr, links,
                                          m_uTextStyle | DT_SINGLELINE); // the height is of no use here
    } else {
        CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, color, m_iFont, m_uTextStyle);
    }
}

void CLabelUI::PaintEffectText(HDC hDC)
{
    const HFONT font = m_pManager != nullptr ? m_pManager->GetFont(m_iFont) : nullptr;
    // When GDI+ refuses, there is nothing to fall back to.
    (void)CTextEffectPainter::Paint(hDC, font, TextRect(), m_TextValue, m_dwTextColor, m_effect);
}

} // namespace DuiLib
