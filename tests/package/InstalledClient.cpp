#include "tests/package/InstalledClient.h"

#include "app/AppVersion.h"
#include "tests/package/ProcessTree.h"
#include "tests/package/SystemProbes.h"

#include <gtest/gtest.h>

void ExpectClientIdentity(const std::filesystem::path& exe)
{
    const auto version = ReadVersionResource(exe);
    ASSERT_TRUE(version.has_value()) << exe;
    const std::wstring fixed = std::wstring(ZV_VERSION) + L".0";
    EXPECT_EQ(version->fixedFileVersion, fixed);
    EXPECT_EQ(version->fixedProductVersion, fixed);
    EXPECT_EQ(version->fileVersion, ZV_VERSION);
    EXPECT_EQ(version->productVersion, ZV_VERSION);
    EXPECT_EQ(version->productName, kProductName);
    EXPECT_EQ(L"V" + version->productVersion, kVersionText);
    EXPECT_FALSE(version->companyName.empty());
    EXPECT_FALSE(version->fileDescription.empty());
}

void ExpectClientRunsAndEnds(const std::filesystem::path& exe)
{
    ProcessTree client;
    ASSERT_TRUE(client.Start(L"\"" + exe.wstring() + L"\""));
    EXPECT_TRUE(client.WaitForAll()) << "the client or a process it started is still running";
    EXPECT_EQ(client.ExitCode(), 0u);
}
