#pragma once
// A top-down 32-bit DIB section selected into its own memory DC, for drawing that has
// to go through pixel buffers.

#include "common/Handles.h"
#include "common/Win32.h"

#include <optional>

namespace DuiLib {

class COffscreenBitmap final {
public:
    // The DC is compatible with reference (the screen when null). Invalid when either
    // size is not positive or the platform refuses the bitmap.
    COffscreenBitmap(HDC reference, int width, int height);
    COffscreenBitmap(const COffscreenBitmap&) = delete;
    COffscreenBitmap& operator=(const COffscreenBitmap&) = delete;

    [[nodiscard]] bool IsValid() const noexcept { return m_bits != nullptr; }
    [[nodiscard]] HDC GetDC() const noexcept { return m_dc.get(); }
    // width × height pixels, rows top to bottom, each 0xAARRGGBB. Call GdiFlush after
    // drawing through the DC and before reading.
    [[nodiscard]] DWORD* GetBits() const noexcept { return m_bits; }
    [[nodiscard]] int GetWidth() const noexcept { return m_width; }
    [[nodiscard]] int GetHeight() const noexcept { return m_height; }

private:
    // Declared in this order so that the bitmap is selected out before it is deleted.
    UniqueMemoryDc m_dc;
    UniqueBitmap m_bitmap;
    std::optional<SelectObjectScope> m_select;
    DWORD* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

} // namespace DuiLib
