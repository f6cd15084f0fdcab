// The installer run the way users and deployment tools run it (/S, /D=), in a Wine prefix
// of its own, checked through what Windows reports afterwards.

#include "app/AppVersion.h"
#include "tests/package/InstalledClient.h"
#include "tests/package/ProcessTree.h"
#include "tests/package/SystemProbes.h"
#include "tests/package/ZipContents.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zeltavue";
constexpr wchar_t kUninstaller[] = L"uninstall.exe";
constexpr DWORD kClientRunningExit = 2;
constexpr wchar_t kUsersFile[] = L"我的 notes.txt";

fs::path DefaultFolder()
{
    return KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Zeltavue";
}

fs::path StartMenuShortcut()
{
    return KnownFolder(FOLDERID_Programs) / L"Zeltavue.lnk";
}

std::wstring Quoted(const fs::path& path)
{
    return L"\"" + path.wstring() + L"\"";
}

std::optional<DWORD> RunSetup(const std::wstring& arguments)
{
    return RunToEnd(Quoted(HostPath(ZV_SETUP_FILE)) + L" /S" + arguments);
}

std::optional<DWORD> RunSetupInto(const fs::path& folder)
{
    return RunSetup(L" /D=" + folder.wstring()); // /D= takes the rest of the line, blanks included
}

// What Add/Remove Programs runs to uninstall quietly.
std::optional<DWORD> UninstallAsRegistered()
{
    const auto command = RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"QuietUninstallString");
    return command ? RunToEnd(*command) : std::nullopt;
}

std::wstring RegisteredText(const wchar_t* name)
{
    return RegistryText(HKEY_CURRENT_USER, kUninstallKey, name).value_or(L"(missing)");
}

// The installed tree is the portable archive's tree plus the uninstaller.
std::set<std::wstring> InstalledFiles()
{
    std::set<std::wstring> files;
    for (const std::wstring& member : ZipMembers(HostPath(ZV_PORTABLE_FILE))) {
        files.insert(member.substr(member.find(L'\\') + 1));
    }
    files.insert(kUninstaller);
    return files;
}

// Each test starts and ends on a machine without the client.
class Installer : public ::testing::Test {
protected:
    void SetUp() override { RemoveEveryTrace(); }
    void TearDown() override { RemoveEveryTrace(); }

    static fs::path TestRoot() { return fs::temp_directory_path() / L"Zeltavue 测试"; }

    static void RemoveEveryTrace()
    {
        (void)::RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey); // absent is the normal case
        std::error_code ignored;
        fs::remove(StartMenuShortcut(), ignored);
        fs::remove_all(DefaultFolder(), ignored);
        fs::remove(DefaultFolder().parent_path() / kUsersFile, ignored);
        fs::remove_all(TestRoot(), ignored);
    }

    // The state a successful install of `folder` leaves, beside files the client made.
    static void ExpectInstalledIn(const fs::path& folder, const std::set<std::wstring>& clientFiles = {})
    {
        std::set<std::wstring> files = InstalledFiles();
        files.insert(clientFiles.begin(), clientFiles.end());
        EXPECT_EQ(FilesUnder(folder), files);
        ExpectClientIdentity(folder / kClientExe);
        EXPECT_EQ(ShortcutTarget(StartMenuShortcut()), folder / kClientExe);
        EXPECT_EQ(RegisteredText(L"DisplayName"), kProductName);
        EXPECT_EQ(RegisteredText(L"DisplayVersion"), ZV_VERSION);
        EXPECT_EQ(RegisteredText(L"DisplayIcon"), (folder / kClientExe).wstring() + L",0");
        EXPECT_EQ(RegisteredText(L"InstallLocation"), folder.wstring());
        EXPECT_EQ(RegisteredText(L"UninstallString"), Quoted(folder / kUninstaller));
        // Roughly what the files take: the installed files without the uninstaller, in KB.
        const std::uintmax_t bytes = BytesUnder(folder) - fs::file_size(folder / kUninstaller);
        const DWORD estimated = RegistryNumber(HKEY_CURRENT_USER, kUninstallKey, L"EstimatedSize").value_or(0);
        EXPECT_GE(estimated * 1024ULL, bytes);
        EXPECT_LE(estimated * 1024ULL, bytes + 1024ULL * InstalledFiles().size());
    }
};

struct InstallCase {
    const char* name;
    const wchar_t* folder; // below the test root; null for the default folder
};

void PrintTo(const InstallCase& installCase, std::ostream* out)
{
    *out << installCase.name;
}

class InstallTo : public Installer, public ::testing::WithParamInterface<InstallCase> {};

