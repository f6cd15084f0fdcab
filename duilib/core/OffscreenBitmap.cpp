#include "duilib/core/OffscreenBitmap.h"

namespace DuiLib {

COffscreenBitmap::COffscreenBitmap(HDC reference, int width, int height)
{
    if (width <= 0 || height <= 0) {
        return;
    }
    m_dc.reset(::CreateCompatibleDC(reference));
    if (!m_dc) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.reset(::CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_bitmap || bits == nullptr) {
        return;
    }
    m_select.emplace(m_dc.get(), m_bitmap.get());
    m_bits = static_cast<DWORD*>(bits);
    m_width = width;
    m_height = height;
}

} // namespace DuiLib
