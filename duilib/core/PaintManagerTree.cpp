// CPaintManagerUI: the control tree it holds, the name map, the finders, delayed
// cleanup and the option and hot-key groups.

#include "duilib/core/PaintManager.h"

#include "duilib/control/ControlUI.h"

#include <cwchar>
#include <vector>

namespace DuiLib {

namespace {

struct ClassSearch {
    CPaintManagerUI* manager;
    LPCTSTR className;
};

CControlUI* CALLBACK RegisterName(CControlUI* pThis, LPVOID pData)
{
    const CDuiString& name = pThis->GetName();
    if (!name.IsEmpty()) {
        // A later control of the same name replaces the entry; the old data is a borrow.
        (void)static_cast<CStdStringPtrMap*>(pData)->Set(name, pThis);
    }
    return nullptr;
}

CControlUI* CALLBACK ControlAtPoint(CControlUI* pThis, LPVOID pData)
{
    return ::PtInRect(&pThis->GetPos(), *static_cast<const POINT*>(pData)) ? pThis : nullptr;
}

CControlUI* CALLBACK ControlNamed(CControlUI* pThis, LPVOID pData)
{
    return _wcsicmp(pThis->GetName(), static_cast<LPCTSTR>(pData)) == 0 ? pThis : nullptr;
}

[[nodiscard]] bool ClassMatches(CControlUI* pThis, LPCTSTR className)
{
    return std::wcscmp(className, L"*") == 0 || std::wcscmp(className, pThis->GetClass()) == 0;
}

// Fills the found-controls array, sized to the wanted index + 1, slot by slot; the
// control that fills the last slot is the answer.
CControlUI* CALLBACK NthOfClass(CControlUI* pThis, LPVOID pData)
{
    const auto* search = static_cast<const ClassSearch*>(pData);
    CStdPtrArray* found = search->manager->GetSubControlsByClass();
    if (!ClassMatches(pThis, search->className)) {
        return nullptr;
    }
    int slot = 0;
    while (slot < found->GetSize() && found->GetAt(slot) != nullptr) {
        ++slot;
    }
    (void)found->SetAt(slot, pThis); // inside the array: the last slot is still free
    return slot == found->GetSize() - 1 ? pThis : nullptr;
}

CControlUI* CALLBACK AllOfClass(CControlUI* pThis, LPVOID pData)
{
    const auto* search = static_cast<const ClassSearch*>(pData);
    if (ClassMatches(pThis, search->className)) {
        (void)search->manager->GetSubControlsByClass()->Add(pThis); // a control less when memory runs out
    }
    return nullptr;
}

void DeleteGroups(CStdStringPtrMap& groups) noexcept
{
    for (int i = 0; i < groups.GetSize(); ++i) {
        const LPCTSTR key = groups.GetAt(i);
        if (key != nullptr) {
            delete static_cast<CStdPtrArray*>(groups.Find(key, false));
        }
    }
    groups.RemoveAll();
}

bool AddToGroup(CStdStringPtrMap& groups, LPCTSTR name, CControlUI* pControl)
{
    if (name == nullptr || pControl == nullptr) {
        return false;
    }
    auto* group = static_cast<CStdPtrArray*>(groups.Find(name));
    if (group != nullptr) {
        return group->Find(pControl) < 0 && group->Add(pControl);
    }
    auto* created = new CStdPtrArray(6);
    if (!created->Add(pControl) || !groups.Insert(name, created)) {
        delete created;
        return false;
    }
    return true;
}

void RemoveFromGroup(CStdStringPtrMap& groups, LPCTSTR name, CControlUI* pControl)
{
    auto* group = name != nullptr ? static_cast<CStdPtrArray*>(groups.Find(name)) : nullptr;
    if (group == nullptr) {
        return;
    }
    const int index = group->Find(pControl);
    if (index >= 0) {
        (void)group->Remove(index); // cannot fail for an index just found
    }
    if (group->IsEmpty()) {
        delete group;
        (void)groups.Remove(name); // the name was just found
    }
}

// Takes a control that goes away out of every group.
void ForgetInGroups(CStdStringPtrMap& groups, CControlUI* pControl)
{
    std::vector<CDuiString> emptied;
    for (int i = 0; i < groups.GetSize(); ++i) {
        const LPCTSTR key = groups.GetAt(i);
        auto* group = key != nullptr ? static_cast<CStdPtrArray*>(groups.Find(key, false)) : nullptr;
        const int index = group != nullptr ? group->Find(pControl) : -1;
        if (index >= 0 && group->Remove(index) && group->IsEmpty()) {
            emptied.emplace_back(key);
        }
    }
    // Removed after the walk, which goes by index.
    for (const CDuiString& key : emptied) {
        RemoveFromGroup(groups, key, pControl);
    }
}

} // namespace

bool CPaintManagerUI::AttachDialog(CControlUI* pControl)
{
    if (pControl == nullptr) {
        return false;
    }
    SetFocus(nullptr);
    m_pEventKey = nullptr;
    m_pEventHover = nullptr;
    m_pEventClick = nullptr;
    if (m_pRoot != nullptr) {
        m_aPostPaintControls.Empty();
        (void)AddDelayedCleanup(m_pRoot); // on failure the old tree is deleted at once
    }
    m_pRoot = pControl;
    m_bUpdateNeeded = true;
    m_bFirstLayout = true;
    m_bFocusNeeded = true;
    return InitControls(pControl);
}

bool CPaintManagerUI::InitControls(CControlUI* pControl, CControlUI* pParent)
{
    if (pControl == nullptr) {
        return false;
    }
    pControl->SetManager(this, pParent != nullptr ? pParent : pControl->GetParent(), true);
    (void)pControl->FindControl(RegisterName, &m_mNameHash, UIFIND_ALL); // visits every control
    return true;
}

void CPaintManagerUI::ReapObjects(CControlUI* pControl)
{
    if (pControl == nullptr) {
        return;
    }
    if (pControl == m_pEventKey) {
        m_pEventKey = nullptr;
    }
    if (pControl == m_pEventHover) {
        m_pEventHover = nullptr;
    }
    if (pControl == m_pEventClick) {
        m_pEventClick = nullptr;
    }
    if (pControl == m_pFocus) {
        m_pFocus = nullptr;
    }
    KillTimer(pControl);
    const CDuiString& name = pControl->GetName();
    if (!name.IsEmpty() && m_mNameHash.Find(name) == pControl) {
        (void)m_mNameHash.Remove(name); // the name was just found
    }
    (void)RemovePostPaint(pControl); // false when it was not registered
    ForgetInGroups(m_mOptionGroup, pControl);
    ForgetInGroups(m_mHotKeyGroup, pControl);
    ForgetQueuedSender(pControl);
}

bool CPaintManagerUI::AddDelayedCleanup(CControlUI* pControl)
{
    if (pControl == nullptr) {
        return false;
    }
    pControl->SetManager(this, nullptr, false);
    if (!m_aDelayedCleanup.Add(pControl)) {
        delete pControl;
        return false;
    }
    if (m_hWndPaint != nullptr) {
        // Without the message the controls go with the manager.
        (void)::PostMessageW(m_hWndPaint, WM_DUI_DELAYED_CLEANUP, 0, 0);
    }
    return true;
}

void CPaintManagerUI::DeleteDelayedCleanup() noexcept
{
    // A destructor may hand further controls over; they wait for the next round.
    CStdPtrArray pending(m_aDelayedCleanup);
    m_aDelayedCleanup.Empty();
    for (int i = 0; i < pending.GetSize(); ++i) {
        delete static_cast<CControlUI*>(pending[i]);
    }
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) const
{
    return FindSubControlByPoint(nullptr, pt);
}

CControlUI* CPaintManagerUI::FindControl(LPCTSTR pstrName) const
{
    return pstrName != nullptr ? static_cast<CControlUI*>(m_mNameHash.Find(pstrName)) : nullptr;
}

CControlUI* CPaintManagerUI::FindSubControlByPoint(CControlUI* pParent, POINT pt) const
{
    CControlUI* start = pParent != nullptr ? pParent : m_pRoot;
    if (start == nullptr) {
        return nullptr;
    }
    return start->FindControl(ControlAtPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* pParent, LPCTSTR pstrName) const
{
    CControlUI* start = pParent != nullptr ? pParent : m_pRoot;
    if (start == nullptr || pstrName == nullptr) {
        return nullptr;
    }
    return start->FindControl(ControlNamed, const_cast<LPTSTR>(pstrName), UIFIND_ALL);
}

CControlUI* CPaintManagerUI::FindSubControlByClass(CControlUI* pParent, LPCTSTR pstrClass, int iIndex)
{
    CControlUI* start = pParent != nullptr ? pParent : m_pRoot;
    if (start == nullptr || pstrClass == nullptr || iIndex < 0) {
        return nullptr;
    }
    m_aFoundControls.Resize(iIndex + 1);
    if (m_aFoundControls.GetSize() != iIndex + 1) {
        return nullptr;
    }
    ClassSearch search{this, pstrClass};
    return start->FindControl(NthOfClass, &search, UIFIND_ALL);
}

CStdPtrArray* CPaintManagerUI::FindSubControlsByClass(CControlUI* pParent, LPCTSTR pstrClass)
{
    m_aFoundControls.Empty();
    CControlUI* start = pParent != nullptr ? pParent : m_pRoot;
    if (start != nullptr && pstrClass != nullptr) {
        ClassSearch search{this, pstrClass};
        (void)start->FindControl(AllOfClass, &search, UIFIND_ALL);
    }
    return &m_aFoundControls;
}

bool CPaintManagerUI::AddOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl)
{
    return AddToGroup(m_mOptionGroup, pStrGroupName, pControl);
}

CStdPtrArray* CPaintManagerUI::GetOptionGroup(LPCTSTR pStrGroupName)
{
    return pStrGroupName != nullptr ? static_cast<CStdPtrArray*>(m_mOptionGroup.Find(pStrGroupName)) : nullptr;
}

void CPaintManagerUI::RemoveOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl)
{
    RemoveFromGroup(m_mOptionGroup, pStrGroupName, pControl);
}

void CPaintManagerUI::RemoveAllOptionGroups()
{
    DeleteGroups(m_mOptionGroup);
}

bool CPaintManagerUI::AddHotKeyGroup(LPCTSTR pStrGroupName, CControlUI* pControl)
{
    return AddToGroup(m_mHotKeyGroup, pStrGroupName, pControl);
}

CStdPtrArray* CPaintManagerUI::GetHotKeyGroup(LPCTSTR pStrGroupName)
{
    return pStrGroupName != nullptr ? static_cast<CStdPtrArray*>(m_mHotKeyGroup.Find(pStrGroupName)) : nullptr;
}

void CPaintManagerUI::RemoveHotKeyGroup(LPCTSTR pStrGroupName, CControlUI* pControl)
{
    RemoveFromGroup(m_mHotKeyGroup, pStrGroupName, pControl);
}

void CPaintManagerUI::RemoveAllHotKeyGroups()
{
    DeleteGroups(m_mHotKeyGroup);
}

} // namespace DuiLib
