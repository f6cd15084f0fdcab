// A window of 1,000 controls (25 rows of 40, each with an opaque background colour and
// every fourth with a one-pixel border) at 1080 × 700: a full paint through the
// manager's buffer against the 16.7 ms of a frame and against the same fills and frames
// drawn straight with GDI into a buffer and copied to the window (the floor); hit tests
// and name lookups per second; the paint cycle after one control changed its size.

#include "BenchHarness.h"

#include "duilib/core/OffscreenBitmap.h"

#include "duilib/layout/HorizontalLayoutUI.h"
#include "duilib/layout/VerticalLayoutUI.h"
#include "tests/duilib/support/TestWindow.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1080;
constexpr int kHeight = 700;
constexpr int kRows = 25;
constexpr int kColumns = 40;
constexpr int kRowHeight = kHeight / kRows;
constexpr int kCellWidth = kWidth / kColumns;
constexpr double kFrameSeconds = 1.0 / 60.0;

DWORD CellColour(int row, int column)
{
    return 0xFF000000 | static_cast<DWORD>(row * 9 << 16 | column * 6 << 8 | 0x80);
}

RECT CellRect(int row, int column)
{
    return RECT{column * kCellWidth, row * kRowHeight, (column + 1) * kCellWidth, (row + 1) * kRowHeight};
}

// A vertical layout of 25 horizontal rows, 40 named cells each.
DuiLib::CControlUI* BuildTree(std::vector<std::wstring>& names)
{
    auto* root = new DuiLib::CVerticalLayoutUI;
    root->SetBkColor(0xFF202020);
    for (int row = 0; row < kRows; ++row) {
        auto* line = new DuiLib::CHorizontalLayoutUI;
        line->SetFixedHeight(kRowHeight);
        root->Add(line);
        for (int column = 0; column < kColumns; ++column) {
            names.push_back(L"c" + std::to_wstring(row * kColumns + column));
            auto* leaf = new DuiLib::CControlUI;
            leaf->SetName(names.back().c_str());
            leaf->SetFixedWidth(kCellWidth);
            leaf->SetBkColor(CellColour(row, column));
            if (column % 4 == 0) {
                leaf->SetBorderColor(0xFFFFFFFF);
                leaf->SetBorderSize(1);
            }
            line->Add(leaf);
        }
    }
    return root;
}

// What the tree draws, with one GDI call per fill and per frame.
void PaintFloor(HDC target, const DuiLib::COffscreenBitmap& buffer)
{
    const HDC dc = buffer.GetDC();
    const auto brush = static_cast<HBRUSH>(::GetStockObject(DC_BRUSH));
    ::SetDCBrushColor(dc, RGB(0x20, 0x20, 0x20));
    const RECT all{0, 0, kWidth, kHeight};
    ::FillRect(dc, &all, brush);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const RECT cell = CellRect(row, column);
            const DWORD colour = CellColour(row, column);
            ::SetDCBrushColor(dc, RGB(colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF));
            ::FillRect(dc, &cell, brush);
            if (column % 4 == 0) {
                ::SetDCBrushColor(dc, RGB(255, 255, 255));
                ::FrameRect(dc, &cell, brush);
            }
        }
    }
    ::BitBlt(target, 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY);
    ::GdiFlush();
}

template <typename Fn>
double PerSecond(int count, Fn&& fn)
{
    const double seconds = bench::MedianSeconds(5, [&] {
        for (int i = 0; i < count; ++i) {
            fn(i);
        }
    });
    return seconds > 0.0 ? count / seconds : 0.0;
}

} // namespace

int main()
{
    probe::TestWindow window(kWidth, kHeight);
    std::vector<std::wstring> names;
    window.Manager().AttachDialog(BuildTree(names));
    window.Paint();

    const double paint = bench::MedianSeconds(41, [&] {
        ::InvalidateRect(window.Hwnd(), nullptr, FALSE);
        window.Paint();
    });
    std::printf("full paint of %d controls: %.3f ms, %.3f of a 16.7 ms frame\n", kRows * kColumns + kRows + 1,
                paint * 1e3, paint / kFrameSeconds);
    const DuiLib::COffscreenBitmap buffer(nullptr, kWidth, kHeight);
    const HDC windowDc = ::GetDC(window.Hwnd());
    bench::PrintHeader();
    bench::Compare("full paint vs GDI floor", 41,
                   [&] {
                       ::InvalidateRect(window.Hwnd(), nullptr, FALSE);
                       window.Paint();
                   },
                   [&] { PaintFloor(windowDc, buffer); });
    ::ReleaseDC(window.Hwnd(), windowDc);

    std::mt19937 random(12345);
    std::vector<POINT> points(10000);
    for (POINT& pt : points) {
        pt = POINT{static_cast<LONG>(random() % kWidth), static_cast<LONG>(random() % kHeight)};
    }
    DuiLib::CControlUI* found = nullptr;
    const double hits = PerSecond(10000, [&](int i) { found = window.Manager().FindControl(points[i]); });
    bench::KeepAlive(found);
    std::printf("FindControl(point): %.0f per second\n", hits);
    const double lookups = PerSecond(10000, [&](int i) {
        found = window.Manager().FindControl(names[static_cast<size_t>(i % names.size())].c_str());
    });
    bench::KeepAlive(found);
    std::printf("FindControl(name): %.0f per second\n", lookups);

    DuiLib::CControlUI* changing = window.Manager().FindControl(L"c517");
    int width = changing->GetFixedWidth();
    const double relayout = bench::MedianSeconds(41, [&] {
        changing->SetFixedWidth(++width);
        window.Paint();
    });
    std::printf("layout and paint after one control changed size: %.3f ms\n", relayout * 1e3);
    return 0;
}
