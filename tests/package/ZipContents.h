#pragma once
// Reads a zip archive the way an unpacking tool does, with minizip.

#include <filesystem>
#include <set>
#include <string>

// The archive's files as relative paths with backslashes; folders are left out.
[[nodiscard]] std::set<std::wstring> ZipMembers(const std::filesystem::path& archive);

// Unpacks every file of the archive below the folder; false on the first failure.
[[nodiscard]] bool UnzipTo(const std::filesystem::path& archive, const std::filesystem::path& folder);
