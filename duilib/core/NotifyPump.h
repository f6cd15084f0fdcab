#pragma once
// Dispatches notifications to member functions through a static message map per
// class, walking from a class's map to its base classes' maps, and forwards
// notifications addressed to a named virtual window to the pump registered under that
// name. A class declares its map with DUI_DECLARE_MESSAGE_MAP() and defines it with
// DUI_BEGIN_MESSAGE_MAP(Class, BaseClass), entries and DUI_END_MESSAGE_MAP().

#include "common/Win32.h"
#include "duilib/core/DuiString.h"
#include "duilib/core/NotifyUI.h"
#include "duilib/core/StdStringPtrMap.h"

namespace DuiLib {

class CNotifyPump;

using DUI_PMSG = void (CNotifyPump::*)(TNotifyUI& msg);
using DUI_PMSG_PARAMS = void (CNotifyPump::*)(WPARAM wParam, LPARAM lParam);

// Handler signatures of a map entry.
constexpr UINT kDuiSigEnd = 0;    // ends the entry array
constexpr UINT kDuiSigParams = 1; // handler takes the notification's wParam and lParam
constexpr UINT kDuiSigNotify = 2; // handler takes the notification record

struct DUI_MSGMAP_ENTRY {
    CDuiString sMsgType;
    CDuiString sCtrlName; // empty: any control
    UINT nSig;
    DUI_PMSG pfn;              // kDuiSigNotify
    DUI_PMSG_PARAMS pfnParams; // kDuiSigParams
};

struct DUI_MSGMAP {
    const DUI_MSGMAP* (*pfnGetBaseMap)(); // null at the root
    const DUI_MSGMAP_ENTRY* lpEntries;
};

class CNotifyPump {
public:
    CNotifyPump() = default;
    virtual ~CNotifyPump() noexcept = default;
    CNotifyPump(const CNotifyPump&) = delete;
    CNotifyPump& operator=(const CNotifyPump&) = delete;

    // Borrowed; must outlive its registration. False when the name is taken.
    bool AddVirtualWnd(CDuiString strName, CNotifyPump* pObject);
    bool RemoveVirtualWnd(CDuiString strName);
    // A notification naming a virtual window goes to the pumps registered under that
    // name, ignoring case; when none dispatches it, this pump's own map takes it.
    void NotifyPump(TNotifyUI& msg);
    // True when a map entry took the notification.
    bool LoopDispatch(TNotifyUI& msg);

protected:
    [[nodiscard]] virtual const DUI_MSGMAP* GetMessageMap() const;
    // The map of exactly this class; derived maps link to it as their base.
    [[nodiscard]] static const DUI_MSGMAP* DuiThisMessageMap();

private:
    CStdStringPtrMap m_VirtualWndMap; // name -> borrowed CNotifyPump
};

} // namespace DuiLib

#define DUI_DECLARE_MESSAGE_MAP()                                                                                     \
protected:                                                                                                            \
    [[nodiscard]] static const DuiLib::DUI_MSGMAP* DuiThisMessageMap();                                               \
    [[nodiscard]] const DuiLib::DUI_MSGMAP* GetMessageMap() const override;

#define DUI_BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                    \
    const DuiLib::DUI_MSGMAP* theClass::GetMessageMap() const { return DuiThisMessageMap(); }                        \
    const DuiLib::DUI_MSGMAP* theClass::DuiThisMessageMap()                                                           \
    {                                                                                                                 \
        using ThisClass = theClass;                                                                                   \
        using BaseClass = baseClass;                                                                                  \
        static const DuiLib::DUI_MSGMAP_ENTRY entries[] = {

#define DUI_END_MESSAGE_MAP()                                                                                         \
    {DuiLib::CDuiString(), DuiLib::CDuiString(), DuiLib::kDuiSigEnd, nullptr, nullptr}                                \
    }                                                                                                                 \
    ;                                                                                                                 \
    static const DuiLib::DUI_MSGMAP map = {&BaseClass::DuiThisMessageMap, entries};                                  \
    return &map;                                                                                                      \
    }

// Entries: a notification type from any control or from the named control.
#define DUI_ON_MSGTYPE(msgtype, memberFxn) DUI_ON_MSGTYPE_CTRNAME(msgtype, L"", memberFxn)
#define DUI_ON_MSGTYPE_CTRNAME(msgtype, ctrname, memberFxn)                                                           \
    {msgtype, ctrname, DuiLib::kDuiSigNotify, static_cast<DuiLib::DUI_PMSG>(&ThisClass::memberFxn), nullptr},
#define DUI_ON_CLICK_CTRNAME(ctrname, memberFxn) DUI_ON_MSGTYPE_CTRNAME(L"click", ctrname, memberFxn)
#define DUI_ON_SELECTCHANGED_CTRNAME(ctrname, memberFxn) DUI_ON_MSGTYPE_CTRNAME(L"selectchanged", ctrname, memberFxn)
// A handler of the notification's wParam and lParam.
#define DUI_ON_PARAMS_CTRNAME(msgtype, ctrname, memberFxn)                                                            \
    {msgtype, ctrname, DuiLib::kDuiSigParams, nullptr, static_cast<DuiLib::DUI_PMSG_PARAMS>(&ThisClass::memberFxn)},
