#pragma once
// Test controls that record what the framework does to them: CProbeUI logs every event
// it gets as "name:event", and CProbePanelUI is a minimal owner of children placed at
// fixed rectangles, so manager tests need no layout.

#include "duilib/control/ControlUI.h"
#include "duilib/core/PaintManager.h"

#include <memory>
#include <string>
#include <vector>

namespace probe {

using Log = std::vector<std::string>;

[[nodiscard]] inline const char* EventName(int type)
{
    switch (type) {
    case DuiLib::kEventKeyDown: return "keydown";
    case DuiLib::kEventKeyUp: return "keyup";
    case DuiLib::kEventChar: return "char";
    case DuiLib::kEventSysKey: return "syskey";
    case DuiLib::kEventMouseMove: return "move";
    case DuiLib::kEventMouseLeave: return "leave";
    case DuiLib::kEventMouseEnter: return "enter";
    case DuiLib::kEventMouseHover: return "hover";
    case DuiLib::kEventButtonDown: return "down";
    case DuiLib::kEventButtonUp: return "up";
    case DuiLib::kEventRButtonDown: return "rdown";
    case DuiLib::kEventDblClick: return "dblclick";
    case DuiLib::kEventContextMenu: return "menu";
    case DuiLib::kEventScrollWheel: return "wheel";
    case DuiLib::kEventKillFocus: return "killfocus";
    case DuiLib::kEventSetFocus: return "setfocus";
    case DuiLib::kEventWindowSize: return "size";
    case DuiLib::kEventSetCursor: return "cursor";
    case DuiLib::kEventTimer: return "timer";
    default: return "?";
    }
}

class CProbeUI : public DuiLib::CControlUI {
public:
    CProbeUI(Log* log, const wchar_t* name, RECT place = {0, 0, 0, 0}, UINT flags = 0)
        : m_log(log), m_place(place), m_flags(flags)
    {
        SetName(name);
    }

    [[nodiscard]] UINT GetControlFlags() const override { return m_flags; }
    [[nodiscard]] LPCTSTR GetClass() const override { return m_class; }
    void SetClass(LPCTSTR className) { m_class = className; }
    [[nodiscard]] const RECT& Place() const { return m_place; }
    // Sends "click" when the button is released over the control, like a button.
    void SetClicks(bool clicks) { m_clicks = clicks; }
    [[nodiscard]] const DuiLib::TEventUI& LastEvent() const { return m_last; }

    void DoEvent(DuiLib::TEventUI& event) override
    {
        m_last = event;
        std::string what = EventName(event.Type);
        if (event.Type == DuiLib::kEventTimer || event.Type == DuiLib::kEventScrollWheel) {
            what += std::to_string(event.wParam);
        }
        Record(what);
        if (m_clicks && event.Type == DuiLib::kEventButtonUp && ::PtInRect(&GetPos(), event.ptMouse)) {
            GetManager()->SendNotify(this, L"click");
        }
        if (event.Type == DuiLib::kEventSetFocus || event.Type == DuiLib::kEventKillFocus) {
            CControlUI::DoEvent(event);
        }
    }

    bool Activate() override
    {
        Record("activate");
        return CControlUI::Activate();
    }

protected:
    void Record(const std::string& what)
    {
        if (m_log != nullptr) {
            std::string name;
            for (const wchar_t* p = GetName().GetData(); *p != 0; ++p) {
                name += static_cast<char>(*p);
            }
            m_log->push_back(name + ":" + what);
        }
    }

private:
    Log* m_log;
    RECT m_place;
    UINT m_flags;
    LPCTSTR m_class = L"ProbeUI";
    bool m_clicks = false;
    DuiLib::TEventUI m_last;
};

// Owns its children and places each at its fixed rectangle. Children are searched
// after the panel itself with UIFIND_ME_FIRST, else before it; TOP_FIRST walks them
// backwards.
class CProbePanelUI final : public CProbeUI {
public:
    CProbePanelUI(Log* log, const wchar_t* name, RECT place = {0, 0, 0, 0}, UINT flags = 0)
        : CProbeUI(log, name, place, flags)
    {
    }
    ~CProbePanelUI() noexcept override
    {
        for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
            delete *it;
        }
    }

    // Takes ownership.
    template <typename T>
    T* Add(T* child)
    {
        m_children.push_back(child);
        if (GetManager() != nullptr) {
            GetManager()->InitControls(child, this);
        }
        return child;
    }
    // Deletes the child at once, as a container without delayed destroy would.
    void Delete(DuiLib::CControlUI* child)
    {
        for (auto it = m_children.begin(); it != m_children.end(); ++it) {
            if (*it == child) {
                m_children.erase(it);
                delete child;
                return;
            }
        }
    }

    void SetManager(DuiLib::CPaintManagerUI* manager, DuiLib::CControlUI* parent, bool init) override
    {
        for (DuiLib::CControlUI* child : m_children) {
            child->SetManager(manager, this, init);
        }
        CControlUI::SetManager(manager, parent, init);
    }

    void SetPos(RECT rc) override
    {
        CControlUI::SetPos(rc);
        for (DuiLib::CControlUI* child : m_children) {
            auto* probe = dynamic_cast<CProbeUI*>(child);
            child->SetPos(probe != nullptr ? probe->Place() : child->GetPos());
        }
    }

    void DoPaint(HDC hDC, const RECT& rcPaint) override
    {
        CControlUI::DoPaint(hDC, rcPaint);
        for (DuiLib::CControlUI* child : m_children) {
            child->DoPaint(hDC, rcPaint);
        }
    }

    DuiLib::CControlUI* FindControl(DuiLib::FINDCONTROLPROC proc, LPVOID data, UINT flags) override
    {
        if (((flags & DuiLib::UIFIND_VISIBLE) != 0 && !IsVisible()) ||
            ((flags & DuiLib::UIFIND_ENABLED) != 0 && !IsEnabled()) ||
            ((flags & DuiLib::UIFIND_HITTEST) != 0 && !::PtInRect(&GetPos(), *static_cast<POINT*>(data)))) {
            return nullptr;
        }
        if ((flags & DuiLib::UIFIND_ME_FIRST) != 0) {
            if (DuiLib::CControlUI* self = CControlUI::FindControl(proc, data, flags)) {
                return self;
            }
        }
        const bool topFirst = (flags & DuiLib::UIFIND_TOP_FIRST) != 0;
        const int count = static_cast<int>(m_children.size());
        for (int i = 0; i < count; ++i) {
            DuiLib::CControlUI* child = m_children[static_cast<size_t>(topFirst ? count - 1 - i : i)];
            if (DuiLib::CControlUI* found = child->FindControl(proc, data, flags)) {
                return found;
            }
        }
        return (flags & DuiLib::UIFIND_ME_FIRST) != 0 ? nullptr : CControlUI::FindControl(proc, data, flags);
    }

private:
    std::vector<DuiLib::CControlUI*> m_children;
};

} // namespace probe
