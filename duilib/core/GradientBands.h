#pragma once
// The banded approximation of a two-colour gradient, used where the platform has no
// gradient fill. Pure arithmetic; colours are ARGB.

#include "common/Win32.h"

#include <vector>

namespace DuiLib {

struct GradientBand {
    RECT rc;
    DWORD color; // ARGB
};

// log2 of the band count for a requested number of steps: 1 (2 bands) up to 6 (64).
[[nodiscard]] int GradientBandShift(int steps) noexcept;

// Bands from first (top or left) to second (bottom or right). Band 0 lies at the bottom
// (right) edge in second's colour; bands without area are left out.
[[nodiscard]] std::vector<GradientBand> GradientBands(const RECT& rc, DWORD first, DWORD second, bool vertical,
                                                      int steps);

} // namespace DuiLib
