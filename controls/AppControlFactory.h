#pragma once
// The application's controls by their skin element names, for the builder callback of a
// window (IDialogBuilderCallback::CreateControl).

#include "common/Win32.h"

namespace DuiLib {
class CControlUI;
} // namespace DuiLib

class CAppControlFactory final {
public:
    CAppControlFactory() = delete;

    // A new control for "ScrollTabUI", "ScrollOptionUI" or "ScrollTextButton" (exact,
    // case-sensitive names); null for any other name. The caller owns the control.
    [[nodiscard]] static DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass);
};
