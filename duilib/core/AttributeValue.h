#pragma once
// The value forms of skin attributes: decimal numbers and lists of them, colours and
// flags. Skins are outside input, so every reader stops at the end of the text: a
// number that is not there reads as 0.

#include "common/Win32.h"

namespace DuiLib {

class CAttributeValue final {
public:
    CAttributeValue() = delete;

    // A decimal number at the start; 0 when there is none. Numbers are kept within
    // ±16,777,216 so that layout arithmetic over them cannot overflow.
    [[nodiscard]] static int ParseInt(LPCTSTR pstrValue) noexcept;
    // Numbers read one after another, each after one separator character (a comma in the
    // skins). Fills count values; missing ones are 0.
    static void ParseInts(LPCTSTR pstrValue, int* values, int count) noexcept;
    [[nodiscard]] static RECT ParseRect(LPCTSTR pstrValue) noexcept;
    [[nodiscard]] static SIZE ParseSize(LPCTSTR pstrValue) noexcept;
    // Skips leading blanks and control characters, then one "#", and reads hexadecimal
    // ARGB: "#FF0000" has alpha 0.
    [[nodiscard]] static DWORD ParseColor(LPCTSTR pstrValue) noexcept;
    // The same without skipping blanks.
    [[nodiscard]] static DWORD ParseHashColor(LPCTSTR pstrValue) noexcept;
    // True exactly for "true".
    [[nodiscard]] static bool ParseBool(LPCTSTR pstrValue) noexcept;
};

} // namespace DuiLib
