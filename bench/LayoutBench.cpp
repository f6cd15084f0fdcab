// Layout of a 1,000-child vertical layout and of a vertical layout of 10 horizontal
// layouts with 100 children each, and a second layout after one child changed its size;
// each against one SetPos loop over the same controls with their rectangles computed
// beforehand, the least that placing them can cost.

#include "BenchHarness.h"

#include "duilib/layout/HorizontalLayoutUI.h"
#include "duilib/layout/VerticalLayoutUI.h"
#include "tests/duilib/support/TestWindow.h"

#include <vector>

namespace {

constexpr RECT kWindow{0, 0, 1080, 700};
constexpr int kRepetitions = 41;

struct Placement {
    DuiLib::CControlUI* control;
    RECT rc;
};

// Every control below root with the rectangle the last layout gave it.
void Collect(DuiLib::CContainerUI& container, std::vector<Placement>& out)
{
    for (int i = 0; i < container.GetCount(); ++i) {
        DuiLib::CControlUI* child = container.GetItemAt(i);
        out.push_back({child, child->GetPos()});
        if (auto* inner = static_cast<DuiLib::CContainerUI*>(child->GetInterface(L"Container"))) {
            Collect(*inner, out);
        }
    }
}

// Half of the children have a fixed size, the others share the rest.
DuiLib::CControlUI* Leaf(int i, bool vertical)
{
    auto* leaf = new DuiLib::CControlUI;
    if (i % 2 == 0) {
        vertical ? leaf->SetFixedHeight(1 + i % 7) : leaf->SetFixedWidth(1 + i % 7);
    }
    leaf->SetPadding(RECT{0, i % 3, 0, 0});
    return leaf;
}

void Measure(const char* name, DuiLib::CContainerUI& root, DuiLib::CControlUI* changing)
{
    root.SetPos(kWindow);
    std::vector<Placement> floor;
    Collect(root, floor);
    bench::Compare(name, kRepetitions, [&] { root.SetPos(kWindow); },
                   [&] {
                       for (const Placement& p : floor) {
                           p.control->CControlUI::SetPos(p.rc); // a container's own layout is not the floor's
                       }
                   });
    int size = changing->GetFixedHeight();
    bench::Compare("  after one child changed size", kRepetitions,
                   [&] {
                       changing->SetFixedHeight(++size);
                       root.SetPos(kWindow);
                   },
                   [&] {
                       for (const Placement& p : floor) {
                           p.control->CControlUI::SetPos(p.rc); // a container's own layout is not the floor's
                       }
                   });
}

} // namespace

int main()
{
    probe::TestWindow window(kWindow.right, kWindow.bottom, false);
    bench::PrintHeader();

    auto* flat = new DuiLib::CVerticalLayoutUI;
    for (int i = 0; i < 1000; ++i) {
        flat->Add(Leaf(i, true));
    }
    window.Manager().AttachDialog(flat);
    Measure("1,000 children, vertical", *flat, flat->GetItemAt(500));

    auto* nested = new DuiLib::CVerticalLayoutUI;
    for (int row = 0; row < 10; ++row) {
        auto* line = new DuiLib::CHorizontalLayoutUI;
        for (int i = 0; i < 100; ++i) {
            line->Add(Leaf(i, false));
        }
        nested->Add(line);
    }
    window.Manager().AttachDialog(nested);
    nested->GetItemAt(5)->SetFixedHeight(40);
    Measure("10 x 100 nested", *nested, nested->GetItemAt(5));
    return 0;
}
