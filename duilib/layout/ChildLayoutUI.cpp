#include "duilib/layout/ChildLayoutUI.h"

#include "duilib/core/DialogBuilder.h"

#include <cwchar>

namespace DuiLib {

LPCTSTR CChildLayoutUI::GetClass() const
{
    return L"ChildLayoutUI";
}

LPVOID CChildLayoutUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"ChildLayout") == 0) {
        return this;
    }
    return CControlUI::GetInterface(pstrName);
}

// The content is replaced, not added to, when the control is initialised again. The
// builder refuses a file that includes itself, so a self-including file ends.
void CChildLayoutUI::Init()
{
    if (m_pstrXMLFile.IsEmpty()) {
        return;
    }
    RemoveAll();
    CDialogBuilder builder;
    CControlUI* content = builder.Create(m_pstrXMLFile.GetData(), nullptr, nullptr, m_pManager);
    if (content != nullptr && !Add(content)) {
        delete content;
    }
}

void CChildLayoutUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (pstrName != nullptr && pstrValue != nullptr && std::wcscmp(pstrName, L"xmlfile") == 0) {
        SetChildLayoutXML(pstrValue);
    } else {
        CContainerUI::SetAttribute(pstrName, pstrValue);
    }
}

} // namespace DuiLib
