#pragma once
// The folder of the executable, where the local pages and the browser cache lie.

#include <string>

// The executable's folder with a trailing backslash. Start-up sets it once, before
// anything reads it.
extern std::wstring g_strAppDir;

// The module file name of the process cut after its last backslash.
[[nodiscard]] std::wstring GetAppDirectory();
