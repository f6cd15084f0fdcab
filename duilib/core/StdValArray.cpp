#include "duilib/core/StdValArray.h"

#include <cassert>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace DuiLib {

namespace {

// Capacity given to an array that had none at its first growth.
constexpr int kFirstCapacity = 11;

} // namespace

CStdValArray::CStdValArray(int iElementSize, int iPreallocSize) : m_iElementSize(iElementSize)
{
    assert(iElementSize > 0 && "CStdValArray needs a positive element size");
    if (m_iElementSize <= 0) {
        m_iElementSize = 1;
    }
    if (iPreallocSize > 0 && static_cast<size_t>(iPreallocSize) <= SIZE_MAX / static_cast<size_t>(m_iElementSize)) {
        m_pVoid = static_cast<LPBYTE>(std::malloc(static_cast<size_t>(iPreallocSize) * m_iElementSize));
        m_nAllocated = (m_pVoid != nullptr) ? iPreallocSize : 0;
    }
}

CStdValArray::CStdValArray(const CStdValArray& src) : CStdValArray(src.m_iElementSize)
{
    for (int i = 0; i < src.GetSize(); ++i) {
        if (!Add(src.GetAt(i))) {
            break;
        }
    }
}

CStdValArray& CStdValArray::operator=(const CStdValArray& src)
{
    if (this != &src) {
        CStdValArray copy(src);
        std::swap(m_pVoid, copy.m_pVoid);
        std::swap(m_iElementSize, copy.m_iElementSize);
        std::swap(m_nCount, copy.m_nCount);
        std::swap(m_nAllocated, copy.m_nAllocated);
    }
    return *this;
}

CStdValArray::~CStdValArray() noexcept { std::free(m_pVoid); }

// Same growth rule as the pointer array: double once the count reaches the capacity.
bool CStdValArray::GrowFor(int nNewCount)
{
    if (nNewCount < m_nAllocated) {
        return true;
    }
    if (m_nAllocated > INT_MAX / 2) {
        return false;
    }
    const int nAllocated = (m_nAllocated == 0) ? kFirstCapacity : m_nAllocated * 2;
    if (static_cast<size_t>(nAllocated) > SIZE_MAX / static_cast<size_t>(m_iElementSize)) {
        return false;
    }
    auto* const block = static_cast<LPBYTE>(std::realloc(m_pVoid, static_cast<size_t>(nAllocated) * m_iElementSize));
    if (block == nullptr) {
        return false;
    }
    m_pVoid = block;
    m_nAllocated = nAllocated;
    return true;
}

bool CStdValArray::Add(LPCVOID pData)
{
    if (pData == nullptr || !GrowFor(m_nCount + 1)) {
        return false;
    }
    std::memcpy(m_pVoid + static_cast<size_t>(m_nCount) * m_iElementSize, pData, static_cast<size_t>(m_iElementSize));
    ++m_nCount;
    return true;
}

bool CStdValArray::Remove(int iIndex) noexcept
{
    if (iIndex < 0 || iIndex >= m_nCount) {
        return false;
    }
    --m_nCount;
    const size_t size = static_cast<size_t>(m_iElementSize);
    std::memmove(m_pVoid + iIndex * size, m_pVoid + (iIndex + 1) * size, (m_nCount - iIndex) * size);
    return true;
}

LPVOID CStdValArray::GetAt(int iIndex) const noexcept
{
    return (iIndex < 0 || iIndex >= m_nCount) ? nullptr : m_pVoid + static_cast<size_t>(iIndex) * m_iElementSize;
}

} // namespace DuiLib
