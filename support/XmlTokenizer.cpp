#include "support/XmlTokenizer.h"

#include "common/CharSearch.h"

#include <algorithm>

namespace {

// Classes of the ASCII characters that end a scan; every other character, including
// all above ASCII, belongs to none. NUL ends name and value scans, so that the text's
// terminator stops them without a bounds check; inside the text it is an ordinary
// character.
enum CharClass : unsigned char {
    kBlank = 1,
    kNameEnd = 2,     // blanks, "/" and ">"
    kUnquotedEnd = 4, // blanks and ">"
    kNameStart = 8,   // letters, ":" and "_"
};

struct CharClasses {
    unsigned char of[128] = {};

    constexpr CharClasses()
    {
        for (const wchar_t c : std::wstring_view(L" \t\r\n")) {
            of[c] |= kBlank | kNameEnd | kUnquotedEnd;
        }
        of[L'/'] |= kNameEnd;
        of[L'>'] |= kNameEnd | kUnquotedEnd;
        for (wchar_t c = L'a'; c <= L'z'; ++c) {
            of[c] |= kNameStart;
            of[c - L'a' + L'A'] |= kNameStart;
        }
        of[L':'] |= kNameStart;
        of[L'_'] |= kNameStart;
        of[0] = kNameEnd | kUnquotedEnd;
    }
};

constexpr CharClasses kClasses;

bool Is(wchar_t c, unsigned char classes) noexcept
{
    return static_cast<unsigned>(c) < 128 && (kClasses.of[static_cast<unsigned>(c)] & classes) != 0;
}

bool IsNameStart(wchar_t c) noexcept
{
    return c > L'z' || Is(c, kNameStart);
}

// The text being read: its start, which offsets count from, and its end.
struct Span {
    const wchar_t* begin;
    const wchar_t* end;
};

void SetNode(const Span& text, XmlNodeKind kind, const wchar_t* start, const wchar_t* end, XmlNode& node) noexcept
{
    node.kind = kind;
    node.offset = static_cast<int>(start - text.begin);
    node.length = static_cast<int>(end - start);
}

// The first character at or after `p` in `classes`, or the end of the text.
const wchar_t* Scan(const Span& text, const wchar_t* p, unsigned char classes) noexcept
{
    for (;; ++p) {
        while (!Is(*p, classes)) {
            ++p;
        }
        if (*p != L'\0' || p == text.end) {
            return p;
        }
    }
}


// The tag ends at the first ">" outside a quoted value; a value follows "=" after any
// blanks. A "/" before the ">" makes an empty-element tag unless it ends an unquoted
// value. False when the text ends first.
bool ReadStartTag(const Span& text, const wchar_t* start, XmlNode& node) noexcept
{
    const wchar_t* p = Scan(text, start + 1, kNameEnd);
    node.nameOffset = static_cast<int>(start + 1 - text.begin);
    node.nameLength = static_cast<int>(p - start - 1);
    const wchar_t* unquotedValueEnd = nullptr;
    while ((p = FindEitherChar(p, text.end, L'=', L'>')) != text.end) {
        if (*p == L'>') {
            SetNode(text, XmlNodeKind::StartTag, start, p + 1, node);
            node.emptyElement = p[-1] == L'/' && p != unquotedValueEnd;
            return true;
        }
        do {
            ++p;
        } while (Is(*p, kBlank));
        if (*p == L'"' || *p == L'\'') {
            p = FindChar(p + 1, text.end, *p);
            if (p == text.end) {
                return false;
            }
            ++p;
        } else {
            p = Scan(text, p, kUnquotedEnd);
            unquotedValueEnd = p;
        }
    }
    return false;
}

// False when the text ends before the ">".
bool ReadEndTag(const Span& text, const wchar_t* start, XmlNode& node) noexcept
{
    const wchar_t* close = FindChar(start + 2, text.end, L'>');
    if (close == text.end) {
        return false;
    }
    SetNode(text, XmlNodeKind::EndTag, start, close + 1, node);
    node.nameOffset = node.offset + 2;
    node.nameLength = static_cast<int>(Scan(text, start + 2, kNameEnd) - start - 2);
    return true;
}

// Start of the first occurrence of `terminator` at or after `p`; `end` when there is none.
const wchar_t* FindSequence(const wchar_t* p, const wchar_t* end, std::wstring_view terminator) noexcept
{
    const auto size = static_cast<std::ptrdiff_t>(terminator.size());
    for (p = FindChar(p, end, terminator[0]); end - p >= size; p = FindChar(p + 1, end, terminator[0])) {
        if (std::equal(terminator.begin() + 1, terminator.end(), p + 1)) {
            return p;
        }
    }
    return end;
}

const wchar_t* KindName(XmlNodeKind kind) noexcept
{
    switch (kind) {
    case XmlNodeKind::StartTag: return L"Element tag";
    case XmlNodeKind::EndTag: return L"Element end tag";
    case XmlNodeKind::CData: return L"CDATA Section";
    case XmlNodeKind::ProcessingInstruction: return L"Processing instruction";
    case XmlNodeKind::Comment: return L"Comment";
    case XmlNodeKind::Declaration: return L"Doctype";
    default: return L"tag";
    }
}

} // namespace

