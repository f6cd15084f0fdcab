// CControlUI: colours, borders, images, the five painting steps and the hit region.

#include "duilib/control/ControlUI.h"

#include "duilib/control/OpaqueRuns.h"
#include "duilib/core/GifHandler.h"
#include "duilib/core/ImageAttribute.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderClip.h"
#include "duilib/core/RenderEngine.h"
#include "common/Handles.h"

#include <cwchar>
#include <vector>

namespace DuiLib {

namespace {

constexpr UINT kGifTimerId = 1;
// Rectangles handed to the platform per region piece.
constexpr size_t kRegionBatch = 2000;

[[nodiscard]] bool EndsWithGif(const CDuiString& image)
{
    const int length = image.GetLength();
    return length >= 3 && _wcsicmp(image.GetData() + length - 3, L"gif") == 0;
}

// Unites rectangles into the region, creating it on first use. False on failure.
[[nodiscard]] bool UniteRects(UniqueRegion& region, const std::vector<RECT>& rects)
{
    if (rects.empty()) {
        return true;
    }
    std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.rcBound = RECT{0, 0, 0, 0};
    std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data->Buffer));
    UniqueRegion piece(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
    if (!piece) {
        return false;
    }
    if (!region) {
        region = std::move(piece);
        return true;
    }
    return ::CombineRgn(region.get(), region.get(), piece.get(), RGN_OR) != ERROR;
}

// The bitmap's pixels as top-down 0xAARRGGBB rows; empty when it cannot be read.
[[nodiscard]] std::vector<DWORD> ReadPixels(HBITMAP hBitmap, int& width, int& height)
{
    BITMAP bm{};
    if (hBitmap == nullptr || ::GetObjectW(hBitmap, sizeof(bm), &bm) != sizeof(bm) || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0) {
        return {};
    }
    width = bm.bmWidth;
    height = bm.bmHeight;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc || ::GetDIBits(dc.get(), hBitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                           DIB_RGB_COLORS) != height) {
        return {};
    }
    return pixels;
}

} // namespace

DWORD CControlUI::GetBkColor() const
{
    return m_dwBackColor;
}

void CControlUI::SetBkColor(DWORD dwBackColor)
{
    if (m_dwBackColor != dwBackColor) {
        m_dwBackColor = dwBackColor;
        Invalidate();
    }
}

DWORD CControlUI::GetBkColor2() const
{
    return m_dwBackColor2;
}

void CControlUI::SetBkColor2(DWORD dwBackColor)
{
    if (m_dwBackColor2 != dwBackColor) {
        m_dwBackColor2 = dwBackColor;
        Invalidate();
    }
}

DWORD CControlUI::GetBkColor3() const
{
    return m_dwBackColor3;
}

void CControlUI::SetBkColor3(DWORD dwBackColor)
{
    if (m_dwBackColor3 != dwBackColor) {
        m_dwBackColor3 = dwBackColor;
        Invalidate();
    }
}

LPCTSTR CControlUI::GetBkImage() const
{
    return m_sBkImage;
}

void CControlUI::SetBkImage(LPCTSTR pStrImage)
{
    if (m_sBkImage == pStrImage) {
        return;
    }
    StopAnimation();
    ReleaseRegion();
    m_sBkImage = pStrImage;
    m_bBkImageChanged = true;
    Invalidate();
}

void CControlUI::SetForeImage(LPCTSTR pStrImage)
{
    m_sForeImage = pStrImage;
    Invalidate();
}

void CControlUI::SetForeAlpha(BYTE alpha)
{
    m_nForeAlpha = alpha;
    Invalidate();
}

void CControlUI::SetImage(LPCTSTR pStrBkImage, LPCTSTR pStrForeImage, BYTE alpha)
{
    SetBkImage(pStrBkImage);
    m_sForeImage = pStrForeImage;
    m_nForeAlpha = alpha;
    Invalidate();
}

DWORD CControlUI::GetBorderColor() const
{
    return m_dwBorderColor;
}

void CControlUI::SetBorderColor(DWORD dwBorderColor)
{
    if (m_dwBorderColor != dwBorderColor) {
        m_dwBorderColor = dwBorderColor;
        Invalidate();
    }
}

DWORD CControlUI::GetFocusBorderColor() const
{
    return m_dwFocusBorderColor;
}

void CControlUI::SetFocusBorderColor(DWORD dwBorderColor)
{
    if (m_dwFocusBorderColor != dwBorderColor) {
        m_dwFocusBorderColor = dwBorderColor;
        Invalidate();
    }
}

bool CControlUI::IsColorHSL() const
{
    return m_bColorHSL;
}

void CControlUI::SetColorHSL(bool bColorHSL)
{
    if (m_bColorHSL != bColorHSL) {
        m_bColorHSL = bColorHSL;
        Invalidate();
    }
}

int CControlUI::GetBorderSize() const
{
    return m_nBorderSize;
}

void CControlUI::SetBorderSize(int nSize)
{
    if (m_nBorderSize != nSize) {
        m_nBorderSize = nSize;
        Invalidate();
    }
}

