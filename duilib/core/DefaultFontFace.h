#pragma once
// The face of the framework's default font depends on the Windows release.

#include "common/Win32.h"

namespace DuiLib {

// "宋体" below major version 6, "微软雅黑" from 6 (Vista) on.
[[nodiscard]] LPCTSTR DefaultFontFaceFor(DWORD majorVersion) noexcept;

// The running system's major version as GetVersionExW reports it.
[[nodiscard]] DWORD QueryOsMajorVersion() noexcept;

} // namespace DuiLib
