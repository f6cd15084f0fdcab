#pragma once
// The input event that the paint manager hands to a control (CControlUI::Event), with
// its fixed type numbers and key-state bits.

#include "common/Win32.h"

namespace DuiLib {

class CControlUI;

// Event types. The numbers are fixed: 1, 2, 7, 8 and 19 only mark ranges, so that
// "a keyboard event" is kEventKeyBegin < type < kEventKeyEnd and "a mouse event"
// kEventMouseBegin < type < kEventMouseEnd.
constexpr int kEventFirst = 1;
constexpr int kEventKeyBegin = 2;
constexpr int kEventKeyDown = 3;
constexpr int kEventKeyUp = 4;
constexpr int kEventChar = 5;
constexpr int kEventSysKey = 6;
constexpr int kEventKeyEnd = 7;
constexpr int kEventMouseBegin = 8;
constexpr int kEventMouseMove = 9;
constexpr int kEventMouseLeave = 10;
constexpr int kEventMouseEnter = 11;
constexpr int kEventMouseHover = 12;
constexpr int kEventButtonDown = 13;
constexpr int kEventButtonUp = 14;
constexpr int kEventRButtonDown = 15;
constexpr int kEventDblClick = 16;
constexpr int kEventContextMenu = 17;
constexpr int kEventScrollWheel = 18;
constexpr int kEventMouseEnd = 19;
constexpr int kEventKillFocus = 20;
constexpr int kEventSetFocus = 21;
constexpr int kEventWindowSize = 22;
constexpr int kEventSetCursor = 23;
constexpr int kEventTimer = 24;

// Bits of TEventUI::wKeyState. The two mouse buttons are numbered the other way round
// from the platform's MK_ values.
constexpr WORD kKeyStateRButton = 0x0001;
constexpr WORD kKeyStateLButton = 0x0002;
constexpr WORD kKeyStateShift = 0x0004;
constexpr WORD kKeyStateControl = 0x0008;
constexpr WORD kKeyStateAlt = 0x0020;

typedef struct tagTEventUI {
    int Type = 0;
    CControlUI* pSender = nullptr; // for set and kill focus: the other control
    DWORD dwTimestamp = 0;         // GetTickCount() when made
    POINT ptMouse = {0, 0};        // last known mouse position, client coordinates
    TCHAR chKey = 0;               // key code or character
    WORD wKeyState = 0;            // kKeyState* bits
    WPARAM wParam = 0;             // for a timer event: the control's own timer id
    LPARAM lParam = 0;
} TEventUI;

} // namespace DuiLib
