#pragma once
// Pixel-test helpers for the render engine: a memory DC over a top-down 32-bpp DIB
// section of known size and background, and small 32-bit source bitmaps.

#include "common/Handles.h"
#include "common/TopDownDib.h"
#include "common/Win32.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>

namespace render_test {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
    friend bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }
};

inline void PrintTo(const Rgb& c, std::ostream* os) { *os << "rgb(" << c.r << "," << c.g << "," << c.b << ")"; }

// Each channel within tolerance.
inline bool Near(const Rgb& a, const Rgb& b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

inline std::uint32_t Pack(const Rgb& c, int alpha = 255)
{
    return (static_cast<std::uint32_t>(alpha) << 24) | (static_cast<std::uint32_t>(c.r) << 16) |
           (static_cast<std::uint32_t>(c.g) << 8) | static_cast<std::uint32_t>(c.b);
}

inline Rgb Unpack(std::uint32_t p)
{
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

// A top-down 32-bpp DIB section; bits is set to its pixels. The caller owns the bitmap.
inline HBITMAP CreateDib(int width, int height, std::uint32_t** bits)
{
    void* memory = nullptr;
    const HBITMAP bitmap = CreateTopDownDib(nullptr, width, height, &memory).release();
    *bits = static_cast<std::uint32_t*>(memory);
    return bitmap;
}

// A bitmap whose pixel (x, y) is pixel(x, y), premultiplied 0xAARRGGBB. Caller owns it.
inline HBITMAP MakeBitmap(int width, int height, const std::function<std::uint32_t(int, int)>& pixel)
{
    std::uint32_t* bits = nullptr;
    const HBITMAP bitmap = CreateDib(width, height, &bits);
    for (int y = 0; bits != nullptr && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bits[y * width + x] = pixel(x, y);
        }
    }
    return bitmap;
}

class Canvas final {
public:
    Canvas(int width, int height, Rgb background = {255, 255, 255})
        : m_width(width), m_height(height), m_dc(::CreateCompatibleDC(nullptr))
    {
        m_bitmap.reset(CreateDib(width, height, &m_bits));
        m_select = std::make_unique<SelectObjectScope>(m_dc.get(), m_bitmap.get());
        Fill(background);
    }

    [[nodiscard]] HDC Dc() const { return m_dc.get(); }
    [[nodiscard]] bool Valid() const { return m_bits != nullptr; }
    [[nodiscard]] int Width() const { return m_width; }
    [[nodiscard]] int Height() const { return m_height; }

    void Fill(Rgb c, int alpha = 0)
    {
        for (int i = 0; i < m_width * m_height; ++i) {
            m_bits[i] = Pack(c, alpha);
        }
    }

    [[nodiscard]] Rgb PixelAt(int x, int y) const { return Unpack(RawAt(x, y)); }
    [[nodiscard]] std::uint32_t RawAt(int x, int y) const
    {
        ::GdiFlush();
        return m_bits[y * m_width + x];
    }
    [[nodiscard]] const std::uint32_t* Bits() const
    {
        ::GdiFlush();
        return m_bits;
    }

    // How many pixels differ from c.
    [[nodiscard]] int CountNot(Rgb c) const
    {
        int count = 0;
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                count += PixelAt(x, y) != c ? 1 : 0;
            }
        }
        return count;
    }

private:
    int m_width;
    int m_height;
    UniqueMemoryDc m_dc;
    UniqueBitmap m_bitmap;
    std::unique_ptr<SelectObjectScope> m_select;
    std::uint32_t* m_bits = nullptr;
};

} // namespace render_test
