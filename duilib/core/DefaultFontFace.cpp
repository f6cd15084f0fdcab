#include "duilib/core/DefaultFontFace.h"

namespace DuiLib {

namespace {

// When the version cannot be read, assume a current system.
constexpr DWORD kAssumedMajorVersion = 6;

} // namespace

LPCTSTR DefaultFontFaceFor(DWORD majorVersion) noexcept
{
    return majorVersion < 6 ? L"\x5B8B\x4F53" : L"\x5FAE\x8F6F\x96C5\x9ED1";
}

DWORD QueryOsMajorVersion() noexcept
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!::GetVersionExW(&info)) {
        return kAssumedMajorVersion;
    }
    return info.dwMajorVersion;
}

} // namespace DuiLib
