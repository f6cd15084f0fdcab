#pragma once
// Drawing surfaces and pixel helpers for the text tests: a top-down 32-bpp DIB section
// of known size and background, read back pixel by pixel.

#include "common/Handles.h"
#include "common/TopDownDib.h"
#include "common/Win32.h"
#include "duilib/core/PaintManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace texttest {

// The face every text test uses: present wherever the test prefix has fonts at all.
inline constexpr wchar_t kFace[] = L"DejaVu Sans";

struct Rgb {
    BYTE r = 0;
    BYTE g = 0;
    BYTE b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

inline void PrintTo(const Rgb& c, std::ostream* os)
{
    *os << "rgb(" << int(c.r) << ',' << int(c.g) << ',' << int(c.b) << ')';
}

inline constexpr Rgb kWhite{255, 255, 255};

class DibSurface final {
public:
    DibSurface(int width, int height, Rgb background = kWhite) : m_width(width), m_height(height)
    {
        void* bits = nullptr;
        m_bitmap = CreateTopDownDib(nullptr, width, height, &bits);
        m_dc.reset(::CreateCompatibleDC(nullptr));
        m_bits = static_cast<DWORD*>(bits);
        m_old = ::SelectObject(m_dc.get(), m_bitmap.get());
        Fill(background);
    }
    ~DibSurface() { ::SelectObject(m_dc.get(), m_old); }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    [[nodiscard]] HDC dc() const { return m_dc.get(); }
    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }

    void Fill(Rgb c, BYTE alpha = 0)
    {
        ::GdiFlush();
        for (int i = 0; i < m_width * m_height; ++i) {
            m_bits[i] = (DWORD(alpha) << 24) | (DWORD(c.r) << 16) | (DWORD(c.g) << 8) | c.b;
        }
    }
    // Reads without flushing; the scanning helpers flush once before they start.
    [[nodiscard]] DWORD RawAt(int x, int y) const { return m_bits[y * m_width + x]; }
    [[nodiscard]] Rgb PixelAt(int x, int y) const
    {
        ::GdiFlush();
        return RgbAt(x, y);
    }
    [[nodiscard]] Rgb RgbAt(int x, int y) const
    {
        const DWORD v = RawAt(x, y);
        return Rgb{BYTE(v >> 16), BYTE(v >> 8), BYTE(v)};
    }
    [[nodiscard]] BYTE AlphaAt(int x, int y) const { return BYTE(RawAt(x, y) >> 24); }

    // Bounding box (half-open) of the pixels that differ from background; empty when none.
    [[nodiscard]] RECT InkBox(Rgb background = kWhite) const
    {
        ::GdiFlush();
        RECT box{m_width, m_height, 0, 0};
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                if (RgbAt(x, y) != background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box.right == 0 ? RECT{0, 0, 0, 0} : box;
    }
    [[nodiscard]] int CountPixels(Rgb c, const RECT& area) const
    {
        ::GdiFlush();
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += RgbAt(x, y) == c ? 1 : 0;
            }
        }
        return count;
    }
    [[nodiscard]] RECT Bounds() const { return RECT{0, 0, m_width, m_height}; }

private:
    int m_width;
    int m_height;
    UniqueBitmap m_bitmap;
    UniqueMemoryDc m_dc;
    DWORD* m_bits = nullptr;
    HGDIOBJ m_old = nullptr;
};

[[nodiscard]] inline bool IsEmptyBox(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

// Every pixel outside `inside` still has the background colour.
[[nodiscard]] inline bool OnlyInside(const DibSurface& surface, const RECT& inside, Rgb background = kWhite)
{
    ::GdiFlush();
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const bool in = x >= inside.left && x < inside.right && y >= inside.top && y < inside.bottom;
            if (!in && surface.RgbAt(x, y) != background) {
                return false;
            }
        }
    }
    return true;
}

// A manager whose default font is the test face at a known size.
class TextManager final {
public:
    explicit TextManager(int size = 16)
    {
        m_pm.SetDefaultFont(kFace, size, false, false, false);
    }
    DuiLib::CPaintManagerUI& pm() { return m_pm; }
    DuiLib::CPaintManagerUI* operator->() { return &m_pm; }

private:
    DuiLib::CPaintManagerUI m_pm;
};

} // namespace texttest
