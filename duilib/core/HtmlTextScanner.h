#pragma once
// Splits formatted text into tokens: plain runs, single spaces, line feeds and tags
// with their argument. Knows nothing of fonts or drawing; it only reads the text.

#include "common/Win32.h"

namespace DuiLib {

enum class HtmlTokenKind { End, Text, Space, LineFeed, OpenTag, CloseTag };

// Offsets are in UTF-16 units from the start of the text.
struct HtmlToken {
    HtmlTokenKind kind = HtmlTokenKind::End;
    int begin = 0;  // first unit of the whole token
    int start = 0;  // first unit drawn (Text, Space) or of the argument (OpenTag)
    int length = 0; // units drawn, or of the argument with leading blanks skipped
    int next = 0;   // where scanning continues after the whole token
    TCHAR tag = 0;  // the tag letter
};

class HtmlTextScanner final {
public:
    // Borrowed; the NUL-terminated text must outlive the scanner.
    explicit HtmlTextScanner(LPCTSTR text) noexcept : m_text(text) {}

    // The token at pos. In raw mode only the closing tag of "r" is a tag.
    [[nodiscard]] HtmlToken Next(int pos, bool raw) const noexcept;
    [[nodiscard]] LPCTSTR Text() const noexcept { return m_text; }

private:
    [[nodiscard]] bool ScanBracket(int pos, HtmlToken& token) const noexcept;
    [[nodiscard]] bool IsCloseTag(int pos, TCHAR letter) const noexcept;
    [[nodiscard]] HtmlToken PlainRun(int pos, bool raw) const noexcept;

    LPCTSTR m_text;
};

} // namespace DuiLib
