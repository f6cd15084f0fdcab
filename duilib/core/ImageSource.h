#pragma once
// Where the bytes of a skin image come from: a typed resource of the resource module,
// else the resource zip or folder; when that source fails, the name as a file path.

#include "common/Win32.h"
#include "duilib/core/StringOrId.h"

#include <cstddef>
#include <vector>

namespace DuiLib {

// Image files larger than this are refused before they are read.
constexpr size_t kMaxImageFileBytes = size_t{64} << 20;

// Reads the whole image `bitmap`. With `type`, bitmap names a module resource (by name
// or id) of that type. False when no source yields any bytes.
[[nodiscard]] bool ReadImageBytes(STRINGorID bitmap, LPCTSTR type, std::vector<BYTE>& bytes);

} // namespace DuiLib
