#include "duilib/core/SoftShadow.h"

#include <algorithm>
#include <cmath>

namespace DuiLib {

namespace {

using Spans = std::vector<TShadowSpan>;

[[nodiscard]] bool IsEmpty(const TShadowSpan& span) noexcept
{
    return span.left > span.right;
}

[[nodiscard]] bool Covers(const TShadowSpan& span, int left, int right) noexcept
{
    return !IsEmpty(span) && span.left <= left && span.right >= right;
}

// Alpha values of a (2k + 1)² square around its centre: solid out to the inner
// radius, then falling off linearly over sharpness + 1 pixels.
class Kernel final {
public:
    Kernel(const CSoftShadow::TParams& params, int radius) : m_radius(radius), m_side(2 * radius + 1)
    {
        const double inner = params.size > params.sharpness ? params.size - params.sharpness : 0;
        m_alpha.resize(static_cast<size_t>(m_side) * static_cast<size_t>(m_side));
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                const double d = std::hypot(dx, dy);
                double alpha = 0;
                if (d < inner) {
                    alpha = params.darkness;
                } else if (d <= radius) {
                    alpha = (1.0 - (d - inner) / (params.sharpness + 1)) * params.darkness;
                }
                m_alpha[Index(dx, dy)] = static_cast<BYTE>(std::lround(std::clamp(alpha, 0.0, 255.0)));
            }
        }
    }

    [[nodiscard]] int Radius() const noexcept { return m_radius; }
    [[nodiscard]] BYTE At(int dx, int dy) const noexcept { return m_alpha[Index(dx, dy)]; }

private:
    [[nodiscard]] size_t Index(int dx, int dy) const noexcept
    {
        return static_cast<size_t>(dy + m_radius) * static_cast<size_t>(m_side) + static_cast<size_t>(dx + m_radius);
    }

    int m_radius;
    int m_side;
    std::vector<BYTE> m_alpha;
};

// Alpha of every pixel of the shadow, raised but never lowered by the drawing steps.
class AlphaCanvas final {
public:
    AlphaCanvas(int width, int height)
        : m_width(width), m_height(height), m_alpha(static_cast<size_t>(width) * static_cast<size_t>(height))
    {
    }

    [[nodiscard]] int Width() const noexcept { return m_width; }
    [[nodiscard]] int Height() const noexcept { return m_height; }
    [[nodiscard]] BYTE* Row(int y) noexcept { return &m_alpha[static_cast<size_t>(y) * static_cast<size_t>(m_width)]; }
    [[nodiscard]] BYTE At(int i) const noexcept { return m_alpha[static_cast<size_t>(i)]; }

    // Sets [left, right] of row y, clipped to the canvas.
    void Fill(int y, int left, int right, BYTE alpha) noexcept
    {
        if (y < 0 || y >= m_height) {
            return;
        }
        left = std::max(left, 0);
        right = std::min(right, m_width - 1);
        if (left <= right) {
            std::fill(Row(y) + left, Row(y) + right + 1, alpha);
        }
    }

private:
    int m_width;
    int m_height;
    std::vector<BYTE> m_alpha;
};

void Raise(BYTE& alpha, BYTE value) noexcept
{
    alpha = std::max(alpha, value);
}

// Step 1: the window's rows in the shadow's coordinates, moved by size to the right and
// down; rows and pixels beyond the canvas are cut off.
[[nodiscard]] Spans PlaceOnCanvas(const Spans& shape, int width, int height, int size)
{
    Spans rows(static_cast<size_t>(height));
    for (size_t py = 0; py < shape.size(); ++py) {
        const int y = static_cast<int>(py) + size;
        if (y < 0 || y >= height || IsEmpty(shape[py])) {
            continue;
        }
        rows[static_cast<size_t>(y)] = {std::max(0, shape[py].left + size), std::min(width - 1, shape[py].right + size)};
    }
    return rows;
}

