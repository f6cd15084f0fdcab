#pragma once
// An option without a group, used as a check box: each click toggles it.

#include "duilib/control/OptionUI.h"

namespace DuiLib {

class CCheckBoxUI final : public COptionUI {
public:
    [[nodiscard]] LPCTSTR GetClass() const override;

    void SetCheck(bool bCheck) { Selected(bCheck); }
    [[nodiscard]] bool GetCheck() const { return IsSelected(); }
};

} // namespace DuiLib
