#pragma once
// Reads the arguments of formatted-text tags. Pure: no fonts or images are touched.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"

namespace DuiLib {

// The argument of an "f" tag: a font index, or a face with size and style words.
struct HtmlFontRequest {
    bool byIndex = false;
    int index = 0;
    CDuiString face;
    int size = 10;
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

// The argument of an "i" tag that names an image: "name [frames [index]]", or pairs
// of the image attribute string ("file='…' res='…' restype='…'", with "mask",
// "source" and "fade" honoured as well).
struct HtmlImageRequest {
    CDuiString name;
    CDuiString type; // resource type; empty loads from the skin's files
    DWORD mask = 0;
    int frames = 1;  // equal columns the image is divided into
    int frame = 0;   // the column drawn
    RECT source{};   // all zero: the column of the whole image
    BYTE fade = 255;
};

class HtmlTextTagArguments final {
public:
    HtmlTextTagArguments() = delete;

    // Optional "#", then hexadecimal digits; 0 without any.
    [[nodiscard]] static DWORD Color(LPCTSTR arg, int length);
    // A decimal integer with optional sign; fallback without digits.
    [[nodiscard]] static int Integer(LPCTSTR arg, int length, int fallback);
    [[nodiscard]] static HtmlFontRequest Font(LPCTSTR arg, int length);
    // False when the argument names no image.
    [[nodiscard]] static bool Image(LPCTSTR arg, int length, HtmlImageRequest& request);
    // The part of an image of the given size that is drawn; empty when none.
    [[nodiscard]] static RECT ImagePart(const HtmlImageRequest& request, SIZE image) noexcept;
};

} // namespace DuiLib
