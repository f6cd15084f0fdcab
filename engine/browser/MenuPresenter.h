#pragma once
// How the engine shows a context menu and learns the chosen command. The default is
// a modal TrackPopupMenu; tests install their own presenter to choose like a user.

#include "common/Win32.h"

namespace engine {

// Returns the chosen command id, or 0 when the menu was dismissed.
using MenuPresenter = int (*)(HWND owner, HMENU menu, POINT screenPoint);

// Null restores the default.
void SetMenuPresenterForTesting(MenuPresenter presenter) noexcept;
[[nodiscard]] int PresentMenu(HWND owner, HMENU menu, POINT screenPoint);

} // namespace engine
