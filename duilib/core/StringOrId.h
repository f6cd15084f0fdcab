#pragma once
// An argument that is either a UTF-16 name or a numeric resource id, in one
// pointer-sized value, as the resource functions of Win32 take it.

#include "common/Win32.h"

namespace DuiLib {

class STRINGorID final {
public:
    // Implicit on purpose: callers pass a name or an id where a STRINGorID is taken.
    STRINGorID(LPCTSTR lpString) noexcept : m_lpstr(lpString) {}
    STRINGorID(UINT nID) noexcept : m_lpstr(MAKEINTRESOURCE(nID)) {}

    // A value whose upper 16 bits are zero is an id.
    [[nodiscard]] bool IsId() const noexcept { return IS_INTRESOURCE(m_lpstr); }

    LPCTSTR m_lpstr;
};

} // namespace DuiLib
