#pragma once
// Reads the arguments of formatted-text tags. Pure: no fonts or images are touched.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"

namespace DuiLib {

// The argument of an "f" tag: a font index, or a face with size and style words.
struct HtmlFontSpec {
    bool byIndex = false;
    int index = 0;
    CDuiString face;
    int size = 10;
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

// The argument of an "i" tag that names an image. With the attribute-string form
// ("file='…' res='…' restype='…'") only the name and type are taken from it.
struct HtmlImageSpec {
    CDuiString name;
    CDuiString type;
    int frames = 1;
    int frame = 0;
};

class HtmlTextTagArguments final {
public:
    HtmlTextTagArguments() = delete;

    // Optional "#", then hexadecimal digits; 0 without any.
    [[nodiscard]] static DWORD Color(LPCTSTR arg, int length);
    // A decimal integer with optional sign; fallback without digits.
    [[nodiscard]] static int Integer(LPCTSTR arg, int length, int fallback);
    [[nodiscard]] static HtmlFontSpec Font(LPCTSTR arg, int length);
    // False when the argument names no image.
    [[nodiscard]] static bool Image(LPCTSTR arg, int length, HtmlImageSpec& spec);
};

} // namespace DuiLib
