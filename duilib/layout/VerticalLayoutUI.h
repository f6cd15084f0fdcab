#pragma once
// A container that stacks its visible children from top to bottom: fixed sizes first, the rest
// shared by the children that leave their size open.

#include "duilib/layout/LinearLayoutUI.h"

namespace DuiLib {

class CVerticalLayoutUI : public CLinearLayoutUI {
public:
    CVerticalLayoutUI();

    [[nodiscard]] LPCTSTR GetClass() const override;
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;

    // The separator strip's length: < 0 at the top edge, > 0 at the bottom, 0 for none.
    void SetSepHeight(int iSize);
    [[nodiscard]] int GetSepHeight() const;
};

} // namespace DuiLib