// Element tags and text make up nearly all of a document and are read here; the rest
// of the markup goes the long way.
bool XmlTokenizer::Next(XmlNode& node) noexcept
{
    const Span text{m_begin, m_end};
    const wchar_t* start = m_pos;
    while (true) {
        if (start == m_end) {
            SetNode(text, XmlNodeKind::End, start, start, node);
            m_pos = start;
            return false;
        }
        if (*start != L'<') {
            start = FindChar(start, m_end, L'<'); // text
            continue;
        }
        if (IsNameStart(start[1])) {
            if (!ReadStartTag(text, start, node)) {
                SetUnterminated(start, XmlNodeKind::StartTag, node);
            }
        } else if (start[1] == L'/') {
            if (!ReadEndTag(text, start, node)) {
                SetUnterminated(start, XmlNodeKind::EndTag, node);
            }
        } else {
            ReadMarkup(start, node);
            if (node.kind != XmlNodeKind::Error) {
                start += node.length; // a comment, CDATA section, declaration or instruction
                continue;
            }
        }
        m_pos = start + node.length;
        return true;
    }
}

std::wstring XmlTokenizer::ErrorMessage(const XmlNode& node)
{
    const std::wstring offset = L" at offset " + std::to_wstring(node.offset);
    return node.unterminated ? node.errorSubject + offset + L" unterminated"
                             : L"Incorrect " + std::wstring(node.errorSubject) + offset;
}

int XmlTokenizer::NameEnd(std::wstring_view text, int from) noexcept
{
    const auto end = std::find_if(text.begin() + from, text.end(), [](wchar_t c) {
        return IsBlank(c) || c == L'/' || c == L'>';
    });
    return static_cast<int>(end - text.begin());
}

// Only the "<" is consumed: the characters after it are read again as text.
void XmlTokenizer::SetIncorrect(const wchar_t* start, const wchar_t* subject, XmlNode& node) const noexcept
{
    SetNode(Span{m_begin, m_end}, XmlNodeKind::Error, start, start + 1, node);
    node.errorSubject = subject;
    node.unterminated = false;
}

// A node the text ends inside of runs to the end as an error.
void XmlTokenizer::SetUnterminated(const wchar_t* start, XmlNodeKind kind, XmlNode& node) const noexcept
{
    SetNode(Span{m_begin, m_end}, XmlNodeKind::Error, start, m_end, node);
    node.errorSubject = KindName(kind);
    node.unterminated = true;
}

