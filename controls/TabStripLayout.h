#pragma once
// Where the tab bar puts its tabs and its add button: tabs of equal width side by side
// from the bar's left edge, at the preferred width while they fit, then sharing the bar
// equally, and not at all once a share would fall below the minimum width. The add
// button follows the last tab. Client coordinates; pure arithmetic.

#include "common/Win32.h"

class CTabStripLayout final {
public:
    static constexpr int kAddButtonWidth = 25;

    // Negative widths count as 0.
    CTabStripLayout(const RECT& rcBar, int nTabs, int nPreferredWidth, int nMinWidth) noexcept;

    // False when a share falls below the minimum width: then nothing is to move.
    [[nodiscard]] bool Fits() const noexcept { return m_bFits; }
    // The width of every tab; 0 when there are none or they do not fit.
    [[nodiscard]] int TabWidth() const noexcept { return m_nTabWidth; }
    [[nodiscard]] RECT TabRect(int index) const noexcept;
    [[nodiscard]] RECT AddButtonRect() const noexcept;

private:
    RECT m_rcBar;
    int m_nTabs;
    int m_nTabWidth = 0;
    bool m_bFits = false;
};
