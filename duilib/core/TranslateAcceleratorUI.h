#pragma once
// A hook that gets each message of a window's message loop before it is dispatched.

#include "common/Win32.h"

namespace DuiLib {

class ITranslateAccelerator {
public:
    // 0 means the message was translated and is not dispatched. (<windows.h> spells
    // the name TranslateAcceleratorW.)
    virtual LRESULT TranslateAccelerator(MSG* pMsg) = 0;

protected:
    ~ITranslateAccelerator() = default;
};

} // namespace DuiLib
