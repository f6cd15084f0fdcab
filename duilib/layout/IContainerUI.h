#pragma once
// The item list of a container, as the dialog builder and other containers use it
// through GetInterface("IContainer").

#include "common/Win32.h"

namespace DuiLib {

class CControlUI;

class IContainerUI {
public:
    // Null outside 0 .. count - 1.
    [[nodiscard]] virtual CControlUI* GetItemAt(int iIndex) const = 0;
    // -1 when the control is not an item.
    [[nodiscard]] virtual int GetItemIndex(CControlUI* pControl) const = 0;
    virtual bool SetItemIndex(CControlUI* pControl, int iIndex) = 0;
    [[nodiscard]] virtual int GetCount() const = 0;
    // Take ownership when they succeed (see the container's auto destroy).
    virtual bool Add(CControlUI* pControl) = 0;
    virtual bool AddAt(CControlUI* pControl, int iIndex) = 0;
    virtual bool Remove(CControlUI* pControl) = 0;
    virtual bool RemoveAt(int iIndex) = 0;
    virtual void RemoveAll() = 0;

protected:
    ~IContainerUI() = default;
};

} // namespace DuiLib
