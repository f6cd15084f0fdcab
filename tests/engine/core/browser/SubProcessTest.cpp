// The executable's sub-process roles, started the way the engine starts them.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace enginetest {
namespace {

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
} // namespace enginetest
