#pragma once
// Growable array of borrowed pointers: the array never deletes what it holds.

#include "common/Win32.h"

namespace DuiLib {

class CStdPtrArray final {
public:
    explicit CStdPtrArray(int iPreallocSize = 0);
    CStdPtrArray(const CStdPtrArray& src);
    CStdPtrArray& operator=(const CStdPtrArray& src);
    ~CStdPtrArray() noexcept;

    void Empty() noexcept;
    // Replaces the contents with n null entries. Unchanged when memory runs out.
    void Resize(int iSize);
    [[nodiscard]] bool IsEmpty() const noexcept { return m_nCount == 0; }
    [[nodiscard]] int Find(LPVOID pData) const noexcept;
    // Add and InsertAt return false, leaving the array unchanged, when it cannot grow.
    [[nodiscard]] bool Add(LPVOID pData);
    [[nodiscard]] bool SetAt(int iIndex, LPVOID pData) noexcept;
    [[nodiscard]] bool InsertAt(int iIndex, LPVOID pData);
    [[nodiscard]] bool Remove(int iIndex) noexcept;
    [[nodiscard]] int GetSize() const noexcept { return m_nCount; }
    [[nodiscard]] int GetCapacity() const noexcept { return m_nAllocated; }
    [[nodiscard]] LPVOID* GetData() const noexcept { return m_ppVoid; }

    // Null outside 0 .. GetSize() - 1.
    [[nodiscard]] LPVOID GetAt(int iIndex) const noexcept;
    // No bounds check.
    [[nodiscard]] LPVOID operator[](int iIndex) const noexcept { return m_ppVoid[iIndex]; }

private:
    [[nodiscard]] bool GrowFor(int nNewCount);

    LPVOID* m_ppVoid = nullptr;
    int m_nCount = 0;
    int m_nAllocated = 0;
};

} // namespace DuiLib
