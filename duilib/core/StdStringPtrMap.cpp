#include "duilib/core/StdStringPtrMap.h"

#include <new>

namespace DuiLib {

namespace {

constexpr int kMinBuckets = 16;

// h = s[0] + 33 s[1] + 33^2 s[2] + ..., in unsigned 32-bit arithmetic. Summed from the
// first character so the key is read once, without measuring it first.
[[nodiscard]] UINT HashKey(LPCTSTR key) noexcept
{
    UINT h = 0;
    UINT weight = 1;
    for (const TCHAR* p = key; *p != L'\0'; ++p) {
        h += weight * static_cast<UINT>(*p);
        weight *= 33;
    }
    return h;
}

} // namespace

struct CStdStringPtrMap::TITEM {
    CDuiString Key;
    LPVOID Data;
    TITEM* pPrev;
    TITEM* pNext;
};

CStdStringPtrMap::CStdStringPtrMap(int nSize) { Resize(nSize < kMinBuckets ? kMinBuckets : nSize); }

CStdStringPtrMap::~CStdStringPtrMap() noexcept { DeleteAll(); }

void CStdStringPtrMap::DeleteAll() noexcept
{
    for (int i = 0; i < m_nBuckets; ++i) {
        TITEM* item = m_aT[i];
        while (item != nullptr) {
            TITEM* const next = item->pNext;
            delete item;
            item = next;
        }
    }
    delete[] m_aT;
    m_aT = nullptr;
    m_nBuckets = 0;
    m_nCount = 0;
}

void CStdStringPtrMap::Resize(int nSize)
{
    DeleteAll();
    if (nSize > 0) {
        m_aT = new (std::nothrow) TITEM*[nSize]();
        m_nBuckets = (m_aT != nullptr) ? nSize : 0;
    }
}

UINT CStdStringPtrMap::BucketOf(LPCTSTR key) const noexcept { return HashKey(key) % static_cast<UINT>(m_nBuckets); }

CStdStringPtrMap::TITEM* CStdStringPtrMap::FindItem(LPCTSTR key, bool bOptimize) const
{
    if (key == nullptr || m_nBuckets == 0 || m_nCount == 0) {
        return nullptr;
    }
    const UINT slot = BucketOf(key);
    for (TITEM* item = m_aT[slot]; item != nullptr; item = item->pNext) {
        if (item->Key != key) {
            continue;
        }
        if (bOptimize && item != m_aT[slot]) {
            item->pPrev->pNext = item->pNext;
            if (item->pNext != nullptr) {
                item->pNext->pPrev = item->pPrev;
            }
            item->pPrev = nullptr;
            item->pNext = m_aT[slot];
            item->pNext->pPrev = item;
            m_aT[slot] = item;
        }
        return item;
    }
    return nullptr;
}

LPVOID CStdStringPtrMap::Find(LPCTSTR key, bool bOptimize) const
{
    const TITEM* const item = FindItem(key, bOptimize);
    return item != nullptr ? item->Data : nullptr;
}

bool CStdStringPtrMap::Insert(LPCTSTR key, LPVOID pData)
{
    // Duplicates are detected by key, so a key stored with null data is not added twice.
    if (key == nullptr || m_nBuckets == 0 || FindItem(key, true) != nullptr) {
        return false;
    }
    const UINT slot = BucketOf(key);
    TITEM* const item = new (std::nothrow) TITEM{CDuiString(key), pData, nullptr, m_aT[slot]};
    if (item == nullptr) {
        return false;
    }
    if (item->pNext != nullptr) {
        item->pNext->pPrev = item;
    }
    m_aT[slot] = item;
    ++m_nCount;
    return true;
}

LPVOID CStdStringPtrMap::Set(LPCTSTR key, LPVOID pData)
{
    if (key == nullptr || m_nBuckets == 0) {
        return pData;
    }
    if (TITEM* const item = FindItem(key, false)) {
        const LPVOID old = item->Data;
        item->Data = pData;
        return old;
    }
    // The key is absent, so Insert only fails when memory runs out: nothing was stored.
    return Insert(key, pData) ? nullptr : pData;
}

bool CStdStringPtrMap::Remove(LPCTSTR key)
{
    TITEM* const item = FindItem(key, false);
    if (item == nullptr) {
        return false;
    }
    if (item->pPrev != nullptr) {
        item->pPrev->pNext = item->pNext;
    } else {
        m_aT[BucketOf(key)] = item->pNext;
    }
    if (item->pNext != nullptr) {
        item->pNext->pPrev = item->pPrev;
    }
    delete item;
    --m_nCount;
    return true;
}

LPCTSTR CStdStringPtrMap::GetAt(int iIndex) const noexcept
{
    if (iIndex < 0 || iIndex >= m_nCount) {
        return nullptr;
    }
    int nPos = 0;
    for (int slot = m_nBuckets - 1; slot >= 0; --slot) {
        for (const TITEM* item = m_aT[slot]; item != nullptr; item = item->pNext) {
            if (nPos++ == iIndex) {
                return item->Key.GetData();
            }
        }
    }
    return nullptr;
}

} // namespace DuiLib
