// The vertical and the horizontal layout: exact rectangles for the sizing rules and
// their edge cases, one table per layout kind, a property test over random trees, and
// skins that would break naive arithmetic.

#include "duilib/layout/HorizontalLayoutUI.h"
#include "duilib/layout/VerticalLayoutUI.h"

#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

using DuiLib::CContainerUI;
using DuiLib::CControlUI;

namespace {

struct LayoutCase {
    const char* label;
    RECT container;
    const wchar_t* containerAttributes;
    std::vector<const wchar_t*> children; // attribute lists
    std::vector<RECT> expected;
};

void PrintTo(const LayoutCase& c, std::ostream* os)
{
    *os << c.label;
}

template <typename Layout>
void CheckLayout(const LayoutCase& c)
{
    Layout layout;
    layout.ApplyAttributeList(c.containerAttributes);
    std::vector<CControlUI*> children;
    for (const wchar_t* attributes : c.children) {
        children.push_back(new CControlUI);
        children.back()->ApplyAttributeList(attributes);
        ASSERT_TRUE(layout.Add(children.back()));
    }
    layout.SetPos(c.container);
    ASSERT_EQ(c.expected.size(), children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        EXPECT_EQ(c.expected[i], children[i]->GetPos()) << "child " << i;
    }
}

class VerticalLayoutRects : public testing::TestWithParam<LayoutCase> {};
class HorizontalLayoutRects : public testing::TestWithParam<LayoutCase> {};

TEST_P(VerticalLayoutRects, Exact)
{
    CheckLayout<DuiLib::CVerticalLayoutUI>(GetParam());
}

TEST_P(HorizontalLayoutRects, Exact)
{
    CheckLayout<DuiLib::CHorizontalLayoutUI>(GetParam());
}

const LayoutCase kVerticalCases[] = {
    {"fixed then two stretchable share the rest", {0, 0, 100, 100}, L"",
     {L"height=\"30\"", L"", L""}, {{0, 0, 100, 30}, {0, 30, 100, 65}, {0, 65, 100, 100}}},
    {"a capped stretchable child leaves the rest to the last", {0, 0, 100, 100}, L"",
     {L"height=\"30\"", L"maxheight=\"20\"", L""}, {{0, 0, 100, 30}, {0, 30, 100, 50}, {0, 50, 100, 100}}},
    {"child padding between fixed children", {0, 0, 100, 100}, L"childpadding=\"5\"",
     {L"height=\"10\"", L"height=\"10\"", L"height=\"10\""}, {{0, 0, 100, 10}, {0, 15, 100, 25}, {0, 30, 100, 40}}},
    {"the bottom padding lies inside the rectangle", {0, 0, 100, 100}, L"",
     {L"height=\"10\" padding=\"0,3,0,4\"", L"height=\"10\""}, {{0, 3, 100, 17}, {0, 17, 100, 27}}},
    {"stretchable children with paddings and gaps fill exactly", {0, 0, 100, 100}, L"childpadding=\"5\"",
     {L"padding=\"0,3,0,4\"", L"padding=\"0,3,0,4\"", L"padding=\"0,3,0,4\""},
     {{0, 3, 100, 30}, {0, 38, 100, 65}, {0, 73, 100, 100}}},
    {"width: fixed, padded, at least the minimum", {0, 0, 100, 100}, L"",
     {L"width=\"40\" height=\"10\"", L"padding=\"5,0,5,0\" height=\"10\"", L"minwidth=\"120\" height=\"10\""},
     {{0, 0, 40, 10}, {5, 10, 95, 20}, {0, 20, 120, 30}}},
    {"inset", {0, 0, 100, 100}, L"inset=\"10,20,30,40\"", {L""}, {{10, 20, 70, 60}}},
    {"floating children are placed by pos and take no space", {0, 0, 500, 100}, L"",
     {L"float=\"true\" pos=\"-100,0,-10,30\"", L"float=\"true\" pos=\"10,-40,30,-10\"", L""},
     {{400, 0, 490, 30}, {10, 60, 30, 90}, {0, 0, 500, 100}}},
    {"hidden children take no space", {0, 0, 100, 100}, L"", {L"visible=\"false\" height=\"30\"", L""},
     {{0, 0, 0, 0}, {0, 0, 100, 100}}},
    {"a minimum above the maximum gives the maximum", {0, 0, 100, 100}, L"",
     {L"height=\"30\" minheight=\"50\" maxheight=\"20\""}, {{0, 0, 100, 20}}},
    {"more fixed height than room runs past the end", {0, 0, 100, 100}, L"",
     {L"height=\"80\"", L"height=\"80\"", L""}, {{0, 0, 100, 80}, {0, 80, 100, 160}, {0, 160, 100, 160}}},
    {"negative sizes are ignored", {0, 0, 100, 100}, L"", {L"height=\"-5\" width=\"-5\""}, {{0, 0, 100, 100}}},
    {"an empty container", {0, 0, 0, 0}, L"inset=\"10,10,10,10\"", {L"", L"height=\"5\""},
     {{10, 10, 10, 10}, {10, 10, 10, 15}}},
};

const LayoutCase kHorizontalCases[] = {
    {"fixed then two stretchable share the rest", {0, 0, 100, 50}, L"",
     {L"width=\"30\"", L"", L""}, {{0, 0, 30, 50}, {30, 0, 65, 50}, {65, 0, 100, 50}}},
    {"child padding between fixed children", {0, 0, 100, 50}, L"childpadding=\"5\"",
     {L"width=\"10\"", L"width=\"10\"", L"width=\"10\""}, {{0, 0, 10, 50}, {15, 0, 25, 50}, {30, 0, 40, 50}}},
    {"the right padding lies inside the rectangle", {0, 0, 100, 50}, L"",
     {L"width=\"10\" padding=\"3,0,4,0\"", L"width=\"10\""}, {{3, 0, 17, 50}, {17, 0, 27, 50}}},
    {"height: fixed, padded, limited", {0, 0, 100, 50}, L"",
     {L"height=\"20\" width=\"10\"", L"padding=\"0,5,0,5\" width=\"10\"", L"maxheight=\"30\" width=\"10\""},
     {{0, 0, 10, 20}, {10, 5, 20, 45}, {20, 0, 30, 30}}},
    {"a capped stretchable child leaves the rest to the last", {0, 0, 100, 50}, L"",
     {L"maxwidth=\"20\"", L""}, {{0, 0, 20, 50}, {20, 0, 100, 50}}},
    {"floating children are placed by pos", {0, 0, 500, 50}, L"inset=\"5,5,5,5\"",
     {L"float=\"true\" pos=\"-100,0,-10,30\"", L""}, {{400, 0, 490, 30}, {5, 5, 495, 45}}},
    {"more fixed width than room runs past the end", {0, 0, 100, 50}, L"",
     {L"width=\"70\"", L"width=\"70\""}, {{0, 0, 70, 50}, {70, 0, 140, 50}}},
};

INSTANTIATE_TEST_SUITE_P(Table, VerticalLayoutRects, testing::ValuesIn(kVerticalCases));
INSTANTIATE_TEST_SUITE_P(Table, HorizontalLayoutRects, testing::ValuesIn(kHorizontalCases));

// Random children whose demands fit: fixed sizes within the room left, stretchable
// ones without a minimum, cross sizes within the container.
struct RandomChild {
    bool visible;
    int main;    // 0: stretchable
    int maxMain; // for stretchable ones
    RECT padding;
    int cross;
};

std::vector<RandomChild> RandomChildren(std::mt19937& random, int available, int crossAvailable)
{
    std::vector<RandomChild> children(random() % 12);
    int room = available;
    for (RandomChild& c : children) {
        c.visible = random() % 10 != 0;
        c.padding = RECT{static_cast<LONG>(random() % 4), static_cast<LONG>(random() % 4),
                         static_cast<LONG>(random() % 4), static_cast<LONG>(random() % 4)};
        int pads = c.padding.left + c.padding.top + c.padding.right + c.padding.bottom + 4;
        if (room <= pads + 1) {
            c.padding = RECT{0, 0, 0, 0}; // no room left for paddings either
            pads = 0;
        }
        const bool stretch = random() % 2 == 0 || pads == 0;
        c.main = stretch ? 0 : 1 + static_cast<int>(random() % static_cast<unsigned>(room - pads));
        c.maxMain = random() % 3 == 0 ? 1 + static_cast<int>(random() % 40) : 9999;
        c.cross = random() % 2 == 0 ? 0 : 1 + static_cast<int>(random() % static_cast<unsigned>(crossAvailable / 2 + 1));
        if (c.visible) {
            room = std::max(room - c.main - pads, 0);
        }
    }
    return children;
}

CControlUI* MakeChild(const RandomChild& r, bool vertical)
{
    auto* c = new CControlUI;
    c->SetVisible(r.visible);
    c->SetPadding(r.padding);
    if (vertical) {
        c->SetFixedHeight(r.main);
        c->SetMaxHeight(r.maxMain);
        c->SetFixedWidth(r.cross);
    } else {
        c->SetFixedWidth(r.main);
        c->SetMaxWidth(r.maxMain);
        c->SetFixedHeight(r.cross);
    }
    return c;
}

std::unique_ptr<CContainerUI> MakeLayout(bool vertical, int childPadding, const RECT& inset)
{
    std::unique_ptr<CContainerUI> layout;
    if (vertical) {
        layout = std::make_unique<DuiLib::CVerticalLayoutUI>();
    } else {
        layout = std::make_unique<DuiLib::CHorizontalLayoutUI>();
    }
    layout->SetChildPadding(childPadding);
    layout->SetInset(inset);
    return layout;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(LinearLayoutProperties, RandomTreesStackWithoutOverlapInsideTheInset)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 400; ++round) {
        const bool vertical = round % 2 == 0;
        const RECT inset{static_cast<LONG>(random() % 6), static_cast<LONG>(random() % 6),
                         static_cast<LONG>(random() % 6), static_cast<LONG>(random() % 6)};
        const RECT rc{0, 0, 40 + static_cast<LONG>(random() % 300), 40 + static_cast<LONG>(random() % 300)};
        const RECT inner{inset.left, inset.top, rc.right - inset.right, rc.bottom - inset.bottom};
        const int gap = static_cast<int>(random() % 4);
        const int available = vertical ? inner.bottom - inner.top : inner.right - inner.left;
        const int crossAvailable = vertical ? inner.right - inner.left : inner.bottom - inner.top;
        const std::vector<RandomChild> children = RandomChildren(random, available - 11 * gap, crossAvailable);

        auto full = MakeLayout(vertical, gap, inset);
        auto visibleOnly = MakeLayout(vertical, gap, inset);
        std::vector<CControlUI*> shown;
        std::vector<CControlUI*> alone;
        for (const RandomChild& r : children) {
            CControlUI* c = MakeChild(r, vertical);
            full->Add(c);
            if (r.visible) {
                shown.push_back(c);
                alone.push_back(MakeChild(r, vertical));
                visibleOnly->Add(alone.back());
            }
        }
        full->SetPos(rc);
        visibleOnly->SetPos(rc);
        long long used = gap * std::max<long long>(static_cast<long long>(shown.size()) - 1, 0);
        for (size_t i = 0; i < shown.size(); ++i) {
            const RECT& a = shown[i]->GetPos();
            ASSERT_EQ(alone[i]->GetPos(), a) << "round " << round << ": hidden children take no space";
            ASSERT_TRUE(Inside(a, inner)) << "round " << round << " child " << i << " " << testing::PrintToString(a)
                                          << " in " << testing::PrintToString(inner) << (vertical ? " v" : " h");
            const RECT pad = shown[i]->GetPadding();
            used += vertical ? a.bottom - a.top + pad.top : a.right - a.left + pad.left;
            for (size_t j = i + 1; j < shown.size(); ++j) {
                RECT overlap{};
                ASSERT_FALSE(::IntersectRect(&overlap, &a, &shown[j]->GetPos())) << "round " << round;
            }
        }
        ASSERT_LE(used, available) << "round " << round;
    }
}

