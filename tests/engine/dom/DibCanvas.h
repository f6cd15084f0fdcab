#pragma once
// A memory DC backed by a top-down 32-bpp DIB section of known size, for pixel tests.

#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "common/Handles.h"
#include "common/TopDownDib.h"

namespace engine::test {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
    friend bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }
};

inline void PrintTo(const Rgb& c, std::ostream* os)
{
    *os << "rgb(" << c.r << "," << c.g << "," << c.b << ")";
}

inline constexpr Rgb kWhite{255, 255, 255};

class DibCanvas final {
public:
    DibCanvas(int width, int height) : m_width(width), m_height(height), m_dc(::CreateCompatibleDC(nullptr))
    {
        void* bits = nullptr;
        m_bitmap = CreateTopDownDib(nullptr, width, height, &bits);
        m_bits = static_cast<std::uint32_t*>(bits);
        m_select = std::make_unique<SelectObjectScope>(m_dc.get(), m_bitmap.get());
    }

    [[nodiscard]] HDC Dc() const { return m_dc.get(); }
    [[nodiscard]] bool Valid() const { return m_bits != nullptr; }

    void Fill(Rgb c)
    {
        for (int i = 0; i < m_width * m_height; ++i) {
            m_bits[i] = (static_cast<std::uint32_t>(c.r) << 16) | (c.g << 8) | c.b;
        }
    }

    [[nodiscard]] Rgb PixelAt(int x, int y) const
    {
        ::GdiFlush();
        const std::uint32_t p = m_bits[y * m_width + x];
        return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    }

    // Counts pixels in [left, right) x [top, bottom) equal to `c`.
    [[nodiscard]] int Count(const RECT& area, Rgb c) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += PixelAt(x, y) == c ? 1 : 0;
            }
        }
        return count;
    }

    [[nodiscard]] RECT Whole() const { return {0, 0, m_width, m_height}; }

private:
    int m_width;
    int m_height;
    UniqueMemoryDc m_dc;
    UniqueBitmap m_bitmap;
    std::uint32_t* m_bits = nullptr;
    std::unique_ptr<SelectObjectScope> m_select;  // declared last: deselects before the bitmap is deleted
};

// A 24-bit BMP file of one colour, as a page would serve it.
inline std::vector<unsigned char> SolidBmp(int width, int height, Rgb c)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const int dataSize = rowBytes * height;
    std::vector<unsigned char> file(54 + dataSize, 0);
    const auto put32 = [&file](size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            file[at + i] = static_cast<unsigned char>(v >> (8 * i));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, static_cast<std::uint32_t>(dataSize));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &file[54 + y * rowBytes + x * 3];
            p[0] = static_cast<unsigned char>(c.b);
            p[1] = static_cast<unsigned char>(c.g);
            p[2] = static_cast<unsigned char>(c.r);
        }
    }
    return file;
}

} // namespace engine::test
