#pragma once
// A notification from a control ("click", "selectchanged", "windowinit"...) and the
// interface of those who listen to a window's notifications.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"

namespace DuiLib {

class CControlUI;

typedef struct tagTNotifyUI {
    CDuiString sType;
    CDuiString sVirtualWnd; // the sender's virtual window; filled only while those are in use
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;  // GetTickCount() at sending
    POINT ptMouse = {0, 0}; // last known mouse position, client coordinates
    WPARAM wParam = 0;
    LPARAM lParam = 0;
} TNotifyUI;

class INotifyUI {
public:
    virtual void Notify(TNotifyUI& msg) = 0;

protected:
    ~INotifyUI() = default;
};

} // namespace DuiLib
