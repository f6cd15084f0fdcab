#pragma once
// A hook into a paint manager's message handling, or into the pre-translation of the
// message loops when registered as a pre-message filter.

#include "common/Win32.h"

namespace DuiLib {

class IMessageFilterUI {
public:
    // Setting bHandled ends the manager's processing of the message with the result.
    virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;

protected:
    ~IMessageFilterUI() = default;
};

} // namespace DuiLib
