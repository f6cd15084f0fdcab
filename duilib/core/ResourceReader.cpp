#include "duilib/core/ResourceReader.h"

#include "common/Handles.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/ZipArchive.h"

namespace DuiLib {

namespace {

ResourceReadStatus FromZipStatus(ZipReadStatus status) noexcept
{
    switch (status) {
    case ZipReadStatus::Ok: return ResourceReadStatus::Ok;
    case ZipReadStatus::NotFound: return ResourceReadStatus::ZipMemberMissing;
    case ZipReadStatus::Empty: return ResourceReadStatus::Empty;
    case ZipReadStatus::TooLarge: return ResourceReadStatus::TooLarge;
    case ZipReadStatus::UnzipFailed: break;
    }
    return ResourceReadStatus::UnzipFailed;
}

ResourceReadStatus ReadZipMember(LPCTSTR name, size_t maxBytes, std::vector<BYTE>& bytes)
{
    if (CPaintManagerUI::IsCachedResourceZip()) {
        CZipArchive* archive = CPaintManagerUI::GetResourceZipHandle();
        if (archive == nullptr) {
            return ResourceReadStatus::ZipOpenFailed;
        }
        return FromZipStatus(archive->ReadMember(name, maxBytes, bytes));
    }
    const CDuiString path = CPaintManagerUI::GetResourcePath() + CPaintManagerUI::GetResourceZip();
    CZipArchive archive = CZipArchive::OpenFile(path);
    if (!archive.IsOpen()) {
        return ResourceReadStatus::ZipOpenFailed;
    }
    return FromZipStatus(archive.ReadMember(name, maxBytes, bytes));
}

} // namespace

ResourceReadStatus ReadSkinResource(LPCTSTR name, size_t maxBytes, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (name == nullptr) {
        return ResourceReadStatus::FileOpenFailed;
    }
    if (!CPaintManagerUI::GetResourceZip().IsEmpty()) {
        return ReadZipMember(name, maxBytes, bytes);
    }
    const CDuiString path = CPaintManagerUI::GetResourcePath() + name;
    return ReadWholeFile(path, maxBytes, bytes);
}

ResourceReadStatus ReadWholeFile(LPCTSTR path, size_t maxBytes, std::vector<BYTE>& bytes)
{
    bytes.clear();
    const UniqueFileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return ResourceReadStatus::FileOpenFailed;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        return ResourceReadStatus::FileReadFailed;
    }
    if (size.QuadPart == 0) {
        return ResourceReadStatus::Empty;
    }
    if (static_cast<ULONGLONG>(size.QuadPart) > maxBytes || size.QuadPart > MAXDWORD) {
        return ResourceReadStatus::TooLarge;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size()) {
        bytes.clear();
        return ResourceReadStatus::FileReadFailed;
    }
    return ResourceReadStatus::Ok;
}

LPCTSTR ResourceReadMessage(ResourceReadStatus status) noexcept
{
    switch (status) {
    case ResourceReadStatus::Ok: return L"";
    case ResourceReadStatus::ZipOpenFailed: return L"Error opening zip file";
    case ResourceReadStatus::ZipMemberMissing: return L"Could not find ziped file";
    case ResourceReadStatus::Empty: return L"File is empty";
    case ResourceReadStatus::TooLarge: return L"File too large";
    case ResourceReadStatus::UnzipFailed: return L"Could not unzip file";
    case ResourceReadStatus::FileOpenFailed: return L"Error opening file";
    case ResourceReadStatus::FileReadFailed: break;
    }
    return L"Could not read file";
}

} // namespace DuiLib
