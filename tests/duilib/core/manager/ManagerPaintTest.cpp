// Painting through real WM_PAINT and WM_PRINTCLIENT: only the update area is painted,
// a layered window's canvas gets per-pixel alpha, the link under the mouse takes the
// hover colour, and the window values that act on the window.

#include "ManagerFixture.h"

#include "tests/TestPrinters.h"

#include "duilib/core/RenderEngine.h"
#include "tests/duilib/core/images/ImageTestSupport.h"
#include "tests/duilib/core/render/RenderCanvas.h"

using render_test::Canvas;
using render_test::Rgb;

namespace {

// Remembers where and into what it was last painted.
class PaintSpyUI final : public DuiLib::CControlUI {
public:
    void DoPaint(HDC hDC, const RECT& rcPaint) override
    {
        lastDc = hDC;
        lastPaint = rcPaint;
        ++paints;
        CControlUI::DoPaint(hDC, rcPaint);
    }
    void PaintText(HDC hDC) override
    {
        DuiLib::CRenderEngine::DrawColor(hDC, {10, 0, 20, 10}, 0xFFFF0000);  // plain GDI: alpha stays 0
        DuiLib::CRenderEngine::DrawColor(hDC, {20, 0, 30, 10}, 0x80FF0000);  // blended: premultiplied alpha
        DuiLib::CRenderEngine::DrawColor(hDC, {30, 0, 40, 10}, 0xFF000000);  // GDI black cannot be told apart
        int links = 2;
        DuiLib::CRenderEngine::DrawHtmlText(hDC, GetManager(), linkRect, L"{a}link{/a}", 0xFF000000, linkRects,
                                            linkTexts, links, DT_SINGLELINE);
    }
    HDC lastDc = nullptr;
    RECT lastPaint{};
    int paints = 0;
    RECT linkRect{0, 50, 100, 80};
    RECT linkRects[2]{};
    DuiLib::CDuiString linkTexts[2];
};

class ManagerPaint : public testing::Test {
protected:
    void Attach(probe::TestWindow& window)
    {
        window.Manager().AttachDialog(m_spy);
        window.Paint();
    }
    PaintSpyUI* m_spy = new PaintSpyUI; // owned by the manager once attached
};

DWORD CanvasPixel(HDC hDC, int x, int y)
{
    DIBSECTION ds{};
    const auto bitmap = static_cast<HBITMAP>(::GetCurrentObject(hDC, OBJ_BITMAP));
    if (::GetObjectW(bitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBits == nullptr) {
        return 0xDEADBEEF;
    }
    ::GdiFlush();
    return static_cast<const DWORD*>(ds.dsBm.bmBits)[y * ds.dsBm.bmWidthBytes / 4 + x];
}

TEST_F(ManagerPaint, OnlyTheUpdateAreaIsPaintedThroughTheBuffer)
{
    probe::TestWindow window(100, 100);
    Attach(window);
    EXPECT_EQ((RECT{0, 0, 100, 100}), m_spy->lastPaint);
    const int before = m_spy->paints;
    const RECT area{10, 20, 30, 40};
    ::InvalidateRect(window.Hwnd(), &area, FALSE);
    window.Paint();
    EXPECT_EQ(before + 1, m_spy->paints);
    EXPECT_EQ((RECT{10, 20, 30, 40}), m_spy->lastPaint);
    EXPECT_NE(nullptr, m_spy->lastDc);
}

TEST_F(ManagerPaint, LayeredWindowsGetPerPixelAlpha)
{
    probe::TestWindow window(60, 60);
    window.Manager().SetBackgroundTransparent(true);
    m_spy->SetBkColor(0x400000FF);
    Attach(window);
    EXPECT_NE(0, ::GetWindowLongPtrW(window.Hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    const HDC canvas = m_spy->lastDc;
    ASSERT_NE(nullptr, canvas);
    const struct {
        int x;
        DWORD expected;
    } cases[] = {{5, 0x40000040}, {15, 0xFFFF0000}, {25, 0xA0800020}, {35, 0x00000000}};
    for (const auto& c : cases) {
        const DWORD pixel = CanvasPixel(canvas, c.x, 5);
        for (int shift = 0; shift < 32; shift += 8) {
            EXPECT_NEAR(static_cast<int>((c.expected >> shift) & 0xFF), static_cast<int>((pixel >> shift) & 0xFF), 1)
                << "x " << c.x << std::hex << " pixel " << pixel;
        }
    }
}

TEST_F(ManagerPaint, PrintClientPaintsTheTreeIntoTheGivenDc)
{
    probe::TestWindow window(50, 50, false);
    m_spy->SetBkColor(0xFF00FF00);
    Attach(window);
    Canvas canvas(50, 50, {255, 255, 255});
    window.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_EQ((Rgb{0, 255, 0}), canvas.PixelAt(45, 45));
    EXPECT_EQ((Rgb{255, 0, 0}), canvas.PixelAt(15, 5));
}

TEST_F(ManagerPaint, TheLinkUnderTheMouseTakesTheHoverColour)
{
    probe::TestWindow window(100, 100, false);
    window.Manager().SetDefaultLinkFontColor(0xFF0000FF);
    window.Manager().SetDefaultLinkHoverFontColor(0xFF00FF00);
    Attach(window);
    // Counts the pixels of one colour in the link's line, painted through WM_PRINTCLIENT.
    auto countInk = [&window](Rgb colour) {
        Canvas canvas(100, 100, {255, 255, 255});
        window.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
        int count = 0;
        for (int y = 50; y < 80; ++y) {
            for (int x = 0; x < 100; ++x) {
                count += canvas.PixelAt(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(countInk({0, 0, 255}), 0);
    ASSERT_FALSE(::IsRectEmpty(&m_spy->linkRects[0]));
    const RECT& link = m_spy->linkRects[0];
    window.SendMouse(WM_MOUSEMOVE, (link.left + link.right) / 2, (link.top + link.bottom) / 2);
    EXPECT_GT(countInk({0, 255, 0}), 0);
    EXPECT_EQ(0, countInk({0, 0, 255}));
    window.SendMouse(WM_MOUSEMOVE, 5, 95);
    EXPECT_EQ(0, countInk({0, 255, 0}));
}

TEST_F(ManagerPaint, ReloadingImagesRepaintsTheRoot)
{
    image_test::ScratchFolder folder;
    folder.Write(L"dot.png", image_test::GradientPng(4, 4));
    image_test::SkinFolderScope skin(folder.Path());
    probe::TestWindow window(40, 30);
    m_spy->SetBkImage(L"dot.png");
    Attach(window);
    RECT update{};
    EXPECT_FALSE(::GetUpdateRect(window.Hwnd(), &update, FALSE));
    window.Manager().ReloadAllImages();
    ASSERT_TRUE(::GetUpdateRect(window.Hwnd(), &update, FALSE));
    EXPECT_EQ((RECT{0, 0, 40, 30}), update);
}

TEST_F(ManagerPaint, WindowValuesActOnTheWindow)
{
    probe::TestWindow window(80, 80);
    Attach(window);
    window.Manager().SetTransparent(300);
    EXPECT_EQ(255, window.Manager().GetTransparent());
    window.Manager().SetTransparent(128);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(window.Hwnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(128, alpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags);

    window.Manager().SetMinInfo(600, 340);
    window.Manager().SetMaxInfo(0, 900);
    MINMAXINFO info{};
    info.ptMaxTrackSize = {1234, 1234};
    window.Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ((POINT{600, 340}), info.ptMinTrackSize);
    EXPECT_EQ((POINT{1234, 900}), info.ptMaxTrackSize);

    DuiLib::CPaintManagerUI::SetHSL(true, 400, -5, 150);
    short h = 0;
    short s = 0;
    short l = 0;
    DuiLib::CPaintManagerUI::GetHSL(&h, &s, &l);
    EXPECT_EQ(360, h);
    EXPECT_EQ(0, s);
    EXPECT_EQ(150, l);
    RECT update{};
    EXPECT_TRUE(::GetUpdateRect(window.Hwnd(), &update, FALSE)) << "a new HSL repaints every window";
    DuiLib::CPaintManagerUI::SetHSL(true, 180, 100, 100);
}

} // namespace
