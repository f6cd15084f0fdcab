#pragma once
// A button with a selected state. Options that share a group name in one window select
// exclusively: selecting one deselects the others. Every change of the selection sends
// "selectchanged" from the option that changed.

#include "duilib/control/ButtonUI.h"

namespace DuiLib {

class COptionUI : public CButtonUI {
public:
    COptionUI() = default;
    // Leaves its group.
    ~COptionUI() noexcept override;
    COptionUI(const COptionUI&) = default;
    COptionUI& operator=(const COptionUI&) = default;

    [[nodiscard]] LPCTSTR GetClass() const override;
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;

    // With bInit, joins its group in the manager.
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
    // Clicks, then selects (in a group) or toggles (without one).
    bool Activate() override;
    void SetEnabled(bool bEnable = true) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;

    [[nodiscard]] LPCTSTR GetGroup() const { return m_sGroupName; }
    // Null or empty leaves the group.
    void SetGroup(LPCTSTR pStrGroupName = nullptr);
    [[nodiscard]] bool IsSelected() const { return m_bSelected; }
    virtual void Selected(bool bSelected);

    // Image attribute strings.
    void SetSelectedImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetSelectedImage() const { return m_sSelectedImage; }
    void SetSelectedHotImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetSelectedHotImage() const { return m_sSelectedHotImage; }
    // Drawn over the state images in every state ("foreimage" of an option).
    void SetOptionForeImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetOptionForeImage() const { return m_sOptionForeImage; }
    // ARGB; 0 means unset.
    void SetSelectedTextColor(DWORD dwTextColor);
    // The manager's default font colour (which is then kept) when unset.
    [[nodiscard]] DWORD GetSelectedTextColor();
    void SetSelectedBkColor(DWORD dwBkColor);
    [[nodiscard]] DWORD GetSelectedBkColor() const { return m_dwSelectedBkColor; }

protected:
    bool m_bSelected = false;
    CDuiString m_sGroupName;
    CDuiString m_sSelectedImage;
    CDuiString m_sSelectedHotImage;
    CDuiString m_sOptionForeImage;
    DWORD m_dwSelectedTextColor = 0;
    DWORD m_dwSelectedBkColor = 0;
    // The manager whose group holds the option. A skin being built lends its controls the
    // manager only while their attributes are applied, so this outlasts m_pManager. Borrowed.
    CPaintManagerUI* m_pGroupManager = nullptr;

private:
    void JoinGroup();
    void LeaveGroup();
    void DeselectOthers();
    // False when the option's selected look fell back to the button's images.
    [[nodiscard]] bool PaintSelectedImages(HDC hDC);
    void PaintSelectedText(HDC hDC);
};

} // namespace DuiLib
