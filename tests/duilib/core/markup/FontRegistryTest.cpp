// The font registry of CPaintManagerUI and the process-wide default font.

#include "duilib/core/DefaultFontFace.h"
#include "duilib/core/PaintManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using DuiLib::CPaintManagerUI;
using DuiLib::TFontInfo;

namespace {

LOGFONTW Logical(HGDIOBJ font)
{
    LOGFONTW lf{};
    EXPECT_EQ(static_cast<int>(sizeof(lf)), ::GetObjectW(font, sizeof(lf), &lf));
    return lf;
}

// A hidden window gives the manager a device context to measure fonts with.
class MeasuringWindow final {
public:
    MeasuringWindow()
        : m_hWnd(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~MeasuringWindow() { ::DestroyWindow(m_hWnd); }
    MeasuringWindow(const MeasuringWindow&) = delete;
    MeasuringWindow& operator=(const MeasuringWindow&) = delete;
    HWND get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

} // namespace

TEST(FontRegistry, CreatesFontsFromTheGuiFontWithBoldAddingToItsWeight)
{
    CPaintManagerUI pm;
    const LOGFONTW gui = Logical(::GetStockObject(DEFAULT_GUI_FONT));
    const HFONT bold = pm.AddFont(L"Tahoma", 15, true, true, true);
    ASSERT_NE(nullptr, bold);
    const LOGFONTW lf = Logical(bold);
    EXPECT_EQ(gui.lfWeight + 700, lf.lfWeight);
    EXPECT_EQ(-15, lf.lfHeight);
    EXPECT_STREQ(L"Tahoma", lf.lfFaceName);
    EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);
    EXPECT_TRUE(lf.lfUnderline && lf.lfItalic);
    const LOGFONTW plain = Logical(pm.AddFont(L"Tahoma", 15, false, false, false));
    EXPECT_EQ(gui.lfWeight, plain.lfWeight);
    EXPECT_FALSE(plain.lfUnderline || plain.lfItalic);