// Markup other than element tags.
void XmlTokenizer::ReadMarkup(const wchar_t* start, XmlNode& node) const noexcept
{
    if (m_end - start < 2) {
        SetUnterminated(start, XmlNodeKind::Error, node);
        return;
    }
    switch (start[1]) {
    case L'?': ReadUntil(start, XmlNodeKind::ProcessingInstruction, start + 2, L"?>", node); break;
    case L'!': ReadBang(start, node); break;
    default: SetIncorrect(start, L"tag name character", node); break;
    }
}

void XmlTokenizer::ReadBang(const wchar_t* start, XmlNode& node) const noexcept
{
    const std::ptrdiff_t left = m_end - start;
    const wchar_t c = left > 2 ? start[2] : L'\0';
    if (left <= 2 || ((c == L'-' || c == L'[') && left <= 3)) {
        SetUnterminated(start, XmlNodeKind::Error, node);
    } else if (c == L'-') {
        if (start[3] == L'-') {
            ReadUntil(start, XmlNodeKind::Comment, start + 4, L"-->", node);
        } else {
            SetIncorrect(start, L"comment tag", node);
        }
    } else if (c == L'[') {
        if (start[3] == L'C') {
            ReadUntil(start, XmlNodeKind::CData, start + 4, L"]]>", node);
        } else {
            SetIncorrect(start, L"tag", node);
        }
    } else if (c == L'D') {
        ReadDoctype(start, node);
    } else if (c == L'E' || c == L'A' || c == L'N') {
        ReadUntil(start, XmlNodeKind::Declaration, start + 2, L">", node);
    } else {
        SetIncorrect(start, L"! tag", node);
    }
}

// A node that runs from `start` to the end of `terminator`, searched from `from`;
// when the terminator is missing the node is an "unterminated" error up to the end.
void XmlTokenizer::ReadUntil(const wchar_t* start, XmlNodeKind kind, const wchar_t* from,
    std::wstring_view terminator, XmlNode& node) const noexcept
{
    const wchar_t* found = FindSequence(from, m_end, terminator);
    if (found == m_end) {
        SetUnterminated(start, kind, node);
    } else {
        SetNode(Span{m_begin, m_end}, kind, start, found + terminator.size(), node);
    }
}

void XmlTokenizer::ReadDoctype(const wchar_t* start, XmlNode& node) const noexcept
{
    for (const wchar_t* p = start + 2; p != nullptr && p != m_end;) {
        if (*p == L'>') {
            SetNode(Span{m_begin, m_end}, XmlNodeKind::Declaration, start, p + 1, node);
            return;
        }
        if (*p == L'"' || *p == L'\'') {
            p = SkipQuoted(p);
        } else if (*p == L'[') {
            p = SkipSubset(p + 1);
        } else {
            ++p;
        }
    }
    SetUnterminated(start, XmlNodeKind::Declaration, node);
}

// Just past the quote that closes the one at `quote`; null when it is never closed.
const wchar_t* XmlTokenizer::SkipQuoted(const wchar_t* quote) const noexcept
{
    const wchar_t* close = FindChar(quote + 1, m_end, *quote);
    return close == m_end ? nullptr : close + 1;
}

// Skips the internal subset of a document type declaration, markup included, up to
// and past its "]". Null when the text ends first.
const wchar_t* XmlTokenizer::SkipSubset(const wchar_t* from) const noexcept
{
    const wchar_t* p = from;
    while (p != nullptr && p != m_end && *p != L']') {
        const std::wstring_view rest(p, static_cast<size_t>(m_end - p));
        if (*p == L'"' || *p == L'\'') {
            p = SkipQuoted(p);
        } else if (rest.substr(0, 4) == L"<!--" || rest.substr(0, 2) == L"<?") {
            const std::wstring_view close = p[1] == L'?' ? L"?>" : L"-->";
            const wchar_t* end = FindSequence(p + 2, m_end, close);
            p = end == m_end ? nullptr : end + close.size();
        } else {
            ++p;
        }
    }
    return p != nullptr && p != m_end ? p + 1 : nullptr;
}
