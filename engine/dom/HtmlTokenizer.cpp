#include "HtmlTokenizer.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "common/CharSearch.h"

namespace engine {
namespace {

// What the loops over the characters of a tag stop at, one table look-up per
// character instead of a chain of comparisons.
enum CharClass : std::uint8_t {
    kSpace = 1,
    kEndsName = 2,           // a tag or attribute name
    kEndsAttributeName = 4,  // ... or at '='
    kEndsUnquotedValue = 8,
};

constexpr std::array<std::uint8_t, 128> kCharClasses = [] {
    std::array<std::uint8_t, 128> classes{};
    for (const char c : {' ', '\t', '\n', '\r', '\f'}) {
        classes[static_cast<std::size_t>(c)] = kSpace | kEndsName | kEndsAttributeName | kEndsUnquotedValue;
    }
    classes['/'] = kEndsName | kEndsAttributeName;
    classes['>'] = kEndsName | kEndsAttributeName | kEndsUnquotedValue;
    classes['='] = kEndsAttributeName;
    return classes;
}();

bool HasClass(wchar_t c, std::uint8_t charClass)
{
    return static_cast<unsigned>(c) < kCharClasses.size() && (kCharClasses[static_cast<unsigned>(c)] & charClass) != 0;
}

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

wchar_t ToLowerAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

// The lower-case name a tag is looked up by. Names longer than any known one are not
// looked up, so a small buffer does.
HtmlTagInfo LookUp(std::wstring_view name)
{
    constexpr size_t kLongestKnown = 10;
    wchar_t lower[kLongestKnown];
    if (name.size() > kLongestKnown) {
        return {};
    }
    std::transform(name.begin(), name.end(), lower, ToLowerAscii);
    return LookUpHtmlTag(std::wstring_view(lower, name.size()));
}

} // namespace

bool HtmlTokenizer::SameName(std::wstring_view a, std::wstring_view b) noexcept
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

HtmlToken HtmlTokenizer::Next()
{
    if ((m_rawText.flags & kRawText) != 0) {
        return ReadRawText();
    }
    // Declarations produce no token; skipping them in a loop keeps the stack flat
    // however many of them follow each other.
    while (m_pos + 1 < m_input.size() && m_input[m_pos] == L'<' &&
           (m_input[m_pos + 1] == L'!' || m_input[m_pos + 1] == L'?') && m_input.substr(m_pos, 4) != L"<!--") {
        SkipDeclaration();
    }
    if (m_pos >= m_input.size()) {
        return {};
    }
    if (!IsTagStart(m_pos)) {
        return ReadText();
    }
    if (m_input[m_pos + 1] == L'!') {
        return ReadComment();  // every other "<!" was skipped above
    }
    return ReadTag(m_input[m_pos + 1] == L'/');
}

size_t HtmlTokenizer::Find(wchar_t c, size_t from) const
{
    const wchar_t* begin = m_input.data();
    return static_cast<size_t>(FindChar(begin + from, begin + m_input.size(), c) - begin);
}

bool HtmlTokenizer::IsTagStart(size_t pos) const
{
    if (m_input[pos] != L'<' || pos + 1 >= m_input.size()) {
        return false;
    }
    const wchar_t next = m_input[pos + 1];
    if (next == L'!' || next == L'?' || IsAsciiLetter(next)) {
        return true;
    }
    return next == L'/' && pos + 2 < m_input.size() && IsAsciiLetter(m_input[pos + 2]);
}

HtmlToken HtmlTokenizer::ReadText()
{
    const size_t start = m_pos;
    // A '<' that does not start a tag is text.
    size_t end = Find(L'<', m_pos + 1);
    while (end < m_input.size() && !IsTagStart(end)) {
        end = Find(L'<', end + 1);
    }
    m_pos = end;
    HtmlToken token;
    token.kind = HtmlToken::Kind::Text;
    token.text = m_input.substr(start, end - start);
    token.decode = true;
    return token;
}

HtmlToken HtmlTokenizer::ReadRawText()
{
    const size_t start = m_pos;
    size_t end = m_input.size();
    for (size_t i = Find(L'<', m_pos); i < m_input.size(); i = Find(L'<', i + 1)) {
        if (i + 1 >= m_input.size() || m_input[i + 1] != L'/') {
            continue;
        }
        const size_t after = i + 2 + m_rawTextEnd.size();
        const bool delimited = after >= m_input.size() || HasClass(m_input[after], kEndsName);
        if (delimited && SameName(m_input.substr(i + 2, m_rawTextEnd.size()), m_rawTextEnd)) {
            end = i;
            break;
        }
    }
    m_pos = end;
    HtmlToken token;
    token.kind = HtmlToken::Kind::Text;
    token.text = m_input.substr(start, end - start);
    token.decode = (m_rawText.flags & kDecodesRawText) != 0;
    m_rawText = {};
    if (token.text.empty()) {
        return Next();  // the end tag follows at once
    }
    return token;
}

HtmlToken HtmlTokenizer::ReadComment()
{
    const size_t bodyStart = m_pos + 4;
    const size_t end = std::min(m_input.find(L"-->", bodyStart), m_input.size());
    HtmlToken token;
    token.kind = HtmlToken::Kind::Comment;
    token.text = m_input.substr(bodyStart, end - bodyStart);
    m_pos = std::min(end + 3, m_input.size());
    return token;
}

// <!DOCTYPE ...>, <![CDATA[...]]> and <?...> carry nothing the page view needs.
void HtmlTokenizer::SkipDeclaration()
{
    m_pos = std::min(Find(L'>', m_pos), m_input.size() - 1) + 1;
}

HtmlToken HtmlTokenizer::ReadTag(bool endTag)
{
    m_pos += endTag ? 2 : 1;
    const size_t nameStart = m_pos;
    m_pos = FindClass(m_pos, kEndsName);
    HtmlToken token;
    token.kind = endTag ? HtmlToken::Kind::EndTag : HtmlToken::Kind::StartTag;
    token.name = m_input.substr(nameStart, m_pos - nameStart);
    token.tag = LookUp(token.name);
    m_attributes.clear();
    ReadAttributes(token);
    if (endTag) {
        token.selfClosing = false;
    } else {
        token.attributes = &m_attributes;
        if ((token.tag.flags & kRawText) != 0) {
            m_rawText = token.tag;
            m_rawTextEnd = token.name;
        }
    }
    return token;
}

// Attributes after the first of the same name are dropped.
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
        const size_t nameStart = m_pos;  // a stray '=' or quote starts a name, as browsers do
        m_pos = FindClass(m_pos + 1, kEndsAttributeName);
        const std::wstring_view name = m_input.substr(nameStart, m_pos - nameStart);
        SkipSpace();
        std::wstring_view value;
        if (m_pos < m_input.size() && m_input[m_pos] == L'=') {
            ++m_pos;
            value = ReadAttributeValue();
        }
        const auto same = [name](const HtmlAttribute& attr) { return SameName(attr.name, name); };
        if (std::none_of(m_attributes.begin(), m_attributes.end(), same)) {
            m_attributes.push_back(HtmlAttribute{name, value});
        }
    }
}

std::wstring_view HtmlTokenizer::ReadAttributeValue()
{
    SkipSpace();
    if (m_pos >= m_input.size()) {
        return {};
    }
    const wchar_t quote = m_input[m_pos];
    if (quote == L'"' || quote == L'\'') {
        const size_t start = m_pos + 1;
        const size_t end = Find(quote, start);
        m_pos = std::min(end + 1, m_input.size());
        return m_input.substr(start, end - start);
    }
    const size_t start = m_pos;
    m_pos = FindClass(m_pos, kEndsUnquotedValue);
    return m_input.substr(start, m_pos - start);
}

void HtmlTokenizer::SkipSpace()
{
    while (m_pos < m_input.size() && HasClass(m_input[m_pos], kSpace)) {
        ++m_pos;
    }
}

size_t HtmlTokenizer::FindClass(size_t from, std::uint8_t charClass) const
{
    const wchar_t* const begin = m_input.data();
    const wchar_t* const end = begin + m_input.size();
    const wchar_t* p = begin + std::min(from, m_input.size());
    while (p != end && !HasClass(*p, charClass)) {
        ++p;
    }
    return static_cast<size_t>(p - begin);
}

} // namespace engine
