#pragma once
// Decides how much of a plain run fits on the current line: the overflow cut, the word
// break and the end ellipsis. Widths come from a measurer, so the rules are testable
// without a device context.

#include "common/Win32.h"

namespace DuiLib {

// Widths of text in one font, in logical pixels.
class IHtmlTextMeasurer {
public:
    virtual ~IHtmlTextMeasurer() = default;
    [[nodiscard]] virtual int MaxCharWidth() const = 0;
    [[nodiscard]] virtual int Width(LPCTSTR text, int length) const = 0;
    // How many leading units of text fit within maxWidth (>= 0); wholeWidth receives
    // the width of all of it.
    [[nodiscard]] virtual int Fit(LPCTSTR text, int length, int maxWidth, int& wholeWidth) const = 0;
};

struct HtmlRunRequest {
    LPCTSTR text = nullptr;
    int length = 0;
    int available = 0;          // from the position to the right edge
    bool lineEmpty = true;      // nothing placed on the line yet
    bool lineBreakable = false; // the line so far ends after a non-letter
    bool wordBreak = false;
    bool endEllipsis = false;
};

struct HtmlRunCut {
    int chars = 0;  // units of the run placed on this line
    int width = 0;  // their width
    bool overflow = false; // the line ends after them
    bool ellipsis = false; // "..." follows them
};

class HtmlTextLineBreaker final {
public:
    // Borrowed; must outlive the breaker.
    explicit HtmlTextLineBreaker(const IHtmlTextMeasurer& measurer) noexcept : m_measurer(measurer) {}

    [[nodiscard]] HtmlRunCut Cut(const HtmlRunRequest& run) const;

private:
    [[nodiscard]] static int CutPoint(const HtmlRunRequest& run, int fit);

    const IHtmlTextMeasurer& m_measurer;
};

} // namespace DuiLib
