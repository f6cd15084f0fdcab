#pragma once
// Growable array of fixed-size values, copied bytewise (plain data only).

#include "common/Win32.h"

namespace DuiLib {

class CStdValArray final {
public:
    // iElementSize must be at least 1 byte.
    explicit CStdValArray(int iElementSize, int iPreallocSize = 0);
    CStdValArray(const CStdValArray& src);
    CStdValArray& operator=(const CStdValArray& src);
    ~CStdValArray() noexcept;

    // Keeps the block for reuse.
    void Empty() noexcept { m_nCount = 0; }
    [[nodiscard]] bool IsEmpty() const noexcept { return m_nCount == 0; }
    // Copies one element from pData. False, leaving the array unchanged, when it cannot grow.
    [[nodiscard]] bool Add(LPCVOID pData);
    [[nodiscard]] bool Remove(int iIndex) noexcept;
    [[nodiscard]] int GetSize() const noexcept { return m_nCount; }
    [[nodiscard]] int GetCapacity() const noexcept { return m_nAllocated; }
    [[nodiscard]] LPVOID GetData() const noexcept { return m_pVoid; }

    // Address of the element; null outside 0 .. GetSize() - 1.
    [[nodiscard]] LPVOID GetAt(int iIndex) const noexcept;
    // No bounds check.
    [[nodiscard]] LPVOID operator[](int iIndex) const noexcept
    {
        return m_pVoid + static_cast<size_t>(iIndex) * m_iElementSize;
    }

private:
    [[nodiscard]] bool GrowFor(int nNewCount);

    LPBYTE m_pVoid = nullptr;
    int m_iElementSize;
    int m_nCount = 0;
    int m_nAllocated = 0;
};

} // namespace DuiLib
