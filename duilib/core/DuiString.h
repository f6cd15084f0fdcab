#pragma once
// The framework's string of UTF-16 code units. Short strings (the vast majority of
// control names and attribute values) live in an inline buffer and never touch the heap.

#include "common/Win32.h"

#include <cstdarg>

namespace DuiLib {

class CDuiString final {
public:
    // Strings shorter than this many characters use the inline buffer.
    static constexpr int MAX_LOCAL_STRING_LEN = 63;

    CDuiString() noexcept;
    explicit CDuiString(TCHAR ch) noexcept;
    // Implicit on purpose: the framework passes literals wherever a CDuiString is expected.
    // nLen < 0 takes the text up to its NUL; a longer nLen stops at the NUL as well.
    CDuiString(LPCTSTR lpsz, int nLen = -1); // NOLINT(google-explicit-constructor)
    CDuiString(const CDuiString& src);
    CDuiString(CDuiString&& src) noexcept;
    ~CDuiString() noexcept;

    CDuiString& operator=(const CDuiString& src);
    CDuiString& operator=(CDuiString&& src) noexcept;
    CDuiString& operator=(LPCTSTR pstr); // null empties the string
    CDuiString& operator=(LPCSTR pstr);  // converted from the ANSI code page; null empties
    CDuiString& operator=(TCHAR ch);

    // Both accept text that points into this string itself.
    void Assign(LPCTSTR pstr, int nLength = -1);
    void Append(LPCTSTR pstr);

    CDuiString& operator+=(const CDuiString& src);
    CDuiString& operator+=(LPCTSTR pstr); // null: no change
    CDuiString& operator+=(LPCSTR pstr);  // converted from the ANSI code page; null: no change
    CDuiString& operator+=(TCHAR ch);
    [[nodiscard]] CDuiString operator+(const CDuiString& src) const;
    [[nodiscard]] CDuiString operator+(LPCTSTR pstr) const; // null: a copy
    [[nodiscard]] CDuiString operator+(TCHAR ch) const;

    [[nodiscard]] int GetLength() const noexcept;
    [[nodiscard]] bool IsEmpty() const noexcept { return m_pstr[0] == L'\0'; }
    void Empty() noexcept;
    [[nodiscard]] LPCTSTR GetData() const noexcept { return m_pstr; }
    operator LPCTSTR() const noexcept { return m_pstr; } // NOLINT(google-explicit-constructor)

    // No bounds checks: nIndex must lie in 0 .. GetLength() - 1.
    [[nodiscard]] TCHAR GetAt(int nIndex) const noexcept { return m_pstr[nIndex]; }
    [[nodiscard]] TCHAR operator[](int nIndex) const noexcept { return m_pstr[nIndex]; }
    void SetAt(int nIndex, TCHAR ch) noexcept { m_pstr[nIndex] = ch; }

    // Null compares as the empty string.
    [[nodiscard]] int Compare(LPCTSTR pstr) const noexcept;
    [[nodiscard]] int CompareNoCase(LPCTSTR pstr) const noexcept;

    void MakeUpper() noexcept;
    void MakeLower() noexcept;

    [[nodiscard]] CDuiString Left(int nLength) const;
    [[nodiscard]] CDuiString Mid(int iPos, int nLength = -1) const;
    [[nodiscard]] CDuiString Right(int nLength) const;

    // Index of the first (last) occurrence, or -1.
    [[nodiscard]] int Find(TCHAR ch, int iPos = 0) const noexcept;
    [[nodiscard]] int Find(LPCTSTR pstr, int iPos = 0) const noexcept;
    [[nodiscard]] int ReverseFind(TCHAR ch) const noexcept;
    // Returns the number of replacements; text inserted by pstrTo is never searched again.
    int Replace(LPCTSTR pstrFrom, LPCTSTR pstrTo);

    // wvsprintfW formatting. Format keeps at most 1024 characters, SmallFormat at most 63;
    // longer results are cut. Both return the formatter's result.
    int __cdecl Format(LPCTSTR pstrFormat, ...);
    int __cdecl SmallFormat(LPCTSTR pstrFormat, ...);

private:
    [[nodiscard]] bool IsLocal() const noexcept { return m_pstr == m_szBuffer; }
    [[nodiscard]] bool Overlaps(LPCTSTR pstr) const noexcept;
    [[nodiscard]] bool HasIndex(int iPos) const noexcept;
    [[nodiscard]] bool MakeRoom(int nLength, int nKeep, int nCurrent = -1);
    void UseLocalBuffer(int nKeep) noexcept;
    int FormatLimited(int nMaxLength, LPCTSTR pstrFormat, va_list args);

    LPTSTR m_pstr;
    TCHAR m_szBuffer[MAX_LOCAL_STRING_LEN + 1];
};

[[nodiscard]] CDuiString operator+(LPCTSTR lhs, const CDuiString& rhs);

// Ordinal comparisons. Overloads for both argument orders keep a literal on the left from
// decaying into a pointer comparison.
[[nodiscard]] inline bool operator==(const CDuiString& a, const CDuiString& b) noexcept { return a.Compare(b) == 0; }
[[nodiscard]] inline bool operator==(const CDuiString& a, LPCTSTR b) noexcept { return a.Compare(b) == 0; }
[[nodiscard]] inline bool operator==(LPCTSTR a, const CDuiString& b) noexcept { return b.Compare(a) == 0; }
[[nodiscard]] inline bool operator!=(const CDuiString& a, const CDuiString& b) noexcept { return a.Compare(b) != 0; }
[[nodiscard]] inline bool operator!=(const CDuiString& a, LPCTSTR b) noexcept { return a.Compare(b) != 0; }
[[nodiscard]] inline bool operator!=(LPCTSTR a, const CDuiString& b) noexcept { return b.Compare(a) != 0; }
[[nodiscard]] inline bool operator<(const CDuiString& a, const CDuiString& b) noexcept { return a.Compare(b) < 0; }
[[nodiscard]] inline bool operator<(const CDuiString& a, LPCTSTR b) noexcept { return a.Compare(b) < 0; }
[[nodiscard]] inline bool operator<(LPCTSTR a, const CDuiString& b) noexcept { return b.Compare(a) > 0; }
[[nodiscard]] inline bool operator<=(const CDuiString& a, const CDuiString& b) noexcept { return a.Compare(b) <= 0; }
[[nodiscard]] inline bool operator<=(const CDuiString& a, LPCTSTR b) noexcept { return a.Compare(b) <= 0; }
[[nodiscard]] inline bool operator<=(LPCTSTR a, const CDuiString& b) noexcept { return b.Compare(a) >= 0; }
[[nodiscard]] inline bool operator>(const CDuiString& a, const CDuiString& b) noexcept { return a.Compare(b) > 0; }
[[nodiscard]] inline bool operator>(const CDuiString& a, LPCTSTR b) noexcept { return a.Compare(b) > 0; }
[[nodiscard]] inline bool operator>(LPCTSTR a, const CDuiString& b) noexcept { return b.Compare(a) < 0; }
[[nodiscard]] inline bool operator>=(const CDuiString& a, const CDuiString& b) noexcept { return a.Compare(b) >= 0; }
[[nodiscard]] inline bool operator>=(const CDuiString& a, LPCTSTR b) noexcept { return a.Compare(b) >= 0; }
[[nodiscard]] inline bool operator>=(LPCTSTR a, const CDuiString& b) noexcept { return b.Compare(a) <= 0; }

} // namespace DuiLib
