// CRenderEngine::GenerateBitmap: a control painted into a bitmap of its own.

#include "duilib/core/RenderEngine.h"

#include "common/TopDownDib.h"
#include "duilib/control/ControlUI.h"
#include "duilib/core/LayeredAlpha.h"
#include "duilib/core/OffscreenBitmap.h"
#include "duilib/core/PaintManager.h"

#include <algorithm>

namespace DuiLib {

HBITMAP CRenderEngine::GenerateBitmap(CPaintManagerUI* pManager, CControlUI* pControl, RECT rc)
{
    if (pManager == nullptr || pControl == nullptr || rc.left < 0 || rc.top < 0 || rc.right <= rc.left ||
        rc.bottom <= rc.top) {
        return nullptr;
    }
    // The control paints at its client position, so the canvas reaches from the client
    // origin; clip regions are in device coordinates and cannot be shifted.
    const COffscreenBitmap canvas(pManager->GetPaintDC(), rc.right, rc.bottom);
    if (!canvas.IsValid()) {
        return nullptr;
    }
    pControl->DoPaint(canvas.GetDC(), rc);
    ::GdiFlush();
    void* bits = nullptr;
    UniqueBitmap result = CreateTopDownDib(canvas.GetDC(), rc.right - rc.left, rc.bottom - rc.top, &bits);
    if (!result) {
        return nullptr;
    }
    const DWORD* source = canvas.GetBits();
    auto* target = static_cast<DWORD*>(bits);
    const int width = rc.right - rc.left;
    for (int y = rc.top; y < rc.bottom; ++y) {
        const DWORD* row = source + static_cast<size_t>(y) * static_cast<size_t>(canvas.GetWidth()) + rc.left;
        std::copy(row, row + width, target + static_cast<size_t>(y - rc.top) * static_cast<size_t>(width));
    }
    // Plain GDI drawing leaves alpha 0; the bitmap is meant to be blended, so what was
    // drawn must be opaque.
    CLayeredAlpha::OpaqueDrawnPixels(target, width, rc.bottom - rc.top, RECT{0, 0, width, rc.bottom - rc.top});
    return result.release();
}

} // namespace DuiLib
