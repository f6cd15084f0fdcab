#include "support/XmlTokenizer.h"

namespace {

bool IsNameStart(wchar_t c) noexcept
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L':' || c == L'_' || c > L'z';
}

XmlNode ErrorNode(int start, int length, std::wstring message)
{
    XmlNode node;
    node.kind = XmlNodeKind::Error;
    node.offset = start;
    node.length = length;
    node.error = std::move(message);
    return node;
}

XmlNode Incorrect(int start, const wchar_t* word)
{
    // Only the "<" is consumed: the characters after it are read again as text.
    return ErrorNode(start, 1, std::wstring(L"Incorrect ") + word + L" at offset " + std::to_wstring(start));
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

XmlNode XmlTokenizer::Next()
{
    if (m_pos >= Size()) {
        XmlNode end;
        end.offset = Size();
        return end;
    }
    XmlNode node = At(m_pos) == L'<' ? ReadMarkup(m_pos) : ReadText(m_pos);
    m_pos += node.length;
    return node;
}

wchar_t XmlTokenizer::At(int i) const noexcept
{
    return i < Size() ? m_text[static_cast<size_t>(i)] : L'\0';
}

XmlNode XmlTokenizer::ReadText(int start) const
{
    XmlNode node;
    node.kind = XmlNodeKind::Whitespace;
    node.offset = start;
    int i = start;
    for (; i < Size() && At(i) != L'<'; ++i) {
        if (!IsBlank(At(i))) {
            node.kind = XmlNodeKind::Text;
        }
    }
    node.length = i - start;
    return node;
}

XmlNode XmlTokenizer::ReadMarkup(int start) const
{
    if (start + 1 >= Size()) {
        return ErrorNode(start, Size() - start, std::wstring(KindName(XmlNodeKind::Error))
            + L" at offset " + std::to_wstring(start) + L" unterminated");
    }
    const wchar_t c = At(start + 1);
    if (IsNameStart(c)) {
        return ReadStartTag(start);
    }
    switch (c) {
    case L'/': return ReadEndTag(start);
    case L'?': return ReadUntil(start, XmlNodeKind::ProcessingInstruction, start + 2, L"?>");
    case L'!': return ReadBang(start);
    default: return Incorrect(start, L"tag name character");
    }
}

int XmlTokenizer::NameEnd(std::wstring_view text, int from) noexcept
{
    auto i = static_cast<size_t>(from);
    while (i < text.size() && !IsBlank(text[i]) && text[i] != L'/' && text[i] != L'>') {
        ++i;
    }
    return static_cast<int>(i);
}

// Index just past the closing quote matching the one at `quote`; -1 when unclosed.
int XmlTokenizer::SkipQuoted(int quote) const noexcept
{
    const auto close = m_text.find(At(quote), static_cast<size_t>(quote) + 1);
    return close == std::wstring_view::npos ? -1 : static_cast<int>(close) + 1;
}

XmlNode XmlTokenizer::ReadStartTag(int start) const
{
    XmlNode node;
    node.kind = XmlNodeKind::StartTag;
    node.offset = start;
    node.nameOffset = start + 1;
    node.nameLength = NameEnd(start + 1) - node.nameOffset;
    bool afterEquals = false;
    int unquotedValueEnd = -1; // a "/" that ends an unquoted value belongs to the value
    for (int i = node.nameOffset + node.nameLength; i < Size();) {
        const wchar_t c = At(i);
        if (c == L'>') {
            node.emptyElement = At(i - 1) == L'/' && unquotedValueEnd != i;
            node.length = i + 1 - start;
            return node;
        }
        if (!afterEquals || IsBlank(c)) {
            afterEquals = afterEquals || c == L'=';
            ++i;
        } else if (c == L'"' || c == L'\'') {
            i = SkipQuoted(i);
            if (i < 0) {
                break;
            }
            afterEquals = false;
        } else {
            while (i < Size() && !IsBlank(At(i)) && At(i) != L'>') {
                ++i;
            }
            unquotedValueEnd = i;
            afterEquals = false;
        }
    }
    return ErrorNode(start, Size() - start, std::wstring(KindName(XmlNodeKind::StartTag)) + L" at offset "
        + std::to_wstring(start) + L" unterminated");
}

XmlNode XmlTokenizer::ReadEndTag(int start) const
{
    XmlNode node = ReadUntil(start, XmlNodeKind::EndTag, start + 2, L">");
    if (node.kind == XmlNodeKind::EndTag) {
        node.nameOffset = start + 2;
        node.nameLength = NameEnd(start + 2) - node.nameOffset;
    }
    return node;
}

XmlNode XmlTokenizer::ReadBang(int start) const
{
    const wchar_t c = At(start + 2);
    if (start + 2 >= Size() || ((c == L'-' || c == L'[') && start + 3 >= Size())) {
        return ReadUntil(start, XmlNodeKind::Error, Size(), L">");
    }
    if (c == L'-') {
        return At(start + 3) == L'-' ? ReadUntil(start, XmlNodeKind::Comment, start + 4, L"-->")
                                     : Incorrect(start, L"comment tag");
    }
    if (c == L'[') {
        return At(start + 3) == L'C' ? ReadUntil(start, XmlNodeKind::CData, start + 4, L"]]>")
                                     : Incorrect(start, L"tag");
    }
    if (c == L'D') {
        return ReadDoctype(start);
    }
    if (c == L'E' || c == L'A' || c == L'N') {
        return ReadUntil(start, XmlNodeKind::Declaration, start + 2, L">");
    }
    return Incorrect(start, L"! tag");
}

// A node that runs from `start` to the end of `terminator`, searched from `from`;
// when the terminator is missing the node is an "unterminated" error up to the end.
XmlNode XmlTokenizer::ReadUntil(int start, XmlNodeKind kind, int from, std::wstring_view terminator) const
{
    const auto found = from >= Size() ? std::wstring_view::npos : m_text.find(terminator, static_cast<size_t>(from));
    if (kind == XmlNodeKind::Error || found == std::wstring_view::npos) {
        return ErrorNode(start, Size() - start, std::wstring(KindName(kind)) + L" at offset "
            + std::to_wstring(start) + L" unterminated");
    }
    XmlNode node;
    node.kind = kind;
    node.offset = start;
    node.length = static_cast<int>(found + terminator.size()) - start;
    return node;
}

XmlNode XmlTokenizer::ReadDoctype(int start) const
{
    for (int i = start + 2; i < Size();) {
        const wchar_t c = At(i);
        if (c == L'>') {
            XmlNode node;
            node.kind = XmlNodeKind::Declaration;
            node.offset = start;
            node.length = i + 1 - start;
            return node;
        }
        if (c == L'"' || c == L'\'') {
            i = SkipQuoted(i);
        } else if (c == L'[') {
            i = SkipSubset(i + 1);
        } else {
            ++i;
        }
        if (i < 0) {
            break;
        }
    }
    return ReadUntil(start, XmlNodeKind::Declaration, Size(), L">");
}

// Skips the internal subset of a document type declaration, markup included, up to
// and past its "]". Returns -1 when the text ends first.
int XmlTokenizer::SkipSubset(int from) const noexcept
{
    int i = from;
    while (i >= 0 && i < Size() && At(i) != L']') {
        const std::wstring_view rest = m_text.substr(static_cast<size_t>(i));
        if (At(i) == L'"' || At(i) == L'\'') {
            i = SkipQuoted(i);
        } else if (rest.substr(0, 4) == L"<!--" || rest.substr(0, 2) == L"<?") {
            const std::wstring_view close = At(i + 1) == L'?' ? L"?>" : L"-->";
            const auto end = m_text.find(close, static_cast<size_t>(i) + 2);
            i = end == std::wstring_view::npos ? -1 : static_cast<int>(end + close.size());
        } else {
            ++i;
        }
    }
    return i >= 0 && i < Size() ? i + 1 : -1;
}
