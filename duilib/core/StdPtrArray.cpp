#include "duilib/core/StdPtrArray.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace DuiLib {

namespace {

// Capacity given to an array that had none at its first growth.
constexpr int kFirstCapacity = 11;

[[nodiscard]] LPVOID* AllocateNulls(int nItems) noexcept
{
    return static_cast<LPVOID*>(std::calloc(static_cast<size_t>(nItems), sizeof(LPVOID)));
}

} // namespace

CStdPtrArray::CStdPtrArray(int iPreallocSize)
{
    if (iPreallocSize > 0) {
        m_ppVoid = AllocateNulls(iPreallocSize);
        m_nAllocated = (m_ppVoid != nullptr) ? iPreallocSize : 0;
    }
}

CStdPtrArray::CStdPtrArray(const CStdPtrArray& src) : CStdPtrArray()
{
    for (int i = 0; i < src.GetSize(); ++i) {
        if (!Add(src.GetAt(i))) {
            break;
        }
    }
}

CStdPtrArray& CStdPtrArray::operator=(const CStdPtrArray& src)
{
    if (this != &src) {
        CStdPtrArray copy(src);
        std::swap(m_ppVoid, copy.m_ppVoid);
        std::swap(m_nCount, copy.m_nCount);
        std::swap(m_nAllocated, copy.m_nAllocated);
    }
    return *this;
}

CStdPtrArray::~CStdPtrArray() noexcept { std::free(m_ppVoid); }

void CStdPtrArray::Empty() noexcept
{
    std::free(m_ppVoid);
    m_ppVoid = nullptr;
    m_nCount = m_nAllocated = 0;
}

void CStdPtrArray::Resize(int iSize)
{
    if (iSize <= 0) {
        Empty();
        return;
    }
    LPVOID* const block = AllocateNulls(iSize);
    if (block == nullptr) {
        return;
    }
    std::free(m_ppVoid);
    m_ppVoid = block;
    m_nCount = m_nAllocated = iSize;
}

int CStdPtrArray::Find(LPVOID pData) const noexcept
{
    for (int i = 0; i < m_nCount; ++i) {
        if (m_ppVoid[i] == pData) {
            return i;
        }
    }
    return -1;
}

// The capacity doubles once the count reaches it, so there is always a spare slot.
bool CStdPtrArray::GrowFor(int nNewCount)
{
    if (nNewCount < m_nAllocated) {
        return true;
    }
    if (m_nAllocated > INT_MAX / 2 || static_cast<size_t>(m_nAllocated) * 2 > SIZE_MAX / sizeof(LPVOID)) {
        return false;
    }
    const int nAllocated = (m_nAllocated == 0) ? kFirstCapacity : m_nAllocated * 2;
    auto* const block = static_cast<LPVOID*>(std::realloc(m_ppVoid, static_cast<size_t>(nAllocated) * sizeof(LPVOID)));
    if (block == nullptr) {
        return false;
    }
    m_ppVoid = block;
    m_nAllocated = nAllocated;
    return true;
}

bool CStdPtrArray::Add(LPVOID pData)
{
    if (!GrowFor(m_nCount + 1)) {
        return false;
    }
    m_ppVoid[m_nCount++] = pData;
    return true;
}

bool CStdPtrArray::SetAt(int iIndex, LPVOID pData) noexcept
{
    if (iIndex < 0 || iIndex >= m_nCount) {
        return false;
    }
    m_ppVoid[iIndex] = pData;
    return true;
}

bool CStdPtrArray::InsertAt(int iIndex, LPVOID pData)
{
    if (iIndex == m_nCount) {
        return Add(pData);
    }
    if (iIndex < 0 || iIndex > m_nCount || !GrowFor(m_nCount + 1)) {
        return false;
    }
    std::memmove(&m_ppVoid[iIndex + 1], &m_ppVoid[iIndex], static_cast<size_t>(m_nCount - iIndex) * sizeof(LPVOID));
    m_ppVoid[iIndex] = pData;
    ++m_nCount;
    return true;
}

bool CStdPtrArray::Remove(int iIndex) noexcept
{
    if (iIndex < 0 || iIndex >= m_nCount) {
        return false;
    }
    --m_nCount;
    std::memmove(&m_ppVoid[iIndex], &m_ppVoid[iIndex + 1], static_cast<size_t>(m_nCount - iIndex) * sizeof(LPVOID));
    return true;
}

LPVOID CStdPtrArray::GetAt(int iIndex) const noexcept
{
    return (iIndex < 0 || iIndex >= m_nCount) ? nullptr : m_ppVoid[iIndex];
}

} // namespace DuiLib
