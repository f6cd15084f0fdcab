// CPaintManagerUI: layout before painting, double-buffered painting of an opaque window,
// per-pixel alpha painting of a layered one, invalidation and the post-paint list.

#include "duilib/core/PaintManager.h"

#include "duilib/control/ControlUI.h"
#include "duilib/core/LayeredAlpha.h"
#include "duilib/core/OffscreenBitmap.h"

namespace DuiLib {

namespace {

// A control that asks for layout again from its own SetPos would otherwise keep the
// layout pass going for ever; what is left waits for the next paint.
constexpr int kMaxRelayouts = 100000;
constexpr COLORREF kUpdateRectColour = RGB(220, 0, 0);

CControlUI* CALLBACK NeedsUpdate(CControlUI* pThis, LPVOID /*pData*/)
{
    return pThis->IsUpdateNeeded() ? pThis : nullptr;
}

[[nodiscard]] int Width(const RECT& rc) noexcept { return rc.right - rc.left; }
[[nodiscard]] int Height(const RECT& rc) noexcept { return rc.bottom - rc.top; }

// A canvas of the client size, kept while the size stays.
void EnsureCanvas(std::unique_ptr<COffscreenBitmap>& canvas, HDC reference, SIZE size)
{
    if (canvas && canvas->GetWidth() == size.cx && canvas->GetHeight() == size.cy) {
        return;
    }
    canvas = std::make_unique<COffscreenBitmap>(reference, size.cx, size.cy);
    if (!canvas->IsValid()) {
        canvas.reset();
    }
}

void OutlineUpdate(HDC hDC, const RECT& rc)
{
    const UniquePen pen(::CreatePen(PS_SOLID, 1, kUpdateRectColour));
    if (!pen) {
        return;
    }
    const SelectObjectScope selectPen(hDC, pen.get());
    const SelectObjectScope selectBrush(hDC, ::GetStockObject(NULL_BRUSH));
    (void)::Rectangle(hDC, rc.left, rc.top, rc.right, rc.bottom); // a debugging aid only
}

} // namespace

bool CPaintManagerUI::OnPaint()
{
    if (::IsIconic(m_hWndPaint)) {
        m_nInvalidated = 0; // the default handling validates the window
        return false;
    }
    if (m_pRoot != nullptr && m_bUpdateNeeded) {
        LayOut();
    }
    if (m_pRoot != nullptr && m_bFocusNeeded) {
        (void)SetNextTabControl(true); // always true
    }
    if (m_pRoot != nullptr && m_bAlphaBackground) {
        const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE);
        if ((exStyle & WS_EX_LAYERED) == 0) {
            (void)::SetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        }
    }
    PAINTSTRUCT ps{};
    const HDC hDC = ::BeginPaint(m_hWndPaint, &ps);
    m_nInvalidated = 0; // BeginPaint validated everything invalid so far
    if (hDC == nullptr) {
        return true;
    }
    if (m_pRoot != nullptr && !::IsRectEmpty(&ps.rcPaint)) {
        if (m_bAlphaBackground) {
            PaintLayered(ps);
        } else {
            PaintOpaque(ps);
        }
    }
    (void)::EndPaint(m_hWndPaint, &ps); // always true
    if (m_bUpdateNeeded) {
        (void)::InvalidateRect(m_hWndPaint, nullptr, FALSE); // painting asked for layout again
    }
    return true;
}

void CPaintManagerUI::LayOut()
{
    m_bUpdateNeeded = false;
    RECT rcClient{};
    if (!::GetClientRect(m_hWndPaint, &rcClient) || ::IsRectEmpty(&rcClient)) {
        return;
    }
    if (m_pRoot->IsUpdateNeeded()) {
        m_pRoot->SetPos(rcClient);
    } else {
        // Only the controls that asked are placed again, each on its own position.
        for (int i = 0; i < kMaxRelayouts && m_pRoot != nullptr; ++i) {
            CControlUI* control = m_pRoot->FindControl(NeedsUpdate, nullptr, UIFIND_VISIBLE | UIFIND_ME_FIRST);
            if (control == nullptr) {
                break;
            }
            control->SetPos(control->GetPos());
        }
    }
    if (m_bFirstLayout && m_pRoot != nullptr) {
        m_bFirstLayout = false;
        SendNotify(m_pRoot, L"windowinit");
    }
}

void CPaintManagerUI::PaintTree(HDC hDC, const RECT& rcPaint)
{
    if (!m_bCanDraw || m_pRoot == nullptr) {
        return;
    }
    const int saved = ::SaveDC(hDC);
    // Nothing outside the dirty area may change: the buffer outside it is what the
    // window shows.
    (void)::IntersectClipRect(hDC, rcPaint.left, rcPaint.top, rcPaint.right, rcPaint.bottom);
    m_pRoot->DoPaint(hDC, rcPaint);
    for (int i = 0; i < m_aPostPaintControls.GetSize(); ++i) {
        static_cast<CControlUI*>(m_aPostPaintControls[i])->DoPostPaint(hDC, rcPaint);
    }
    (void)::RestoreDC(hDC, saved);
}

