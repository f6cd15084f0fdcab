// Message maps: the entry for the sender by name beats the one for any control, the
// last entry for any control wins among several, a class's own map comes before its
// base's, and notifications for a virtual window reach the pump registered under
// that name whatever its case.

#include "duilib/control/ControlUI.h"
#include "duilib/core/NotifyPump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Each handler logs the class that defines it.
class CBasePump : public DuiLib::CNotifyPump {
public:
    Log log;

protected:
    void OnAnyClick(DuiLib::TNotifyUI&) { log.push_back("base:any-click"); }
    void OnOkClick(DuiLib::TNotifyUI&) { log.push_back("base:ok-click"); }
    void OnFirstHover(DuiLib::TNotifyUI&) { log.push_back("base:hover1"); }
    void OnSecondHover(DuiLib::TNotifyUI&) { log.push_back("base:hover2"); }
    void OnValue(WPARAM wParam, LPARAM lParam) { log.push_back("base:value" + std::to_string(wParam + lParam)); }

    DUI_DECLARE_MESSAGE_MAP()
};

// The entry for any control comes first, so "wins at once" is what picks "ok".
DUI_BEGIN_MESSAGE_MAP(CBasePump, DuiLib::CNotifyPump)
DUI_ON_MSGTYPE(L"click", OnAnyClick)
DUI_ON_CLICK_CTRNAME(L"ok", OnOkClick)
DUI_ON_MSGTYPE(L"hover", OnFirstHover)
DUI_ON_MSGTYPE(L"hover", OnSecondHover)
DUI_ON_PARAMS_CTRNAME(L"valuechanged", L"", OnValue)
{L"odd", L"", 9, nullptr, nullptr},
DUI_END_MESSAGE_MAP()

class CDerivedPump final : public CBasePump {
protected:
    void OnCancelClick(DuiLib::TNotifyUI&) { log.push_back("derived:cancel-click"); }
    void OnAnySelect(DuiLib::TNotifyUI&) { log.push_back("derived:any-select"); }

    DUI_DECLARE_MESSAGE_MAP()
};

DUI_BEGIN_MESSAGE_MAP(CDerivedPump, CBasePump)
DUI_ON_CLICK_CTRNAME(L"cancel", OnCancelClick)
DUI_ON_MSGTYPE(L"selectchanged", OnAnySelect)
DUI_END_MESSAGE_MAP()

struct DispatchCase {
    const wchar_t* type;
    const wchar_t* sender; // null: no sender
    bool dispatched;
    Log log;
};

TEST(NotifyPump, DispatchThroughTheMapsOfTheClassAndItsBases)
{
    const DispatchCase cases[] = {
        {L"click", L"ok", true, {"base:ok-click"}},
        {L"click", L"other", true, {"base:any-click"}},
        {L"click", nullptr, true, {"base:any-click"}},
        {L"click", L"cancel", true, {"derived:cancel-click"}},
        {L"selectchanged", L"x", true, {"derived:any-select"}},
        {L"hover", L"x", true, {"base:hover2"}},
        {L"valuechanged", L"x", true, {"base:value5"}},
        {L"Click", L"ok", false, {}},
        {L"odd", L"x", false, {}},
        {L"unknown", L"x", false, {}},
    };
    for (const DispatchCase& c : cases) {
        CDerivedPump pump;
        DuiLib::CControlUI sender;
        sender.SetName(c.sender != nullptr ? c.sender : L"");
        DuiLib::TNotifyUI msg;
        msg.sType = c.type;
        msg.pSender = c.sender != nullptr ? &sender : nullptr;
        msg.wParam = 2;
        msg.lParam = 3;
        EXPECT_EQ(c.dispatched, pump.LoopDispatch(msg)) << testing::PrintToString(std::wstring(c.type));
        EXPECT_EQ(c.log, pump.log) << testing::PrintToString(std::wstring(c.type));
    }
}

TEST(NotifyPump, VirtualWindowsByNameIgnoringCaseElseTheOwnMap)
{
    CDerivedPump main;
    CBasePump page;
    EXPECT_TRUE(main.AddVirtualWnd(L"page", &page));
    EXPECT_FALSE(main.AddVirtualWnd(L"page", &main));

    DuiLib::CControlUI sender;
    sender.SetName(L"ok");
    DuiLib::TNotifyUI msg;
    msg.pSender = &sender;
    msg.sVirtualWnd = L"Page";
    msg.sType = L"click";
    main.NotifyPump(msg);
    msg.sType = L"selectchanged"; // the page has no entry for it
    main.NotifyPump(msg);
    msg.sVirtualWnd = L"other";
    msg.sType = L"click";
    main.NotifyPump(msg);
    EXPECT_EQ((Log{"base:ok-click"}), page.log);
    EXPECT_EQ((Log{"derived:any-select", "base:ok-click"}), main.log);

    EXPECT_TRUE(main.RemoveVirtualWnd(L"page"));
    EXPECT_FALSE(main.RemoveVirtualWnd(L"page"));
    msg.sVirtualWnd = L"page";
    main.NotifyPump(msg);
    EXPECT_EQ(1U, page.log.size());
}

} // namespace
