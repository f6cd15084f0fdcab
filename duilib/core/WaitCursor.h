#pragma once
// Shows the system wait cursor for one scope, then puts the previous cursor back.

#include "common/Win32.h"

namespace DuiLib {

class CWaitCursor final {
public:
    CWaitCursor() noexcept;
    ~CWaitCursor() noexcept;
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    // Borrowed: system cursors are shared and never destroyed.
    HCURSOR m_hOrigCursor;
};

} // namespace DuiLib
