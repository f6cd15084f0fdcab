#pragma once
// Stands in for the user at the engine's native context menu: records its items as
// "<id> <label>" ("-" for a separator, " (off)" after a greyed item) and picks `choice`.
// Install with engine::SetMenuPresenterForTesting(&MenuUser::Present).

#include <string>
#include <vector>

#include "common/Win32.h"

namespace enginetest {

struct MenuUser {
    static inline std::vector<std::wstring> shown;
    static inline int choice = 0;

    static int Present(HWND, HMENU menu, POINT)
    {
        shown.clear();
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t label[128] = {};
            (void)::GetMenuStringW(menu, static_cast<UINT>(i), label, 128, MF_BYPOSITION);
            const UINT id = ::GetMenuItemID(menu, i);
            const bool grayed = (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0;
            shown.push_back(id == 0 ? L"-" : std::to_wstring(id) + L" " + label + (grayed ? L" (off)" : L""));
        }
        return choice;
    }
};

} // namespace enginetest
