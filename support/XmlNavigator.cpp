#include "support/XmlNavigator.h"
#include "support/XmlTokenizer.h"

namespace {

constexpr size_t kReferenceWindow = 7; // the ";" of a numeric reference must come this soon after "&"

bool IsAttributeEnd(wchar_t c) noexcept
{
    return c == L'/' || c == L'>' || c == L'?';
}

// Code of a numeric reference body such as "#65" or "#x2A" (without "&" and ";");
// 0 when the body is not one.
unsigned long ReferenceCode(std::wstring_view body)
{
    if (body.size() < 2 || body[0] != L'#') {
        return 0;
    }
    const bool hex = body[1] == L'x';
    const std::wstring_view digits = body.substr(hex ? 2 : 1);
    unsigned long code = 0;
    for (const wchar_t c : digits) {
        int digit = -1;
        if (c >= L'0' && c <= L'9') {
            digit = c - L'0';
        } else if (hex && c >= L'a' && c <= L'f') {
            digit = c - L'a' + 10;
        } else if (hex && c >= L'A' && c <= L'F') {
            digit = c - L'A' + 10;
        }
        if (digit < 0) {
            return 0;
        }
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
    }
    return digits.empty() ? 0 : code;
}

// Appends the character for `code`; codes beyond one UTF-16 unit become a surrogate pair.
void AppendCode(std::wstring& out, unsigned long code)
{
    if (code <= 0xFFFF) {
        out += static_cast<wchar_t>(code);
        return;
    }
    code -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (code >> 10));
    out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
}

// Length of the reference at `amp` (from "&" to ";" inclusive) and what it decodes
// to; 0 when the "&" starts no reference and is kept as written.
size_t DecodeReference(std::wstring_view text, size_t amp, std::wstring& out)
{
    static constexpr std::pair<std::wstring_view, wchar_t> kEntities[] = {
        {L"lt;", L'<'}, {L"amp;", L'&'}, {L"gt;", L'>'}, {L"apos;", L'\''}, {L"quot;", L'"'}};
    const std::wstring_view rest = text.substr(amp + 1);
    for (const auto& [name, ch] : kEntities) {
        if (rest.substr(0, name.size()) == name) {
            out += ch;
            return name.size() + 1;
        }
    }
    const auto semicolon = rest.substr(0, kReferenceWindow).find(L';');
    if (semicolon == std::wstring_view::npos) {
        return 0;
    }
    const unsigned long code = ReferenceCode(rest.substr(0, semicolon));
    if (code == 0) {
        return 0;
    }
    AppendCode(out, code);
    return semicolon + 2;
}

std::wstring DecodeEntities(std::wstring_view value)
{
    std::wstring out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size();) {
        const size_t used = value[i] == L'&' ? DecodeReference(value, i, out) : 0;
        if (used == 0) {
            out += value[i++];
        } else {
            i += used;
        }
    }
    return out;
}

size_t SkipBlanks(std::wstring_view tag, size_t i)
{
    while (i < tag.size() && XmlTokenizer::IsBlank(tag[i])) {
        ++i;
    }
    return i;
}

// A quoted string from `i` (quotes included) or an unquoted value up to a blank or ">".
std::wstring_view ReadValue(std::wstring_view tag, size_t& i)
{
    const size_t start = i;
    if (i < tag.size() && (tag[i] == L'"' || tag[i] == L'\'')) {
        const auto close = tag.find(tag[i], i + 1);
        i = close == std::wstring_view::npos ? tag.size() : close + 1;
        const size_t end = close == std::wstring_view::npos ? tag.size() : close;
        return tag.substr(start + 1, end - start - 1);
    }
    while (i < tag.size() && !XmlTokenizer::IsBlank(tag[i]) && tag[i] != L'>') {
        ++i;
    }
    return tag.substr(start, i - start);
}

std::wstring_view ReadWord(std::wstring_view tag, size_t& i)
{
    const size_t start = i;
    while (i < tag.size() && tag[i] != L'=' && !XmlTokenizer::IsBlank(tag[i]) && !IsAttributeEnd(tag[i])) {
        ++i;
    }
    return tag.substr(start, i - start);
}

} // namespace

CXmlNavigator::CXmlNavigator()
{
    m_elements.Reset(8);
}

bool CXmlNavigator::SetDocument(std::wstring text)
{
    m_strDoc = std::move(text);
    Parse();
    m_iPosParent = m_iPos = m_iPosChild = 0;
    return IsWellFormed();
}

void CXmlNavigator::ResetMainPosition() noexcept
{
    m_iPos = 0;
    m_iPosChild = 0;
}

bool CXmlNavigator::FindElement(std::wstring_view name)
{
    uint32_t candidate = m_iPos != 0 ? m_elements[m_iPos].next : m_elements[m_iPosParent].firstChild;
    while (candidate != 0 && !name.empty() && NameOf(candidate) != name) {
        candidate = m_elements[candidate].next;
    }
    if (candidate == 0) {
        return false;
    }
    m_iPos = candidate;
    m_iPosParent = m_elements[candidate].parent;
    m_iPosChild = 0;
    return true;
}

bool CXmlNavigator::EnterElement() noexcept
{
    if (m_iPos == 0) {
        return false;
    }
    m_iPosParent = m_iPos;
    m_iPos = m_iPosChild;
    m_iPosChild = 0;
    return true;
}

bool CXmlNavigator::LeaveElement() noexcept
{
    if (m_iPosParent == 0) {
        return false;
    }
    m_iPosChild = m_iPos;
    m_iPos = m_iPosParent;
    m_iPosParent = m_elements[m_iPos].parent;
    return true;
}

std::wstring CXmlNavigator::GetTagName() const
{
    return m_iPos == 0 ? std::wstring() : std::wstring(NameOf(m_iPos));
}

// Scans the start tag after its name: quoted strings and words separated by blanks,
// until "/", ">" or "?".
std::wstring CXmlNavigator::GetAttribute(std::wstring_view name) const
{
    if (m_iPos == 0) {
        return {};
    }
    const XmlElement& element = m_elements[m_iPos];
    const std::wstring_view tag = std::wstring_view(m_strDoc).substr(
        static_cast<size_t>(element.start), static_cast<size_t>(element.startTagLength));
    size_t i = 1 + NameOf(m_iPos).size();
    for (i = SkipBlanks(tag, i); i < tag.size() && !IsAttributeEnd(tag[i]); i = SkipBlanks(tag, i)) {
        if (tag[i] == L'=') {
            ++i;
            continue;
        }
        if (tag[i] == L'"' || tag[i] == L'\'') {
            (void)ReadValue(tag, i); // a quoted string that belongs to no name is skipped whole
            continue;
        }
        const std::wstring_view word = ReadWord(tag, i);
        i = SkipBlanks(tag, i);
        if (i < tag.size() && tag[i] == L'=') {
            i = SkipBlanks(tag, i + 1);
            const std::wstring_view value = ReadValue(tag, i);
            if (word == name) {
                return DecodeEntities(value);
            }
        }
    }
    return {};
}
