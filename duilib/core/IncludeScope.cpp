#include "duilib/core/IncludeScope.h"

#include <vector>

namespace DuiLib {

namespace {

// Skins are built on the user-interface thread only.
std::vector<CDuiString>& OpenKeys()
{
    static std::vector<CDuiString> keys;
    return keys;
}

} // namespace

CIncludeScope::CIncludeScope(const CDuiString& key)
{
    std::vector<CDuiString>& keys = OpenKeys();
    if (static_cast<int>(keys.size()) >= kMaxDepth) {
        return;
    }
    for (const CDuiString& open : keys) {
        if (!key.IsEmpty() && open.CompareNoCase(key) == 0) {
            return;
        }
    }
    keys.push_back(key);
    m_bAdmitted = true;
}

CIncludeScope::~CIncludeScope() noexcept
{
    if (m_bAdmitted) {
        OpenKeys().pop_back();
    }
}

} // namespace DuiLib
