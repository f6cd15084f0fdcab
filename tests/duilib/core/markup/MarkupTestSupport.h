#pragma once
// Helpers shared by the markup and skin source tests.

#include "common/Handles.h"
#include "common/Win32.h"
#include "duilib/core/Markup.h"

#include <string>
#include <vector>

namespace markup_test {

inline std::wstring ErrorMessage(const DuiLib::CMarkup& markup)
{
    wchar_t message[100] = {};
    markup.GetLastErrorMessage(message, 99);
    return message;
}

inline std::wstring ErrorLocation(const DuiLib::CMarkup& markup)
{
    wchar_t location[50] = {};
    markup.GetLastErrorLocation(location, 49);
    return location;
}

// The skin archive linked into the test executable (SkinResource.rc), found the way
// the window base finds a zip resource.
struct SkinResource {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

inline SkinResource LoadSkinResource()
{
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(102), L"DAT");
    const HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    if (loaded == nullptr) {
        return {};
    }
    return {static_cast<const BYTE*>(::LockResource(loaded)), ::SizeofResource(module, found)};
}

// Folder of the running test executable, with a trailing backslash.
inline std::wstring ExeDirectory()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

inline std::vector<BYTE> Utf8(const wchar_t* text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::vector<BYTE> bytes(static_cast<size_t>(size));
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, reinterpret_cast<char*>(bytes.data()), size, nullptr, nullptr);
    bytes.pop_back(); // the terminator
    return bytes;
}

inline bool WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    const UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// A fresh folder under the temporary folder; its files are deleted with it.
class TempFolder final {
public:
    TempFolder()
    {
        wchar_t base[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, base);
        m_path = std::wstring(base) + L"zv-markup-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TempFolder()
    {
        for (const std::wstring& file : m_files) {
            ::DeleteFileW(file.c_str());
        }
        ::RemoveDirectoryW(m_path.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    bool Write(const wchar_t* name, const std::vector<BYTE>& bytes)
    {
        m_files.push_back(m_path + name);
        return WriteBytes(m_files.back(), bytes);
    }

private:
    std::wstring m_path;
    std::vector<std::wstring> m_files;
};

} // namespace markup_test
