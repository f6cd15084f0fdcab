#include "duilib/core/MsImg32.h"

#include "common/Handles.h"

namespace DuiLib {

namespace {

template <typename Proc>
Proc Lookup(HMODULE module, const char* name) noexcept
{
    if (module == nullptr) {
        return nullptr;
    }
    // Through void* because GCC warns about casts between unrelated function types.
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

struct Entries {
    UniqueModule module{::LoadLibraryW(L"msimg32.dll")};
    CMsImg32::AlphaBlendProc alphaBlend = Lookup<CMsImg32::AlphaBlendProc>(module.get(), "AlphaBlend");
    CMsImg32::GradientFillProc gradientFill = Lookup<CMsImg32::GradientFillProc>(module.get(), "GradientFill");
};

const Entries& Resolved() noexcept
{
    static const Entries entries;
    return entries;
}

} // namespace

CMsImg32::AlphaBlendProc CMsImg32::AlphaBlendEntry() noexcept { return Resolved().alphaBlend; }

CMsImg32::GradientFillProc CMsImg32::GradientFillEntry() noexcept { return Resolved().gradientFill; }

} // namespace DuiLib