void CPaintManagerUI::PaintOpaque(const PAINTSTRUCT& ps)
{
    const RECT& rc = ps.rcPaint;
    EnsureCanvas(m_offscreen, m_hDcPaint.get() != nullptr ? m_hDcPaint.get() : ps.hdc, GetClientSize());
    if (m_offscreen) {
        PaintTree(m_offscreen->GetDC(), rc);
        (void)::BitBlt(ps.hdc, rc.left, rc.top, Width(rc), Height(rc), m_offscreen->GetDC(), rc.left, rc.top, SRCCOPY);
    } else {
        PaintTree(ps.hdc, rc); // no memory for the buffer: straight to the window, flicker and all
    }
    if (m_bShowUpdateRect) {
        OutlineUpdate(ps.hdc, rc);
    }
}

void CPaintManagerUI::PaintLayered(const PAINTSTRUCT& ps)
{
    const SIZE size = GetClientSize();
    EnsureCanvas(m_background, m_hDcPaint.get() != nullptr ? m_hDcPaint.get() : ps.hdc, size);
    if (!m_background) {
        return;
    }
    DWORD* bits = m_background->GetBits();
    ::GdiFlush();
    CLayeredAlpha::Clear(bits, size.cx, size.cy, ps.rcPaint);
    PaintTree(m_background->GetDC(), ps.rcPaint);
    ::GdiFlush();
    CLayeredAlpha::OpaqueDrawnPixels(bits, size.cx, size.cy, ps.rcPaint);
    RECT rcWindow{};
    (void)::GetWindowRect(m_hWndPaint, &rcWindow); // a failure shows the window at 0, 0
    POINT position{rcWindow.left, rcWindow.top};
    POINT source{0, 0};
    SIZE windowSize = size;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    (void)::UpdateLayeredWindow(m_hWndPaint, nullptr, &position, &windowSize, m_background->GetDC(), &source, 0,
                                &blend, ULW_ALPHA); // a refused update keeps the previous picture
}

void CPaintManagerUI::Invalidate(const RECT& rcItem)
{
    if (m_hWndPaint == nullptr || ::IsRectEmpty(&rcItem) || IsInvalidAlready(rcItem)) {
        return;
    }
    (void)::InvalidateRect(m_hWndPaint, &rcItem, FALSE); // fails only without a window
    RememberInvalid(rcItem);
}

bool CPaintManagerUI::IsInvalidAlready(const RECT& rc) const noexcept
{
    for (int i = 0; i < m_nInvalidated; ++i) {
        const RECT& known = m_aInvalidated[i];
        if (rc.left >= known.left && rc.top >= known.top && rc.right <= known.right && rc.bottom <= known.bottom) {
            return true;
        }
    }
    return false;
}

// Keeps the larger areas: one that a new area covers is dropped, and when every slot
// is taken the new area replaces the smallest.
void CPaintManagerUI::RememberInvalid(const RECT& rc) noexcept
{
    int kept = 0;
    for (int i = 0; i < m_nInvalidated; ++i) {
        const RECT& known = m_aInvalidated[i];
        const bool covered = known.left >= rc.left && known.top >= rc.top && known.right <= rc.right &&
                             known.bottom <= rc.bottom;
        if (!covered) {
            m_aInvalidated[kept++] = known;
        }
    }
    m_nInvalidated = kept;
    if (m_nInvalidated < kInvalidatedSlots) {
        m_aInvalidated[m_nInvalidated++] = rc;
        return;
    }
    auto area = [](const RECT& r) { return static_cast<long long>(Width(r)) * Height(r); };
    int smallest = 0;
    for (int i = 1; i < kInvalidatedSlots; ++i) {
        smallest = area(m_aInvalidated[i]) < area(m_aInvalidated[smallest]) ? i : smallest;
    }
    if (area(rc) > area(m_aInvalidated[smallest])) {
        m_aInvalidated[smallest] = rc;
    }
}

void CPaintManagerUI::ReDraw()
{
    m_nInvalidated = 0; // painted at once
    if (m_hWndPaint != nullptr) {
        (void)::RedrawWindow(m_hWndPaint, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

void CPaintManagerUI::Commit2PaintWindow(HDC hDcSource, const RECT& rc)
{
    if (m_hDcPaint.get() != nullptr && hDcSource != nullptr) {
        (void)::BitBlt(m_hDcPaint.get(), rc.left, rc.top, Width(rc), Height(rc), hDcSource, rc.left, rc.top,
                       SRCCOPY); // the next paint puts a failed copy right
    }
}

bool CPaintManagerUI::AddPostPaint(CControlUI* pControl)
{
    return pControl != nullptr && m_aPostPaintControls.Find(pControl) < 0 && m_aPostPaintControls.Add(pControl);
}

bool CPaintManagerUI::RemovePostPaint(CControlUI* pControl)
{
    const int index = m_aPostPaintControls.Find(pControl);
    return index >= 0 && m_aPostPaintControls.Remove(index);
}

bool CPaintManagerUI::SetPostPaintIndex(CControlUI* pControl, int iIndex)
{
    if (!RemovePostPaint(pControl)) {
        return false;
    }
    if (m_aPostPaintControls.InsertAt(iIndex, pControl)) {
        return true;
    }
    (void)m_aPostPaintControls.Add(pControl); // a bad index keeps the control, at the end
    return false;
}

} // namespace DuiLib
