#pragma once
// Where a page is scrolled to, and where keys and scroll bar actions move it. Pure
// arithmetic; the browser window applies the results.

#include <optional>

#include "common/Win32.h"

namespace engine {

class PageScroll final {
public:
    static constexpr int kLineStep = 40;   // arrow keys and the scroll bar's arrows
    static constexpr int kWheelStep = 48;  // one notch of the wheel
    static constexpr int kPageOverlap = 40;  // a page step keeps this much of the old view

    // Keeps the position inside the new range.
    void SetExtent(int contentHeight, int viewportHeight);
    [[nodiscard]] int Position() const noexcept { return m_position; }
    [[nodiscard]] int MaxPosition() const noexcept;
    [[nodiscard]] int ContentHeight() const noexcept { return m_contentHeight; }
    [[nodiscard]] int ViewportHeight() const noexcept { return m_viewportHeight; }
    [[nodiscard]] int PageStep() const noexcept;

    // Clamps `y` to the range; true when the position changed.
    bool ScrollTo(int y);
    // The position a key press asks for; nothing for keys that do not scroll.
    [[nodiscard]] std::optional<int> TargetForKey(UINT virtualKey, bool shift) const;
    // The position a WM_VSCROLL request code asks for; `trackPosition` is the thumb's.
    [[nodiscard]] std::optional<int> TargetForScrollBar(UINT request, int trackPosition) const;
    // The position after `wheelDelta` (WHEEL_DELTA per notch, positive away from the user).
    [[nodiscard]] int TargetForWheel(int wheelDelta) const;

private:
    int m_position = 0;
    int m_contentHeight = 0;
    int m_viewportHeight = 0;
};

} // namespace engine
