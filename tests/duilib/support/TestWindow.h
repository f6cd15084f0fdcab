#pragma once
// A real top-level window whose messages go to a CPaintManagerUI first, as a skinned
// window's do. Tests send and post real messages to it.

#include "duilib/core/PaintManager.h"

namespace probe {

class TestWindow final {
public:
    // A popup at (x, y) with a client area of width × height; shown without activation
    // when visible is true (painting needs a visible window).
    TestWindow(int width, int height, bool visible = true, DWORD exStyle = 0, int x = 40, int y = 40);
    ~TestWindow() noexcept;
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    [[nodiscard]] HWND Hwnd() const noexcept { return m_hwnd; }
    [[nodiscard]] DuiLib::CPaintManagerUI& Manager() noexcept { return m_manager; }
    [[nodiscard]] const DuiLib::CPaintManagerUI& Manager() const noexcept { return m_manager; }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Client coordinates packed the way mouse messages carry them.
    LRESULT SendMouse(UINT msg, int x, int y, WPARAM keys = 0) const;
    // Dispatches the posted messages of this window in [first, last], without waiting.
    int Pump(UINT first, UINT last) const;
    // Paints what is invalid now, as the message loop would.
    void Paint() const;
    // The messages the manager did not handle, counted by the window procedure.
    [[nodiscard]] int Unhandled(UINT msg) const;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    DuiLib::CPaintManagerUI m_manager;
    HWND m_hwnd = nullptr;
    int m_unhandled[0x400] = {};
};

} // namespace probe
