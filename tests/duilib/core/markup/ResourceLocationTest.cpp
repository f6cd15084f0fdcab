// The process-wide location settings of CPaintManagerUI: program and resource modules,
// the resource folder and the rules for switching between zip sources.

#include "MarkupTestSupport.h"

#include "duilib/core/Markup.h"
#include "duilib/core/PaintManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using DuiLib::CMarkup;
using DuiLib::CPaintManagerUI;

namespace {

std::wstring ResourcePath()
{
    return std::wstring(CPaintManagerUI::GetResourcePath());
}

// Which source answers: the root element name of MainWnd.xml, or the failure message.
std::wstring MainWindowSource()
{
    CMarkup markup;
    if (!markup.LoadFromFile(L"MainWnd.xml")) {
        return markup_test::ErrorMessage(markup);
    }
    return markup.GetRoot().GetName();
}

class ResourceLocation : public testing::Test {
protected:
    void TearDown() override
    {
        CPaintManagerUI::SetResourceZip(L"", false);
        CPaintManagerUI::Term();
        CPaintManagerUI::SetResourceDll(nullptr);
    }
};

} // namespace

TEST_F(ResourceLocation, ResourcePathAlwaysEndsWithOneBackslash)
{
    CPaintManagerUI::SetResourcePath(L"C:\\skins\\blue");
    EXPECT_EQ(L"C:\\skins\\blue\\", ResourcePath());
    CPaintManagerUI::SetResourcePath(L"D:\\red\\");
    EXPECT_EQ(L"D:\\red\\", ResourcePath());
    CPaintManagerUI::SetResourcePath(L"");
    EXPECT_EQ(L"D:\\red\\", ResourcePath());
    CPaintManagerUI::SetResourcePath(nullptr);
    EXPECT_EQ(L"D:\\red\\", ResourcePath());
}

TEST_F(ResourceLocation, PathsThatDoNotFitKeepThePreviousFolder)
{
    CPaintManagerUI::SetResourcePath(L"C:\\kept");
    CPaintManagerUI::SetResourcePath((L"C:\\" + std::wstring(MAX_PATH, L'x')).c_str());
    EXPECT_EQ(L"C:\\kept\\", ResourcePath());
    const std::wstring longest = L"C:\\" + std::wstring(MAX_PATH - 4, L'y');
    CPaintManagerUI::SetResourcePath(longest.c_str());
    EXPECT_EQ(longest + L"\\", ResourcePath());
}

TEST_F(ResourceLocation, InstancePathIsTheProgramFolder)
{
    CPaintManagerUI::SetInstance(nullptr);
    EXPECT_EQ(L"", std::wstring(CPaintManagerUI::GetInstancePath()));
    EXPECT_EQ(nullptr, CPaintManagerUI::GetResourceDll());

    const HINSTANCE program = ::GetModuleHandleW(nullptr);
    CPaintManagerUI::SetInstance(program);
    EXPECT_EQ(program, CPaintManagerUI::GetInstance());
    EXPECT_EQ(markup_test::ExeDirectory(), std::wstring(CPaintManagerUI::GetInstancePath()));
    EXPECT_EQ(program, CPaintManagerUI::GetResourceDll());

    const HINSTANCE other = ::GetModuleHandleW(L"kernel32.dll");
    CPaintManagerUI::SetResourceDll(other);
    EXPECT_EQ(other, CPaintManagerUI::GetResourceDll());
}

TEST_F(ResourceLocation, FirstMemoryArchiveStaysUntilAFileArchiveReadPerCallReplacesIt)
{
    CPaintManagerUI::SetResourcePath((markup_test::ExeDirectory() + L"markup").c_str());
    const markup_test::SkinResource resource = markup_test::LoadSkinResource();
    ASSERT_NE(nullptr, resource.data);
    std::vector<BYTE> archive(resource.data, resource.data + resource.size);
    std::vector<BYTE> garbage(512, 0x11);

    CPaintManagerUI::SetResourceZip(archive.data(), static_cast<unsigned>(archive.size()));
    EXPECT_EQ(L"Window", MainWindowSource());

    CPaintManagerUI::SetResourceZip(garbage.data(), static_cast<unsigned>(garbage.size()));
    EXPECT_EQ(L"membuffer", std::wstring(CPaintManagerUI::GetResourceZip()));
    EXPECT_EQ(L"Window", MainWindowSource()) << "a second memory archive is ignored";

    CPaintManagerUI::SetResourceZip(L"no-such.zip", true);
    EXPECT_EQ(L"membuffer", std::wstring(CPaintManagerUI::GetResourceZip()));
    EXPECT_EQ(L"Window", MainWindowSource()) << "a cached file archive is ignored";

    CPaintManagerUI::SetResourceZip(L"no-such.zip", false);
    EXPECT_EQ(L"no-such.zip", std::wstring(CPaintManagerUI::GetResourceZip()));
    EXPECT_FALSE(CPaintManagerUI::IsCachedResourceZip());
    EXPECT_EQ(nullptr, CPaintManagerUI::GetResourceZipHandle());
    EXPECT_EQ(L"Error opening zip file", MainWindowSource());

    CPaintManagerUI::SetResourceZip(L"markup_skin.zip", false);
    EXPECT_EQ(L"Window", MainWindowSource());
}

TEST_F(ResourceLocation, SwitchingFileArchivesClosesTheCachedOne)
{
    CPaintManagerUI::SetResourcePath((markup_test::ExeDirectory() + L"markup").c_str());
    CPaintManagerUI::SetResourceZip(L"markup_skin.zip", true);
    ASSERT_NE(nullptr, CPaintManagerUI::GetResourceZipHandle());
    EXPECT_EQ(L"Window", MainWindowSource());

    CPaintManagerUI::SetResourceZip(L"no-such.zip", true);
    EXPECT_EQ(nullptr, CPaintManagerUI::GetResourceZipHandle());
    EXPECT_EQ(L"Error opening zip file", MainWindowSource());

    CPaintManagerUI::SetResourceZip(L"", false);
    CPaintManagerUI::SetResourcePath((markup_test::ExeDirectory() + L"markup\\skin").c_str());
    EXPECT_EQ(L"Window", MainWindowSource()) << "without a zip name the folder is read";
}
