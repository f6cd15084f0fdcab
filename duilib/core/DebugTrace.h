#pragma once
// Debugging aids of the framework. Nothing in the client calls them.

#include "common/Win32.h"

namespace DuiLib {

// Does nothing in this build.
void __cdecl DUI__Trace(LPCTSTR pstrFormat, ...);
// The name of a common window message ("WM_PAINT"), else its number as "0x%04X" in a
// buffer that the next call overwrites.
[[nodiscard]] LPCTSTR DUI__TraceMsg(UINT uMsg);

} // namespace DuiLib
