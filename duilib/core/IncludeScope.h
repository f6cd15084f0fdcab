#pragma once
// The skin documents being built right now, innermost last. A document that includes
// itself, directly or through others, would otherwise be built without end: a scope is
// refused when its key is open already or too many are open.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"

namespace DuiLib {

class CIncludeScope final {
public:
    // Opens key (compared ignoring case) unless it is open already or the nesting is full.
    // An empty key (a document that cannot include itself) only counts towards the nesting.
    explicit CIncludeScope(const CDuiString& key);
    ~CIncludeScope() noexcept;
    CIncludeScope(const CIncludeScope&) = delete;
    CIncludeScope& operator=(const CIncludeScope&) = delete;

    [[nodiscard]] bool IsAdmitted() const noexcept { return m_bAdmitted; }

    // Deeper inclusions are refused.
    static constexpr int kMaxDepth = 16;

private:
    bool m_bAdmitted = false;
};

} // namespace DuiLib
