// The executable's sub-process roles, started the way the engine starts them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CefApi.h"
#include "common/Handles.h"

namespace {

constexpr DWORD kNotFinished = 0xFFFFFFFF;

// Runs this executable with `arguments` and returns its exit code, or kNotFinished
// when it has not ended within `timeoutMs`.
DWORD RunSelf(const std::wstring& arguments, DWORD timeoutMs)
{
    wchar_t path[MAX_PATH] = {};
    (void)::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(path) + L"\" " + arguments;
    std::vector<wchar_t> mutableLine(line.begin(), line.end());
    mutableLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return kNotFinished - 1;
    }
    const UniqueKernelHandle process(info.hProcess);
    const UniqueKernelHandle thread(info.hThread);
    if (::WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) {
        (void)::TerminateProcess(process.get(), 99);
        return kNotFinished;
    }
    DWORD code = kNotFinished;
    (void)::GetExitCodeProcess(process.get(), &code);
    return code;
}

TEST(SubProcessRole, ClientProcessIsNotClaimed)
{
    EXPECT_EQ(-1, CefExecuteProcess(CefMainArgs(::GetModuleHandleW(nullptr)), nullptr));
}

TEST(SubProcessRole, RendererWithUnreachableChannelEndsWithItsCode)
{
    const DWORD code = RunSelf(L"--type=renderer --channel=\\\\.\\pipe\\zv-engine-test-nobody-listens", 30000);
    EXPECT_EQ(1u, code);
}

TEST(SubProcessRole, RendererWithoutChannelEndsWithItsCode)
{
    EXPECT_EQ(1u, RunSelf(L"--type=renderer", 30000));
}

TEST(SubProcessRole, OtherProcessTypesEndAtOnceWithZero)
{
    EXPECT_EQ(0u, RunSelf(L"--type=gpu-process", 30000));
    EXPECT_EQ(0u, RunSelf(L"--type=utility --gtest_filter=Nothing", 30000));
}

TEST(SubProcessRole, ApiHashMatchesTheHeaders)
{
    EXPECT_STREQ(CEF_API_HASH_PLATFORM, cef_api_hash(0));
}

} // namespace
