#pragma once
// A button that shows a list of short texts one after the other: each text stands for a
// pause, then scrolls up out of the button while the next one scrolls in from below.
// Every text has a URL beside it, so that a click can open the item that is showing.
//
// The owner starts the rotation once, after adding items:
//   manager->SetTimer(button, CScrollTextButtonUI::kPauseTimerId, button->GetPauseInterval());
// From then on the button alternates between its two timers by itself.

#include "duilib/control/ButtonUI.h"
#include "duilib/core/DuiString.h"

#include <vector>

class CScrollTextButtonUI final : public DuiLib::CButtonUI {
public:
    // The control's own timer ids with the manager; at most one of them runs at a time.
    static constexpr UINT kScrollTimerId = 28;
    static constexpr UINT kPauseTimerId = 29;

    CScrollTextButtonUI() = default;
    // Stops both timers.
    ~CScrollTextButtonUI() noexcept override;

    // Timer events drive the rotation and go no further; the rest is the button's.
    void DoEvent(DuiLib::TEventUI& event) override;
    // Without items, the button's text; with items, the current and the next text, each
    // clipped to its part of the control.
    void PaintText(HDC hDC) override;

    // A null URL is stored as an empty one. Items may be added while the rotation runs.
    void AddItem(LPCTSTR pstrText, LPCTSTR pstrUrl);
    [[nodiscard]] int GetItemCount() const { return static_cast<int>(m_texts.size()); }
    // The URL of the item that stands in the button (or scrolls in); empty without items.
    [[nodiscard]] DuiLib::CDuiString GetCurrentUrl() const;
    // Milliseconds a text stands still, and between two scroll steps.
    [[nodiscard]] UINT GetPauseInterval() const { return m_uPauseInterval; }
    [[nodiscard]] UINT GetStepInterval() const { return m_uStepInterval; }
    // How far the texts have moved up, px.
    [[nodiscard]] int GetOffset() const { return m_nOffset; }

private:
    void OnScrollStep();
    void OnPauseEnd();
    void SwitchTimer(UINT uStop, UINT uStart, UINT uElapse);
    void PaintOwnText(HDC hDC, RECT rc, DWORD dwColor);
    void PaintItem(HDC hDC, const RECT& rcPart, LPCTSTR pstrText, DWORD dwColor);
    [[nodiscard]] size_t NextIndex() const;

    bool m_bStarted = false;       // the first pause has ended
    unsigned int m_uCurrent = 0;   // the text scrolling out (or standing before the start)
    int m_nOffset = 0;
    UINT m_uPauseInterval = 3000;
    UINT m_uStepInterval = 60;
    std::vector<DuiLib::CDuiString> m_texts;
    std::vector<DuiLib::CDuiString> m_urls; // parallel to m_texts
};
