#include "CharacterReferences.h"

#include "common/CharSearch.h"

#include <cstdint>
#include <cwctype>

namespace engine {
namespace {

struct NamedReference {
    std::wstring_view name;
    char32_t codePoint;
};

// The names pages of our service actually use; the full table is thousands long.
constexpr NamedReference kNamedReferences[] = {
    {L"amp", U'&'},       {L"lt", U'<'},         {L"gt", U'>'},         {L"quot", U'"'},
    {L"apos", U'\''},     {L"nbsp", 0xA0},       {L"copy", 0xA9},       {L"reg", 0xAE},
    {L"trade", 0x2122},   {L"hellip", 0x2026},   {L"mdash", 0x2014},    {L"ndash", 0x2013},
    {L"lsquo", 0x2018},   {L"rsquo", 0x2019},    {L"ldquo", 0x201C},    {L"rdquo", 0x201D},
    {L"laquo", 0xAB},     {L"raquo", 0xBB},      {L"middot", 0xB7},     {L"bull", 0x2022},
    {L"times", 0xD7},     {L"divide", 0xF7},     {L"yen", 0xA5},        {L"euro", 0x20AC},
    {L"pound", 0xA3},     {L"cent", 0xA2},       {L"sect", 0xA7},       {L"deg", 0xB0},
    {L"plusmn", 0xB1},    {L"para", 0xB6},       {L"ensp", 0x2002},     {L"emsp", 0x2003},
    {L"thinsp", 0x2009},  {L"larr", 0x2190},     {L"rarr", 0x2192},     {L"uarr", 0x2191},
    {L"darr", 0x2193},
};

// Legacy pages write these without the closing semicolon; browsers accept them.
bool AllowedWithoutSemicolon(std::wstring_view name)
{
    return name == L"amp" || name == L"lt" || name == L"gt" || name == L"quot" || name == L"nbsp";
}

void AppendCodePoint(DomString& out, char32_t cp)
{
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        out.push_back(L'\xFFFD');
    } else if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

int DigitValue(wchar_t c, int base)
{
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (base == 16 && c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (base == 16 && c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

// Parses "#NN;" / "#xHH;" after the '&'. Returns the characters consumed, 0 if none.
size_t DecodeNumeric(std::wstring_view rest, DomString& out)
{
    size_t i = 1;
    int base = 10;
    if (i < rest.size() && (rest[i] == L'x' || rest[i] == L'X')) {
        base = 16;
        ++i;
    }
    const size_t digitsStart = i;
    std::uint32_t value = 0;
    bool overflow = false;
    for (; i < rest.size() && DigitValue(rest[i], base) >= 0; ++i) {
        value = value * base + DigitValue(rest[i], base);
        overflow = overflow || value > 0x10FFFF;
        if (overflow) {
            value = 0x110000;  // keeps the value out of range without wrapping
        }
    }
    if (i == digitsStart) {
        return 0;
    }
    if (i < rest.size() && rest[i] == L';') {
        ++i;
    }
    AppendCodePoint(out, value);
    return i;
}

size_t DecodeNamed(std::wstring_view rest, DomString& out)
{
    for (const auto& ref : kNamedReferences) {
        if (rest.substr(0, ref.name.size()) != ref.name) {
            continue;
        }
        const size_t end = ref.name.size();
        if (end < rest.size() && rest[end] == L';') {
            AppendCodePoint(out, ref.codePoint);
            return end + 1;
        }
        const bool followedByName = end < rest.size() && (iswalnum(rest[end]) != 0);
        if (AllowedWithoutSemicolon(ref.name) && !followedByName) {
            AppendCodePoint(out, ref.codePoint);
            return end;
        }
    }
    return 0;
}

} // namespace

void AppendDecodingReferences(std::wstring_view text, DomString& out)
{
    out.reserve(out.size() + text.size());  // references only ever shrink
    const wchar_t* const end = text.data() + text.size();
    size_t i = 0;
    while (i < text.size()) {
        const auto amp = static_cast<size_t>(FindChar(text.data() + i, end, L'&') - text.data());
        if (amp == text.size()) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, amp - i));
        const std::wstring_view rest = text.substr(amp + 1);
        size_t used = 0;
        if (!rest.empty() && rest[0] == L'#') {
            used = DecodeNumeric(rest, out);
        } else {
            used = DecodeNamed(rest, out);
        }
        if (used == 0) {
            out.push_back(L'&');
        }
        i = amp + 1 + used;
    }
}

} // namespace engine
