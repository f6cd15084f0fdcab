#pragma once
// Lays formatted text out line by line on a canvas. Each line is processed twice from
// the same saved state: first to measure it (height, width, where it ends), then to
// draw it with that height and its alignment shift. Calculate-only runs measure only.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"
#include "duilib/core/HtmlTextCanvas.h"
#include "duilib/core/HtmlTextScanner.h"
#include "duilib/core/HtmlTextState.h"

#include <climits>

namespace DuiLib {

class HtmlTextLinkTable;
struct HtmlImageRequest;

struct HtmlTextOptions {
    RECT rc{};     // left edge, right edge for breaking, top of the first line
    UINT style = 0; // DT_* flags; DT_CALCRECT measures without drawing
    DWORD textColor = 0;
    DWORD linkColor = 0;
    DWORD linkHoverColor = 0;
    DWORD selectedBkColor = 0;
    bool hasHoverLink = false; // a link of the previous layout is under the mouse
    CDuiString hoverLink;      // and this is its text
    int drawBottom = INT_MAX;  // lines starting at or below this are not laid out when drawing
};

struct HtmlTextExtent {
    int drawnHeight = 0; // sum of the heights of the lines that hold something
    int bottom = 0;      // bottom of the last line, at least that of the tallest image
    int right = 0;       // right end of the widest line
    int links = 0;       // links seen; the table kept those within its capacity
};

class HtmlTextLayout final {
public:
    // All borrowed; they must outlive the layout.
    HtmlTextLayout(IHtmlTextCanvas& canvas, const HtmlTextOptions& options, HtmlTextLinkTable& links) noexcept
        : m_canvas(canvas), m_options(options), m_links(links)
    {
    }

    [[nodiscard]] HtmlTextExtent Run(LPCTSTR text);

private:
    enum class Pass { Measure, Draw };

    struct Line {
        int top = 0;
        int height = 0;     // grows while measuring; fixed while drawing
        int shift = 0;      // horizontal alignment offset while drawing
        int right = 0;      // furthest pen position reached by something placed
        int imageBottom = INT_MIN;
        bool hasContent = false;
        bool breakable = false; // what was placed last ends in a non-letter
        bool ended = false;
        bool last = false;      // nothing follows this line
    };

    void LayLine(Pass pass, const Line* measured);
    void Step(const HtmlToken& token);
    void PlaceText(const HtmlToken& token);
    void DrawPiece(HFONT font, const HtmlFontTraits& traits, LPCTSTR text, int length);
    void Advance(int width) noexcept;
    void Account(const Line& line, HtmlTextExtent& extent) const noexcept;
    void EndLine(bool overflow) noexcept;
    void BreakUnlessAtStart() noexcept;
    [[nodiscard]] int NextPosition(const HtmlToken& token, int chars, bool overflow) const noexcept;

    // HtmlTextLayoutTags.cpp
    void OpenTag(const HtmlToken& token);
    void OpenMarker(TCHAR tag, LPCTSTR arg, int length);
    void OpenLink(LPCTSTR arg, int length);
    void OpenFont(LPCTSTR arg, int length);
    void OpenItalicOrImage(const HtmlToken& token);
    void PlaceImage(const HtmlToken& token, const HtmlImageRequest& request);
    void OpenParagraph(LPCTSTR arg, int length);
    void CloseTag(TCHAR tag);
    void CloseLink();
    void PushFont(HFONT font);
    void PushVariant(HtmlFontVariant variant);
    void PopFont();
    void RaiseLineHeight(HFONT font);

    [[nodiscard]] bool Has(UINT flag) const noexcept { return (m_options.style & flag) != 0; }
    [[nodiscard]] bool Drawing() const noexcept { return m_pass == Pass::Draw; }

    IHtmlTextCanvas& m_canvas;
    const HtmlTextOptions& m_options;
    HtmlTextLinkTable& m_links;
    const HtmlTextScanner* m_scanner = nullptr;
    HtmlTextState m_state{nullptr, 0, POINT{}};
    Pass m_pass = Pass::Measure;
    Line m_line;
};

} // namespace DuiLib
