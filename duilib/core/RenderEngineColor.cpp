// HSL colour adjustment. Pure arithmetic: no device context is involved.

#include "duilib/core/RenderEngine.h"

#include <algorithm>
#include <cmath>

namespace DuiLib {

namespace {

struct Hsl {
    double h = 0.0; // degrees
    double s = 0.0; // 0..1
    double l = 0.0; // 0..1
};

// The lowest byte is the model's first channel and the third byte its last, both ways:
// skins tune their hue shifts against this order.
Hsl ToHsl(DWORD color) noexcept
{
    const double c1 = static_cast<double>(color & 0xFFu) / 255.0;
    const double c2 = static_cast<double>((color >> 8) & 0xFFu) / 255.0;
    const double c3 = static_cast<double>((color >> 16) & 0xFFu) / 255.0;
    const double high = std::max({c1, c2, c3});
    const double low = std::min({c1, c2, c3});
    Hsl hsl;
    hsl.l = (high + low) / 2.0;
    const double delta = high - low;
    if (delta <= 0.0) {
        return hsl;
    }
    hsl.s = hsl.l < 0.5 ? delta / (high + low) : delta / (2.0 - high - low);
    if (high == c1) {
        hsl.h = 60.0 * (c2 - c3) / delta;
    } else if (high == c2) {
        hsl.h = 60.0 * (c3 - c1) / delta + 120.0;
    } else {
        hsl.h = 60.0 * (c1 - c2) / delta + 240.0;
    }
    if (hsl.h < 0.0) {
        hsl.h += 360.0;
    }
    return hsl;
}

double HueToChannel(double p, double q, double t) noexcept
{
    t -= std::floor(t); // any number of whole turns
    if (t < 1.0 / 6.0) {
        return p + (q - p) * 6.0 * t;
    }
    if (t < 0.5) {
        return q;
    }
    if (t < 2.0 / 3.0) {
        return p + (q - p) * 6.0 * (2.0 / 3.0 - t);
    }
    return p;
}

DWORD ToByte(double value) noexcept { return static_cast<DWORD>(std::clamp(value * 255.0, 0.0, 255.0)); }

DWORD FromHsl(const Hsl& hsl, DWORD alpha) noexcept
{
    const double q = 2.0 * hsl.l < 1.0 ? hsl.l * (1.0 + hsl.s) : hsl.l + hsl.s - hsl.l * hsl.s;
    const double p = 2.0 * hsl.l - q;
    const double turn = hsl.h / 360.0;
    const DWORD c1 = ToByte(HueToChannel(p, q, turn + 1.0 / 3.0));
    const DWORD c2 = ToByte(HueToChannel(p, q, turn));
    const DWORD c3 = ToByte(HueToChannel(p, q, turn - 1.0 / 3.0));
    return alpha | (c3 << 16) | (c2 << 8) | c1;
}

} // namespace

DWORD CRenderEngine::AdjustColor(DWORD dwColor, short H, short S, short L)
{
    if (H == 180 && S == 100 && L == 100) {
        return dwColor;
    }
    Hsl hsl = ToHsl(dwColor);
    hsl.h += H - 180;
    if (hsl.h <= 0.0) {
        hsl.h += 360.0;
    }
    hsl.s *= S / 100.0;
    hsl.l *= L / 100.0;
    return FromHsl(hsl, dwColor & 0xFF000000u);
}

} // namespace DuiLib
