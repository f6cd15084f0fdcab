#pragma once
// A label that the user presses: images and text colours per state (normal, hot,
// pushed, focused, disabled), "click" when the mouse is released over it or Space or
// Return is pressed while it has the focus, and optionally the hand cursor.

#include "duilib/control/LabelUI.h"
#include "duilib/control/UIState.h"

namespace DuiLib {

class CButtonUI : public CLabelUI {
public:
    CButtonUI();

    [[nodiscard]] LPCTSTR GetClass() const override;
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;
    [[nodiscard]] UINT GetControlFlags() const override;

    // Sends "click"; false when the button is hidden or disabled.
    bool Activate() override;
    void SetEnabled(bool bEnable = true) override;
    void DoEvent(TEventUI& event) override;
    [[nodiscard]] SIZE EstimateSize(SIZE szAvailable) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintText(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;

    [[nodiscard]] UINT GetButtonState() const { return m_uButtonState; }

    // Image attribute strings.
    void SetNormalImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetNormalImage() const { return m_sNormalImage; }
    void SetHotImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetHotImage() const { return m_sHotImage; }
    // Drawn over the hot image instead of the fore image.
    void SetHotForeImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetHotForeImage() const { return m_sHotForeImage; }
    void SetPushedImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetPushedImage() const { return m_sPushedImage; }
    // Drawn over the pushed image instead of the fore image.
    void SetPushedForeImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetPushedForeImage() const { return m_sPushedForeImage; }
    void SetFocusedImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetFocusedImage() const { return m_sFocusedImage; }
    void SetDisabledImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetDisabledImage() const { return m_sDisabledImage; }

    // ARGB; 0 means unset.
    void SetHotBkColor(DWORD dwColor) { m_dwHotBkColor = dwColor; }
    [[nodiscard]] DWORD GetHotBkColor() const { return m_dwHotBkColor; }
    void SetHotTextColor(DWORD dwColor) { m_dwHotTextColor = dwColor; }
    [[nodiscard]] DWORD GetHotTextColor() const { return m_dwHotTextColor; }
    void SetPushedTextColor(DWORD dwColor) { m_dwPushedTextColor = dwColor; }
    [[nodiscard]] DWORD GetPushedTextColor() const { return m_dwPushedTextColor; }
    void SetFocusedTextColor(DWORD dwColor) { m_dwFocusedTextColor = dwColor; }
    [[nodiscard]] DWORD GetFocusedTextColor() const { return m_dwFocusedTextColor; }

    // An adaptive button fits its width (or, with formatted text, its height) to its text.
    void SetAdaptive(bool bAdaptive) { m_bAdaptive = bAdaptive; }
    [[nodiscard]] bool IsAdaptive() const { return m_bAdaptive; }
    void SetShowHand(bool bShow) { m_bShowHand = bShow; }
    [[nodiscard]] bool IsShowHand() const { return m_bShowHand; }

protected:
    // The focused and disabled bits follow the control's flags.
    void RefreshStateBits();
    // Draws an image attribute string when it is set; one that fails is emptied so that
    // it is not tried again. False when nothing was drawn.
    bool DrawStateImage(HDC hDC, CDuiString& image);
    // The state images without the option's additions.
    void PaintButtonImages(HDC hDC);
    // The button's own text path: colour by state, then plain or formatted text.
    void PaintButtonText(HDC hDC);
    // The text colour of the current state: pushed, hot, disabled, focused, normal.
    [[nodiscard]] DWORD StateTextColor() const;

    UINT m_uButtonState = 0;
    CDuiString m_sNormalImage;
    CDuiString m_sHotImage;
    CDuiString m_sHotForeImage;
    CDuiString m_sPushedImage;
    CDuiString m_sPushedForeImage;
    CDuiString m_sFocusedImage;
    CDuiString m_sDisabledImage;
    DWORD m_dwHotBkColor = 0;
    DWORD m_dwHotTextColor = 0;
    DWORD m_dwPushedTextColor = 0;
    DWORD m_dwFocusedTextColor = 0;
    bool m_bAdaptive = false;
    bool m_bShowHand = false;
    int m_nHtmlTextHeight = 0; // of the formatted text last drawn

private:
    [[nodiscard]] bool HandleMouse(TEventUI& event);
    void PaintForeOver(HDC hDC, CDuiString& image);
    void Adapt(HDC hDC, int drawnHeight);
};

} // namespace DuiLib
