// The portable archive unpacked by a zip reader into a folder whose path has blanks and
// Chinese characters, and run from there.

#include "app/AppVersion.h"
#include "tests/package/InstalledClient.h"
#include "tests/package/SystemProbes.h"
#include "tests/package/ZipContents.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

TEST(PortableArchive, UnpacksIntoOneFolderAndRunsFromThere)
{
    const fs::path archive = HostPath(ZV_PORTABLE_FILE);
    const fs::path top = kProductName;
    const std::set<std::wstring> members = ZipMembers(archive);
    EXPECT_EQ(members.count((top / kClientExe).wstring()), 1u);
    EXPECT_EQ(members.count((top / L"Html" / L"NewTab.htm").wstring()), 1u);
    EXPECT_EQ(members.count((top / L"Html" / L"error.htm").wstring()), 1u);
    for (const std::wstring& member : members) {
        EXPECT_TRUE(member == (top / kClientExe).wstring() || member.rfind((top / L"Html").wstring() + L"\\", 0) == 0)
            << "unexpected member " << fs::path(member);
    }

    const fs::path folder = fs::temp_directory_path() / L"便携 版 Zeltavue";
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    ASSERT_TRUE(UnzipTo(archive, folder));
    EXPECT_EQ(FilesUnder(folder), members);
    ExpectClientIdentity(folder / top / kClientExe);
    ExpectClientRunsAndEnds(folder / top / kClientExe);
    fs::remove_all(folder, ignored);
}

} // namespace
