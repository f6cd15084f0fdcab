#include "duilib/core/RenderEngineTextColors.h"

namespace DuiLib {

namespace {

[[nodiscard]] BYTE RedOf(DWORD argb) noexcept { return static_cast<BYTE>(argb >> 16); }
[[nodiscard]] BYTE GreenOf(DWORD argb) noexcept { return static_cast<BYTE>(argb >> 8); }
[[nodiscard]] BYTE BlueOf(DWORD argb) noexcept { return static_cast<BYTE>(argb); }

} // namespace

COLORREF RenderEngineTextColors::ToColorRef(DWORD argb) noexcept
{
    return RGB(RedOf(argb), GreenOf(argb), BlueOf(argb));
}

COLORREF RenderEngineTextColors::ToTextColorRef(DWORD argb) noexcept
{
    return (argb & 0x00FFFFFFu) == 0 ? RGB(0, 0, 1) : ToColorRef(argb);
}

COLORREF RenderEngineTextColors::AlphaTextKey(DWORD argb) noexcept
{
    const BYTE r = RedOf(argb);
    const BYTE g = GreenOf(argb);
    const BYTE b = BlueOf(argb);
    const BYTE keyRed = r == 255 ? 254 : static_cast<BYTE>(r + 1);
    const BYTE keyGreen = g == 255 ? 253 : static_cast<BYTE>(g + 2);
    const BYTE keyBlue = b == 255 ? 252 : static_cast<BYTE>(b + 3);
    return RGB(keyRed, keyGreen, keyBlue);
}

} // namespace DuiLib
