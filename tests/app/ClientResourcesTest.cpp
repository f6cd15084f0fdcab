// Reads the built client the way it reads itself: the skin archive and the window icon
// from the executable's resources, the local pages from the folder beside it.

#include "common/Handles.h"
#include "duilib/core/ImageDecoder.h"
#include "duilib/core/Markup.h"
#include "duilib/core/ZipArchive.h"

#include <gtest/gtest.h>
#include <unzip.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using DuiLib::CMarkup;
using DuiLib::CMarkupNode;
using DuiLib::CZipArchive;

constexpr int kIconId = 101;
constexpr int kSkinId = 102;

struct IconTraits {
    using Type = HICON;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type icon) noexcept { ::DestroyIcon(icon); }
};

std::wstring WindowsPath(std::wstring path)
{
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// The bytes of one resource of the client executable; empty when it has none.
class ClientResources {
public:
    ClientResources()
        : m_module(::LoadLibraryExW(WindowsPath(ZV_CLIENT_EXE).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }

    [[nodiscard]] bool Loaded() const { return static_cast<bool>(m_module); }

    [[nodiscard]] std::vector<BYTE> Bytes(int id, LPCWSTR type) const
    {
        const HRSRC info = ::FindResourceW(m_module.get(), MAKEINTRESOURCEW(id), type);
        const HGLOBAL data = info != nullptr ? ::LoadResource(m_module.get(), info) : nullptr;
        const auto* bytes = static_cast<const BYTE*>(data != nullptr ? ::LockResource(data) : nullptr);
        return bytes != nullptr ? std::vector<BYTE>(bytes, bytes + ::SizeofResource(m_module.get(), info))
                                : std::vector<BYTE>();
    }

private:
    UniqueModule m_module;
};

std::vector<BYTE> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct SkinImage {
    const wchar_t* name;
    int width;
    int height;
};

// Every image of the skin at the size the markup and the controls cut it to.
constexpr SkinImage kSkinImages[] = {
    {L"Aero.png", 29, 30},          {L"logo.png", 24, 24},          {L"home.png", 18, 18},
    {L"call.png", 18, 18},          {L"football.png", 28, 28},      {L"basketball.png", 28, 28},
    {L"btn_close.png", 60, 20},     {L"btn_min.png", 60, 20},       {L"btn_max.png", 60, 20},
    {L"btn_restore.png", 60, 20},   {L"tab_add.png", 100, 34},      {L"close_nor.png", 15, 15},
    {L"close_hot.png", 15, 15},     {L"close_push.png", 15, 15},    {L"btn_normal.png", 14, 14},
    {L"btn_warn.png", 14, 14},      {L"option_hot.png", 39, 26},    {L"option_nor.png", 39, 26},
    {L"option_select.png", 38, 23},
};

class ClientSkin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_resources.Loaded());
        m_zip = m_resources.Bytes(kSkinId, L"DAT");
        ASSERT_FALSE(m_zip.empty());
        m_archive = CZipArchive::OpenMemory(m_zip.data(), m_zip.size());
        ASSERT_TRUE(m_archive.IsOpen());
    }

    std::vector<BYTE> Member(const wchar_t* name)
    {
        std::vector<BYTE> bytes;
        EXPECT_EQ(m_archive.ReadMember(name, 1 << 20, bytes), DuiLib::ZipReadStatus::Ok) << name;
        return bytes;
    }

    ClientResources m_resources;
    std::vector<BYTE> m_zip;
    CZipArchive m_archive;
};

TEST_F(ClientSkin, ResourceIsTheBuiltArchiveOfDeflatedTopLevelMembers)
{
    EXPECT_EQ(m_zip, ReadFileBytes(ZV_SKIN_ZIP));
    std::set<std::string> expected{"MainWnd.xml"};
    for (const SkinImage& image : kSkinImages) {
        expected.insert(std::string(image.name, image.name + wcslen(image.name)));
    }
    const unzFile zip = unzOpen64(ZV_SKIN_ZIP);
    ASSERT_NE(zip, nullptr);
    std::set<std::string> names;
    for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
        unz_file_info64 info{};
        char name[256] = {};
        ASSERT_EQ(unzGetCurrentFileInfo64(zip, &info, name, sizeof(name), nullptr, 0, nullptr, 0), UNZ_OK);
        EXPECT_EQ(info.compression_method, static_cast<uLong>(Z_DEFLATED)) << name;
        names.insert(name);
    }
    (void)unzClose(zip);  // read-only archive: nothing to flush
    EXPECT_EQ(names, expected);
}

