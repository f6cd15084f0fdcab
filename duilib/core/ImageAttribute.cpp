#include "duilib/core/ImageAttribute.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

namespace DuiLib {

namespace {

// Far beyond any screen, and small enough that sums of coordinates cannot overflow.
constexpr long kCoordinateLimit = 1L << 20;

void SkipBlanks(LPCTSTR& p) noexcept
{
    while (*p > 0 && *p <= L' ') {
        ++p;
    }
}

// key = 'value'; false when the "=" or a quote is missing.
bool ReadPair(LPCTSTR& p, CDuiString& key, CDuiString& value)
{
    SkipBlanks(p);
    const LPCTSTR keyStart = p;
    while (*p != L'\0' && *p != L'=' && *p > L' ') {
        ++p;
    }
    key.Assign(keyStart, static_cast<int>(p - keyStart));
    SkipBlanks(p);
    if (*p != L'=') {
        return false;
    }
    ++p;
    SkipBlanks(p);
    if (*p != L'\'') {
        return false;
    }
    const LPCTSTR valueStart = ++p;
    while (*p != L'\0' && *p != L'\'') {
        ++p;
    }
    if (*p != L'\'') {
        return false;
    }
    value.Assign(valueStart, static_cast<int>(p - valueStart));
    ++p;
    return true;
}

// Up to four integers with one separator character between them; missing ones are 0.
RECT ParseRect(LPCTSTR p) noexcept
{
    long values[4] = {};
    for (long& value : values) {
        if (*p == L'\0') {
            break;
        }
        wchar_t* end = nullptr;
        value = std::clamp(std::wcstol(p, &end, 10), -kCoordinateLimit, kCoordinateLimit);
        p = end;
        if (*p != L'\0') {
            ++p;
        }
    }
    return {values[0], values[1], values[2], values[3]};
}

DWORD ParseMask(LPCTSTR p) noexcept
{
    if (*p == L'#') {
        ++p;
    }
    return static_cast<DWORD>(std::wcstoul(p, nullptr, 16));
}

BYTE ParseFade(LPCTSTR p) noexcept { return static_cast<BYTE>(std::min(std::wcstoul(p, nullptr, 10), 255UL)); }

// Keys that describe the current image rather than start another one.
void SetParameter(const CDuiString& key, const CDuiString& value, ImageDrawParams& params)
{
    if (key == L"dest") {
        params.hasDest = true;
        params.dest = ParseRect(value);
    } else if (key == L"source") {
        params.source = ParseRect(value);
    } else if (key == L"corner") {
        params.corners = ParseRect(value);
    } else if (key == L"mask") {
        params.mask = ParseMask(value);
    } else if (key == L"fade") {
        params.fade = ParseFade(value);
    } else if (key == L"hole") {
        params.hole = value == L"true";
    } else if (key == L"xtiled") {
        params.xtiled = value == L"true";
    } else if (key == L"ytiled") {
        params.ytiled = value == L"true";
    }
}

// "file", "res" and "restype" begin another image once one was named in this text:
// the one described so far is drawn first.
void ApplyPair(const CDuiString& key, const CDuiString& value, ImageDrawParams& params, int& imageCount,
               const CImageAttribute::DrawFn& draw)
{
    const bool isFile = key == L"file";
    const bool isType = key == L"restype";
    const bool beginsImage = isFile || isType || key == L"res";
    if (beginsImage && imageCount > 0 && draw) {
        draw(params);
    }
    if (isType) {
        params.type = value;
    } else if (beginsImage) {
        params.name = value;
    } else {
        SetParameter(key, value, params);
    }
    if (isFile || isType) {
        ++imageCount;
    }
}

} // namespace

void CImageAttribute::Apply(LPCTSTR text, ImageDrawParams& params, const DrawFn& draw)
{
    if (text == nullptr) {
        return;
    }
    int imageCount = 0;
    CDuiString key;
    CDuiString value;
    LPCTSTR p = text;
    while (*p != L'\0') {
        if (!ReadPair(p, key, value)) {
            return;
        }
        if (!value.IsEmpty()) {
            ApplyPair(key, value, params, imageCount, draw);
        }
        // Only a space after the closing quote lets the scan go on.
        if (*p != L' ') {
            return;
        }
        ++p;
    }
}

RECT CImageAttribute::Destination(const ImageDrawParams& params, const RECT& item) noexcept
{
    if (!params.hasDest) {
        return item;
    }
    const RECT& d = params.dest;
    return {item.left + d.left, item.top + d.top, std::min(item.left + d.right, item.right),
            std::min(item.top + d.bottom, item.bottom)};
}

} // namespace DuiLib
