#pragma once
// What formatted-text layout needs from the surface it draws on: the manager's fonts,
// text measurement and drawing. HtmlTextGdiCanvas does it with GDI; tests use a fake.

#include "common/Win32.h"

namespace DuiLib {

struct HtmlFontRequest;
struct HtmlImageRequest;

struct HtmlFontTraits {
    bool bold = false;
    bool underline = false;
    bool italic = false;
    int height = 0; // cell height in pixels
    int externalLeading = 0;
    int maxCharWidth = 0;
};

enum class HtmlFontVariant { Bold, Italic, Underline };

// One piece of text at a position, in device-context coordinates.
struct HtmlTextRun {
    HFONT font = nullptr;
    int x = 0;
    int y = 0; // top of the character cell
    LPCTSTR text = nullptr;
    int length = 0;
    DWORD color = 0;          // ARGB
    bool selected = false;    // drawn on an opaque background of selectedColor
    DWORD selectedColor = 0;  // ARGB
};

class IHtmlTextCanvas {
public:
    virtual ~IHtmlTextCanvas() = default;

    [[nodiscard]] virtual HFONT BaseFont() = 0;
    // The manager's font at index, or its default font outside the list.
    [[nodiscard]] virtual HFONT FontAt(int index) = 0;
    // Looks the font up in the manager or adds it there; null when it cannot be made.
    [[nodiscard]] virtual HFONT FindOrAddFont(const HtmlFontRequest& request) = 0;
    // The font with the variant's style added; null when it cannot be made.
    [[nodiscard]] virtual HFONT Variant(HFONT font, HtmlFontVariant variant) = 0;
    [[nodiscard]] virtual HtmlFontTraits Traits(HFONT font) = 0;
    // The trailing (C) part of the space character's ABC widths in font.
    [[nodiscard]] virtual int SpaceTrailingWidth(HFONT font) = 0;

    [[nodiscard]] virtual int Width(HFONT font, LPCTSTR text, int length) = 0;
    // Units of text fitting within maxWidth; wholeWidth receives the width of all of it.
    [[nodiscard]] virtual int Fit(HFONT font, LPCTSTR text, int length, int maxWidth, int& wholeWidth) = 0;
    // The text of a run must stay valid until the line is finished.
    virtual void DrawRun(const HtmlTextRun& run) = 0;
    // All runs of the line were handed over; they may be drawn in any order until now.
    virtual void FinishLine() = 0;

    // The size of the requested image; false when it cannot be obtained.
    [[nodiscard]] virtual bool ImageSize(const HtmlImageRequest& request, SIZE& size) = 0;
    // Draws part (image pixels) of the image stretched over dest.
    virtual void DrawImage(const HtmlImageRequest& request, const RECT& dest, const RECT& part) = 0;
};

} // namespace DuiLib