void CControlUI::SetBorderSize(RECT rc)
{
    m_rcBorderSize = rc;
    Invalidate();
}

int CControlUI::GetLeftBorderSize() const
{
    return m_rcBorderSize.left;
}

void CControlUI::SetLeftBorderSize(int nSize)
{
    m_rcBorderSize.left = nSize;
    Invalidate();
}

int CControlUI::GetTopBorderSize() const
{
    return m_rcBorderSize.top;
}

void CControlUI::SetTopBorderSize(int nSize)
{
    m_rcBorderSize.top = nSize;
    Invalidate();
}

int CControlUI::GetRightBorderSize() const
{
    return m_rcBorderSize.right;
}

void CControlUI::SetRightBorderSize(int nSize)
{
    m_rcBorderSize.right = nSize;
    Invalidate();
}

int CControlUI::GetBottomBorderSize() const
{
    return m_rcBorderSize.bottom;
}

void CControlUI::SetBottomBorderSize(int nSize)
{
    m_rcBorderSize.bottom = nSize;
    Invalidate();
}

int CControlUI::GetBorderStyle() const
{
    return m_nBorderStyle;
}

void CControlUI::SetBorderStyle(int nStyle)
{
    m_nBorderStyle = nStyle;
    Invalidate();
}

SIZE CControlUI::GetBorderRound() const
{
    return m_cxyBorderRound;
}

void CControlUI::SetBorderRound(SIZE cxyRound)
{
    m_cxyBorderRound = cxyRound;
    Invalidate();
}

bool CControlUI::DrawImage(HDC hDC, LPCTSTR pStrImage, LPCTSTR pStrModify)
{
    return CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, pStrImage, pStrModify);
}

void CControlUI::DoPaint(HDC hDC, const RECT& rcPaint)
{
    if (!m_bCanDraw || !::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) {
        return;
    }
    if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0) {
        CRenderClip roundClip;
        CRenderClip::GenerateRoundClip(hDC, m_rcPaint, m_rcItem, m_cxyBorderRound.cx, m_cxyBorderRound.cy, roundClip);
        PaintSteps(hDC);
    } else {
        PaintSteps(hDC);
    }
}

void CControlUI::PaintSteps(HDC hDC)
{
    PaintBkColor(hDC);
    PaintBkImage(hDC);
    PaintStatusImage(hDC);
    PaintText(hDC);
    PaintBorder(hDC);
}

void CControlUI::PaintBkColor(HDC hDC)
{
    if (m_dwBackColor == 0) {
        return;
    }
    const DWORD first = GetAdjustColor(m_dwBackColor);
    if (m_dwBackColor2 == 0) {
        // A translucent colour covers the whole item so that its blend is uniform.
        CRenderEngine::DrawColor(hDC, m_dwBackColor >= 0xFF000000 ? m_rcPaint : m_rcItem, first);
        return;
    }
    const DWORD second = GetAdjustColor(m_dwBackColor2);
    if (m_dwBackColor3 == 0) {
        CRenderEngine::DrawGradient(hDC, m_rcItem, first, second, true, 16);
        return;
    }
    RECT upper = m_rcItem;
    upper.bottom = (m_rcItem.top + m_rcItem.bottom) / 2;
    RECT lower = m_rcItem;
    lower.top = upper.bottom;
    CRenderEngine::DrawGradient(hDC, upper, first, second, true, 8);
    CRenderEngine::DrawGradient(hDC, lower, second, GetAdjustColor(m_dwBackColor3), true, 8);
}

void CControlUI::PaintBkImage(HDC hDC)
{
    if (m_sBkImage.IsEmpty()) {
        return;
    }
    if (EndsWithGif(m_sBkImage) && PaintAnimatedBkImage(hDC)) {
        return;
    }
    if (m_bRandom && m_bBkImageChanged) {
        RebuildHitRegion();
    }
    // A bad image is tried once, not at every paint.
    if (!DrawImage(hDC, m_sBkImage)) {
        m_sBkImage.Empty();
    }
    PaintForeImage(hDC);
}

// False when the image cannot be loaded as an animation.
bool CControlUI::PaintAnimatedBkImage(HDC hDC)
{
    if (m_pGifHandler == nullptr) {
        m_pGifHandler = CRenderEngine::LoadGif(m_sBkImage.GetData());
        if (m_pGifHandler == nullptr) {
            return false;
        }
    }
    const TGifFrameInfo* frame = nullptr;
    if (m_bGifAdvance) {
        m_bGifAdvance = false;
        frame = m_pGifHandler->GetNextFrameInfo();
    } else {
        frame = m_pGifHandler->GetCurrentFrameInfo();
    }
    if (frame == nullptr) {
        return true;
    }
    const TImageInfo& image = frame->image;
    CRenderEngine::DrawImage(hDC, image.hBitmap.get(), m_rcItem, m_rcPaint, RECT{0, 0, image.nX, image.nY},
                             RECT{0, 0, 0, 0}, image.alphaChannel);
    const int delay = static_cast<int>(frame->nDelay);
    if (delay != m_nGifDelay && m_pManager != nullptr) {
        (void)m_pManager->KillTimer(this, kGifTimerId); // false only when it was not running
        (void)m_pManager->SetTimer(this, kGifTimerId, frame->nDelay); // on failure the frame stays
        m_nGifDelay = delay;
    }
    return true;
}

