#include "duilib/core/RenderClip.h"

#include <utility>

namespace DuiLib {

CRenderClip::~CRenderClip() noexcept { Restore(); }

CRenderClip::CRenderClip(CRenderClip&& other) noexcept
    : m_rcItem(other.m_rcItem),
      m_hDC(std::exchange(other.m_hDC, nullptr)),
      m_hRgn(std::move(other.m_hRgn)),
      m_hOldRgn(std::move(other.m_hOldRgn))
{
}

CRenderClip& CRenderClip::operator=(CRenderClip&& other) noexcept
{
    if (this != &other) {
        Restore();
        m_rcItem = other.m_rcItem;
        m_hDC = std::exchange(other.m_hDC, nullptr);
        m_hRgn = std::move(other.m_hRgn);
        m_hOldRgn = std::move(other.m_hOldRgn);
    }
    return *this;
}

void CRenderClip::GenerateClip(HDC hDC, RECT rc, CRenderClip& clip)
{
    Begin(hDC, rc, UniqueRegion(::CreateRectRgnIndirect(&rc)), clip);
}

void CRenderClip::GenerateRoundClip(HDC hDC, RECT rc, RECT rcItem, int width, int height, CRenderClip& clip)
{
    UniqueRegion region(::CreateRectRgnIndirect(&rc));
    const UniqueRegion round(
        ::CreateRoundRectRgn(rcItem.left, rcItem.top, rcItem.right + 1, rcItem.bottom + 1, width, height));
    if (region && round && ::CombineRgn(region.get(), region.get(), round.get(), RGN_AND) == ERROR) {
        region.reset();
    }
    Begin(hDC, rc, std::move(region), clip);
}

void CRenderClip::UseOldClipBegin(HDC hDC, CRenderClip& clip)
{
    (void)::SelectClipRgn(hDC, clip.m_hOldRgn.get()); // null selects no clip at all
}

void CRenderClip::UseOldClipEnd(HDC hDC, CRenderClip& clip)
{
    if (clip.m_hRgn) {
        (void)::SelectClipRgn(hDC, clip.m_hRgn.get()); // the DC copies the region; a failure keeps the old clip
    }
}

// The old clip is kept as the DC's own clip region (not its clip box), so that restoring
// brings back "no clip" and non-rectangular clips exactly.
void CRenderClip::Begin(HDC hDC, const RECT& rc, UniqueRegion region, CRenderClip& clip)
{
    clip.Restore();
    if (hDC == nullptr || !region) {
        return;
    }
    UniqueRegion old(::CreateRectRgn(0, 0, 0, 0));
    const bool hadClip = old && ::GetClipRgn(hDC, old.get()) == 1;
    if (!hadClip) {
        old.reset();
    }
    const int combined = hadClip ? ::ExtSelectClipRgn(hDC, region.get(), RGN_AND) : ::SelectClipRgn(hDC, region.get());
    if (combined == ERROR) {
        return;
    }
    // Remember the intersection, so that UseOldClipEnd brings back exactly this clip.
    (void)::GetClipRgn(hDC, region.get()); // a clip was just selected, so there is one to copy
    clip.m_rcItem = rc;
    clip.m_hDC = hDC;
    clip.m_hRgn = std::move(region);
    clip.m_hOldRgn = std::move(old);
}

void CRenderClip::Restore() noexcept
{
    if (m_hDC != nullptr) {
        (void)::SelectClipRgn(m_hDC, m_hOldRgn.get()); // nothing left to do if the DC is gone
        m_hDC = nullptr;
    }
    m_hRgn.reset();
    m_hOldRgn.reset();
}

} // namespace DuiLib
