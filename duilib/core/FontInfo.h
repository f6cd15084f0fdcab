#pragma once
// A font registered with a paint manager.

#include "common/Handles.h"
#include "common/Win32.h"

namespace DuiLib {

typedef struct tagTFontInfo {
    UniqueFont hFont;
    TCHAR sFontName[LF_FACESIZE] = {}; // 31 characters and the terminator
    int iSize = 0;                     // character height in pixels
    bool bBold = false;
    bool bUnderline = false;
    bool bItalic = false;
    TEXTMETRICW tm = {}; // all zero until the font was first measured
} TFontInfo;

} // namespace DuiLib
