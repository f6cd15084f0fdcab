#include "duilib/core/NotifyPump.h"

#include "duilib/control/ControlUI.h"

namespace DuiLib {

namespace {

// The entry of one map for the notification: the first entry for its sender by name,
// else the last one for any control; null when the map has none.
[[nodiscard]] const DUI_MSGMAP_ENTRY* FindEntry(const DUI_MSGMAP& map, const TNotifyUI& msg)
{
    const DUI_MSGMAP_ENTRY* generic = nullptr;
    for (const DUI_MSGMAP_ENTRY* entry = map.lpEntries; entry->nSig != kDuiSigEnd; ++entry) {
        if (entry->sMsgType != msg.sType) {
            continue;
        }
        if (entry->sCtrlName.IsEmpty()) {
            generic = entry;
        } else if (msg.pSender != nullptr && entry->sCtrlName == msg.pSender->GetName()) {
            return entry;
        }
    }
    return generic;
}

} // namespace

bool CNotifyPump::AddVirtualWnd(CDuiString strName, CNotifyPump* pObject)
{
    return m_VirtualWndMap.Insert(strName, pObject);
}

bool CNotifyPump::RemoveVirtualWnd(CDuiString strName)
{
    return m_VirtualWndMap.Remove(strName);
}

void CNotifyPump::NotifyPump(TNotifyUI& msg)
{
    if (!msg.sVirtualWnd.IsEmpty()) {
        for (int i = 0; i < m_VirtualWndMap.GetSize(); ++i) {
            const LPCTSTR name = m_VirtualWndMap.GetAt(i);
            if (msg.sVirtualWnd.CompareNoCase(name) != 0) {
                continue;
            }
            auto* pump = static_cast<CNotifyPump*>(m_VirtualWndMap.Find(name, false));
            if (pump != nullptr && pump->LoopDispatch(msg)) {
                return;
            }
        }
    }
    LoopDispatch(msg);
}

bool CNotifyPump::LoopDispatch(TNotifyUI& msg)
{
    for (const DUI_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        const DUI_MSGMAP_ENTRY* entry = FindEntry(*map, msg);
        if (entry == nullptr) {
            continue;
        }
        if (entry->nSig == kDuiSigNotify && entry->pfn != nullptr) {
            (this->*entry->pfn)(msg);
            return true;
        }
        if (entry->nSig == kDuiSigParams && entry->pfnParams != nullptr) {
            (this->*entry->pfnParams)(msg.wParam, msg.lParam);
            return true;
        }
        return false;
    }
    return false;
}

const DUI_MSGMAP* CNotifyPump::GetMessageMap() const
{
    return DuiThisMessageMap();
}

const DUI_MSGMAP* CNotifyPump::DuiThisMessageMap()
{
    static const DUI_MSGMAP_ENTRY entries[] = {{CDuiString(), CDuiString(), kDuiSigEnd, nullptr, nullptr}};
    static const DUI_MSGMAP map = {nullptr, entries};
    return &map;
}

} // namespace DuiLib
