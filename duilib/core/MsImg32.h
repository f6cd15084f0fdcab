#pragma once
// The platform's AlphaBlend and GradientFill, looked up in msimg32 at run time so the
// program still starts where the library is missing; callers then draw on their own.

#include "common/Win32.h"

namespace DuiLib {

class CMsImg32 final {
public:
    using AlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    using GradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    CMsImg32() = delete;

    // Null when the platform has none. Resolved on first use and then kept.
    [[nodiscard]] static AlphaBlendProc AlphaBlendEntry() noexcept;
    [[nodiscard]] static GradientFillProc GradientFillEntry() noexcept;
};

} // namespace DuiLib
