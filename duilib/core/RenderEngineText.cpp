// CRenderEngine's plain text: DrawText, AlphaDrawText and GetTextSize.

#include "duilib/core/RenderEngine.h"

#include "common/Handles.h"
#include "duilib/core/AlphaBlender.h"
#include "duilib/core/OffscreenBitmap.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngineTextColors.h"

#include <cwchar>

namespace DuiLib {

namespace {

// A key of the language table is recognised by "ID" in it; the translation replaces
// the text unless it is empty.
[[nodiscard]] LPCTSTR Translated(LPCTSTR text)
{
    if (std::wcsstr(text, L"ID") == nullptr) {
        return text;
    }
    LPCTSTR translated = CPaintManagerUI::GetLanguageAttributeList(text);
    return translated != nullptr && translated[0] != L'\0' ? translated : text;
}

// Text colour, background mode and font for one call, put back afterwards.
class TextDrawScope final {
public:
    TextDrawScope(HDC hDC, HFONT font, COLORREF color) noexcept
        : m_hDC(hDC), m_font(hDC, font), m_oldMode(::SetBkMode(hDC, TRANSPARENT)),
          m_oldColor(::SetTextColor(hDC, color))
    {
    }
    ~TextDrawScope() noexcept
    {
        if (m_oldColor != CLR_INVALID) {
            (void)::SetTextColor(m_hDC, m_oldColor); // restoring state; a failure changes nothing further
        }
        if (m_oldMode != 0) {
            (void)::SetBkMode(m_hDC, m_oldMode);
        }
    }
    TextDrawScope(const TextDrawScope&) = delete;
    TextDrawScope& operator=(const TextDrawScope&) = delete;

private:
    HDC m_hDC;
    SelectObjectScope m_font;
    int m_oldMode;
    COLORREF m_oldColor;
};

// Untouched pixels of the off-screen text become transparent; the key colour becomes
// the requested colour and anti-aliased pixels stay as drawn, both fully opaque.
void KeyToAlpha(const COffscreenBitmap& offscreen, COLORREF key, COLORREF color) noexcept
{
    (void)::GdiFlush(); // text drawing may still be queued; false only means nothing was
    const DWORD keyPixel = RGB(GetBValue(key), GetGValue(key), GetRValue(key)); // DIB order: 0x00RRGGBB
    const DWORD colorPixel = RGB(GetBValue(color), GetGValue(color), GetRValue(color));
    DWORD* pixels = offscreen.GetBits();
    const int count = offscreen.GetWidth() * offscreen.GetHeight();
    for (int i = 0; i < count; ++i) {
        const DWORD rgb = pixels[i] & 0x00FFFFFFu;
        if (rgb == 0) {
            pixels[i] = 0;
        } else {
            pixels[i] = 0xFF000000u | (rgb == keyPixel ? colorPixel : rgb);
        }
    }
}

} // namespace

void CRenderEngine::DrawText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor,
                             int iFont, UINT uStyle)
{
    if (hDC == nullptr || pManager == nullptr || pstrText == nullptr || pstrText[0] == L'\0') {
        return;
    }
    LPCTSTR text = Translated(pstrText);
    const TextDrawScope scope(hDC, pManager->GetFont(iFont), RenderEngineTextColors::ToTextColorRef(dwTextColor));
    (void)::DrawTextW(hDC, text, -1, &rc, uStyle | DT_NOPREFIX); // the height it returns is not part of this call
}

void CRenderEngine::AlphaDrawText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText,
                                  DWORD dwTextColor, int iFont, UINT uStyle)
{
    if (hDC == nullptr || pManager == nullptr || pstrText == nullptr || pstrText[0] == L'\0') {
        return;
    }
    if ((uStyle & DT_CALCRECT) != 0) {
        DrawText(hDC, pManager, rc, pstrText, dwTextColor, iFont, uStyle);
        return;
    }
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    // A new DIB section is zero-filled, so every pixel starts untouched.
    const COffscreenBitmap offscreen(hDC, width, height);
    if (!offscreen.IsValid()) {
        return;
    }
    const COLORREF key = RenderEngineTextColors::AlphaTextKey(dwTextColor);
    RECT local{0, 0, width, height};
    {
        const TextDrawScope scope(offscreen.GetDC(), pManager->GetFont(iFont), key);
        (void)::DrawTextW(offscreen.GetDC(), Translated(pstrText), -1, &local, uStyle | DT_NOPREFIX); // height unused
    }
    KeyToAlpha(offscreen, key, RenderEngineTextColors::ToColorRef(dwTextColor));
    // A failed blend leaves the target as it was.
    (void)CAlphaBlender::Blend(hDC, rc, offscreen.GetDC(), RECT{0, 0, width, height}, PixelBlendMode{255, true});
}

SIZE CRenderEngine::GetTextSize(HDC hDC, CPaintManagerUI* pManager, LPCTSTR pstrText, int iFont, UINT /*uStyle*/)
{
    SIZE size{0, 0};
    if (hDC == nullptr || pManager == nullptr || pstrText == nullptr) {
        return size;
    }
    const TextDrawScope scope(hDC, pManager->GetFont(iFont), ::GetTextColor(hDC));
    if (!::GetTextExtentPoint32W(hDC, pstrText, static_cast<int>(std::wcslen(pstrText)), &size)) {
        size = SIZE{0, 0};
    }
    return size;
}

} // namespace DuiLib