void CControlUI::RebuildHitRegion()
{
    m_bBkImageChanged = false;
    ReleaseRegion();
    ImageDrawParams params;
    params.name = m_sBkImage;
    CImageAttribute::Apply(m_sBkImage, params, [](const ImageDrawParams&) {});
    m_hRgn = GetRegion(params.name, 0, 0, 0, 0);
    if (m_hRgn == nullptr) {
        m_hRgn = ::CreateRectRgn(0, 0, GetWidth(), GetHeight());
    }
}

void CControlUI::PaintForeImage(HDC hDC)
{
    if (m_sForeImage.IsEmpty() || m_pManager == nullptr) {
        return;
    }
    const TImageInfo* image = m_pManager->GetImageEx(m_sForeImage);
    if (image != nullptr) {
        CRenderEngine::DrawImage(hDC, image->hBitmap.get(), m_rcItem, m_rcPaint, RECT{0, 0, image->nX, image->nY},
                                 RECT{0, 0, 0, 0}, true, m_nForeAlpha);
    }
}

void CControlUI::PaintStatusImage(HDC /*hDC*/)
{
}

void CControlUI::PaintText(HDC /*hDC*/)
{
}

void CControlUI::PaintBorder(HDC hDC)
{
    if (m_dwBorderColor == 0 && m_dwFocusBorderColor == 0) {
        return;
    }
    const bool focusColour = IsFocused() && m_dwFocusBorderColor != 0;
    if (m_nBorderSize > 0 && (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0)) {
        const DWORD colour = GetAdjustColor(focusColour ? m_dwFocusBorderColor : m_dwBorderColor);
        CRenderEngine::DrawRoundRect(hDC, m_rcItem, m_nBorderSize, m_cxyBorderRound.cx, m_cxyBorderRound.cy, colour);
    } else if (focusColour && m_nBorderSize > 0) {
        CRenderEngine::DrawRect(hDC, m_rcItem, m_nBorderSize, GetAdjustColor(m_dwFocusBorderColor));
    } else if (m_rcBorderSize.left > 0 || m_rcBorderSize.top > 0 || m_rcBorderSize.right > 0 ||
               m_rcBorderSize.bottom > 0) {
        PaintSideBorders(hDC);
    } else if (m_nBorderSize > 0) {
        CRenderEngine::DrawRect(hDC, m_rcItem, m_nBorderSize, GetAdjustColor(m_dwBorderColor));
    }
}

// Each side is a line on the item rectangle's edge, left, top, right, bottom.
void CControlUI::PaintSideBorders(HDC hDC)
{
    const RECT& rc = m_rcItem;
    const struct {
        int size;
        RECT line;
    } sides[] = {
        {m_rcBorderSize.left, RECT{rc.left, rc.top, rc.left, rc.bottom}},
        {m_rcBorderSize.top, RECT{rc.left, rc.top, rc.right, rc.top}},
        {m_rcBorderSize.right, RECT{rc.right, rc.top, rc.right, rc.bottom}},
        {m_rcBorderSize.bottom, RECT{rc.left, rc.bottom, rc.right, rc.bottom}},
    };
    const DWORD colour = GetAdjustColor(m_dwBorderColor);
    for (const auto& side : sides) {
        if (side.size > 0) {
            CRenderEngine::DrawLine(hDC, side.line, side.size, colour, m_nBorderStyle);
        }
    }
}

void CControlUI::DoPostPaint(HDC /*hDC*/, const RECT& /*rcPaint*/)
{
}

HRGN CControlUI::GetRegion(LPCTSTR pStrImage, DWORD keyColor, DWORD tolerance, int x, int y) const
{
    if (m_pManager == nullptr || pStrImage == nullptr) {
        return nullptr;
    }
    const TImageInfo* image = m_pManager->GetImageEx(pStrImage);
    return image != nullptr ? GetRegion(image->hBitmap.get(), keyColor, tolerance, x, y) : nullptr;
}

HRGN CControlUI::GetRegion(HBITMAP hBitmap, DWORD keyColor, DWORD tolerance, int x, int y)
{
    int width = 0;
    int height = 0;
    const std::vector<DWORD> pixels = ReadPixels(hBitmap, width, height);
    if (pixels.empty()) {
        return nullptr;
    }
    UniqueRegion region;
    std::vector<RECT> batch;
    bool ok = true;
    COpaqueRuns::Scan(pixels.data(), width, height, keyColor, tolerance, x, y, [&](const RECT& run) {
        batch.push_back(run);
        if (batch.size() == kRegionBatch) {
            ok = UniteRects(region, batch) && ok;
            batch.clear();
        }
    });
    ok = UniteRects(region, batch) && ok;
    if (!ok) {
        return nullptr;
    }
    // An image without opaque pixels hits nowhere.
    return region ? region.release() : ::CreateRectRgn(0, 0, 0, 0);
}

} // namespace DuiLib
