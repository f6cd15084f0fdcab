#pragma once
// Hash map from string keys to borrowed pointers. Chains can keep the most recently
// found key first, which the paint manager's name map and the registries rely on.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"

namespace DuiLib {

class CStdStringPtrMap final {
public:
    // At least 16 buckets.
    explicit CStdStringPtrMap(int nSize = 83);
    CStdStringPtrMap(const CStdStringPtrMap&) = delete;
    CStdStringPtrMap& operator=(const CStdStringPtrMap&) = delete;
    ~CStdStringPtrMap() noexcept;

    // Drops every item (never the data) and makes nSize empty buckets; no minimum here.
    void Resize(int nSize = 83);
    // Data of the key, or null. With bOptimize the item moves to the front of its chain.
    [[nodiscard]] LPVOID Find(LPCTSTR key, bool bOptimize = true) const;
    // False when the key is already present (whatever its data) or there are no buckets.
    [[nodiscard]] bool Insert(LPCTSTR key, LPVOID pData);
    // Replaces the data of an existing key and returns the old data; otherwise inserts and
    // returns null. Without buckets nothing is stored and pData comes back.
    [[nodiscard]] LPVOID Set(LPCTSTR key, LPVOID pData);
    [[nodiscard]] bool Remove(LPCTSTR key);
    void RemoveAll() { Resize(m_nBuckets); }
    [[nodiscard]] int GetSize() const noexcept { return m_nCount; }
    [[nodiscard]] int GetBucketCount() const noexcept { return m_nBuckets; }
    // Key of the item at iIndex, counting from the last bucket to the first; null outside.
    [[nodiscard]] LPCTSTR GetAt(int iIndex) const noexcept;
    [[nodiscard]] LPCTSTR operator[](int iIndex) const noexcept { return GetAt(iIndex); }

private:
    struct TITEM;

    [[nodiscard]] UINT BucketOf(LPCTSTR key) const noexcept;
    [[nodiscard]] TITEM* FindItem(LPCTSTR key, bool bOptimize) const;
    void DeleteAll() noexcept;

    // Find reorders chains without changing what the map holds.
    mutable TITEM** m_aT = nullptr;
    int m_nBuckets = 0;
    int m_nCount = 0;
};

} // namespace DuiLib