TEST_F(ClientSkin, EveryImageDecodesAtItsSize)
{
    for (const SkinImage& expected : kSkinImages) {
        const std::vector<BYTE> bytes = Member(expected.name);
        DuiLib::DecodedImage image;
        ASSERT_TRUE(DuiLib::DecodeImage(bytes.data(), bytes.size(), image)) << expected.name;
        EXPECT_EQ(image.width, expected.width) << expected.name;
        EXPECT_EQ(image.height, expected.height) << expected.name;
    }
}

// Named controls by name, with their element and the values of their attributes.
void CollectNamed(CMarkupNode node, std::map<std::wstring, CMarkupNode>& named)
{
    for (; node.IsValid(); node = node.GetSibling()) {
        if (node.HasAttribute(L"name") && wcscmp(node.GetName(), L"Font") != 0) {
            named.emplace(node.GetAttributeValue(L"name"), node);
        }
        CollectNamed(node.GetChild(), named);
    }
}

struct NamedControl {
    const wchar_t* name;
    const wchar_t* element;
    const wchar_t* attribute;
    const wchar_t* value;
};

TEST_F(ClientSkin, MarkupBuildsTheMainWindow)
{
    std::vector<BYTE> xml = Member(L"MainWnd.xml");
    CMarkup markup;
    ASSERT_TRUE(markup.LoadFromMem(xml.data(), static_cast<DWORD>(xml.size()), DuiLib::XMLFILE_ENCODING_UTF8));
    CMarkupNode root = markup.GetRoot();
    ASSERT_STREQ(root.GetName(), L"Window");
    const std::map<std::wstring, std::wstring> window{
        {L"size", L"1080,700"}, {L"mininfo", L"600,340"}, {L"sizebox", L"3,3,3,3"}, {L"caption", L"0,0,0,36"},
        {L"roundcorner", L"2,2,2,2"}, {L"shadow", L"true"}, {L"shadowborder", L"5,5,9,11"},
        {L"shadowimage", L"file='Aero.png' corner='10,10,10,11'"}};
    for (const auto& [name, value] : window) {
        EXPECT_EQ(root.GetAttributeValue(name.c_str()), value) << name;
    }
    std::vector<std::wstring> fonts;
    for (CMarkupNode font = root.GetChild(L"Font"); font.IsValid(); font = font.GetSibling()) {
        if (wcscmp(font.GetName(), L"Font") == 0) {
            fonts.push_back(std::wstring(font.GetAttributeValue(L"name")) + L" " + font.GetAttributeValue(L"size") +
                            L" " + font.GetAttributeValue(L"bold") + L" " + font.GetAttributeValue(L"italic"));
        }
    }
    EXPECT_EQ(fonts, (std::vector<std::wstring>{L"微软雅黑 12 false false", L"微软雅黑 12 true false",
                                                L"微软雅黑 14 false false", L"微软雅黑 14 true false"}));

    std::map<std::wstring, CMarkupNode> named;
    CollectNamed(root.GetChild(), named);
    const NamedControl controls[] = {
        {L"lbl_title", L"Label", L"font", L"2"},
        {L"lbl_version", L"Label", L"pos", L"8,0,0,0"},
        {L"lbl_time", L"Label", L"width", L"160"},
        {L"btn_sys_close", L"Button", L"tooltip", L"关闭"},
        {L"btn_sys_min", L"Button", L"hotimage", L"file='btn_min.png' source='20,0,40,20'"},
        {L"btn_sys_max", L"Button", L"pos", L"260,2,0,0"},
        {L"btn_sys_restore", L"Button", L"visible", L"false"},
        {L"btn_home", L"Button", L"bkimage", L"file='home.png' dest='0,6,18,24'"},
        {L"btn_call", L"Button", L"text", L"联系我们"},
        {L"opt_sy", L"Option", L"selected", L"true"},
        {L"opt_ozb", L"Option", L"text", L"欧洲杯"},
        {L"opt_cba", L"Option", L"pos", L"70,25,0,0"},
        {L"btn_topad1", L"Button", L"visible", L"false"},
        {L"btn_topad6", L"Button", L"pos", L"280,25,0,0"},
        {L"tabbar", L"ScrollTabUI", L"TabWidth", L"120"},
        {L"webparent", L"HorizontalLayout", L"bkcolor", L"#FFFFFFFF"},
        {L"stbtn_ad1", L"ScrollTextButton", L"font", L"10"},
        {L"stbtn_ad3", L"ScrollTextButton", L"pos", L"420,0,0,0"},
    };
    for (const NamedControl& expected : controls) {
        const auto found = named.find(expected.name);
        ASSERT_NE(found, named.end()) << expected.name;
        CMarkupNode node = found->second;
        EXPECT_STREQ(node.GetName(), expected.element) << expected.name;
        EXPECT_STREQ(node.GetAttributeValue(expected.attribute), expected.value) << expected.name;
    }
    const auto options = std::count_if(named.begin(), named.end(), [](auto& entry) {
        return wcscmp(entry.second.GetName(), L"Option") == 0 &&
               wcscmp(entry.second.GetAttributeValue(L"group"), L"1") == 0;
    });
    EXPECT_EQ(options, 13);
}

