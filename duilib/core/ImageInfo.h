#pragma once
// A loaded skin image as the paint manager's image registry keeps it.

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

} // namespace DuiLib
