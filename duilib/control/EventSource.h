#pragma once
// An ordered list of delegates fired together: a control's InitListeners,
// SizeListeners, EventListeners, NotifyListeners and DestroyListeners.

#include "duilib/control/DelegateBase.h"

#include <memory>
#include <vector>

namespace DuiLib {

class CEventSource final {
public:
    using FnType = bool (*)(void*);

    CEventSource() = default;
    // Copies hold their own copies of the delegates.
    CEventSource(const CEventSource& src);
    CEventSource& operator=(const CEventSource& src);
    ~CEventSource() noexcept;

    // Appends a copy unless an equal delegate is there already.
    void operator+=(const CDelegateBase& d);
    void operator+=(FnType pFn);
    // Removes the first equal delegate.
    void operator-=(const CDelegateBase& d);
    void operator-=(FnType pFn);
    // True when at least one delegate is registered.
    explicit operator bool() const noexcept;
    // Calls the delegates in the order they were added and stops at the first that
    // returns false (then false); true otherwise, also when there are none. Delegates may
    // add or remove delegates of this source while it runs.
    bool operator()(void* param);

private:
    [[nodiscard]] int IndexOf(const CDelegateBase& d) const noexcept;
    void Compact() noexcept;

    std::vector<std::unique_ptr<CDelegateBase>> m_aDelegates; // null: removed while firing
    std::vector<std::unique_ptr<CDelegateBase>> m_aRemoved;   // kept until the firing ends
    int m_nFiring = 0; // depth of operator() calls running now
};

} // namespace DuiLib
