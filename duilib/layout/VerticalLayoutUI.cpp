#include "duilib/layout/VerticalLayoutUI.h"

#include <cwchar>

namespace DuiLib {

CVerticalLayoutUI::CVerticalLayoutUI() : CLinearLayoutUI(CLinearSizing::Axis::Vertical, L"sepheight")
{
}

LPCTSTR CVerticalLayoutUI::GetClass() const
{
    return L"VerticalLayoutUI";
}

LPVOID CVerticalLayoutUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"VerticalLayout") == 0) {
        return static_cast<CVerticalLayoutUI*>(this);
    }
    return CContainerUI::GetInterface(pstrName);
}

void CVerticalLayoutUI::SetSepHeight(int iSize)
{
    SetSepSize(iSize);
}

int CVerticalLayoutUI::GetSepHeight() const
{
    return GetSepSize();
}

} // namespace DuiLib
