#include "duilib/core/AttributeValue.h"

#include <algorithm>
#include <cwchar>

namespace DuiLib {

namespace {

// Far beyond any screen, and small enough that sums of a few thousand never overflow.
constexpr long kMaxMagnitude = 1L << 24;

} // namespace

int CAttributeValue::ParseInt(LPCTSTR pstrValue) noexcept
{
    int value = 0;
    ParseInts(pstrValue, &value, 1);
    return value;
}

void CAttributeValue::ParseInts(LPCTSTR pstrValue, int* values, int count) noexcept
{
    LPCTSTR p = pstrValue != nullptr ? pstrValue : L"";
    for (int i = 0; i < count; ++i) {
        LPTSTR end = nullptr;
        const long number = std::wcstol(p, &end, 10);
        values[i] = static_cast<int>(std::clamp(number, -kMaxMagnitude, kMaxMagnitude));
        p = end;
        if (*p != L'\0') {
            ++p; // the separator
        }
    }
}

RECT CAttributeValue::ParseRect(LPCTSTR pstrValue) noexcept
{
    int v[4] = {};
    ParseInts(pstrValue, v, 4);
    return RECT{v[0], v[1], v[2], v[3]};
}

SIZE CAttributeValue::ParseSize(LPCTSTR pstrValue) noexcept
{
    int v[2] = {};
    ParseInts(pstrValue, v, 2);
    return SIZE{v[0], v[1]};
}

DWORD CAttributeValue::ParseColor(LPCTSTR pstrValue) noexcept
{
    LPCTSTR p = pstrValue != nullptr ? pstrValue : L"";
    while (*p != L'\0' && *p <= L' ') {
        ++p;
    }
    return ParseHashColor(p);
}

DWORD CAttributeValue::ParseHashColor(LPCTSTR pstrValue) noexcept
{
    LPCTSTR p = pstrValue != nullptr ? pstrValue : L"";
    if (*p == L'#') {
        ++p;
    }
    LPTSTR end = nullptr;
    return static_cast<DWORD>(std::wcstoul(p, &end, 16));
}

bool CAttributeValue::ParseBool(LPCTSTR pstrValue) noexcept
{
    return pstrValue != nullptr && std::wcscmp(pstrValue, L"true") == 0;
}

} // namespace DuiLib
