// Skin markup parse throughput on a generated 4 MB (UTF-16) skin, measured in the same
// run against a plain memcpy of the same buffer (what a one-pass parse cannot beat)
// and, when its sources were fetched, against tinyxml2 parsing the same document.
// CMarkup::Load owns a copy of the text, so the memcpy is timed twice: into a fresh
// allocation (the real lower bound; first touches of new pages are costly under Wine)
// and into a buffer that is already mapped.

#include "BenchHarness.h"

#include "duilib/core/Markup.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#ifdef ZV_BENCH_HAVE_TINYXML2
#include <tinyxml2.h>
#endif

namespace {

constexpr size_t kTargetBytes = 4 * 1000 * 1000;
constexpr int kRepetitions = 15;

// A skin of the shape the client uses: nested layouts, controls with a dozen
// attributes, image strings, entities, comments and some text.
std::wstring GenerateSkin()
{
    std::wstring text = L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window size=\"1024,700\" caption=\"0,0,0,36\">\n"
                        L"  <Font name=\"Tahoma\" size=\"12\" bold=\"true\" />\n  <VerticalLayout name=\"body\">\n";
    for (int row = 0; text.size() * sizeof(wchar_t) < kTargetBytes; ++row) {
        const std::wstring n = std::to_wstring(row);
        text += L"    <!-- row " + n + L" -->\n    <HorizontalLayout name=\"row" + n +
                L"\" height=\"30\" childpadding=\"4\" inset=\"2,2,2,2\">\n"
                L"      <Button name=\"btn" + n + L"\" text=\"Play &amp; watch " + n +
                L"\" tooltip=\"Opens the live page\" width=\"96\" textcolor=\"#FF202020\" "
                L"normalimage=\"file='btn.png' source='0,0,96,30' corner='4,4,4,4'\" "
                L"hotimage=\"file='btn.png' source='0,30,96,60' corner='4,4,4,4'\" "
                L"pushedimage=\"file='btn.png' source='0,60,96,90' corner='4,4,4,4'\" />\n"
                L"      <Label name=\"lbl" + n + L"\" text=\"&lt;League&gt; match " + n +
                L"\" align=\"left\" font=\"0\" endellipsis=\"true\">Kick-off at 20:45</Label>\n"
                L"      <Option name=\"opt" + n + L"\" group=\"leagues\" selected=\"false\" width=\"60\" />\n"
                L"    </HorizontalLayout>\n";
    }
    return text + L"  </VerticalLayout>\n</Window>\n";
}

std::string ToUtf8(const std::wstring& text)
{
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                          nullptr);
    return bytes;
}

double MegabytesPerSecond(size_t bytes, double seconds)
{
    return seconds > 0.0 ? static_cast<double>(bytes) / 1e6 / seconds : 0.0;
}

} // namespace

int main()
{
    const std::wstring skin = GenerateSkin();
    const size_t bytes = (skin.size() + 1) * sizeof(wchar_t);
    std::vector<wchar_t> copy(skin.size() + 1);
    DuiLib::CMarkup markup;
    bool parsed = true;
    const auto parse = [&] {
        parsed = markup.Load(skin.c_str()) && parsed;
        bench::KeepAlive(markup);
    };
    const auto memcpyWarm = [&] {
        std::memcpy(copy.data(), skin.c_str(), bytes);
        bench::KeepAlive(copy);
    };
    const auto memcpyFresh = [&] {
        const std::unique_ptr<wchar_t[]> fresh(new wchar_t[skin.size() + 1]);
        std::memcpy(fresh.get(), skin.c_str(), bytes);
        bench::KeepAlive(fresh);
    };

    std::printf("markup: %.2f MB of UTF-16 markup, %d repetitions, medians\n", static_cast<double>(bytes) / 1e6,
                kRepetitions);
    std::printf("  CMarkup::Load        %10.1f MB/s\n",
                MegabytesPerSecond(bytes, bench::MedianSeconds(kRepetitions, parse)));
    std::printf("  new + memcpy         %10.1f MB/s\n",
                MegabytesPerSecond(bytes, bench::MedianSeconds(kRepetitions, memcpyFresh)));
    std::printf("  memcpy (mapped)      %10.1f MB/s\n",
                MegabytesPerSecond(bytes, bench::MedianSeconds(kRepetitions, memcpyWarm)));
    bench::PrintHeader();
    bench::Compare("markup parse vs new+memcpy", kRepetitions, parse, memcpyFresh);
    bench::Compare("markup parse vs memcpy (mapped)", kRepetitions, parse, memcpyWarm);

#ifdef ZV_BENCH_HAVE_TINYXML2
    // tinyxml2 reads UTF-8: it gets the same document in that encoding, and the MB/s
    // figures below are both given per UTF-16 megabyte of the same document.
    const std::string utf8 = ToUtf8(skin);
    tinyxml2::XMLDocument document;
    const auto reference = [&] {
        parsed = document.Parse(utf8.c_str(), utf8.size()) == tinyxml2::XML_SUCCESS && parsed;
        bench::KeepAlive(document);
    };
    std::printf("  tinyxml2             %10.1f MB/s (same document, %.2f MB as UTF-8)\n",
                MegabytesPerSecond(bytes, bench::MedianSeconds(kRepetitions, reference)),
                static_cast<double>(utf8.size()) / 1e6);
    bench::Compare("markup parse vs tinyxml2", kRepetitions, parse, reference);
#else
    std::printf("  tinyxml2 sources not fetched (cmake/setup.sh): no reference parser row\n");
#endif
    if (!parsed) {
        std::printf("markup: a parse failed\n");
        return 1;
    }
    return 0;
}
