// CRenderEngine's plain text: DrawText, AlphaDrawText and GetTextSize.

#include "duilib/core/RenderEngine.h"

#include "common/Handles.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngineTextColors.h"

#include <cwchar>
#include <optional>

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

// A top-down 32-bit bitmap the size of rc, selected into its own memory context.
class OffscreenText final {
public:
    OffscreenText(HDC reference, int width, int height) noexcept;
    [[nodiscard]] bool IsValid() const noexcept { return m_pixels != nullptr && m_dc && m_bitmap; }
    [[nodiscard]] HDC Dc() const noexcept { return m_dc.get(); }
    // Untouched pixels become transparent; the key colour becomes the requested colour
    // and anti-aliased pixels stay as drawn, both fully opaque.
    void KeyToAlpha(COLORREF key, COLORREF color) noexcept;

private:
    UniqueMemoryDc m_dc;
    UniqueBitmap m_bitmap;
    std::optional<SelectObjectScope> m_selection; // released before the bitmap and the context
    DWORD* m_pixels = nullptr;
    int m_count = 0;
};

OffscreenText::OffscreenText(HDC reference, int width, int height) noexcept : m_dc(::CreateCompatibleDC(reference))
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.reset(::CreateDIBSection(reference, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (m_bitmap && m_dc) {
        m_selection.emplace(m_dc.get(), m_bitmap.get());
        m_pixels = static_cast<DWORD*>(bits); // created zeroed: every pixel starts untouched
        m_count = width * height;
    }
}

void OffscreenText::KeyToAlpha(COLORREF key, COLORREF color) noexcept
{
    (void)::GdiFlush(); // text drawing may still be queued; false only means nothing was
    const DWORD keyPixel = RGB(GetBValue(key), GetGValue(key), GetRValue(key)); // DIB order: 0x00RRGGBB
    const DWORD colorPixel = RGB(GetBValue(color), GetGValue(color), GetRValue(color));
    for (int i = 0; i < m_count; ++i) {
        const DWORD rgb = m_pixels[i] & 0x00FFFFFFu;
        if (rgb == 0) {
            m_pixels[i] = 0;
        } else {
            m_pixels[i] = 0xFF000000u | (rgb == keyPixel ? colorPixel : rgb);
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
    OffscreenText offscreen(hDC, width, height);
    if (!offscreen.IsValid()) {
        return;
    }
    const COLORREF key = RenderEngineTextColors::AlphaTextKey(dwTextColor);
    RECT local{0, 0, width, height};
    {
        const TextDrawScope scope(offscreen.Dc(), pManager->GetFont(iFont), key);
        (void)::DrawTextW(offscreen.Dc(), Translated(pstrText), -1, &local, uStyle | DT_NOPREFIX); // height unused
    }
    offscreen.KeyToAlpha(key, RenderEngineTextColors::ToColorRef(dwTextColor));
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    (void)::AlphaBlend(hDC, rc.left, rc.top, width, height, offscreen.Dc(), 0, 0, width, height,
                       blend); // a failed blend leaves the target as it was
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
