#pragma once
// The image attribute string that every skin image attribute uses: a bare image name,
// or pairs like  file='bg.png' dest='0,0,20,20' corner='4,4,4,4'. Pure parsing: the
// caller draws.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"

#include <functional>

namespace DuiLib {

struct ImageDrawParams {
    CDuiString name;
    CDuiString type; // resource type; empty loads from the skin's files
    bool hasDest = false;
    RECT dest{};    // relative to the control: left + l, top + t, left + r, top + b
    RECT source{};  // image pixels; all zero means the whole image
    RECT corners{}; // nine-grid border widths
    DWORD mask = 0;
    BYTE fade = 255;
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;
};

class CImageAttribute final {
public:
    using DrawFn = std::function<void(const ImageDrawParams&)>;

    CImageAttribute() = delete;

    // Applies the pairs of text to params. A second image named in the same text
    // ("file", "res" or "restype" after a "file" or "restype") first hands the image
    // described so far to draw. A malformed pair ends the scan; what came before stays.
    static void Apply(LPCTSTR text, ImageDrawParams& params, const DrawFn& draw);

    // Where the image goes in the target: the whole item, or dest offset by the item's
    // top-left with right and bottom kept inside the item.
    [[nodiscard]] static RECT Destination(const ImageDrawParams& params, const RECT& item) noexcept;
};

} // namespace DuiLib
