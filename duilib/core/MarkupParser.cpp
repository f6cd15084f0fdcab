// The one-pass, in-place parse of CMarkup: names, values and data are terminated and
// decoded inside the text buffer itself, and elements become fixed-size records.

#include "duilib/core/Markup.h"

#include <cwchar>
#include <cwctype>

namespace DuiLib {

namespace {

// Outside input must not be able to exhaust the stack through the recursion below.
constexpr int kMaxElementDepth = 512;

bool IsWhitespace(TCHAR ch) noexcept
{
    return ch > 0 && ch <= L' ';
}

bool IsIdentifierChar(TCHAR ch) noexcept
{
    if (ch < 0x80) {
        return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9') ||
               ch == L'_' || ch == L':';
    }
    return std::iswalnum(ch) != 0;
}

// CharNextW only steps further than one unit when combining marks (U+0300 and up)
// follow, so the common case skips the call into user32.
template <typename Char>
Char* NextChar(Char* pstr) noexcept
{
    return pstr[1] < 0x300 ? pstr + 1 : ::CharNextW(pstr);
}

// Where a failure is reported "just after" a character: never past the terminator.
LPTSTR After(LPTSTR pstr) noexcept
{
    return *pstr != L'\0' ? pstr + 1 : pstr;
}

// Comments end at the first "->" (even inside the comment), and so does any other "<!"
// declaration; "<?" runs to "?>".
void SkipDeclaration(LPTSTR& pstrText) noexcept
{
    const TCHAR chEnd = *pstrText == L'!' ? L'-' : L'?';
    while (*pstrText != L'\0' && !(pstrText[0] == chEnd && pstrText[1] == L'>')) {
        ++pstrText;
    }
    if (*pstrText != L'\0') {
        pstrText += 2;
    }
}

} // namespace

bool CMarkup::_Parse()
{
    m_nElements = 0;
    (void)_ReserveElement(); // Index 0 stands for "none" in the link fields.
    m_szErrorMsg[0] = L'\0';
    m_szErrorXML[0] = L'\0';
    LPTSTR pstrText = m_pstrXML.get();
    return _Parse(pstrText, 0, 0);
}

bool CMarkup::_Parse(LPTSTR& pstrText, ULONG iParent, int nDepth)
{
    if (nDepth > kMaxElementDepth) {
        return _Failed(L"Elements nested too deeply", pstrText);
    }
    ULONG iPrevious = 0;
    for (;;) {
        _SkipWhitespace(pstrText);
        if (*pstrText == L'\0' && iParent <= 1) {
            return true;
        }
        if (*pstrText != L'<') {
            return _Failed(L"Expected start tag", pstrText);
        }
        if (pstrText[1] == L'/') {
            return true; // The caller reads the end tag.
        }
        *pstrText++ = L'\0';
        _SkipWhitespace(pstrText);
        if (*pstrText == L'!' || *pstrText == L'?') {
            SkipDeclaration(pstrText);
            continue;
        }
        const ULONG iPos = _AddElement(pstrText, iParent, iPrevious);
        iPrevious = iPos;
        LPTSTR pstrName = pstrText;
        _SkipIdentifier(pstrText);
        LPTSTR pstrNameEnd = pstrText;
        if (*pstrText == L'\0') {
            return _Failed(L"Error parsing element name", pstrText);
        }
        if (!_ParseAttributes(pstrText)) {
            return false;
        }
        _SkipWhitespace(pstrText);
        bool bEndOfText = false;
        if (!_ParseElementEnd(pstrText, iPos, pstrName, pstrNameEnd, nDepth, bEndOfText)) {
            return false;
        }
        *pstrNameEnd = L'\0';
        if (bEndOfText) {
            return true;
        }
    }
}

// Everything after an element's attributes: "/>", or ">" with data, children and the
// end tag. bEndOfText reports an element of the top two levels left open at the end.
bool CMarkup::_ParseElementEnd(LPTSTR& pstrText, ULONG iPos, LPTSTR pstrName, LPTSTR pstrNameEnd, int nDepth,
                               bool& bEndOfText)
{
    if (pstrText[0] == L'/' && pstrText[1] == L'>') {
        m_aElements[iPos].iData = static_cast<ULONG>(pstrText - m_pstrXML.get());
        *pstrText = L'\0';
        pstrText += 2;
        return true;
    }
    if (*pstrText != L'>') {
        return _Failed(L"Expected start-tag closing", pstrText);
    }
    ++pstrText;
    m_aElements[iPos].iData = static_cast<ULONG>(pstrText - m_pstrXML.get());
    LPTSTR pstrDest = pstrText;
    _ParseData(pstrText, pstrDest, '<');
    if (*pstrText == L'\0' && m_aElements[iPos].iParent <= 1) {
        *pstrDest = L'\0';
        bEndOfText = true;
        return true;
    }
    if (*pstrText != L'<') {
        return _Failed(L"Expected end-tag start", pstrText);
    }
    if (pstrText[1] != L'/' && !_Parse(pstrText, iPos, nDepth + 1)) {
        return false;
    }
    if (pstrText[0] != L'<' || pstrText[1] != L'/') {
        *pstrDest = L'\0'; // The text ended inside the root's content.
        return true;
    }
    *pstrDest = L'\0';
    return _ParseEndTag(pstrText, pstrName, static_cast<size_t>(pstrNameEnd - pstrName));
}

// pstrText is at "</"; the name must repeat the element's name and close with ">".
bool CMarkup::_ParseEndTag(LPTSTR& pstrText, LPCTSTR pstrName, size_t cchName)
{
    *pstrText = L'\0';
    pstrText += 2;
    _SkipWhitespace(pstrText);
    if (std::wcsncmp(pstrText, pstrName, cchName) != 0) {
        return _Failed(L"Unmatched closing tag", pstrText);
    }
    pstrText += cchName;
    _SkipWhitespace(pstrText);
    if (*pstrText != L'>') {
        return _Failed(L"Unmatched closing tag", After(pstrText));
    }
    ++pstrText;
    return true;
}

ULONG CMarkup::_AddElement(LPCTSTR pstrName, ULONG iParent, ULONG iPrevious)
{
    const ULONG iPos = _ReserveElement();
    XMLELEMENT& element = m_aElements[iPos];
    element.iStart = static_cast<ULONG>(pstrName - m_pstrXML.get());
    element.iParent = iParent;
    if (iPrevious != 0) {
        m_aElements[iPrevious].iNext = iPos;
    } else if (iParent != 0) {
        m_aElements[iParent].iChild = iPos;
    }
    return iPos;
}

ULONG CMarkup::_ReserveElement()
{
    if (m_nElements >= m_aElements.size()) {
        size_t nReserved = m_aElements.size();
        nReserved += nReserved / 2 + 500;
        nReserved += nReserved / 2 + 500;
        m_aElements.resize(nReserved); // New records are zero-filled.
    }
    return m_nElements++;
}

void CMarkup::_SkipWhitespace(LPCTSTR& pstr) noexcept
{
    while (IsWhitespace(*pstr)) {
        pstr = NextChar(pstr);
    }
}

void CMarkup::_SkipWhitespace(LPTSTR& pstr) noexcept
{
    while (IsWhitespace(*pstr)) {
        pstr = NextChar(pstr);
    }
}

void CMarkup::_SkipIdentifier(LPCTSTR& pstr) noexcept
{
    while (*pstr != L'\0' && IsIdentifierChar(*pstr)) {
        pstr = NextChar(pstr);
    }
}

void CMarkup::_SkipIdentifier(LPTSTR& pstr) noexcept
{
    while (*pstr != L'\0' && IsIdentifierChar(*pstr)) {
        pstr = NextChar(pstr);
    }
}

bool CMarkup::_ParseAttributes(LPTSTR& pstrText)
{
    if (*pstrText == L'>' || *pstrText == L'/') {
        return true;
    }
    *pstrText++ = L'\0';
    _SkipWhitespace(pstrText);
    while (*pstrText != L'\0' && *pstrText != L'>' && *pstrText != L'/') {
        _SkipIdentifier(pstrText);
        LPTSTR pstrIdentifierEnd = pstrText;
        _SkipWhitespace(pstrText);
        if (*pstrText != L'=') {
            return _Failed(L"Error while parsing attributes", pstrText);
        }
        *pstrText++ = L' ';
        *pstrIdentifierEnd = L'\0';
        _SkipWhitespace(pstrText);
        if (*pstrText != L'"') {
            return _Failed(L"Expected attribute value", After(pstrText));
        }
        ++pstrText;
        LPTSTR pstrDest = pstrText;
        _ParseData(pstrText, pstrDest, '"');
        if (*pstrText == L'\0') {
            return _Failed(L"Error while parsing attribute string");
        }
        *pstrDest = L'\0';
        if (pstrText != pstrDest) {
            *pstrText = L' ';
        }
        ++pstrText;
        _SkipWhitespace(pstrText);
    }
    return true;
}

void CMarkup::_ParseData(LPTSTR& pstrText, LPTSTR& pstrDest, char cEnd) const noexcept
{
    const TCHAR chEnd = static_cast<TCHAR>(cEnd);
    while (*pstrText != L'\0' && *pstrText != chEnd) {
        if (*pstrText == L'&') {
            while (*pstrText == L'&') {
                _ParseMetaChar(++pstrText, pstrDest);
            }
            continue;
        }
        if (*pstrText == L' ') {
            *pstrDest++ = *pstrText++;
            if (!m_bPreserveWhitespace) {
                while (IsWhitespace(*pstrText)) {
                    ++pstrText;
                }
            }
        } else {
            *pstrDest++ = *pstrText++;
        }
    }
    // The attribute map walks from one value's terminator to the next name, so what
    // decoding left behind must read as whitespace.
    for (LPTSTR pstrFill = pstrDest + 1; pstrFill < pstrText; ++pstrFill) {
        *pstrFill = L' ';
    }
}

void CMarkup::_ParseMetaChar(LPTSTR& pstrText, LPTSTR& pstrDest) noexcept
{
    struct Entity {
        const wchar_t* name; // without "&", with ";"
        size_t length;
        TCHAR ch;
    };
    static constexpr Entity kEntities[] = {
        {L"amp;", 4, L'&'}, {L"lt;", 3, L'<'}, {L"gt;", 3, L'>'}, {L"quot;", 5, L'"'}, {L"apos;", 5, L'\''},
    };
    for (const Entity& entity : kEntities) {
        if (std::wcsncmp(pstrText, entity.name, entity.length) == 0) {
            *pstrDest++ = entity.ch;
            pstrText += entity.length;
            return;
        }
    }
    *pstrDest++ = L'&';
}

} // namespace DuiLib
