#include "duilib/core/HtmlTextTagArguments.h"

#include "duilib/core/ImageAttribute.h"

#include <algorithm>
#include <climits>

namespace DuiLib {

namespace {

[[nodiscard]] bool IsBlank(TCHAR ch) noexcept { return ch > 0 && ch <= L' '; }
[[nodiscard]] bool IsDigit(TCHAR ch) noexcept { return ch >= L'0' && ch <= L'9'; }

[[nodiscard]] int HexValue(TCHAR ch) noexcept
{
    if (IsDigit(ch)) {
        return ch - L'0';
    }
    if (ch >= L'a' && ch <= L'f') {
        return ch - L'a' + 10;
    }
    if (ch >= L'A' && ch <= L'F') {
        return ch - L'A' + 10;
    }
    return -1;
}

// A view of the argument that reads word by word.
class ArgumentReader final {
public:
    ArgumentReader(LPCTSTR text, int length) noexcept : m_text(text), m_end(length) {}

    void SkipBlanks() noexcept
    {
        while (m_pos < m_end && IsBlank(m_text[m_pos])) {
            ++m_pos;
        }
    }
    [[nodiscard]] bool AtEnd() const noexcept { return m_pos >= m_end; }
    [[nodiscard]] TCHAR Peek() const noexcept { return AtEnd() ? L'\0' : m_text[m_pos]; }
    void Skip() noexcept { ++m_pos; }
    [[nodiscard]] CDuiString Word()
    {
        const int start = m_pos;
        while (m_pos < m_end && !IsBlank(m_text[m_pos])) {
            ++m_pos;
        }
        return CDuiString(m_text + start, m_pos - start);
    }
    // Digits after an optional sign, saturating; false (nothing consumed) without digits.
    [[nodiscard]] bool Number(int& value) noexcept
    {
        int pos = m_pos;
        const bool negative = pos < m_end && m_text[pos] == L'-';
        if (pos < m_end && (m_text[pos] == L'-' || m_text[pos] == L'+')) {
            ++pos;
        }
        if (pos >= m_end || !IsDigit(m_text[pos])) {
            return false;
        }
        long long magnitude = 0;
        for (; pos < m_end && IsDigit(m_text[pos]); ++pos) {
            magnitude = magnitude * 10 + (m_text[pos] - L'0');
            if (magnitude > INT_MAX) {
                magnitude = INT_MAX;
            }
        }
        m_pos = pos;
        value = static_cast<int>(negative ? -magnitude : magnitude);
        return true;
    }
    [[nodiscard]] CDuiString Rest() const { return AtEnd() ? CDuiString() : CDuiString(m_text + m_pos, m_end - m_pos); }

private:
    LPCTSTR m_text;
    int m_end;
    int m_pos = 0;
};

[[nodiscard]] bool ContainsNoCase(CDuiString haystack, LPCTSTR word)
{
    haystack.MakeLower();
    return haystack.Find(word) >= 0;
}

} // namespace

DWORD HtmlTextTagArguments::Color(LPCTSTR arg, int length)
{
    ArgumentReader reader(arg, length);
    reader.SkipBlanks();
    if (reader.Peek() == L'#') {
        reader.Skip();
    }
    DWORD value = 0;
    for (int digit = HexValue(reader.Peek()); !reader.AtEnd() && digit >= 0; digit = HexValue(reader.Peek())) {
        value = (value << 4) | static_cast<DWORD>(digit);
        reader.Skip();
    }
    return value;
}

int HtmlTextTagArguments::Integer(LPCTSTR arg, int length, int fallback)
{
    ArgumentReader reader(arg, length);
    reader.SkipBlanks();
    int value = fallback;
    return reader.Number(value) ? value : fallback;
}

HtmlFontRequest HtmlTextTagArguments::Font(LPCTSTR arg, int length)
{
    HtmlFontRequest request;
    ArgumentReader reader(arg, length);
    reader.SkipBlanks();
    if (IsDigit(reader.Peek())) {
        request.byIndex = reader.Number(request.index);
        return request;
    }
    request.face = reader.Word();
    reader.SkipBlanks();
    int size = 0;
    if (reader.Number(size)) {
        request.size = size;
    }
    const CDuiString rest = reader.Rest();
    request.bold = ContainsNoCase(rest, L"bold");
    request.underline = ContainsNoCase(rest, L"underline");
    request.italic = ContainsNoCase(rest, L"italic");
    return request;
}

bool HtmlTextTagArguments::Image(LPCTSTR arg, int length, HtmlImageRequest& request)
{
    const CDuiString text(arg, length);
    if (text.Find(L"='") >= 0) {
        ImageDrawParams params;
        // Only the last image of the pairs is inline; earlier ones are not drawn.
        CImageAttribute::Apply(text, params, [](const ImageDrawParams&) {});
        request.name = params.name;
        request.type = params.type;
        request.mask = params.mask;
        request.source = params.source;
        request.fade = params.fade;
        return !request.name.IsEmpty();
    }
    ArgumentReader reader(arg, length);
    reader.SkipBlanks();
    request.name = reader.Word();
    reader.SkipBlanks();
    int frames = 1;
    if (reader.Number(frames) && frames > 1) {
        request.frames = frames;
    }
    reader.SkipBlanks();
    int frame = 0;
    if (reader.Number(frame) && frame >= 0 && frame < request.frames) {
        request.frame = frame;
    }
    return !request.name.IsEmpty();
}

RECT HtmlTextTagArguments::ImagePart(const HtmlImageRequest& request, SIZE image) noexcept
{
    const RECT& src = request.source;
    if (src.left != 0 || src.top != 0 || src.right != 0 || src.bottom != 0) {
        return RECT{std::clamp<LONG>(src.left, 0, image.cx), std::clamp<LONG>(src.top, 0, image.cy),
                    std::clamp<LONG>(src.right, 0, image.cx), std::clamp<LONG>(src.bottom, 0, image.cy)};
    }
    const int frames = std::max(request.frames, 1);
    const int frame = request.frame >= 0 && request.frame < frames ? request.frame : 0;
    const int column = image.cx / frames;
    return RECT{frame * column, 0, (frame + 1) * column, image.cy};
}

} // namespace DuiLib