TEST_P(InstallTo, InstallsRunsAndUninstallsLeavingNothingOfItsOwn)
{
    const fs::path folder = GetParam().folder != nullptr ? TestRoot() / GetParam().folder : DefaultFolder();
    ASSERT_EQ(GetParam().folder != nullptr ? RunSetupInto(folder) : RunSetup(L""), 0u);
    ExpectInstalledIn(folder);
    ExpectClientRunsAndEnds(folder / kClientExe);

    // The engine's cache, which the client creates beside itself, goes with the client; a
    // file of the user's next to the install folder stays.
    ASSERT_TRUE(WriteTextFile(folder / L"Cache" / L"index", "cached"));
    const fs::path usersFile = folder.parent_path() / kUsersFile;
    ASSERT_TRUE(WriteTextFile(usersFile, "mine"));
    ASSERT_EQ(UninstallAsRegistered(), 0u);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
    EXPECT_FALSE(fs::exists(StartMenuShortcut()));
    EXPECT_TRUE(fs::exists(usersFile));
}

INSTANTIATE_TEST_SUITE_P(Folders, InstallTo,
                         ::testing::Values(InstallCase{"DefaultFolder", nullptr},
                                           InstallCase{"SpacesAndChinese", L"安装 目录\\Zeltavue 客户端"}),
                         [](const auto& info) { return std::string(info.param.name); });

// What an earlier install left before this one runs over it.
enum class Earlier { SameVersion, OlderVersion, OtherFolder };

struct ReinstallCase {
    const char* name;
    Earlier earlier;
};

void PrintTo(const ReinstallCase& reinstallCase, std::ostream* out)
{
    *out << reinstallCase.name;
}

class ReinstallOver : public Installer, public ::testing::WithParamInterface<ReinstallCase> {};

// An update keeps the engine's cache (the user's sign-ins live there) unless the client moves.
TEST_P(ReinstallOver, LeavesOneCurrentInstall)
{
    const fs::path first = TestRoot() / L"早期 版本";
    const fs::path folder = GetParam().earlier == Earlier::OtherFolder ? TestRoot() / L"新 版本" : first;
    ASSERT_EQ(RunSetupInto(first), 0u);
    const std::wstring cacheFile = L"Cache\\index";
    ASSERT_TRUE(WriteTextFile(first / cacheFile, "cached"));
    if (GetParam().earlier == Earlier::OlderVersion) {
        ASSERT_TRUE(WriteTextFile(first / kClientExe, "an older client"));
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion", REG_SZ, L"0.9.0",
                                    sizeof(L"0.9.0")),
                  ERROR_SUCCESS);
    }

    // Without /D= an update goes to the registered folder.
    ASSERT_EQ(GetParam().earlier == Earlier::SameVersion ? RunSetup(L"") : RunSetupInto(folder), 0u);
    if (folder == first) {
        ExpectInstalledIn(folder, {cacheFile});
    } else {
        ExpectInstalledIn(folder);
        EXPECT_FALSE(fs::exists(first));
    }
}

INSTANTIATE_TEST_SUITE_P(Earlier, ReinstallOver,
                         ::testing::Values(ReinstallCase{"SameVersion", Earlier::SameVersion},
                                           ReinstallCase{"OlderVersion", Earlier::OlderVersion},
                                           ReinstallCase{"OtherFolder", Earlier::OtherFolder}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Installer, NeitherInstallsNorUninstallsWhileTheClientRuns)
{
    const fs::path folder = TestRoot() / L"运行 中";
    ASSERT_EQ(RunSetupInto(folder), 0u);
    ProcessTree client;
    ASSERT_TRUE(client.Start(Quoted(folder / kClientExe), ProcessTree::Launch::Suspended));

    EXPECT_EQ(RunSetupInto(folder), kClientRunningExit);
    EXPECT_TRUE(UninstallAsRegistered().has_value());
    EXPECT_EQ(FilesUnder(folder), InstalledFiles());
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));

    client.Terminate();
    ASSERT_TRUE(client.WaitForAll());
    ASSERT_EQ(UninstallAsRegistered(), 0u);
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(Installer, UninstallKeepsWhatTheUserAddedToTheFolder)
{
    const fs::path folder = TestRoot() / L"用户 文件";
    ASSERT_EQ(RunSetupInto(folder), 0u);
    ASSERT_TRUE(WriteTextFile(folder / L"my notes.txt", "mine"));
    ASSERT_TRUE(WriteTextFile(folder / L"Html" / L"my page.htm", "<p>mine</p>"));

    ASSERT_EQ(UninstallAsRegistered(), 0u);
    EXPECT_EQ(FilesUnder(folder), (std::set<std::wstring>{L"Html\\my page.htm", L"my notes.txt"}));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
}

} // namespace
