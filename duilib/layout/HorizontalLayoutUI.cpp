#include "duilib/layout/HorizontalLayoutUI.h"

#include <cwchar>

namespace DuiLib {

CHorizontalLayoutUI::CHorizontalLayoutUI() : CLinearLayoutUI(CLinearSizing::Axis::Horizontal, L"sepwidth")
{
}

LPCTSTR CHorizontalLayoutUI::GetClass() const
{
    return L"HorizontalLayoutUI";
}

LPVOID CHorizontalLayoutUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"HorizontalLayout") == 0) {
        return static_cast<CHorizontalLayoutUI*>(this);
    }
    return CContainerUI::GetInterface(pstrName);
}

void CHorizontalLayoutUI::SetSepWidth(int iSize)
{
    SetSepSize(iSize);
}

int CHorizontalLayoutUI::GetSepWidth() const
{
    return GetSepSize();
}

} // namespace DuiLib
