#include "duilib/control/CheckBoxUI.h"

namespace DuiLib {

LPCTSTR CCheckBoxUI::GetClass() const
{
    return L"CheckBoxUI";
}

} // namespace DuiLib
