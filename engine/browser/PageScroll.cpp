#include "engine/browser/PageScroll.h"

#include <algorithm>

namespace engine {

void PageScroll::SetExtent(int contentHeight, int viewportHeight)
{
    m_contentHeight = std::max(contentHeight, 0);
    m_viewportHeight = std::max(viewportHeight, 0);
    m_position = std::clamp(m_position, 0, MaxPosition());
}

int PageScroll::MaxPosition() const noexcept
{
    return std::max(m_contentHeight - m_viewportHeight, 0);
}

int PageScroll::PageStep() const noexcept
{
    return std::max({m_viewportHeight - kPageOverlap, m_viewportHeight / 2, 1});
}

bool PageScroll::ScrollTo(int y)
{
    const int clamped = std::clamp(y, 0, MaxPosition());
    const bool changed = clamped != m_position;
    m_position = clamped;
    return changed;
}

std::optional<int> PageScroll::TargetForKey(UINT virtualKey, bool shift) const
{
    switch (virtualKey) {
    case VK_UP: return m_position - kLineStep;
    case VK_DOWN: return m_position + kLineStep;
    case VK_PRIOR: return m_position - PageStep();
    case VK_NEXT: return m_position + PageStep();
    case VK_SPACE: return shift ? m_position - PageStep() : m_position + PageStep();
    case VK_HOME: return 0;
    case VK_END: return MaxPosition();
    default: return std::nullopt;
    }
}

std::optional<int> PageScroll::TargetForScrollBar(UINT request, int trackPosition) const
{
    switch (request) {
    case SB_LINEUP: return m_position - kLineStep;
    case SB_LINEDOWN: return m_position + kLineStep;
    case SB_PAGEUP: return m_position - PageStep();
    case SB_PAGEDOWN: return m_position + PageStep();
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return trackPosition;
    case SB_TOP: return 0;
    case SB_BOTTOM: return MaxPosition();
    default: return std::nullopt;  // SB_ENDSCROLL
    }
}

int PageScroll::TargetForWheel(int wheelDelta) const
{
    return static_cast<int>(m_position - static_cast<long long>(wheelDelta) * kWheelStep / WHEEL_DELTA);
}

} // namespace engine
