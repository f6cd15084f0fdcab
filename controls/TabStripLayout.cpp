#include "controls/TabStripLayout.h"

#include <algorithm>

CTabStripLayout::CTabStripLayout(const RECT& rcBar, int nTabs, int nPreferredWidth, int nMinWidth) noexcept
    : m_rcBar(rcBar), m_nTabs(std::max(nTabs, 0))
{
    if (m_nTabs == 0) {
        m_bFits = true;
        return;
    }
    // 64 bits: a skin may give widths that overflow when multiplied by hundreds of tabs.
    const long long available = static_cast<long long>(rcBar.right) - rcBar.left - kAddButtonWidth;
    const long long share = available / m_nTabs; // truncated toward zero, as a negative bar gives
    const long long preferred = std::max(nPreferredWidth, 0);
    if (share < std::max(nMinWidth, 0)) {
        return;
    }
    m_bFits = true;
    m_nTabWidth = static_cast<int>(preferred * m_nTabs <= available ? preferred : share);
}

RECT CTabStripLayout::TabRect(int index) const noexcept
{
    const int left = m_rcBar.left + index * m_nTabWidth;
    return RECT{left, m_rcBar.top, left + m_nTabWidth, m_rcBar.bottom};
}

RECT CTabStripLayout::AddButtonRect() const noexcept
{
    const int left = m_rcBar.left + m_nTabs * m_nTabWidth;
    return RECT{left, m_rcBar.top, left + kAddButtonWidth, m_rcBar.bottom};
}
