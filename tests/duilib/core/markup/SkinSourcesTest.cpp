// Reading skin files through CMarkup::LoadFromFile from each source: the resource
// folder, a zip file (kept open or opened per read) and a zip held in memory that is a
// program resource, and every failure message of those reads.

#include "MarkupTestSupport.h"

#include "duilib/core/Markup.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/ZipArchive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using DuiLib::CMarkup;
using DuiLib::CPaintManagerUI;
using markup_test::ErrorLocation;
using markup_test::ErrorMessage;

namespace {

class SkinSources : public testing::Test {
protected:
    void SetUp() override
    {
        CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
        CPaintManagerUI::SetResourceZip(L"", false);
        CPaintManagerUI::SetResourcePath((markup_test::ExeDirectory() + L"markup\\skin").c_str());
    }

    void TearDown() override
    {
        CPaintManagerUI::SetResourceZip(L"", false);
        CPaintManagerUI::Term();
    }

    static void UseZipFile(const wchar_t* name, bool cached)
    {
        CPaintManagerUI::SetResourcePath((markup_test::ExeDirectory() + L"markup").c_str());
        CPaintManagerUI::SetResourceZip(name, cached);
    }

    // Loads `name` and returns the failure message ("" on success).
    static std::wstring LoadFile(CMarkup& markup, const wchar_t* name, int encoding = DuiLib::XMLFILE_ENCODING_UTF8)
    {
        if (markup.LoadFromFile(name, encoding)) {
            return L"";
        }
        EXPECT_EQ(L"", ErrorLocation(markup)) << "source failures have no location";
        EXPECT_FALSE(markup.IsValid());
        return ErrorMessage(markup);
    }

    static void ExpectMainWindow(CMarkup& markup)
    {
        ASSERT_EQ(L"", LoadFile(markup, L"MainWnd.xml"));
        DuiLib::CMarkupNode root = markup.GetRoot();
        EXPECT_STREQ(L"Window", root.GetName());
        EXPECT_STREQ(L"800,600", root.GetAttributeValue(L"size"));
        EXPECT_STREQ(L"\x5FAE\x8F6F\x96C5\x9ED1", root.GetChild(L"Font").GetAttributeValue(L"name"));
        EXPECT_STREQ(L"\x5173\x95ED & \x9000\x51FA",
                     root.GetChild(L"VerticalLayout").GetChild(L"Button").GetAttributeValue(L"text"));
    }

    // Reads every member kind the test archive holds; the same outcomes are expected
    // from every zip source.
    static void ExpectZipMembers()
    {
        CMarkup markup;
        ExpectMainWindow(markup);
        ASSERT_EQ(L"", LoadFile(markup, L"sub\\PANEL.XML"));
        EXPECT_STREQ(L"inner", markup.GetRoot().GetAttributeValue(L"name"));
        ASSERT_EQ(L"", LoadFile(markup, L"utf16be.xml", DuiLib::XMLFILE_ENCODING_UNICODE));
        EXPECT_STREQ(L"gr\x00F6\x00DF" L"e", markup.GetRoot().GetAttributeValue(L"text"));
        ASSERT_EQ(L"", LoadFile(markup, L"limits/exact.xml"));
        EXPECT_EQ(4194304u - 7u, std::wcslen(markup.GetRoot().GetValue()));
        EXPECT_EQ(L"File too large", LoadFile(markup, L"limits\\big.xml"));
        EXPECT_EQ(L"File is empty", LoadFile(markup, L"empty.xml"));
        EXPECT_EQ(L"Could not find ziped file", LoadFile(markup, L"missing.xml"));
        EXPECT_EQ(L"Could not find ziped file", LoadFile(markup, L"Sub"));
        EXPECT_EQ(L"Could not find ziped file", LoadFile(markup, std::wstring(300, L'a').c_str()));
    }
};

} // namespace

TEST_F(SkinSources, FolderFilesAndTheirFailures)
{
    CMarkup markup;
    ExpectMainWindow(markup);
    ASSERT_EQ(L"", LoadFile(markup, L"Sub\\Panel.xml"));
    EXPECT_STREQ(L"Panel", markup.GetRoot().GetName());
    ASSERT_EQ(L"", LoadFile(markup, L"utf16be.xml", DuiLib::XMLFILE_ENCODING_UNICODE));
    EXPECT_STREQ(L"gr\x00F6\x00DF" L"e", markup.GetRoot().GetAttributeValue(L"text"));
    EXPECT_EQ(L"File is empty", LoadFile(markup, L"empty.xml"));
    EXPECT_EQ(L"Error opening file", LoadFile(markup, L"missing.xml"));
}

TEST_F(SkinSources, FolderFileOfExactly4MiBLoadsAndOneByteMoreIsTooLarge)
{
    markup_test::TempFolder folder;
    std::vector<BYTE> exact(4194304, 'x');
    std::memcpy(exact.data(), "<a>", 3);
    std::memcpy(exact.data() + exact.size() - 4, "</a>", 4);
    ASSERT_TRUE(folder.Write(L"exact.xml", exact));
    exact.push_back(' ');
    ASSERT_TRUE(folder.Write(L"big.xml", exact));
    CPaintManagerUI::SetResourcePath(folder.Path().c_str());

    CMarkup markup;
    ASSERT_EQ(L"", LoadFile(markup, L"exact.xml"));
    EXPECT_STREQ(L"a", markup.GetRoot().GetName());
    EXPECT_EQ(L"File too large", LoadFile(markup, L"big.xml"));
}

