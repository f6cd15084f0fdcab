#pragma once
// Bits of the interaction state that buttons, options and scroll bars keep.

#include "common/Win32.h"

namespace DuiLib {

constexpr UINT UISTATE_FOCUSED = 0x01;
constexpr UINT UISTATE_SELECTED = 0x02;
constexpr UINT UISTATE_DISABLED = 0x04;
constexpr UINT UISTATE_HOT = 0x08;
constexpr UINT UISTATE_PUSHED = 0x10;
constexpr UINT UISTATE_CAPTURED = 0x40;

} // namespace DuiLib
