#include "duilib/core/HtmlTextScanner.h"

namespace DuiLib {

namespace {

[[nodiscard]] bool IsTagLetter(TCHAR ch) noexcept { return ch >= L'a' && ch <= L'z'; }
[[nodiscard]] bool IsOpener(TCHAR ch) noexcept { return ch == L'<' || ch == L'{'; }
[[nodiscard]] TCHAR CloserOf(TCHAR opener) noexcept { return opener == L'<' ? L'>' : L'}'; }
[[nodiscard]] bool IsBlank(TCHAR ch) noexcept { return ch > 0 && ch <= L' '; }

// Units that end a plain run whatever the mode.
[[nodiscard]] bool EndsRun(TCHAR ch) noexcept { return ch == L'\0' || ch == L'\n' || ch == L' '; }

} // namespace

HtmlToken HtmlTextScanner::Next(int pos, bool raw) const noexcept
{
    const TCHAR ch = m_text[pos];
    if (ch == L'\0') {
        return HtmlToken{HtmlTokenKind::End, pos, pos, 0, pos};
    }
    if (ch == L'\n') {
        return HtmlToken{HtmlTokenKind::LineFeed, pos, pos, 1, pos + 1};
    }
    if (ch == L' ') {
        return HtmlToken{HtmlTokenKind::Space, pos, pos, 1, pos + 1};
    }
    if (raw && IsCloseTag(pos, L'r')) {
        return HtmlToken{HtmlTokenKind::CloseTag, pos, pos, 0, pos + 4, L'r'};
    }
    HtmlToken token;
    if (!raw && IsOpener(ch) && ScanBracket(pos, token)) {
        return token;
    }
    return PlainRun(pos, raw);
}

bool HtmlTextScanner::IsCloseTag(int pos, TCHAR letter) const noexcept
{
    const TCHAR opener = m_text[pos];
    return IsOpener(opener) && m_text[pos + 1] == L'/' && m_text[pos + 2] == letter &&
           m_text[pos + 3] == CloserOf(opener);
}

// A tag, a closing tag or a bracket drawn through the other pair ("<{>" draws "{").
bool HtmlTextScanner::ScanBracket(int pos, HtmlToken& token) const noexcept
{
    const TCHAR opener = m_text[pos];
    const TCHAR closer = CloserOf(opener);
    const TCHAR first = m_text[pos + 1];
    if (first == L'/') {
        const TCHAR letter = m_text[pos + 2];
        if (!IsTagLetter(letter) || !IsCloseTag(pos, letter)) {
            return false;
        }
        token = HtmlToken{HtmlTokenKind::CloseTag, pos, pos, 0, pos + 4, letter};
        return true;
    }
    const bool crossed = opener == L'<' ? (first == L'{' || first == L'}') : (first == L'<' || first == L'>');
    if (crossed && m_text[pos + 2] == closer) {
        token = HtmlToken{HtmlTokenKind::Text, pos, pos + 1, 1, pos + 3};
        return true;
    }
    if (!IsTagLetter(first) || (m_text[pos + 2] != L' ' && m_text[pos + 2] != closer)) {
        return false;
    }
    int end = pos + 2;
    while (m_text[end] != L'\0' && m_text[end] != closer) {
        ++end;
    }
    if (m_text[end] == L'\0') {
        return false; // never closed: the opener is plain text
    }
    int arg = pos + 2;
    while (arg < end && IsBlank(m_text[arg])) {
        ++arg;
    }
    token = HtmlToken{HtmlTokenKind::OpenTag, pos, arg, end - arg, end + 1, first};
    return true;
}

HtmlToken HtmlTextScanner::PlainRun(int pos, bool raw) const noexcept
{
    int end = pos + 1; // the first unit belongs to the run even when it is a bracket
    while (!EndsRun(m_text[end])) {
        if (raw ? IsCloseTag(end, L'r') : IsOpener(m_text[end])) {
            break;
        }
        ++end;
    }
    return HtmlToken{HtmlTokenKind::Text, pos, pos, end - pos, end};
}

} // namespace DuiLib
