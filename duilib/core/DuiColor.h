#pragma once
// A colour with alpha, stored as 0xAABBGGRR so that the low three bytes are a platform
// colour reference. Shared instances are reference-counted.

#include "common/Win32.h"

namespace DuiLib {

class DuiColor final {
public:
    DuiColor() noexcept = default;
    DuiColor(BYTE r, BYTE g, BYTE b, BYTE a) noexcept;
    // value holds 0xAABBGGRR.
    explicit DuiColor(DWORD value) noexcept : m_value(value) {}
    // Copies carry the colour only; each object keeps its own reference count.
    DuiColor(const DuiColor& src) noexcept : m_value(src.m_value) {}
    DuiColor& operator=(const DuiColor& src) noexcept
    {
        m_value = src.m_value;
        return *this;
    }
    ~DuiColor() = default;

    // The colour without alpha: 0x00BBGGRR.
    explicit operator DWORD() const noexcept { return m_value & 0x00FFFFFFu; }
    [[nodiscard]] BYTE GetR() const noexcept { return GetByte(kRedShift); }
    [[nodiscard]] BYTE GetG() const noexcept { return GetByte(kGreenShift); }
    [[nodiscard]] BYTE GetB() const noexcept { return GetByte(kBlueShift); }
    [[nodiscard]] BYTE GetA() const noexcept { return GetByte(kAlphaShift); }
    void SetR(BYTE r) noexcept { SetByte(kRedShift, r); }
    void SetG(BYTE g) noexcept { SetByte(kGreenShift, g); }
    void SetB(BYTE b) noexcept { SetByte(kBlueShift, b); }
    void SetA(BYTE a) noexcept { SetByte(kAlphaShift, a); }
    // Replaces the low 24 bits of value's colour, keeping this colour's alpha.
    void ReplaceRGB(DWORD value) noexcept { m_value = (m_value & 0xFF000000u) | (value & 0x00FFFFFFu); }
    void ReplaceRGB(BYTE r, BYTE g, BYTE b) noexcept;
    // Takes all four bytes of value, then makes the colour opaque.
    void SetColor(DWORD value) noexcept;
    // The platform colour reference when opaque; 0 otherwise, since GDI cannot blend.
    [[nodiscard]] COLORREF GetGDICompatibleValue() const noexcept;

    // Counting is for instances made by CreateInstance: Release deletes at a count of 0.
    // A colour on the stack starts at 0 and must never be released.
    int AddRef() noexcept { return ++m_nRef; }
    int Release() noexcept;
    // Takes ownership through the reference count, which starts at 1.
    [[nodiscard]] static DuiColor* CreateInstance(DWORD value);

private:
    static constexpr int kRedShift = 0;
    static constexpr int kGreenShift = 8;
    static constexpr int kBlueShift = 16;
    static constexpr int kAlphaShift = 24;

    [[nodiscard]] BYTE GetByte(int shift) const noexcept { return static_cast<BYTE>(m_value >> shift); }
    void SetByte(int shift, BYTE value) noexcept
    {
        m_value = (m_value & ~(0xFFu << shift)) | (static_cast<DWORD>(value) << shift);
    }

    DWORD m_value = 0;
    int m_nRef = 0;
};

} // namespace DuiLib