// Step 2: one pixel of erosion: a row keeps what it shares with both neighbours, less
// one pixel at each end.
[[nodiscard]] Spans Erode(const Spans& rows)
{
    Spans out(rows.size());
    for (size_t y = 1; y + 1 < rows.size(); ++y) {
        const TShadowSpan& above = rows[y - 1];
        const TShadowSpan& row = rows[y];
        const TShadowSpan& below = rows[y + 1];
        if (IsEmpty(above) || IsEmpty(row) || IsEmpty(below)) {
            continue;
        }
        out[y] = {std::max({above.left, row.left, below.left}) + 1, std::min({above.right, row.right, below.right}) - 1};
    }
    return out;
}

// Step 3: the kernel's left half at the row's left end, its right half at the right
// end, and its middle column along the span wherever the row it lands on does not
// cover the span (there the solid core would win anyway).
void StampRow(AlphaCanvas& canvas, const Spans& rows, int y, const Kernel& kernel)
{
    const int k = kernel.Radius();
    const TShadowSpan& span = rows[static_cast<size_t>(y)];
    for (int dy = -k; dy <= k; ++dy) {
        const int row = y + dy;
        if (row < 0 || row >= canvas.Height()) {
            continue;
        }
        BYTE* line = canvas.Row(row);
        for (int dx = -k; dx <= 0; ++dx) {
            if (span.left + dx >= 0) {
                Raise(line[span.left + dx], kernel.At(dx, dy));
            }
        }
        for (int dx = 0; dx <= k; ++dx) {
            if (span.right + dx < canvas.Width()) {
                Raise(line[span.right + dx], kernel.At(dx, dy));
            }
        }
        if (!Covers(rows[static_cast<size_t>(row)], span.left, span.right)) {
            for (int x = span.left + 1; x < span.right; ++x) {
                Raise(line[x], kernel.At(0, dy));
            }
        }
    }
}

} // namespace

void CSoftShadow::Render(DWORD* bits, int width, int height, const std::vector<TShadowSpan>& shape,
                         const TParams& params)
{
    if (bits == nullptr || width <= 0 || height <= 0) {
        return;
    }
    Spans rows = PlaceOnCanvas(shape, width, height, params.size);
    for (int step = params.size; step < params.sharpness; ++step) {
        rows = Erode(rows);
    }
    const Kernel kernel(params, std::max(params.size, params.sharpness));
    AlphaCanvas canvas(width, height);
    for (int y = 0; y < height; ++y) {
        if (!IsEmpty(rows[static_cast<size_t>(y)])) {
            StampRow(canvas, rows, y, kernel);
        }
    }
    // Step 4: the solid core, then the hole where the window covers its own shadow.
    for (int y = 0; y < height; ++y) {
        canvas.Fill(y, rows[static_cast<size_t>(y)].left, rows[static_cast<size_t>(y)].right, params.darkness);
    }
    const int shiftX = params.size - params.xOffset;
    const int shiftY = params.size - params.yOffset;
    for (size_t py = 0; py < shape.size(); ++py) {
        canvas.Fill(static_cast<int>(py) + shiftY, shape[py].left + shiftX, shape[py].right + shiftX, 0);
    }
    for (int i = 0; i < width * height; ++i) {
        const BYTE alpha = canvas.At(i);
        bits[i] = PreMultiply(params.color, alpha) | (static_cast<DWORD>(alpha) << 24);
    }
}

std::vector<TShadowSpan> CSoftShadow::SpansOf(const RECT* rects, int count, int width, int height)
{
    Spans rows(static_cast<size_t>(std::max(height, 0)));
    for (int i = 0; i < count; ++i) {
        const int left = std::max<int>(rects[i].left, 0);
        const int right = std::min<int>(rects[i].right - 1, width - 1);
        for (int y = std::max<int>(rects[i].top, 0); y < std::min<int>(rects[i].bottom, height) && left <= right;
             ++y) {
            TShadowSpan& row = rows[static_cast<size_t>(y)];
            row = IsEmpty(row) ? TShadowSpan{left, right}
                               : TShadowSpan{std::min(row.left, left), std::max(row.right, right)};
        }
    }
    return rows;
}

DWORD CSoftShadow::PreMultiply(COLORREF color, BYTE alpha) noexcept
{
    const auto scale = [alpha](BYTE channel) { return static_cast<DWORD>(channel) * alpha / 255; };
    return (scale(GetRValue(color)) << 16) | (scale(GetGValue(color)) << 8) | scale(GetBValue(color));
}

} // namespace DuiLib
