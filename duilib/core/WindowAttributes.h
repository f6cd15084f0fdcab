#pragma once
// The attributes of a skin's "Window" root, applied to the window's paint manager.

#include "common/Win32.h"

namespace DuiLib {

class CMarkupNode;
class CPaintManagerUI;

class CWindowAttributes final {
public:
    CWindowAttributes() = delete;

    // Applies each known attribute of root in document order; others are ignored.
    static void Apply(CMarkupNode& root, CPaintManagerUI& manager);
};

} // namespace DuiLib
