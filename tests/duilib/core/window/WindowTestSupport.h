#pragma once
// Helpers for tests of real top-level windows: pumping this thread's messages until
// something happened, and the geometry the window system reports.

#include "common/Win32.h"
#include "tests/TestPrinters.h"

#include <functional>

namespace windowtest {

// Dispatches this thread's messages until done() holds or about five seconds passed
// (a bound that only catches a hang); returns done().
bool PumpUntil(const std::function<bool()>& done);
// Dispatches what is queued now, without waiting.
void PumpPending();

[[nodiscard]] RECT WindowRect(HWND hWnd);
[[nodiscard]] RECT ClientRect(HWND hWnd);
[[nodiscard]] RECT WorkAreaOf(HWND hWnd);
[[nodiscard]] RECT Grown(const RECT& rc, int left, int top, int right, int bottom);

} // namespace windowtest
