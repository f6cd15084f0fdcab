#pragma once
// A container that stacks its visible children from left to right: fixed sizes first, the rest
// shared by the children that leave their size open.

#include "duilib/layout/LinearLayoutUI.h"

namespace DuiLib {

class CHorizontalLayoutUI : public CLinearLayoutUI {
public:
    CHorizontalLayoutUI();

    [[nodiscard]] LPCTSTR GetClass() const override;
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;

    // The separator strip's length: < 0 at the left edge, > 0 at the right, 0 for none.
    void SetSepWidth(int iSize);
    [[nodiscard]] int GetSepWidth() const;
};

} // namespace DuiLib
