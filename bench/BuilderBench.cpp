// Building a skin into a control tree attached to a window's manager, against parsing
// the same markup alone (the floor: the builder walks what the parser made). Two skins:
// the main window's own (about 60 controls, Chinese texts, 4 fonts), read from its zip
// resource as the client reads it, and a generated one of 2,000 controls given as text.
// Each build gets a fresh manager; making and destroying it is not timed.

#include "BenchHarness.h"

#include "duilib/control/ControlUI.h"
#include "duilib/core/DialogBuilder.h"
#include "duilib/core/Markup.h"
#include "duilib/core/PaintManager.h"
#include "tests/duilib/support/TestWindow.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRepetitions = 31;

// 250 rows of eight controls each: a row layout, three labels, a button, an option and
// three more labels.
std::wstring GenerateSkin()
{
    std::wstring text = L"<Window size=\"1080,700\"><Font name=\"\x5FAE\x8F6F\x96C5\x9ED1\" size=\"12\" />"
                        L"<Default name=\"Button\" value=\"textcolor=&quot;#FF202020&quot;\" />"
                        L"<VerticalLayout name=\"body\" vscrollbar=\"true\">";
    for (int row = 0; row < 250; ++row) {
        const std::wstring n = std::to_wstring(row);
        text += L"<HorizontalLayout name=\"row" + n + L"\" height=\"30\" childpadding=\"4\">"
                L"<Label name=\"lbl" + n + L"\" text=\"\x8DB3\x7403 " + n + L"\" align=\"left+vcenter\" font=\"0\" />"
                L"<Button name=\"btn" + n + L"\" text=\"\x64AD\x653E\" width=\"60\" "
                L"normalimage=\"file='btn.png' source='0,0,60,30'\" hotimage=\"file='btn.png' source='0,30,60,60'\" />"
                L"<Option name=\"opt" + n + L"\" group=\"g\" text=\"\x5173\x6CE8\" width=\"50\" />"
                L"<Label name=\"a" + n + L"\" /><Label name=\"b" + n + L"\" /><Label name=\"c" + n + L"\" />"
                L"<Label name=\"d" + n + L"\" /></HorizontalLayout>";
    }
    return text + L"</VerticalLayout></Window>";
}

DuiLib::CControlUI* CALLBACK CountOne(DuiLib::CControlUI* /*control*/, LPVOID data)
{
    ++*static_cast<int*>(data);
    return nullptr;
}

int CountControls(DuiLib::CControlUI* root)
{
    int count = 0;
    (void)root->FindControl(CountOne, &count, DuiLib::UIFIND_ALL); // visits every control
    return count;
}

// Median seconds of building xml into a fresh manager of the window and attaching it.
double MedianBuild(HWND hwnd, DuiLib::STRINGorID xml, int& controls)
{
    std::vector<double> samples;
    for (int i = 0; i <= kRepetitions; ++i) {
        auto manager = std::make_unique<DuiLib::CPaintManagerUI>();
        manager->Init(hwnd);
        const bench::Timer timer;
        DuiLib::CDialogBuilder builder;
        DuiLib::CControlUI* root = builder.Create(xml, nullptr, nullptr, manager.get());
        const bool attached = manager->AttachDialog(root);
        const double seconds = timer.ElapsedSeconds();
        controls = attached ? CountControls(root) : 0;
        if (i > 0) { // the first build warms the caches
            samples.push_back(seconds);
        }
    }
    return bench::Median(std::move(samples));
}

double MedianParse(DuiLib::STRINGorID xml)
{
    DuiLib::CMarkup markup;
    return bench::MedianSeconds(kRepetitions, [&] {
        const bool loaded = xml.m_lpstr[0] == L'<' ? markup.Load(xml.m_lpstr) : markup.LoadFromFile(xml.m_lpstr);
        bench::KeepAlive(loaded);
    });
}

void Report(const char* name, double build, double parse, int controls)
{
    std::printf("  %-28s %5d controls  build %8.3f ms  parse %8.3f ms  ratio %5.2f\n", name, controls, build * 1e3,
                parse * 1e3, parse > 0.0 ? build / parse : 0.0);
}

} // namespace

int main()
{
    const HMODULE module = ::GetModuleHandleW(nullptr);
    DuiLib::CPaintManagerUI::SetInstance(module);
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(102), L"DAT");
    if (resource == nullptr) {
        std::printf("builder: the skin resource is missing\n");
        return 1;
    }
    DuiLib::CPaintManagerUI::SetResourceZip(::LockResource(::LoadResource(module, resource)),
                                            ::SizeofResource(module, resource));
    const probe::TestWindow window(1080, 700, false);
    const std::wstring generated = GenerateSkin();
    int mainControls = 0;
    int generatedControls = 0;
    const double mainBuild = MedianBuild(window.Hwnd(), L"MainWnd.xml", mainControls);
    const double mainParse = MedianParse(L"MainWnd.xml");
    const double bigBuild = MedianBuild(window.Hwnd(), generated.c_str(), generatedControls);
    const double bigParse = MedianParse(generated.c_str());
    std::printf("builder: markup to an attached tree, %d repetitions, medians; ratio = build / parse\n",
                kRepetitions);
    Report("main window skin (zip)", mainBuild, mainParse, mainControls);
    Report("generated skin (text)", bigBuild, bigParse, generatedControls);
    return mainControls > 0 && generatedControls > 0 ? 0 : 1;
}
