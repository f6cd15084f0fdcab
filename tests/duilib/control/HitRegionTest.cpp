// Hit regions from an image's opaque pixels, and "random" controls hit-tested by them.

#include "duilib/control/ControlUI.h"
#include "duilib/control/OpaqueRuns.h"
#include "duilib/core/PaintManager.h"

#include "tests/TestPrinters.h"
#include "tests/duilib/core/render/RenderCanvas.h"

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

using DuiLib::CControlUI;
using DuiLib::COpaqueRuns;

namespace {

struct RunsCase {
    const char* label;
    int width;
    std::vector<DWORD> pixels;
    DWORD key;
    DWORD tolerance;
    std::vector<RECT> expected; // offset by (100, 200)
};

void PrintTo(const RunsCase& c, std::ostream* os)
{
    *os << c.label;
}

class OpaqueRuns : public testing::TestWithParam<RunsCase> {};

TEST_P(OpaqueRuns, AreMaximalRowRunsOfNonKeyPixels)
{
    const RunsCase& c = GetParam();
    std::vector<RECT> runs;
    const int height = static_cast<int>(c.pixels.size()) / c.width;
    COpaqueRuns::Scan(c.pixels.data(), c.width, height, c.key, c.tolerance, 100, 200,
                      [&runs](const RECT& rc) { runs.push_back(rc); });
    ASSERT_EQ(c.expected.size(), runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(c.expected[i], runs[i]) << "run " << i;
    }
}

CControlUI* CALLBACK Itself(CControlUI* control, LPVOID)
{
    return control;
}

constexpr DWORD K = 0xFF000000; // black: transparent with key 0
constexpr DWORD X = 0xFFFFFFFF;

const RunsCase kRunsCases[] = {
    {"all transparent", 3, {K, K, K, K, K, K}, 0, 0, {}},
    {"runs per row", 4, {X, X, K, X, K, X, X, K}, 0, 0,
     {{100, 200, 102, 201}, {103, 200, 104, 201}, {101, 201, 103, 202}}},
    {"alpha does not count", 2, {0x00000000, 0x00FFFFFF}, 0, 0, {{101, 200, 102, 201}}},
    {"tolerance widens the key per channel", 3, {0xFF102030, 0xFF112233, 0xFF142030}, 0x00102030, 0x00010203, {{102, 200, 103, 201}}},
    {"the key's low byte is blue", 2, {0xFF0000FF, 0xFFFF0000}, 0x000000FF, 0, {{101, 200, 102, 201}}},
    {"tolerance stops at 255", 1, {0xFFFFFFFF}, 0x00F0F0F0, 0x00808080, {}},
};

INSTANTIATE_TEST_SUITE_P(Table, OpaqueRuns, testing::ValuesIn(kRunsCases));

TEST(HitRegion, RandomControlsAreHitOnlyOnTheImagesOpaquePixels)
{
    // Left half transparent (black), right half white.
    const HBITMAP image = render_test::MakeBitmap(10, 10, [](int x, int) { return x < 5 ? 0xFF000000u : 0xFFFFFFFFu; });
    const HRGN region = CControlUI::GetRegion(image, 0, 0, 3, 4);
    ASSERT_NE(nullptr, region);
    EXPECT_FALSE(::PtInRegion(region, 3 + 4, 4 + 5));
    EXPECT_TRUE(::PtInRegion(region, 3 + 5, 4 + 5));
    EXPECT_FALSE(::PtInRegion(region, 3 + 10, 4 + 5));
    ::DeleteObject(region);

    DuiLib::CPaintManagerUI manager;
    ASSERT_NE(nullptr, manager.AddImage(L"half", image, 10, 10, false));
    CControlUI control;
    control.SetManager(&manager, nullptr, false);
    control.SetAttribute(L"random", L"true");
    control.SetAttribute(L"bkimage", L"file='half'");
    control.SetPos({20, 20, 30, 30});
    render_test::Canvas canvas(40, 40);
    control.DoPaint(canvas.Dc(), {0, 0, 40, 40});
    auto hit = [&control](int x, int y) {
        POINT pt{x, y};
        return control.FindControl(Itself, &pt, DuiLib::UIFIND_HITTEST) != nullptr;
    };
    EXPECT_FALSE(hit(22, 25));
    EXPECT_TRUE(hit(27, 25));
    control.SetPos({0, 0, 10, 10});
    EXPECT_TRUE(hit(7, 5)) << "the region moves with the control";
    EXPECT_FALSE(hit(2, 5));
}

} // namespace