TEST(LinearLayoutProperties, HugeSkinsNeitherOverflowNorCrash)
{
    DuiLib::CVerticalLayoutUI wide;
    for (int i = 0; i < 5000; ++i) {
        auto* c = new CControlUI;
        c->SetAttribute(L"height", L"99999999");
        c->SetAttribute(L"maxheight", L"99999999");
        wide.Add(c);
    }
    wide.SetPos({0, 0, 100, 100});
    const RECT& last = wide.GetItemAt(4999)->GetPos();
    EXPECT_EQ(1 << 30, last.bottom) << "coordinates saturate instead of wrapping";
    EXPECT_LE(last.top, last.bottom);

    // As deep as skin markup may nest.
    auto* root = new DuiLib::CHorizontalLayoutUI;
    CContainerUI* level = root;
    for (int depth = 0; depth < 512; ++depth) {
        auto* next = depth % 2 == 0 ? static_cast<CContainerUI*>(new DuiLib::CVerticalLayoutUI)
                                    : static_cast<CContainerUI*>(new DuiLib::CHorizontalLayoutUI);
        next->SetAttribute(L"padding", L"1,1,0,0");
        level->Add(next);
        level = next;
    }
    root->SetPos({0, 0, 1000, 1000});
    EXPECT_EQ((RECT{512, 512, 1000, 1000}), level->GetPos());
    delete root;
}

} // namespace
