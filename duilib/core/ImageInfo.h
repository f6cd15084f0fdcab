#pragma once
// A loaded skin image as the paint manager's image registry keeps it, and one frame
// of an animated image.

#include "common/Handles.h"
#include "common/Win32.h"
#include "duilib/core/DuiString.h"

namespace DuiLib {

typedef struct tagTImageInfo {
    UniqueBitmap hBitmap; // top-down 32-bit DIB with premultiplied pixels
    int nX = 0;           // width
    int nY = 0;           // height
    bool alphaChannel = false;
    CDuiString sResType; // resource type it was loaded from; empty for files
    DWORD dwMask = 0;
} TImageInfo;

// A frame is drawn like any image; it only adds how long it stays on screen. Held, not
// derived, so a frame can never be freed as a plain image record.
struct TGifFrameInfo {
    TImageInfo image; // alpha flag always set
    UINT nDelay = 0;  // milliseconds
};

} // namespace DuiLib
