#pragma once
// The framework's stateless drawing operations on a device context: images with
// nine-grid corners, tiling and fading; the image attribute string; solid and
// gradient fills, lines and frames; plain and formatted text; HSL colour adjustment.
// Colours are ARGB (alpha in the top byte). Rectangles are in the coordinates of the
// device context and half-open (right and bottom exclusive).

#include "common/Win32.h"
#include "duilib/core/DuiString.h"
#include "duilib/core/ImageInfo.h"
#include "duilib/core/StringOrId.h"

namespace DuiLib {

class CControlUI;
class CPaintManagerUI;
class CGifHandler;

class CRenderEngine final {
public:
    CRenderEngine() = delete;

    // h: hue shift in degrees (180 = none); s, l: percentages (100 = none).
    [[nodiscard]] static DWORD AdjustColor(DWORD dwColor, short H, short S, short L);

    // Decodes an image from a typed module resource, the resource zip, the resource
    // folder or a plain path. The caller owns the result (FreeImage); null on failure.
    [[nodiscard]] static TImageInfo* LoadImage(STRINGorID bitmap, LPCTSTR type = nullptr, DWORD mask = 0);
    static void FreeImage(TImageInfo* bitmap) noexcept;
    // Every frame of an animated image; the caller owns the handler. Null on failure.
    [[nodiscard]] static CGifHandler* LoadGif(STRINGorID bitmap, LPCTSTR type = nullptr, DWORD mask = 0);

    // Nine-grid drawing of rcBmpPart of hBitmap over rc; only pieces meeting rcPaint.
    static void DrawImage(HDC hDC, HBITMAP hBitmap, const RECT& rc, const RECT& rcPaint, const RECT& rcBmpPart,
                          const RECT& rcCorners, bool alphaChannel, BYTE uFade = 255, bool hole = false,
                          bool xtiled = false, bool ytiled = false);
    // Draws the image attribute string pStrImage, with the pairs of pStrModify applied
    // after it, relative to rcItem. False when no image could be obtained.
    static bool DrawImageString(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem, const RECT& rcPaint,
                                LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);

    static void DrawColor(HDC hDC, const RECT& rc, DWORD color);
    static void DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical, int nSteps);
    static void DrawLine(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor, int nStyle = PS_SOLID);
    static void DrawRect(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor);
    static void DrawRoundRect(HDC hDC, const RECT& rc, int nSize, int width, int height, DWORD dwPenColor);

    // Plain text in the manager's font iFont; uStyle takes DT_* flags (DT_NOPREFIX is
    // always added). rc is updated when uStyle holds DT_CALCRECT.
    static void DrawText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor,
                         int iFont, UINT uStyle);
    // The same, drawn through a 32-bit off-screen bitmap so it blends onto layered targets.
    static void AlphaDrawText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor,
                              int iFont, UINT uStyle);
    // The framework's formatted text. nLinkRects is in (capacity of prcLinks and
    // sLinks) and out (links recorded). Returns the height of the lines drawn.
    static int DrawHtmlText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor,
                            RECT* prcLinks, CDuiString* sLinks, int& nLinkRects, UINT uStyle);
    [[nodiscard]] static SIZE GetTextSize(HDC hDC, CPaintManagerUI* pManager, LPCTSTR pstrText, int iFont,
                                          UINT uStyle);

    // The control painted over rc (client coordinates) as a new top-down 32-bit DIB
    // section of rc's size; unpainted pixels are transparent black and what plain GDI
    // drew is opaque. The caller owns it; null when rc is empty or does not lie at
    // non-negative coordinates.
    [[nodiscard]] static HBITMAP GenerateBitmap(CPaintManagerUI* pManager, CControlUI* pControl, RECT rc);
};

} // namespace DuiLib
