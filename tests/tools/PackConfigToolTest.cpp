// Runs the packer executable as a demo-site build does and reads its output back with
// the client's own unpacker.

#include "app/RemoteConfig.h"
#include "common/Handles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

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
    const bool ended = ::WaitForSingleObject(process.get(), 60000) == WAIT_OBJECT_0; // generous bound
    return ended && ::GetExitCodeProcess(process.get(), &code) ? static_cast<long>(code) : -1;
}

TEST(PackConfigTool, PacksAFileAndRejectsBadArguments)
{
    const auto dir = std::filesystem::temp_directory_path() / ("zv-pack-" + std::to_string(::GetCurrentProcessId()));
    std::filesystem::create_directories(dir);
    std::string xml = "<config><StaticAd>";
    for (int i = 0; i < 2000; ++i) {
        xml += "<ad text='entry " + std::to_string(i) + "' url='http://x/" + std::to_string(i * 7919) + "'/>";
    }
    xml += "</StaticAd></config>";
    std::ofstream(dir / "in.xml", std::ios::binary) << xml;
    const std::wstring out = L" \"" + (dir / "out.dat").wstring() + L"\"";

    ASSERT_EQ(RunPacker(L"\"" + (dir / "in.xml").wstring() + L"\"" + out), 0);
    std::ifstream in(dir / "out.dat", std::ios::binary);
    const std::string packed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    std::string unpacked;
    EXPECT_TRUE(UnpackConfigData(reinterpret_cast<const unsigned char*>(packed.data()), packed.size(), unpacked));
    EXPECT_EQ(unpacked, xml);
    EXPECT_EQ(packed.substr(packed.size() - 4), std::string(4, '\0'));

    EXPECT_EQ(RunPacker(L"\"" + (dir / "missing.xml").wstring() + L"\"" + out), 1);
    EXPECT_EQ(RunPacker(L"only-one-argument"), 2);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

} // namespace
