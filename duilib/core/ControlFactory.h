#pragma once
// The framework's own element names and the control classes they create.

#include "common/Win32.h"

namespace DuiLib {

class CControlUI;

class CControlFactory final {
public:
    CControlFactory() = delete;

    // A new control for the element name (case-sensitive), owned by the caller; null
    // for a name the framework does not know.
    [[nodiscard]] static CControlUI* CreateControl(LPCTSTR pstrClass);
};

} // namespace DuiLib
