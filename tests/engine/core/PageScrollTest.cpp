#include "engine/browser/PageScroll.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

constexpr int kContent = 1000;
constexpr int kViewport = 300;
constexpr int kMax = kContent - kViewport;
constexpr int kPage = kViewport - PageScroll::kPageOverlap;

struct Step {
    const char* name;
    int from;
    std::optional<int> (*target)(const PageScroll&);
    int to;  // after clamping; -1: the input does not scroll
};

class PageScrollSteps : public testing::TestWithParam<Step> {};

TEST_P(PageScrollSteps, MoveByLinesPagesAndToTheEndsWithinTheRange)
{
    const Step& step = GetParam();
    PageScroll scroll;
    scroll.SetExtent(kContent, kViewport);
    scroll.ScrollTo(step.from);
    const std::optional<int> target = step.target(scroll);
    if (step.to < 0) {
        EXPECT_FALSE(target.has_value());
        return;
    }
    ASSERT_TRUE(target.has_value());
    scroll.ScrollTo(*target);
    EXPECT_EQ(scroll.Position(), step.to);
}

std::optional<int> Key(const PageScroll& s, UINT key, bool shift = false)
{
    return s.TargetForKey(key, shift);
}

INSTANTIATE_TEST_SUITE_P(Inputs, PageScrollSteps, testing::Values(
    Step{"down", 0, [](const PageScroll& s) { return Key(s, VK_DOWN); }, PageScroll::kLineStep},
    Step{"up at top", 0, [](const PageScroll& s) { return Key(s, VK_UP); }, 0},
    Step{"page down", 100, [](const PageScroll& s) { return Key(s, VK_NEXT); }, 100 + kPage},
    Step{"page up", 600, [](const PageScroll& s) { return Key(s, VK_PRIOR); }, 600 - kPage},
    Step{"space", 0, [](const PageScroll& s) { return Key(s, VK_SPACE); }, kPage},
    Step{"shift space", 600, [](const PageScroll& s) { return Key(s, VK_SPACE, true); }, 600 - kPage},
    Step{"page down near end", kMax - 10, [](const PageScroll& s) { return Key(s, VK_NEXT); }, kMax},
    Step{"end", 0, [](const PageScroll& s) { return Key(s, VK_END); }, kMax},
    Step{"home", 500, [](const PageScroll& s) { return Key(s, VK_HOME); }, 0},
    Step{"letter", 500, [](const PageScroll& s) { return Key(s, 'A'); }, -1},
    Step{"bar line down", 10, [](const PageScroll& s) { return s.TargetForScrollBar(SB_LINEDOWN, 0); },
         10 + PageScroll::kLineStep},
    Step{"bar page up", 10, [](const PageScroll& s) { return s.TargetForScrollBar(SB_PAGEUP, 0); }, 0},
    Step{"bar drag", 0, [](const PageScroll& s) { return s.TargetForScrollBar(SB_THUMBTRACK, 420); }, 420},
    Step{"bar bottom", 0, [](const PageScroll& s) { return s.TargetForScrollBar(SB_BOTTOM, 0); }, kMax},
    Step{"bar end of scroll", 7, [](const PageScroll& s) { return s.TargetForScrollBar(SB_ENDSCROLL, 0); }, -1},
    Step{"wheel notch down", 0,
         [](const PageScroll& s) { return std::optional<int>(s.TargetForWheel(-WHEEL_DELTA)); },
         PageScroll::kWheelStep},
    Step{"wheel far up", 100,
         [](const PageScroll& s) { return std::optional<int>(s.TargetForWheel(100 * WHEEL_DELTA)); }, 0}),
    [](const testing::TestParamInfo<Step>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            c = c == ' ' ? '_' : c;
        }
        return name;
    });

TEST(PageScroll, RangeFollowsTheExtentAndNeverGoesNegative)
{
    PageScroll scroll;
    scroll.SetExtent(kContent, kViewport);
    EXPECT_TRUE(scroll.ScrollTo(kMax + 50));
    EXPECT_EQ(scroll.Position(), kMax);
    scroll.SetExtent(500, kViewport);  // the page got shorter
    EXPECT_EQ(scroll.Position(), 200);
    scroll.SetExtent(100, kViewport);  // now it fits
    EXPECT_EQ(scroll.MaxPosition(), 0);
    EXPECT_EQ(scroll.Position(), 0);
    EXPECT_FALSE(scroll.ScrollTo(40));
    scroll.SetExtent(kContent, 30);  // a tiny window still steps forward
    EXPECT_EQ(scroll.PageStep(), 15);
}

} // namespace
} // namespace engine
