#include "duilib/core/GradientBands.h"

#include <cstdint>

namespace DuiLib {

namespace {

[[nodiscard]] DWORD MixChannels(DWORD first, DWORD second, DWORD i, DWORD n, int shift) noexcept
{
    DWORD color = 0;
    for (int bit = 0; bit < 32; bit += 8) {
        const DWORD a = (first >> bit) & 0xFFu;
        const DWORD b = (second >> bit) & 0xFFu;
        color |= (((a * i + b * (n - i)) >> shift) & 0xFFu) << bit;
    }
    return color;
}

} // namespace

int GradientBandShift(int steps) noexcept
{
    if (steps <= 3) {
        return 1;
    }
    if (steps <= 7) {
        return 2;
    }
    if (steps <= 15) {
        return 3;
    }
    if (steps <= 31) {
        return 4;
    }
    return steps <= 63 ? 5 : 6;
}

std::vector<GradientBand> GradientBands(const RECT& rc, DWORD first, DWORD second, bool vertical, int steps)
{
    const int shift = GradientBandShift(steps);
    const std::int64_t n = std::int64_t{1} << shift;
    const std::int64_t length = vertical ? std::int64_t{rc.bottom} - rc.top : std::int64_t{rc.right} - rc.left;
    const LONG end = vertical ? rc.bottom : rc.right;
    std::vector<GradientBand> bands;
    bands.reserve(static_cast<size_t>(n));
    for (std::int64_t i = 0; i < n; ++i) {
        const auto from = static_cast<LONG>(end - (i + 1) * length / n);
        const auto to = static_cast<LONG>(end - i * length / n);
        if (from >= to) {
            continue;
        }
        const DWORD color = MixChannels(first, second, static_cast<DWORD>(i), static_cast<DWORD>(n), shift);
        const RECT band = vertical ? RECT{rc.left, from, rc.right, to} : RECT{from, rc.top, to, rc.bottom};
        bands.push_back({band, color});
    }
    return bands;
}

} // namespace DuiLib
