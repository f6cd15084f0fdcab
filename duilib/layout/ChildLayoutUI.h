#pragma once
// A container whose content is another skin file, built when the control is
// initialised. Made by code: in markup "ChildLayout" is the builder's inclusion.

#include "duilib/layout/ContainerUI.h"

namespace DuiLib {

class CChildLayoutUI : public CContainerUI {
public:
    CChildLayoutUI() = default;

    [[nodiscard]] LPCTSTR GetClass() const override;
    // "ChildLayout"; otherwise only what any control answers, so the builder does not
    // take it for a container.
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;
    // Builds the skin file (markup text when it begins with "<") and holds the first
    // control below its root in place of what it held before; empty when that fails.
    void Init() override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

    void SetChildLayoutXML(CDuiString pstrXML) { m_pstrXMLFile = pstrXML; }
    [[nodiscard]] CDuiString GetChildLayoutXML() const { return m_pstrXMLFile; }

private:
    CDuiString m_pstrXMLFile;
};

} // namespace DuiLib