    EXPECT_EQ(nullptr, pm.AddFont(std::wstring(32, L'f').c_str(), 12, false, false, false));
    EXPECT_EQ(nullptr, pm.AddFont(nullptr, 12, false, false, false));
    EXPECT_EQ(2u, pm.GetCustomFontCount());
}

TEST(FontRegistry, IndexesShiftWhenFontsAreInsertedOrRemoved)
{
    CPaintManagerUI pm;
    const HFONT f0 = pm.AddFont(L"Arial", 10, false, false, false);
    const HFONT f1 = pm.AddFont(L"Arial", 11, false, false, false);
    const HFONT f2 = pm.AddFont(L"Arial", 12, false, false, false);
    EXPECT_EQ(f2, pm.GetFont(2));
    EXPECT_EQ(pm.GetFont(-1), pm.GetDefaultFontInfo()->hFont.get());
    EXPECT_EQ(pm.GetFont(3), pm.GetDefaultFontInfo()->hFont.get());
    EXPECT_EQ(pm.GetFontInfo(7), pm.GetDefaultFontInfo());

    ASSERT_TRUE(pm.RemoveFontAt(0));
    EXPECT_EQ(f2, pm.GetFont(1)) << "font \"1\" now draws with what was font 2";
    EXPECT_EQ(-1, pm.GetFontIndex(f0));
    EXPECT_FALSE(pm.RemoveFontAt(2));
    EXPECT_FALSE(pm.RemoveFont(f0));

    const HFONT front = pm.AddFontAt(0, L"Arial", 9, false, false, false);
    EXPECT_EQ(front, pm.GetFont(0));
    EXPECT_EQ(f1, pm.GetFont(1));
    EXPECT_EQ(nullptr, pm.AddFontAt(9, L"Arial", 9, true, false, false));
    EXPECT_EQ(3u, pm.GetCustomFontCount());
    ASSERT_TRUE(pm.RemoveFont(f1));
    EXPECT_EQ(f2, pm.GetFont(1));
    pm.RemoveAllFonts();
    EXPECT_EQ(0u, pm.GetCustomFontCount());
}

TEST(FontRegistry, LookupsByDescriptionMatchAllFiveValuesAndFollowTheParent)
{
    CPaintManagerUI parent;
    CPaintManagerUI child;
    const HFONT font = parent.AddFont(L"Verdana", 12, true, false, false);
    ASSERT_TRUE(child.UseParentResource(&parent));

    EXPECT_EQ(font, child.GetFont(L"Verdana", 12, true, false, false));
    EXPECT_TRUE(child.FindFont(L"Verdana", 12, true, false, false));
    EXPECT_TRUE(child.FindFont(font));
    EXPECT_EQ(font, child.GetFontInfo(font)->hFont.get());
    EXPECT_EQ(-1, child.GetFontIndex(font));
    EXPECT_EQ(-1, child.GetFontIndex(L"Verdana", 12, true, false, false));
    EXPECT_EQ(0, parent.GetFontIndex(L"Verdana", 12, true, false, false));

    EXPECT_EQ(nullptr, child.GetFont(L"verdana", 12, true, false, false));
    EXPECT_EQ(nullptr, child.GetFont(L"Verdana", 13, true, false, false));
    EXPECT_EQ(nullptr, child.GetFont(L"Verdana", 12, false, false, false));
    EXPECT_EQ(nullptr, child.GetFont(L"Verdana", 12, true, true, false));
    EXPECT_EQ(nullptr, child.GetFont(L"Verdana", 12, true, false, true));
    EXPECT_FALSE(child.RemoveFont(font)) << "fonts of the parent are not the child's to remove";
}

TEST(FontRegistry, DefaultFaceDependsOnTheSystemVersion)
{
    EXPECT_STREQ(L"\x5B8B\x4F53", DuiLib::DefaultFontFaceFor(5));
    EXPECT_STREQ(L"\x5FAE\x8F6F\x96C5\x9ED1", DuiLib::DefaultFontFaceFor(6));
    EXPECT_STREQ(L"\x5FAE\x8F6F\x96C5\x9ED1", DuiLib::DefaultFontFaceFor(10));

    CPaintManagerUI pm;
    const TFontInfo* info = pm.GetDefaultFontInfo();
    EXPECT_STREQ(DuiLib::DefaultFontFaceFor(DuiLib::QueryOsMajorVersion()), info->sFontName);
    const LOGFONTW gui = Logical(::GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(-gui.lfHeight, info->iSize);
    EXPECT_STREQ(info->sFontName, Logical(info->hFont.get()).lfFaceName);
}

TEST(FontRegistry, DefaultFontIsSharedAndLivesAsLongAsAnyManager)
{
    auto first = std::make_unique<CPaintManagerUI>();
    first->SetDefaultFont(L"Courier New", 17, false, false, false);
    const HFONT shared = first->GetFont(-1);
    CPaintManagerUI second;
    EXPECT_EQ(shared, second.GetFont(-1));
    first.reset();
    EXPECT_EQ(shared, second.GetFont(-1));
    EXPECT_STREQ(L"Courier New", Logical(second.GetFont(-1)).lfFaceName) << "still a live font";

    second.SetDefaultFont(std::wstring(40, L'x').c_str(), 17, false, false, false);
    EXPECT_EQ(shared, second.GetFont(-1)) << "a font that cannot be made changes nothing";
}

TEST(FontRegistry, MetricsAreTakenWithTheWindowsDeviceContext)
{
    CPaintManagerUI unattached;
    unattached.AddFont(L"Arial", 20, false, false, false);
    EXPECT_EQ(0, unattached.GetFontInfo(0)->tm.tmHeight) << "nothing to measure with yet";

    MeasuringWindow window;
    ASSERT_NE(nullptr, window.get());
    CPaintManagerUI pm;
    pm.Init(window.get());
    ASSERT_NE(nullptr, pm.GetPaintDC());
    pm.AddFont(L"Arial", 20, false, false, false);
    TFontInfo* info = pm.GetFontInfo(0);
    EXPECT_GE(info->tm.tmHeight, 18);
    EXPECT_LE(info->tm.tmHeight, 26);
    pm.SetDefaultFont(L"Arial", 30, false, false, false);
    EXPECT_GT(pm.GetDefaultFontInfo()->tm.tmHeight, info->tm.tmHeight);

    ASSERT_TRUE(unattached.UseParentResource(&pm));
    unattached.SetDefaultFont(L"Arial", 40, false, false, false);
    EXPECT_GT(unattached.GetDefaultFontInfo()->tm.tmHeight, 35) << "measured through the top manager";
}
