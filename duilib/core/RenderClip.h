#pragma once
// Narrows a device context's clip region for one painting scope and restores the
// previous clip when it ends. Rectangles are in device coordinates of the DC.

#include "common/Handles.h"
#include "common/Win32.h"

namespace DuiLib {

class CRenderClip final {
public:
    CRenderClip() noexcept = default;
    // Selects the clip that was in force before Generate*Clip back into the DC.
    ~CRenderClip() noexcept;
    // Owns two regions: a copy would free them twice.
    CRenderClip(const CRenderClip&) = delete;
    CRenderClip& operator=(const CRenderClip&) = delete;
    CRenderClip(CRenderClip&& other) noexcept;
    CRenderClip& operator=(CRenderClip&& other) noexcept;

    // Intersects the DC's clip with rc. A clip object that is in use gives its DC the
    // old clip back first.
    static void GenerateClip(HDC hDC, RECT rc, CRenderClip& clip);
    // The same with rc intersected with a rounded rectangle over rcItem (its right and
    // bottom edges included) with ellipse width and height.
    static void GenerateRoundClip(HDC hDC, RECT rc, RECT rcItem, int width, int height, CRenderClip& clip);
    // Paints outside the clip for a while: the old clip until UseOldClipEnd.
    static void UseOldClipBegin(HDC hDC, CRenderClip& clip);
    static void UseOldClipEnd(HDC hDC, CRenderClip& clip);

private:
    static void Begin(HDC hDC, const RECT& rc, UniqueRegion region, CRenderClip& clip);
    void Restore() noexcept;

    RECT m_rcItem{};
    HDC m_hDC = nullptr;
    UniqueRegion m_hRgn;    // the clip in force between Generate*Clip and the destructor
    UniqueRegion m_hOldRgn; // null when the DC had no clip region
};

} // namespace DuiLib
