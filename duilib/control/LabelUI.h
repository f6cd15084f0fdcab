#pragma once
// A control that draws its text: in one of the window's fonts, with a colour for the
// enabled and the disabled state, aligned by DT_* text styles inside the text padding,
// as plain or formatted text, or through GDI+ with a gradient, an outline and a shadow.
// GDI+ runs while at least one label exists.

#include "duilib/control/ControlUI.h"
#include "duilib/control/TextEffectPainter.h"

namespace Gdiplus {
class RectF;
} // namespace Gdiplus

namespace DuiLib {

class CLabelUI : public CControlUI {
public:
    CLabelUI();
    ~CLabelUI() noexcept override = default;
    CLabelUI(const CLabelUI&) = default;
    CLabelUI& operator=(const CLabelUI&) = default;

    [[nodiscard]] LPCTSTR GetClass() const override;
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;
    [[nodiscard]] UINT GetControlFlags() const override;

    // DT_* flags.
    void SetTextStyle(UINT uStyle);
    [[nodiscard]] UINT GetTextStyle() const { return m_uTextStyle; }
    // The style "align" builds on: DT_WORDBREAK | DT_EDITCONTROL, or DT_SINGLELINE.
    void SetMultiLine(bool bMultiLine);
    [[nodiscard]] bool IsMultiLine() const { return m_bMultiLine; }
    // ARGB; 0 takes the manager's default colour at the next paint.
    void SetTextColor(DWORD dwTextColor);
    [[nodiscard]] DWORD GetTextColor() const { return m_dwTextColor; }
    void SetDisabledTextColor(DWORD dwTextColor);
    [[nodiscard]] DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
    // An index into the manager's fonts; -1 (or any index outside them) is the default font.
    void SetFont(int index);
    [[nodiscard]] int GetFont() const { return m_iFont; }
    void SetTextPadding(RECT rc);
    [[nodiscard]] RECT GetTextPadding() const { return m_rcTextPadding; }
    // Formatted text of the render engine instead of plain text.
    void SetShowHtml(bool bShowHtml = true);
    [[nodiscard]] bool IsShowHtml() const { return m_bShowHtml; }

    // The effect settings below are only stored: they show at the next paint.
    void SetEnabledEffect(bool bEnable) { m_bEnableEffect = bEnable; }
    [[nodiscard]] bool GetEnabledEffect() const { return m_bEnableEffect; }
    // A GDI+ text rendering hint; values outside 0..5 become 0.
    void SetTextRenderingHintAntiAlias(int hint);
    [[nodiscard]] int GetTextRenderingHintAntiAlias() const { return m_effect.renderingHint; }
    // 0 near, 1 centre, 2 far.
    void SetEffectAlign(int align) { m_effect.align = align; }
    [[nodiscard]] int GetEffectAlign() const { return m_effect.align; }
    void SetEffectLineAlign(int align) { m_effect.lineAlign = align; }
    [[nodiscard]] int GetEffectLineAlign() const { return m_effect.lineAlign; }
    void SetTransText(int alpha) { m_effect.textAlpha = alpha; }
    [[nodiscard]] int GetTransText() const { return m_effect.textAlpha; }
    void SetTransText1(int alpha) { m_effect.textAlpha1 = alpha; }
    [[nodiscard]] int GetTransText1() const { return m_effect.textAlpha1; }
    void SetTextColor1(DWORD color) { m_effect.textColor1 = color; }
    [[nodiscard]] DWORD GetTextColor1() const { return m_effect.textColor1; }
    void SetGradientAngle(int angle) { m_effect.gradientAngle = angle; }
    [[nodiscard]] int GetGradientAngle() const { return m_effect.gradientAngle; }
    // Pixels; 0 is the text rectangle's height.
    void SetGradientLength(int length) { m_effect.gradientLength = length; }
    [[nodiscard]] int GetGradientLength() const { return m_effect.gradientLength; }
    void SetEnabledShadow(bool bShadow) { m_effect.shadow = bShadow; }
    [[nodiscard]] bool GetEnabledShadow() const { return m_effect.shadow; }
    void SetTextShadowColorA(DWORD color) { m_effect.shadowColorA = color; }
    [[nodiscard]] DWORD GetTextShadowColorA() const { return m_effect.shadowColorA; }
    void SetTextShadowColorB(DWORD color) { m_effect.shadowColorB = color; }
    [[nodiscard]] DWORD GetTextShadowColorB() const { return m_effect.shadowColorB; }
    void SetTransShadow(int alpha) { m_effect.shadowAlpha = alpha; }
    [[nodiscard]] int GetTransShadow() const { return m_effect.shadowAlpha; }
    void SetTransShadow1(int alpha) { m_effect.shadowAlpha1 = alpha; }
    [[nodiscard]] int GetTransShadow1() const { return m_effect.shadowAlpha1; }
    // Moves the shadow offset pixels away at angle degrees (-180..180; others are ignored).
    void SetShadowOffset(int offset, int angle);
    // The shadow's displacement as x and y; width and height are 0.
    [[nodiscard]] Gdiplus::RectF GetShadowOffset() const;
    // The offset and angle last given to SetShadowOffset.
    [[nodiscard]] SIZE GetShadowOffset1() const { return m_szShadowOffset; }
    void SetEnabledStroke(bool bStroke) { m_effect.stroke = bStroke; }
    [[nodiscard]] bool GetEnabledStroke() const { return m_effect.stroke; }
    void SetStrokeColor(DWORD color) { m_effect.strokeColor = color; }
    [[nodiscard]] DWORD GetStrokeColor() const { return m_effect.strokeColor; }
    void SetTransStroke(int alpha) { m_effect.strokeAlpha = alpha; }
    [[nodiscard]] int GetTransStroke() const { return m_effect.strokeAlpha; }

    // Labels alive in this process; GDI+ runs while it is above 0.
    [[nodiscard]] static int GetLiveCount() noexcept { return m_nCount; }

    // The fixed size when a height is fixed, else the fixed width and the font's height + 4.
    [[nodiscard]] SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintText(HDC hDC) override;

protected:
    // The manager's default colours where the text colours are still 0.
    void DefaultTextColors();
    // The item rectangle less the text padding.
    [[nodiscard]] RECT TextRect() const;
    // The effect path of PaintText: the translated text through GDI+.
    void PaintEffectText(HDC hDC);
    // The height of the label's font; 0 without a manager.
    [[nodiscard]] int FontHeight() const;

    DWORD m_dwTextColor = 0;
    DWORD m_dwDisabledTextColor = 0;
    int m_iFont = -1;
    UINT m_uTextStyle = DT_SINGLELINE | DT_VCENTER;
    RECT m_rcTextPadding = {0, 0, 0, 0};
    bool m_bShowHtml = false;
    bool m_bMultiLine = false;
    UINT m_uMultiLineStyle = DT_SINGLELINE;
    bool m_bEnableEffect = false;
    TTextEffect m_effect;
    SIZE m_szShadowOffset = {0, 0}; // the offset and the angle
    CDuiString m_TextValue;         // the text as last painted, after translation

private:
    // Counts this label among the live ones, also when it is copied.
    class GdiplusUser final {
    public:
        GdiplusUser() noexcept;
        GdiplusUser(const GdiplusUser&) noexcept;
        GdiplusUser& operator=(const GdiplusUser&) noexcept { return *this; }
        ~GdiplusUser() noexcept;
    };

    void ApplyAlign(LPCTSTR pstrValue);

    GdiplusUser m_gdiplusUser;

    static int m_nCount;
    static ULONG_PTR m_gdiplusToken;
};

} // namespace DuiLib
