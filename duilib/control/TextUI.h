#pragma once
// A multi-line label whose formatted text may hold links: the pointer turns into a hand
// over a link, and releasing the mouse on one sends "link" with the link's index.

#include "duilib/control/LabelUI.h"

namespace DuiLib {

class CTextUI final : public CLabelUI {
public:
    CTextUI();

    [[nodiscard]] LPCTSTR GetClass() const override;
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;
    [[nodiscard]] UINT GetControlFlags() const override;

    // The text of link iIndex as last painted; null out of range.
    [[nodiscard]] CDuiString* GetLinkContent(int iIndex);

    // The text's extent at the available width, padding included.
    [[nodiscard]] SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI& event) override;
    void PaintText(HDC hDC) override;

    static constexpr int kMaxLinks = 8;

private:
    // The link under pt, or -1.
    [[nodiscard]] int LinkAt(POINT pt) const;
    [[nodiscard]] bool HandleLinkEvent(const TEventUI& event);

    int m_nLinks = 0;
    RECT m_rcLinks[kMaxLinks] = {};
    CDuiString m_sLinks[kMaxLinks];
    int m_nHoverLink = -1;
};

} // namespace DuiLib