TEST(ClientIcon, ResourceIsOne64x64IconIn32BitColour)
{
    const ClientResources resources;
    ASSERT_TRUE(resources.Loaded());
    const std::vector<BYTE> group = resources.Bytes(kIconId, RT_GROUP_ICON);
    ASSERT_EQ(group.size(), 6u + 14u);  // one directory entry
    EXPECT_EQ(group[2] | group[3] << 8, 1);  // type: icon
    EXPECT_EQ(group[4] | group[5] << 8, 1);  // count
    EXPECT_EQ(group[6], 64);
    EXPECT_EQ(group[7], 64);
    EXPECT_EQ(group[12] | group[13] << 8, 32);
    const int imageId = group[18] | group[19] << 8;

    std::vector<BYTE> image = resources.Bytes(imageId, RT_ICON);
    ASSERT_FALSE(image.empty());
    const UniqueHandle<IconTraits> icon(::CreateIconFromResourceEx(
        image.data(), static_cast<DWORD>(image.size()), TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    ASSERT_TRUE(::GetObjectW(colour.get(), sizeof(bitmap), &bitmap));
    EXPECT_EQ(bitmap.bmWidth, 64);
    EXPECT_EQ(bitmap.bmHeight, 64);
    EXPECT_EQ(bitmap.bmBitsPixel, 32);
}

TEST(ClientPages, LieBesideTheExecutableWithTheirImagesAndLinkToTheSite)
{
    const std::string link = "href=\"zeltavue://site/live\" target=\"_blank\"";
    const std::string folder = ZV_CLIENT_DIR "/Html/";
    const std::tuple<const char*, const char*, const char*> pages[] = {
        {"NewTab.htm", "<title>新标签页</title>", "logo.png"},
        {"error.htm", "<title>页面加载失败</title>", "error.png"},
    };
    for (const auto& [page, title, image] : pages) {
        const std::vector<BYTE> bytes = ReadFileBytes(folder + page);
        const std::string text(bytes.begin(), bytes.end());
        EXPECT_NE(text.find(title), std::string::npos) << page;
        EXPECT_NE(text.find(link), std::string::npos) << page;
        EXPECT_NE(text.find(std::string("<img src=\"") + image + "\""), std::string::npos) << page;
        const std::vector<BYTE> png = ReadFileBytes(folder + image);
        DuiLib::DecodedImage decoded;
        EXPECT_TRUE(DuiLib::DecodeImage(png.data(), png.size(), decoded)) << image;
    }
}

} // namespace
