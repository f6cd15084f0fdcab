#include "duilib/core/DuiColor.h"

#include <new>

namespace DuiLib {

DuiColor::DuiColor(BYTE r, BYTE g, BYTE b, BYTE a) noexcept
    : m_value(static_cast<DWORD>(r) | (static_cast<DWORD>(g) << kGreenShift) | (static_cast<DWORD>(b) << kBlueShift)
              | (static_cast<DWORD>(a) << kAlphaShift))
{
}

void DuiColor::ReplaceRGB(BYTE r, BYTE g, BYTE b) noexcept
{
    SetR(r);
    SetG(g);
    SetB(b);
}

void DuiColor::SetColor(DWORD value) noexcept
{
    m_value = value;
    SetA(0xFF);
}

COLORREF DuiColor::GetGDICompatibleValue() const noexcept
{
    return GetA() == 0xFF ? static_cast<COLORREF>(m_value & 0x00FFFFFFu) : 0;
}

int DuiColor::Release() noexcept
{
    const int nRef = --m_nRef;
    if (nRef == 0) {
        delete this;
    }
    return nRef;
}

DuiColor* DuiColor::CreateInstance(DWORD value)
{
    auto* const color = new (std::nothrow) DuiColor(value);
    if (color != nullptr) {
        color->m_nRef = 1;
    }
    return color;
}

} // namespace DuiLib
