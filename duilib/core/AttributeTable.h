#pragma once
// A table of attribute names, each with the setter that applies its value to a target:
// how controls and the window's manager take their skin attributes.

#include "common/Win32.h"

#include <cstddef>
#include <cwchar>

namespace DuiLib {

template <typename Target>
struct TAttributeEntry {
    LPCTSTR name;
    void (*set)(Target&, LPCTSTR);
};

// Applies the value through the entry of that name (compared case-sensitively). False
// when the table has no such entry; nothing is applied for null arguments.
template <typename Target, std::size_t N>
bool ApplyAttributeEntry(const TAttributeEntry<Target> (&table)[N], Target& target, LPCTSTR pstrName,
                         LPCTSTR pstrValue)
{
    if (pstrName == nullptr || pstrValue == nullptr) {
        return true;
    }
    for (const TAttributeEntry<Target>& entry : table) {
        if (std::wcscmp(entry.name, pstrName) == 0) {
            entry.set(target, pstrValue);
            return true;
        }
    }
    return false;
}

} // namespace DuiLib
