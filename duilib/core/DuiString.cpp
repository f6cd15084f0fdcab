#include "duilib/core/DuiString.h"

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <memory>
#include <new>
#include <utility>

namespace DuiLib {

namespace {

// wvsprintfW never writes more than this many characters.
constexpr int kFormatLimit = 1024;
constexpr int kMaxHeapLength = static_cast<int>(
    (SIZE_MAX / sizeof(TCHAR) - 1 < static_cast<size_t>(INT32_MAX)) ? SIZE_MAX / sizeof(TCHAR) - 1 : INT32_MAX);

[[nodiscard]] size_t BlockBytes(int nLength) noexcept
{
    // 2 x length + 2 bytes for UTF-16: the characters and their NUL.
    return (static_cast<size_t>(nLength) + 1) * sizeof(TCHAR);
}

// First occurrence of a non-empty pattern of nPattern characters, or null. Scans for the
// first character inline: the run-time library's wcsstr is several times slower here.
[[nodiscard]] const TCHAR* SearchText(const TCHAR* text, const TCHAR* pattern, size_t nPattern) noexcept
{
    const TCHAR first = pattern[0];
    for (; *text != L'\0'; ++text) {
        if (*text == first && std::wcsncmp(text, pattern, nPattern) == 0) {
            return text;
        }
    }
    return nullptr;
}

[[nodiscard]] CDuiString FromAnsi(LPCSTR pstr)
{
    const UINT codePage = ::GetACP();
    const int nChars = ::MultiByteToWideChar(codePage, 0, pstr, -1, nullptr, 0);
    if (nChars <= 1) {
        return CDuiString();
    }
    const std::unique_ptr<TCHAR[]> buffer(new (std::nothrow) TCHAR[nChars]);
    if (!buffer || ::MultiByteToWideChar(codePage, 0, pstr, -1, buffer.get(), nChars) != nChars) {
        return CDuiString();
    }
    return CDuiString(buffer.get(), nChars - 1);
}

} // namespace

CDuiString::CDuiString() noexcept : m_pstr(m_szBuffer) { m_szBuffer[0] = L'\0'; }

CDuiString::CDuiString(TCHAR ch) noexcept : m_pstr(m_szBuffer)
{
    m_szBuffer[0] = ch;
    m_szBuffer[1] = L'\0';
}

CDuiString::CDuiString(LPCTSTR lpsz, int nLen) : CDuiString() { Assign(lpsz, nLen); }

CDuiString::CDuiString(const CDuiString& src) : CDuiString() { Assign(src.m_pstr); }

CDuiString::CDuiString(CDuiString&& src) noexcept : CDuiString() { *this = std::move(src); }

CDuiString::~CDuiString() noexcept
{
    if (!IsLocal()) {
        std::free(m_pstr);
    }
}

CDuiString& CDuiString::operator=(const CDuiString& src)
{
    if (this != &src) {
        Assign(src.m_pstr);
    }
    return *this;
}

CDuiString& CDuiString::operator=(CDuiString&& src) noexcept
{
    if (this == &src) {
        return *this;
    }
    Empty();
    if (src.IsLocal()) {
        std::wmemcpy(m_szBuffer, src.m_szBuffer, std::wcslen(src.m_szBuffer) + 1);
    } else {
        m_pstr = std::exchange(src.m_pstr, src.m_szBuffer);
        src.m_szBuffer[0] = L'\0';
    }
    return *this;
}

CDuiString& CDuiString::operator=(LPCTSTR pstr)
{
    Assign(pstr);
    return *this;
}

CDuiString& CDuiString::operator=(LPCSTR pstr)
{
    if (pstr == nullptr) {
        Empty();
    } else {
        *this = FromAnsi(pstr);
    }
    return *this;
}

CDuiString& CDuiString::operator=(TCHAR ch)
{
    Empty();
    m_szBuffer[0] = ch;
    m_szBuffer[1] = L'\0';
    return *this;
}

int CDuiString::GetLength() const noexcept { return static_cast<int>(std::wcslen(m_pstr)); }

void CDuiString::Empty() noexcept
{
    if (!IsLocal()) {
        std::free(m_pstr);
        m_pstr = m_szBuffer;
    }
    m_szBuffer[0] = L'\0';
}

bool CDuiString::Overlaps(LPCTSTR pstr) const noexcept
{
    // std::less gives a total order even for pointers into unrelated blocks. The string
    // is only measured when the pointer could lie in its heap block.
    const std::less<LPCTSTR> before;
    if (IsLocal()) {
        return !before(pstr, m_szBuffer) && before(pstr, m_szBuffer + MAX_LOCAL_STRING_LEN + 1);
    }
    return !before(pstr, m_pstr) && before(pstr, m_pstr + GetLength() + 1);
}

// Whether iPos lies in 0 .. GetLength(), without measuring a long string to its end.
bool CDuiString::HasIndex(int iPos) const noexcept
{
    return iPos >= 0 && ::wcsnlen(m_pstr, static_cast<size_t>(iPos)) == static_cast<size_t>(iPos);
}

void CDuiString::UseLocalBuffer(int nKeep) noexcept
{
    if (!IsLocal()) {
        std::wmemcpy(m_szBuffer, m_pstr, nKeep);
        std::free(m_pstr);
        m_pstr = m_szBuffer;
    }
}

// Makes room for nLength characters and a NUL, keeping the first nKeep characters.
// A heap block is only reallocated when the current string (nCurrent characters, measured
// here when negative) is shorter than nLength. On failure the string is left as it was.
bool CDuiString::MakeRoom(int nLength, int nKeep, int nCurrent)
{
    if (nLength < MAX_LOCAL_STRING_LEN) {
        UseLocalBuffer(nKeep);
        return true;
    }
    if (nLength > kMaxHeapLength) {
        return false;
    }
    if (IsLocal()) {
        auto* const block = static_cast<LPTSTR>(std::malloc(BlockBytes(nLength)));
        if (block == nullptr) {
            return false;
        }
        std::wmemcpy(block, m_szBuffer, nKeep);
        m_pstr = block;
        return true;
    }
    if ((nCurrent < 0 ? GetLength() : nCurrent) >= nLength) {
        return true;
    }
    auto* const block = static_cast<LPTSTR>(std::realloc(m_pstr, BlockBytes(nLength)));
    if (block == nullptr) {
        return false;
    }
    m_pstr = block;
    return true;
}

void CDuiString::Assign(LPCTSTR pstr, int nLength)
{
    if (pstr == nullptr) {
        pstr = L"";
    }
    // The text never extends past its NUL, whatever length the caller claims.
    nLength = static_cast<int>(nLength < 0 ? std::wcslen(pstr) : ::wcsnlen(pstr, static_cast<size_t>(nLength)));
    if (Overlaps(pstr)) {
        // Part of this very string: growing or freeing the block would pull the text away.
        const CDuiString copy(pstr, nLength);
        Assign(copy.m_pstr, nLength);
        return;
    }
    if (!MakeRoom(nLength, 0)) {
        return;
    }
    std::wmemcpy(m_pstr, pstr, nLength);
    m_pstr[nLength] = L'\0';
}

void CDuiString::Append(LPCTSTR pstr)
{
    if (pstr == nullptr) {
        return;
    }
    if (Overlaps(pstr)) {
        const CDuiString copy(pstr);
        Append(copy.m_pstr);
        return;
    }
    const int nCurrent = GetLength();
    const size_t nAdd = std::wcslen(pstr);
    if (nAdd > static_cast<size_t>(kMaxHeapLength - nCurrent)) {
        return;
    }
    const int nNewLength = nCurrent + static_cast<int>(nAdd);
    if (!MakeRoom(nNewLength, nCurrent, nCurrent)) {
        return;
    }
    std::wmemcpy(m_pstr + nCurrent, pstr, nAdd);
    m_pstr[nNewLength] = L'\0';
}

CDuiString& CDuiString::operator+=(const CDuiString& src)
{
    Append(src.m_pstr);
    return *this;
}

CDuiString& CDuiString::operator+=(LPCTSTR pstr)
{
    Append(pstr);
    return *this;
}

CDuiString& CDuiString::operator+=(LPCSTR pstr)
{
    if (pstr != nullptr) {
        Append(FromAnsi(pstr).m_pstr);
    }
    return *this;
}

CDuiString& CDuiString::operator+=(TCHAR ch)
{
    const TCHAR text[2] = {ch, L'\0'};
    Append(text);
    return *this;
}

CDuiString CDuiString::operator+(const CDuiString& src) const { return *this + src.m_pstr; }

CDuiString CDuiString::operator+(LPCTSTR pstr) const
{
    CDuiString result(*this);
    result.Append(pstr);
    return result;
}

CDuiString CDuiString::operator+(TCHAR ch) const
{
    CDuiString result(*this);
    result += ch;
    return result;
}

CDuiString operator+(LPCTSTR lhs, const CDuiString& rhs)
{
    CDuiString result(lhs);
    result += rhs;
    return result;
}

int CDuiString::Compare(LPCTSTR pstr) const noexcept { return std::wcscmp(m_pstr, pstr != nullptr ? pstr : L""); }

int CDuiString::CompareNoCase(LPCTSTR pstr) const noexcept { return ::_wcsicmp(m_pstr, pstr != nullptr ? pstr : L""); }

void CDuiString::MakeUpper() noexcept { (void)::_wcsupr(m_pstr); } // returns its argument

void CDuiString::MakeLower() noexcept { (void)::_wcslwr(m_pstr); } // returns its argument

CDuiString CDuiString::Left(int nLength) const
{
    const int nCurrent = GetLength();
    if (nLength < 0) {
        nLength = 0;
    }
    return CDuiString(m_pstr, nLength > nCurrent ? nCurrent : nLength);
}

CDuiString CDuiString::Mid(int iPos, int nLength) const
{
    const int nCurrent = GetLength();
    if (iPos < 0) {
        iPos = 0;
    }
    if (iPos >= nCurrent) {
        return CDuiString();
    }
    if (nLength < 0 || nLength > nCurrent - iPos) {
        nLength = nCurrent - iPos;
    }
    return nLength > 0 ? CDuiString(m_pstr + iPos, nLength) : CDuiString();
}

CDuiString CDuiString::Right(int nLength) const
{
    const int nCurrent = GetLength();
    if (nLength <= 0) {
        return CDuiString();
    }
    if (nLength > nCurrent) {
        nLength = nCurrent;
    }
    return CDuiString(m_pstr + nCurrent - nLength, nLength);
}

int CDuiString::Find(TCHAR ch, int iPos) const noexcept
{
    if (iPos != 0 && (!HasIndex(iPos) || m_pstr[iPos] == L'\0')) {
        return -1;
    }
    // The terminator is not part of the string, so searching for NUL finds nothing.
    const TCHAR* const p = (ch == L'\0') ? nullptr : std::wcschr(m_pstr + iPos, ch);
    return p == nullptr ? -1 : static_cast<int>(p - m_pstr);
}

int CDuiString::Find(LPCTSTR pstr, int iPos) const noexcept
{
    if (pstr == nullptr || !HasIndex(iPos)) {
        return -1;
    }
    // An empty pattern is found where the search starts (Wine's wcsstr would find nothing
    // in an empty text, Windows' would find it: answered here so both agree).
    if (*pstr == L'\0') {
        return iPos;
    }
    const TCHAR* const p = SearchText(m_pstr + iPos, pstr, std::wcslen(pstr));
    return p == nullptr ? -1 : static_cast<int>(p - m_pstr);
}

int CDuiString::ReverseFind(TCHAR ch) const noexcept
{
    const TCHAR* const p = (ch == L'\0') ? nullptr : std::wcsrchr(m_pstr, ch);
    return p == nullptr ? -1 : static_cast<int>(p - m_pstr);
}

// The result equals replacing one match at a time and resuming the search after the
// inserted text: the rest of the string after each insertion is the untouched original.
// Built in one pass so that many matches cost linear time.
int CDuiString::Replace(LPCTSTR pstrFrom, LPCTSTR pstrTo)
{
    // An empty pattern would match forever at the end of the string.
    if (pstrFrom == nullptr || *pstrFrom == L'\0') {
        return 0;
    }
    const CDuiString from(pstrFrom);
    const CDuiString to(pstrTo);
    const int nFrom = from.GetLength();
    const int nTo = to.GetLength();
    int nCount = 0;
    for (const TCHAR* p = m_pstr; (p = SearchText(p, from.m_pstr, nFrom)) != nullptr; p += nFrom) {
        ++nCount;
    }
    if (nCount == 0) {
        return 0;
    }
    const long long nNew = static_cast<long long>(GetLength()) + static_cast<long long>(nCount) * (nTo - nFrom);
    CDuiString result;
    if (nNew > kMaxHeapLength || !result.MakeRoom(static_cast<int>(nNew), 0)) {
        return 0;
    }
    TCHAR* out = result.m_pstr;
    const TCHAR* in = m_pstr;
    for (const TCHAR* p = SearchText(in, from.m_pstr, nFrom); p != nullptr; p = SearchText(in, from.m_pstr, nFrom)) {
        out = std::wmemcpy(out, in, static_cast<size_t>(p - in)) + (p - in);
        out = std::wmemcpy(out, to.m_pstr, nTo) + nTo;
        in = p + nFrom;
    }
    const size_t nTail = std::wcslen(in);
    std::wmemcpy(out, in, nTail + 1);
    *this = std::move(result);
    return nCount;
}

int CDuiString::FormatLimited(int nMaxLength, LPCTSTR pstrFormat, va_list args)
{
    if (pstrFormat == nullptr) {
        Empty();
        return 0;
    }
    // Formatted into a separate buffer so arguments may point into this string. Two spare
    // characters: whatever the formatter does at its limit, the text ends in a NUL here.
    TCHAR buffer[kFormatLimit + 2];
    buffer[0] = L'\0';
    const int nResult = ::wvsprintfW(buffer, pstrFormat, args);
    buffer[kFormatLimit] = L'\0';
    Assign(buffer, nMaxLength);
    return nResult;
}

int __cdecl CDuiString::Format(LPCTSTR pstrFormat, ...)
{
    va_list args;
    va_start(args, pstrFormat);
    const int nResult = FormatLimited(kFormatLimit, pstrFormat, args);
    va_end(args);
    return nResult;
}

int __cdecl CDuiString::SmallFormat(LPCTSTR pstrFormat, ...)
{
    va_list args;
    va_start(args, pstrFormat);
    const int nResult = FormatLimited(MAX_LOCAL_STRING_LEN, pstrFormat, args);
    va_end(args);
    return nResult;
}

} // namespace DuiLib
