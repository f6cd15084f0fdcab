#pragma once
// Read access to a zip archive held in a file or in a memory block: the skin's
// resource archive.

#include "common/UniqueHandle.h"
#include "common/Win32.h"

#include <cstddef>
#include <vector>

namespace DuiLib {

// Owner of an open archive handle (minizip's unzFile).
struct ZipArchiveTraits {
    using Type = void*;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type archive) noexcept;
};

enum class ZipReadStatus {
    Ok,
    NotFound,
    Empty,
    TooLarge,
    UnzipFailed,
};

class CZipArchive final {
public:
    CZipArchive() noexcept = default;

    [[nodiscard]] static CZipArchive OpenFile(const wchar_t* path);
    // The block is borrowed: it must stay valid and unchanged while the archive is open.
    [[nodiscard]] static CZipArchive OpenMemory(const void* data, size_t size);

    [[nodiscard]] bool IsOpen() const noexcept { return static_cast<bool>(m_archive); }
    void Close() noexcept { m_archive.reset(); }

    // Extracts the member called `name` into `bytes`. Names match ignoring case, and "\"
    // in either name counts as "/". Members larger than `maxSize` bytes are refused.
    [[nodiscard]] ZipReadStatus ReadMember(const wchar_t* name, size_t maxSize, std::vector<BYTE>& bytes);

private:
    explicit CZipArchive(void* archive) noexcept : m_archive(archive) {}

    [[nodiscard]] bool LocateMember(const wchar_t* name);

    UniqueHandle<ZipArchiveTraits> m_archive;
};

} // namespace DuiLib
