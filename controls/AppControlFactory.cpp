#include "controls/AppControlFactory.h"

#include "controls/ScrollOptionUI.h"
#include "controls/ScrollTabUI.h"
#include "controls/ScrollTextButtonUI.h"

#include <cwchar>

DuiLib::CControlUI* CAppControlFactory::CreateControl(LPCTSTR pstrClass)
{
    if (pstrClass == nullptr) {
        return nullptr;
    }
    if (std::wcscmp(pstrClass, L"ScrollOptionUI") == 0) {
        return new CScrollOptionUI;
    }
    if (std::wcscmp(pstrClass, L"ScrollTabUI") == 0) {
        return new CScrollTabUI;
    }
    if (std::wcscmp(pstrClass, L"ScrollTextButton") == 0) {
        return new CScrollTextButtonUI;
    }
    return nullptr;
}
