#include "duilib/core/WaitCursor.h"

namespace DuiLib {

CWaitCursor::CWaitCursor() noexcept : m_hOrigCursor(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}

// SetCursor(nullptr) hides the cursor, which is right when none was shown before.
CWaitCursor::~CWaitCursor() noexcept { (void)::SetCursor(m_hOrigCursor); } // returns the wait cursor, not ours

} // namespace DuiLib
