#include "duilib/core/ZipArchive.h"

#include <cstring>
#include <cwchar>
#include <new>

// iowin32.h relies on the declarations of unzip.h, so the order matters.
#include <unzip.h>
#include <iowin32.h>

namespace DuiLib {

namespace {

// Zip member names are limited to this many characters when looked up.
constexpr int kMaxMemberName = 255;

struct MemoryBlock {
    const BYTE* data;
    ZPOS64_T size;
};

struct MemoryStream {
    MemoryBlock block;
    ZPOS64_T position;
};

// The callbacks use minizip's calling convention (ZCALLBACK), which is what its
// function pointer types declare; CALLBACK here would break the 32-bit build.
voidpf ZCALLBACK MemoryOpen(voidpf opaque, const void* /*filename*/, int mode)
{
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) {
        return nullptr;
    }
    const auto* block = static_cast<const MemoryBlock*>(opaque);
    return new (std::nothrow) MemoryStream{*block, 0};
}

uLong ZCALLBACK MemoryRead(voidpf /*opaque*/, voidpf stream, void* buffer, uLong size)
{
    auto* memory = static_cast<MemoryStream*>(stream);
    const ZPOS64_T left = memory->block.size - memory->position;
    const uLong count = left < size ? static_cast<uLong>(left) : size;
    std::memcpy(buffer, memory->block.data + memory->position, count);
    memory->position += count;
    return count;
}

uLong ZCALLBACK MemoryWrite(voidpf /*opaque*/, voidpf /*stream*/, const void* /*buffer*/, uLong /*size*/)
{
    return 0;
}

ZPOS64_T ZCALLBACK MemoryTell(voidpf /*opaque*/, voidpf stream)
{
    return static_cast<MemoryStream*>(stream)->position;
}

long ZCALLBACK MemorySeek(voidpf /*opaque*/, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* memory = static_cast<MemoryStream*>(stream);
    ZPOS64_T base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: base = 0; break;
    case ZLIB_FILEFUNC_SEEK_CUR: base = memory->position; break;
    case ZLIB_FILEFUNC_SEEK_END: base = memory->block.size; break;
    default: return -1;
    }
    // minizip passes negative offsets from the end as their unsigned wrap-around.
    const ZPOS64_T target = base + offset;
    if (target > memory->block.size) {
        return -1;
    }
    memory->position = target;
    return 0;
}

int ZCALLBACK MemoryClose(voidpf /*opaque*/, voidpf stream)
{
    delete static_cast<MemoryStream*>(stream);
    return 0;
}

int ZCALLBACK MemoryError(voidpf /*opaque*/, voidpf /*stream*/)
{
    return 0;
}

char FoldMemberChar(char c)
{
    if (c == '\\') {
        return '/';
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<char>(c - 'A' + 'a');
    }
    return c;
}

bool SameMemberName(const char* wanted, const char* stored)
{
    for (; *wanted != '\0' && *stored != '\0'; ++wanted, ++stored) {
        if (FoldMemberChar(*wanted) != FoldMemberChar(*stored)) {
            return false;
        }
    }
    return *wanted == *stored;
}

} // namespace

void ZipArchiveTraits::Close(Type archive) noexcept
{
    (void)unzClose(archive); // Read-only archive: closing has nothing to report.
}

CZipArchive CZipArchive::OpenFile(const wchar_t* path)
{
    if (path == nullptr || *path == L'\0') {
        return CZipArchive();
    }
    zlib_filefunc64_def functions{};
    fill_win32_filefunc64W(&functions);
    return CZipArchive(unzOpen2_64(path, &functions));
}

CZipArchive CZipArchive::OpenMemory(const void* data, size_t size)
{
    if (data == nullptr || size == 0) {
        return CZipArchive();
    }
    MemoryBlock block{static_cast<const BYTE*>(data), size};
    zlib_filefunc64_def functions{};
    functions.zopen64_file = MemoryOpen;
    functions.zread_file = MemoryRead;
    functions.zwrite_file = MemoryWrite;
    functions.ztell64_file = MemoryTell;
    functions.zseek64_file = MemorySeek;
    functions.zclose_file = MemoryClose;
    functions.zerror_file = MemoryError;
    // Only the open callback reads `block`, and it runs inside unzOpen2_64. The path
    // is unused but must not be null.
    functions.opaque = &block;
    return CZipArchive(unzOpen2_64("membuffer", &functions));
}

bool CZipArchive::LocateMember(const wchar_t* name)
{
    if (name == nullptr || wcslen(name) > kMaxMemberName) {
        return false;
    }
    char wanted[kMaxMemberName * 2 + 1] = {};
    if (*name != L'\0' &&
        WideCharToMultiByte(CP_ACP, 0, name, -1, wanted, sizeof(wanted), nullptr, nullptr) == 0) {
        return false;
    }
    for (int status = unzGoToFirstFile(m_archive.get()); status == UNZ_OK;
         status = unzGoToNextFile(m_archive.get())) {
        char stored[kMaxMemberName * 2 + 1] = {};
        if (unzGetCurrentFileInfo64(m_archive.get(), nullptr, stored, sizeof(stored) - 1, nullptr, 0, nullptr, 0) ==
                UNZ_OK &&
            SameMemberName(wanted, stored)) {
            return true;
        }
    }
    return false;
}

ZipReadStatus CZipArchive::ReadMember(const wchar_t* name, size_t maxSize, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (!IsOpen() || !LocateMember(name)) {
        return ZipReadStatus::NotFound;
    }
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(m_archive.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        return ZipReadStatus::UnzipFailed;
    }
    if (info.uncompressed_size == 0) {
        return ZipReadStatus::Empty;
    }
    if (info.uncompressed_size > maxSize || info.uncompressed_size > 0x7FFFFFFF) {
        return ZipReadStatus::TooLarge;
    }
    if (unzOpenCurrentFile(m_archive.get()) != UNZ_OK) {
        return ZipReadStatus::UnzipFailed;
    }
    bytes.resize(static_cast<size_t>(info.uncompressed_size));
    const int read = unzReadCurrentFile(m_archive.get(), bytes.data(), static_cast<unsigned>(bytes.size()));
    // Closing checks the CRC, so a damaged member is caught here even when its
    // length came out right.
    const int closed = unzCloseCurrentFile(m_archive.get());
    if (read != static_cast<int>(bytes.size()) || closed != UNZ_OK) {
        bytes.clear();
        return ZipReadStatus::UnzipFailed;
    }
    return ZipReadStatus::Ok;
}

} // namespace DuiLib
