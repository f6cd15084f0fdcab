// Runs the packer executable the way a demo-site build does and reads its output
// back with the client's own unpacker.

#include "app/RemoteConfig.h"
#include "common/Handles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr DWORD kToolTimeoutMs = 60000;

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Exit code of the packer run with `arguments`, or -1 when it could not be run.
long RunPacker(const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" ZV_PACKER_PATH L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return -1;
    }
    const UniqueKernelHandle process(info.hProcess);
    const UniqueKernelHandle thread(info.hThread);
    DWORD code = 0;
    if (::WaitForSingleObject(process.get(), kToolTimeoutMs) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process.get(), &code)) {
        return -1;
    }
    return static_cast<long>(code);
}

class PackConfigTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() / ("zv-pack-test-" + std::to_string(::GetCurrentProcessId()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    std::filesystem::path m_dir;
};

TEST_F(PackConfigTool, PacksAFileThatUnpacksToTheSameBytes)
{
    std::string xml = "<config><StaticAd>";
    for (int i = 0; i < 2000; ++i) {
        xml += "<ad text='entry " + std::to_string(i) + "' url='http://x/" + std::to_string(i * 7919) + "'/>";
    }
    xml += "</StaticAd></config>";
    std::ofstream(m_dir / "in.xml", std::ios::binary) << xml;
    ASSERT_EQ(RunPacker(L"\"" + (m_dir / "in.xml").wstring() + L"\" \"" + (m_dir / "out.dat").wstring() + L"\""), 0);
    const std::string packed = ReadAll(m_dir / "out.dat");
    ASSERT_GE(packed.size(), 4u);
    EXPECT_EQ(packed.substr(packed.size() - 4), std::string(4, '\0'));
    std::string unpacked;
    ASSERT_TRUE(UnpackConfigData(reinterpret_cast<const unsigned char*>(packed.data()), packed.size(), unpacked));
    EXPECT_EQ(unpacked, xml);
}

TEST_F(PackConfigTool, FailsOnMissingInputOrWrongArguments)
{
    EXPECT_EQ(RunPacker(L"\"" + (m_dir / "missing.xml").wstring() + L"\" \"" + (m_dir / "out.dat").wstring() + L"\""), 1);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "out.dat"));
    EXPECT_EQ(RunPacker(L"only-one-argument"), 2);
}

} // namespace
