#include "duilib/core/ControlFactory.h"

#include "duilib/control/ButtonUI.h"
#include "duilib/control/CheckBoxUI.h"
#include "duilib/control/LabelUI.h"
#include "duilib/control/OptionUI.h"
#include "duilib/control/ScrollBarUI.h"
#include "duilib/control/TextUI.h"
#include "duilib/layout/ContainerUI.h"
#include "duilib/layout/HorizontalLayoutUI.h"
#include "duilib/layout/TabLayoutUI.h"
#include "duilib/layout/TileLayoutUI.h"
#include "duilib/layout/VerticalLayoutUI.h"

#include <cwchar>

namespace DuiLib {

namespace {

template <typename T>
CControlUI* Make()
{
    return new T;
}

struct ClassEntry {
    LPCTSTR name;
    CControlUI* (*create)();
};

const ClassEntry kClasses[] = {
    {L"Control", Make<CControlUI>},
    {L"Container", Make<CContainerUI>},
    {L"VerticalLayout", Make<CVerticalLayoutUI>},
    {L"HorizontalLayout", Make<CHorizontalLayoutUI>},
    {L"TabLayout", Make<CTabLayoutUI>},
    {L"TileLayout", Make<CTileLayoutUI>},
    {L"Label", Make<CLabelUI>},
    {L"Text", Make<CTextUI>},
    {L"Button", Make<CButtonUI>},
    {L"Option", Make<COptionUI>},
    {L"CheckBox", Make<CCheckBoxUI>},
    {L"ScrollBar", Make<CScrollBarUI>},
};

} // namespace

CControlUI* CControlFactory::CreateControl(LPCTSTR pstrClass)
{
    if (pstrClass == nullptr) {
        return nullptr;
    }
    for (const ClassEntry& entry : kClasses) {
        if (std::wcscmp(entry.name, pstrClass) == 0) {
            return entry.create();
        }
    }
    return nullptr;
}

} // namespace DuiLib
