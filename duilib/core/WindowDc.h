#pragma once
// Owner of a window's device context from GetDC: released with ReleaseDC on the same
// window, which is why it keeps the window handle.

#include "common/Win32.h"

namespace DuiLib {

class CWindowDc final {
public:
    CWindowDc() noexcept = default;
    ~CWindowDc() noexcept { Reset(); }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;

    // Releases a context held before; false when the window gives none.
    [[nodiscard]] bool Acquire(HWND hWnd) noexcept
    {
        Reset();
        m_hDC = ::GetDC(hWnd);
        m_hWnd = m_hDC != nullptr ? hWnd : nullptr;
        return m_hDC != nullptr;
    }

    void Reset() noexcept
    {
        if (m_hDC != nullptr) {
            (void)::ReleaseDC(m_hWnd, m_hDC); // Nothing useful to do if the window is already gone.
        }
        m_hDC = nullptr;
        m_hWnd = nullptr;
    }

    [[nodiscard]] HDC get() const noexcept { return m_hDC; }

private:
    HWND m_hWnd = nullptr;
    HDC m_hDC = nullptr;
};

} // namespace DuiLib
