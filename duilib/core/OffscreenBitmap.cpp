#include "duilib/core/OffscreenBitmap.h"

#include "common/TopDownDib.h"

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
    void* bits = nullptr;
    m_bitmap = CreateTopDownDib(m_dc.get(), width, height, &bits);
    if (!m_bitmap || bits == nullptr) {
        return;
    }
    m_select.emplace(m_dc.get(), m_bitmap.get());
    m_bits = static_cast<DWORD*>(bits);
    m_width = width;
    m_height = height;
}

} // namespace DuiLib
