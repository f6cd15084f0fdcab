#pragma once
// What Windows itself reports about an installed program: version resources, shortcut
// targets, registry values, known folders and the files under a folder.

#include "common/Win32.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

struct VersionResource {
    std::wstring fixedFileVersion;    // "1.2.3.4" from the fixed part
    std::wstring fixedProductVersion; // "1.2.3.4" from the fixed part
    std::wstring fileVersion;
    std::wstring productVersion;
    std::wstring productName;
    std::wstring companyName;
    std::wstring fileDescription;
};

// Read with GetFileVersionInfoW, texts from the resource's first translation.
[[nodiscard]] std::optional<VersionResource> ReadVersionResource(const std::filesystem::path& file);

// The file a shell link points to; empty when it cannot be read.
[[nodiscard]] std::filesystem::path ShortcutTarget(const std::filesystem::path& link);

// A FOLDERID_ known folder.
[[nodiscard]] std::filesystem::path KnownFolder(const GUID& id);

[[nodiscard]] std::optional<std::wstring> RegistryText(HKEY root, const wchar_t* key, const wchar_t* name);
[[nodiscard]] std::optional<DWORD> RegistryNumber(HKEY root, const wchar_t* key, const wchar_t* name);
[[nodiscard]] bool RegistryKeyExists(HKEY root, const wchar_t* key);

// Every file below the folder, as relative paths with backslashes; empty when it is absent.
[[nodiscard]] std::set<std::wstring> FilesUnder(const std::filesystem::path& folder);
[[nodiscard]] std::uintmax_t BytesUnder(const std::filesystem::path& folder);

[[nodiscard]] bool WriteTextFile(const std::filesystem::path& file, const std::string& text);

// A build-tree path as Wine sees it.
[[nodiscard]] std::filesystem::path HostPath(const char* unixPath);
