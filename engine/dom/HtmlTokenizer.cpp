#include "HtmlTokenizer.h"

#include <algorithm>

#include "CharacterReferences.h"

namespace engine {
namespace {

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

wchar_t ToLowerAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

std::wstring LowerAscii(std::wstring_view s)
{
    std::wstring out(s);
    std::transform(out.begin(), out.end(), out.begin(), ToLowerAscii);
    return out;
}

bool IsRawTextElement(std::wstring_view name)
{
    return name == L"script" || name == L"style" || name == L"title" || name == L"textarea";
}

// script and style hold code, not text: references inside them stay as written.
bool DecodesReferences(std::wstring_view rawTextElement)
{
    return rawTextElement == L"title" || rawTextElement == L"textarea";
}

} // namespace

HtmlToken HtmlTokenizer::Next()
{
    // Declarations produce no token; skipping them in a loop keeps the stack flat
    // however many of them follow each other.
    while (m_rawTextEnd.empty() && m_pos + 1 < m_input.size() && m_input[m_pos] == L'<' &&
           (m_input[m_pos + 1] == L'!' || m_input[m_pos + 1] == L'?') && m_input.substr(m_pos, 4) != L"<!--") {
        SkipDeclaration();
    }
    if (!m_rawTextEnd.empty()) {
        return ReadRawText();
    }
    if (m_pos >= m_input.size()) {
        return {};
    }
    if (!AtTagStart()) {
        return ReadText();
    }
    const std::wstring_view rest = m_input.substr(m_pos);
    if (rest.substr(0, 4) == L"<!--") {
        return ReadComment();
    }
    return ReadTag(rest[1] == L'/');
}

bool HtmlTokenizer::AtTagStart() const
{
    if (m_input[m_pos] != L'<' || m_pos + 1 >= m_input.size()) {
        return false;
    }
    const wchar_t next = m_input[m_pos + 1];
    if (next == L'!' || next == L'?' || IsAsciiLetter(next)) {
        return true;
    }
    return next == L'/' && m_pos + 2 < m_input.size() && IsAsciiLetter(m_input[m_pos + 2]);
}

HtmlToken HtmlTokenizer::ReadText()
{
    const size_t start = m_pos;
    ++m_pos;  // a '<' that does not start a tag is text
    while (m_pos < m_input.size() && !AtTagStart()) {
        ++m_pos;
    }
    HtmlToken token;
    token.kind = HtmlToken::Kind::Text;
    token.text = DecodeCharacterReferences(m_input.substr(start, m_pos - start));
    return token;
}

HtmlToken HtmlTokenizer::ReadRawText()
{
    const size_t start = m_pos;
    size_t end = m_input.size();
    for (size_t i = m_input.find(L"</", m_pos); i != std::wstring_view::npos; i = m_input.find(L"</", i + 2)) {
        const std::wstring_view candidate = m_input.substr(i + 2, m_rawTextEnd.size());
        const size_t after = i + 2 + m_rawTextEnd.size();
        const bool delimited = after >= m_input.size() || IsSpace(m_input[after]) || m_input[after] == L'>' ||
                               m_input[after] == L'/';
        if (LowerAscii(candidate) == m_rawTextEnd && delimited) {
            end = i;
            break;
        }
    }
    m_pos = end;
    HtmlToken token;
    token.kind = HtmlToken::Kind::Text;
    const std::wstring_view raw = m_input.substr(start, end - start);
    token.text = DecodesReferences(m_rawTextEnd) ? DecodeCharacterReferences(raw) : std::wstring(raw);
    m_rawTextEnd.clear();
    if (token.text.empty()) {
        return Next();  // the end tag follows at once
    }
    return token;
}

HtmlToken HtmlTokenizer::ReadComment()
{
    const size_t bodyStart = m_pos + 4;
    size_t end = m_input.find(L"-->", bodyStart);
    HtmlToken token;
    token.kind = HtmlToken::Kind::Comment;
    if (end == std::wstring_view::npos) {
        token.text = std::wstring(m_input.substr(bodyStart));
        m_pos = m_input.size();
    } else {
        token.text = std::wstring(m_input.substr(bodyStart, end - bodyStart));
        m_pos = end + 3;
    }
    return token;
}

// <!DOCTYPE ...>, <![CDATA[...]]> and <?...> carry nothing the page view needs.
void HtmlTokenizer::SkipDeclaration()
{
    const size_t end = m_input.find(L'>', m_pos);
    m_pos = end == std::wstring_view::npos ? m_input.size() : end + 1;
}

HtmlToken HtmlTokenizer::ReadTag(bool endTag)
{
    m_pos += endTag ? 2 : 1;
    const size_t nameStart = m_pos;
    while (m_pos < m_input.size() && !IsSpace(m_input[m_pos]) && m_input[m_pos] != L'/' && m_input[m_pos] != L'>') {
        ++m_pos;
    }
    HtmlToken token;
    token.kind = endTag ? HtmlToken::Kind::EndTag : HtmlToken::Kind::StartTag;
    token.name = LowerAscii(m_input.substr(nameStart, m_pos - nameStart));
    ReadAttributes(token);
    if (endTag) {
        token.attributes.clear();
        token.selfClosing = false;
    } else if (IsRawTextElement(token.name)) {
        m_rawTextEnd = token.name;
    }
    return token;
}

void HtmlTokenizer::ReadAttributes(HtmlToken& token)
{
    while (true) {
        SkipSpace();
        if (m_pos >= m_input.size()) {
            return;
        }
        const wchar_t c = m_input[m_pos];
        if (c == L'>') {
            ++m_pos;
            return;
        }
        if (c == L'/') {
            ++m_pos;
            token.selfClosing = m_pos < m_input.size() && m_input[m_pos] == L'>';
            continue;
        }
        const size_t nameStart = m_pos++;  // a stray '=' or quote starts a name, as browsers do
        while (m_pos < m_input.size() && !IsSpace(m_input[m_pos]) && m_input[m_pos] != L'/' &&
               m_input[m_pos] != L'>' && m_input[m_pos] != L'=') {
            ++m_pos;
        }
        std::wstring name = LowerAscii(m_input.substr(nameStart, m_pos - nameStart));
        SkipSpace();
        std::wstring value;
        if (m_pos < m_input.size() && m_input[m_pos] == L'=') {
            ++m_pos;
            value = ReadAttributeValue();
        }
        const auto same = [&name](const auto& attr) { return attr.first == name; };
        if (std::none_of(token.attributes.begin(), token.attributes.end(), same)) {
            token.attributes.emplace_back(std::move(name), std::move(value));
        }
    }
}

std::wstring HtmlTokenizer::ReadAttributeValue()
{
    SkipSpace();
    if (m_pos >= m_input.size()) {
        return {};
    }
    const wchar_t quote = m_input[m_pos];
    size_t start = m_pos;
    size_t end = 0;
    if (quote == L'"' || quote == L'\'') {
        start = m_pos + 1;
        end = m_input.find(quote, start);
        if (end == std::wstring_view::npos) {
            end = m_input.size();
        }
        m_pos = std::min(end + 1, m_input.size());
    } else {
        while (m_pos < m_input.size() && !IsSpace(m_input[m_pos]) && m_input[m_pos] != L'>') {
            ++m_pos;
        }
        end = m_pos;
    }
    return DecodeCharacterReferences(m_input.substr(start, end - start));
}

void HtmlTokenizer::SkipSpace()
{
    while (m_pos < m_input.size() && IsSpace(m_input[m_pos])) {
        ++m_pos;
    }
}

} // namespace engine
