#include "duilib/core/ImageSource.h"

#include "duilib/core/PaintManager.h"
#include "duilib/core/ResourceReader.h"

namespace DuiLib {

namespace {

bool ReadModuleResource(STRINGorID bitmap, LPCTSTR type, std::vector<BYTE>& bytes)
{
    const HMODULE module = CPaintManagerUI::GetResourceDll();
    const HRSRC resource = ::FindResourceW(module, bitmap.m_lpstr, type);
    if (resource == nullptr) {
        return false;
    }
    const DWORD size = ::SizeofResource(module, resource);
    if (size == 0 || size > kMaxImageFileBytes) {
        return false;
    }
    // Resource memory belongs to the module and is never freed; nothing to release.
    const HGLOBAL loaded = ::LoadResource(module, resource);
    const auto* data = loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (data == nullptr) {
        return false;
    }
    bytes.assign(data, data + size);
    return true;
}

bool ReadChosenSource(STRINGorID bitmap, LPCTSTR type, std::vector<BYTE>& bytes)
{
    if (type != nullptr) {
        return ReadModuleResource(bitmap, type, bytes);
    }
    return !bitmap.IsId() && ReadSkinResource(bitmap.m_lpstr, kMaxImageFileBytes, bytes) == ResourceReadStatus::Ok;
}

} // namespace

bool ReadImageBytes(STRINGorID bitmap, LPCTSTR type, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (ReadChosenSource(bitmap, type, bytes)) {
        return true;
    }
    if (bitmap.IsId()) {
        return false;
    }
    return ReadWholeFile(bitmap.m_lpstr, kMaxImageFileBytes, bytes) == ResourceReadStatus::Ok;
}

} // namespace DuiLib