TEST_F(SkinSources, ZipFileOpenedForEachRead)
{
    UseZipFile(L"markup_skin.zip", false);
    EXPECT_EQ(L"markup_skin.zip", std::wstring(CPaintManagerUI::GetResourceZip()));
    EXPECT_FALSE(CPaintManagerUI::IsCachedResourceZip());
    EXPECT_EQ(nullptr, CPaintManagerUI::GetResourceZipHandle());
    ExpectZipMembers();
}

TEST_F(SkinSources, CachedZipFileStaysOpenUntilTerm)
{
    UseZipFile(L"markup_skin.zip", true);
    EXPECT_TRUE(CPaintManagerUI::IsCachedResourceZip());
    ASSERT_NE(nullptr, CPaintManagerUI::GetResourceZipHandle());
    ExpectZipMembers();

    CPaintManagerUI::Term();
    EXPECT_EQ(nullptr, CPaintManagerUI::GetResourceZipHandle());
    CMarkup markup;
    EXPECT_EQ(L"Error opening zip file", LoadFile(markup, L"MainWnd.xml"));
}

TEST_F(SkinSources, MissingZipFileFailsToOpen)
{
    UseZipFile(L"no-such.zip", false);
    CMarkup markup;
    EXPECT_EQ(L"Error opening zip file", LoadFile(markup, L"MainWnd.xml"));

    UseZipFile(L"no-such-either.zip", true);
    EXPECT_EQ(nullptr, CPaintManagerUI::GetResourceZipHandle());
    EXPECT_EQ(L"Error opening zip file", LoadFile(markup, L"MainWnd.xml"));
}

TEST_F(SkinSources, ZipResourceHeldInMemory)
{
    const markup_test::SkinResource resource = markup_test::LoadSkinResource();
    ASSERT_NE(nullptr, resource.data);
    ASSERT_GT(resource.size, 22u);
    CPaintManagerUI::SetResourceZip(const_cast<BYTE*>(resource.data), resource.size);
    EXPECT_EQ(L"membuffer", std::wstring(CPaintManagerUI::GetResourceZip()));
    EXPECT_TRUE(CPaintManagerUI::IsCachedResourceZip());
    ExpectZipMembers();
}

TEST_F(SkinSources, NotAnArchiveInMemoryFailsToOpen)
{
    std::vector<BYTE> garbage(4096, 0x5A);
    CPaintManagerUI::SetResourceZip(garbage.data(), static_cast<unsigned>(garbage.size()));
    CMarkup markup;
    EXPECT_EQ(L"Error opening zip file", LoadFile(markup, L"MainWnd.xml"));
}

TEST_F(SkinSources, DamagedMemberFailsToUnzip)
{
    const markup_test::SkinResource resource = markup_test::LoadSkinResource();
    ASSERT_NE(nullptr, resource.data);
    std::vector<BYTE> damaged(resource.data, resource.data + resource.size);
    // The member's local header: signature, 26 fixed bytes, then name and extra field.
    const std::string name = "MainWnd.xml";
    size_t header = 0;
    for (; header + 30 + name.size() < damaged.size(); ++header) {
        if (std::memcmp(&damaged[header], "PK\x03\x04", 4) == 0 &&
            std::memcmp(&damaged[header + 30], name.data(), name.size()) == 0) {
            break;
        }
    }
    ASSERT_LT(header + 30 + name.size(), damaged.size());
    const size_t nameLength = damaged[header + 26] | (damaged[header + 27] << 8);
    const size_t extraLength = damaged[header + 28] | (damaged[header + 29] << 8);
    const size_t data = header + 30 + nameLength + extraLength;
    for (size_t i = data + 8; i < data + 24; ++i) {
        damaged[i] ^= 0xA5;
    }
    CPaintManagerUI::SetResourceZip(damaged.data(), static_cast<unsigned>(damaged.size()));
    CMarkup markup;
    EXPECT_EQ(L"Could not unzip file", LoadFile(markup, L"MainWnd.xml"));
    EXPECT_EQ(L"", LoadFile(markup, L"Sub/Panel.xml")) << "other members stay readable";
}

TEST(ZipArchive, MemberNamesIgnoreCaseAndTakeBackslashAsSlash)
{
    const std::wstring path = markup_test::ExeDirectory() + L"markup\\markup_skin.zip";
    DuiLib::CZipArchive archive = DuiLib::CZipArchive::OpenFile(path.c_str());
    ASSERT_TRUE(archive.IsOpen());
    std::vector<BYTE> bytes;
    for (const wchar_t* name : {L"Sub/Panel.xml", L"SUB\\panel.xml", L"sub/PANEL.XML"}) {
        ASSERT_EQ(DuiLib::ZipReadStatus::Ok, archive.ReadMember(name, 1024, bytes)) << name;
        EXPECT_EQ(std::string("<Panel name=\"inner\" />\n"), std::string(bytes.begin(), bytes.end()));
    }
    EXPECT_EQ(DuiLib::ZipReadStatus::NotFound, archive.ReadMember(L"Sub/Panel.xm", 1024, bytes));
    EXPECT_EQ(DuiLib::ZipReadStatus::NotFound, archive.ReadMember(L"Sub/Panel.xml ", 1024, bytes));
    EXPECT_EQ(DuiLib::ZipReadStatus::TooLarge, archive.ReadMember(L"Sub/Panel.xml", 22, bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(DuiLib::ZipReadStatus::Ok, archive.ReadMember(L"Sub/Panel.xml", 23, bytes));

    archive.Close();
    EXPECT_FALSE(archive.IsOpen());
    EXPECT_EQ(DuiLib::ZipReadStatus::NotFound, archive.ReadMember(L"Sub/Panel.xml", 1024, bytes));
    EXPECT_FALSE(DuiLib::CZipArchive::OpenMemory(nullptr, 10).IsOpen());
}
