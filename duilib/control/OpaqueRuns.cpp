#include "duilib/control/OpaqueRuns.h"

#include <algorithm>

namespace DuiLib {

namespace {

struct ChannelRange {
    DWORD low[3];
    DWORD high[3];
};

ChannelRange RangeOf(DWORD keyColor, DWORD tolerance) noexcept
{
    ChannelRange range{};
    for (int channel = 0; channel < 3; ++channel) {
        const int shift = channel * 8;
        range.low[channel] = (keyColor >> shift) & 0xFFu;
        range.high[channel] = std::min<DWORD>(range.low[channel] + ((tolerance >> shift) & 0xFFu), 0xFFu);
    }
    return range;
}

bool IsTransparent(DWORD pixel, const ChannelRange& range) noexcept
{
    for (int channel = 0; channel < 3; ++channel) {
        const DWORD value = (pixel >> (channel * 8)) & 0xFFu;
        if (value < range.low[channel] || value > range.high[channel]) {
            return false;
        }
    }
    return true;
}

} // namespace

void COpaqueRuns::Scan(const DWORD* pixels, int width, int height, DWORD keyColor, DWORD tolerance, int x, int y,
                       const std::function<void(const RECT&)>& emit)
{
    const ChannelRange range = RangeOf(keyColor, tolerance);
    for (int row = 0; row < height; ++row) {
        const DWORD* line = pixels + static_cast<size_t>(row) * static_cast<size_t>(width);
        int column = 0;
        while (column < width) {
            while (column < width && IsTransparent(line[column], range)) {
                ++column;
            }
            const int start = column;
            while (column < width && !IsTransparent(line[column], range)) {
                ++column;
            }
            if (column > start) {
                emit(RECT{x + start, y + row, x + column, y + row + 1});
            }
        }
    }
}

} // namespace DuiLib
