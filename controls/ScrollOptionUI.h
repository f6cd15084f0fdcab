#pragma once
// One tab of the tab bar: a container with its text, a background colour that the tab
// bar sets for the selected and the other tabs, and a close button in its top-right
// corner. Pressing the tab selects it; clicking the close button removes it from its
// tab bar, which deletes it after the current message (the container's delayed destroy,
// which the tab bar keeps on: the click is still being delivered when the tab goes).

#include "duilib/layout/ContainerUI.h"

namespace DuiLib {
class CButtonUI;
} // namespace DuiLib

class CScrollTabUI;

class CScrollOptionUI final : public DuiLib::CContainerUI {
public:
    CScrollOptionUI() = default;
    ~CScrollOptionUI() noexcept override = default;

    // Creates the close button, once; the base initialisation is not run.
    void Init() override;
    // Places the close button as a 14 x 14 square inset 1 px from the top-right corner.
    void SetPos(RECT rc) override;
    // A left button press selects the tab before the container handles the event.
    void DoEvent(DuiLib::TEventUI& event) override;
    void PaintText(HDC hDC) override;

    // Borrowed; the tab bar sets itself when it adds the tab and clears it on removal.
    void SetOwner(CScrollTabUI* pOwner) { m_pOwner = pOwner; }
    [[nodiscard]] CScrollTabUI* GetOwner() const { return m_pOwner; }
    // Shows or hides the close button; a tab not initialised yet creates it that way.
    void SetClosable(bool bClosable);
    [[nodiscard]] bool IsClosable() const { return m_bClosable; }
    // Null until Init; owned as a child of the tab.
    [[nodiscard]] DuiLib::CButtonUI* GetCloseButton() const { return m_pCloseButton; }

private:
    bool OnCloseNotify(void* param);

    DuiLib::CButtonUI* m_pCloseButton = nullptr; // a child of this tab
    CScrollTabUI* m_pOwner = nullptr;            // borrowed
    bool m_bClosable = true;
};
