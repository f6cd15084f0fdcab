#pragma once
// Reading whole skin files from where CPaintManagerUI says the skin lives: a member of
// the resource zip when one is set, else a file in the resource folder.

#include "common/Win32.h"

#include <cstddef>
#include <vector>

namespace DuiLib {

enum class ResourceReadStatus {
    Ok,
    ZipOpenFailed,
    ZipMemberMissing,
    Empty,
    TooLarge,
    UnzipFailed,
    FileOpenFailed,
    FileReadFailed,
};

// Reads `name` (relative to the resource folder or a member path in the resource zip).
// Files larger than maxBytes are refused before they are read.
[[nodiscard]] ResourceReadStatus ReadSkinResource(LPCTSTR name, size_t maxBytes, std::vector<BYTE>& bytes);

// Reads a whole file given by its full path.
[[nodiscard]] ResourceReadStatus ReadWholeFile(LPCTSTR path, size_t maxBytes, std::vector<BYTE>& bytes);

// The framework's failure message for a status ("" for Ok).
[[nodiscard]] LPCTSTR ResourceReadMessage(ResourceReadStatus status) noexcept;

} // namespace DuiLib
