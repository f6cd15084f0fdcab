#include "tests/package/ZipContents.h"

#include "common/UniqueHandle.h"

#include <unzip.h>

#include <fstream>
#include <functional>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct UnzipTraits {
    using Type = unzFile;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type archive) noexcept { (void)unzClose(archive); } // read-only: nothing to flush
};

// Member names are stored as UTF-8 with forward slashes.
std::wstring MemberPath(const char* name)
{
    return fs::u8path(name).make_preferred().wstring();
}

bool ExtractCurrent(unzFile archive, const fs::path& file)
{
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::binary);
    if (error || !out || unzOpenCurrentFile(archive) != UNZ_OK) {
        return false;
    }
    std::vector<char> block(64 * 1024);
    int read = 0;
    while ((read = unzReadCurrentFile(archive, block.data(), static_cast<unsigned>(block.size()))) > 0) {
        out.write(block.data(), read);
    }
    // The close checks the member's CRC.
    return unzCloseCurrentFile(archive) == UNZ_OK && read == 0 && static_cast<bool>(out.flush());
}

// Calls visit(archive, relative path) for every file member until it returns false.
bool ForEachFile(const fs::path& archive, const std::function<bool(unzFile, const std::wstring&)>& visit)
{
    const UniqueHandle<UnzipTraits> zip(unzOpen64(archive.string().c_str()));
    if (!zip) {
        return false;
    }
    for (int status = unzGoToFirstFile(zip.get()); status == UNZ_OK; status = unzGoToNextFile(zip.get())) {
        unz_file_info64 info{};
        char name[512] = {};
        if (unzGetCurrentFileInfo64(zip.get(), &info, name, sizeof(name), nullptr, 0, nullptr, 0) != UNZ_OK) {
            return false;
        }
        const std::wstring path = MemberPath(name);
        if (!path.empty() && path.back() != L'\\' && !visit(zip.get(), path)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::set<std::wstring> ZipMembers(const fs::path& archive)
{
    std::set<std::wstring> members;
    (void)ForEachFile(archive, [&](unzFile, const std::wstring& path) { // a broken archive lists what it could
        members.insert(path);
        return true;
    });
    return members;
}

bool UnzipTo(const fs::path& archive, const fs::path& folder)
{
    return ForEachFile(archive, [&](unzFile zip, const std::wstring& path) {
        return ExtractCurrent(zip, folder / path);
    });
}
