#include "tests/package/SystemProbes.h"

#include "common/Handles.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwchar>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::wstring DottedVersion(DWORD high, DWORD low)
{
    return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." + std::to_wstring(HIWORD(low))
        + L"." + std::to_wstring(LOWORD(low));
}

std::wstring VersionText(std::vector<BYTE>& block, const wchar_t* translation, const wchar_t* name)
{
    const std::wstring query = std::wstring(L"\\StringFileInfo\\") + translation + L"\\" + name;
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) || text == nullptr) {
        return {};
    }
    return std::wstring(text, wcsnlen(text, length));
}

template <typename Interface>
struct ComTraits {
    using Type = Interface*;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type object) noexcept { object->Release(); }
};

} // namespace

std::optional<VersionResource> ReadVersionResource(const fs::path& file)
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !::GetFileVersionInfoW(file.c_str(), 0, size, block.data())) {
        return std::nullopt;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    WORD* translations = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr
        || !::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                             &length)
        || length < 2 * sizeof(WORD)) {
        return std::nullopt;
    }
    wchar_t translation[9] = {};
    (void)swprintf(translation, 9, L"%04X%04X", translations[0], translations[1]); // always fits
    VersionResource resource;
    resource.fixedFileVersion = DottedVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    resource.fixedProductVersion = DottedVersion(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    resource.fileVersion = VersionText(block, translation, L"FileVersion");
    resource.productVersion = VersionText(block, translation, L"ProductVersion");
    resource.productName = VersionText(block, translation, L"ProductName");
    resource.companyName = VersionText(block, translation, L"CompanyName");
    resource.fileDescription = VersionText(block, translation, L"FileDescription");
    return resource;
}

fs::path ShortcutTarget(const fs::path& link)
{
    const HRESULT init = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    fs::path target;
    {
        IShellLinkW* rawLink = nullptr;
        (void)::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&rawLink)); // checked through the owner below
        const UniqueHandle<ComTraits<IShellLinkW>> shellLink(rawLink);
        IPersistFile* rawFile = nullptr;
        if (shellLink
            && SUCCEEDED(shellLink.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) {
            const UniqueHandle<ComTraits<IPersistFile>> persist(rawFile);
            // The item list holds the target's full Unicode name; the link's plain path
            // text may be stored in the ANSI code page only.
            PIDLIST_ABSOLUTE item = nullptr;
            wchar_t path[MAX_PATH] = {};
            if (SUCCEEDED(persist.get()->Load(link.c_str(), STGM_READ)) && shellLink.get()->GetIDList(&item) == S_OK
                && ::SHGetPathFromIDListW(item, path)) {
                target = path;
            }
            ::CoTaskMemFree(item);
        }
    }
    if (SUCCEEDED(init)) {
        ::CoUninitialize();
    }
    return target;
}

fs::path KnownFolder(const GUID& id)
{
    wchar_t* path = nullptr;
    fs::path folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path))) {
        folder = path;
    }
    ::CoTaskMemFree(path);
    return folder;
}

std::optional<std::wstring> RegistryText(HKEY root, const wchar_t* key, const wchar_t* name)
{
    DWORD bytes = 0;
    if (::RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

std::optional<DWORD> RegistryNumber(HKEY root, const wchar_t* key, const wchar_t* name)
{
    DWORD value = 0;
    DWORD bytes = sizeof(value);
    if (::RegGetValueW(root, key, name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

bool RegistryKeyExists(HKEY root, const wchar_t* key)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(opened);
    return true;
}

std::set<std::wstring> FilesUnder(const fs::path& folder)
{
    std::set<std::wstring> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file()) {
            files.insert(it->path().lexically_relative(folder).make_preferred().wstring());
        }
    }
    return files;
}

std::uintmax_t BytesUnder(const fs::path& folder)
{
    std::uintmax_t bytes = 0;
    for (const std::wstring& file : FilesUnder(folder)) {
        bytes += fs::file_size(folder / file);
    }
    return bytes;
}

bool WriteTextFile(const fs::path& file, const std::string& text)
{
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

fs::path HostPath(const char* unixPath)
{
    return fs::path(L"Z:" + fs::u8path(unixPath).make_preferred().wstring());
}
