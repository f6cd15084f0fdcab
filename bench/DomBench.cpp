// Throughput of the page engine on a generated 1 MB page of the kind the service
// serves (nested divs, lists, links, images, mixed Chinese and Latin text).
// Baselines are single passes over the same data, the least any implementation must do.

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/BenchHarness.h"
#include "common/Handles.h"
#include "engine/dom/DomSerializer.h"
#include "engine/dom/HtmlParser.h"
#include "engine/render/PageView.h"

namespace {

constexpr size_t kPageUnits = 1 << 20;
constexpr int kRepetitions = 5;

std::wstring MakePage()
{
    std::wstring page = L"<!DOCTYPE html><html><head><title>直播</title><style>p{}</style></head><body>";
    for (int i = 0; page.size() < kPageUnits; ++i) {
        const std::wstring n = std::to_wstring(i);
        page += L"<div class=\"live-box\" id=\"m" + n + L"\"><h3>第" + n + L"场 比赛直播 Match " + n + L"</h3>"
                L"<p>Kick-off at 20:00 &amp; live commentary, 精彩回放 <a href=\"/live/" + n +
                L".html\" target=_blank>watch now</a> <img src=\"/img/" + n + L".png\" width=32 height=32></p>"
                L"<ul><li>Home team<li>Away team<li>Referee</ul>"
                L"<div style=\"display:none\">hidden block " + n + L"</div><!-- slot " + n + L" --></div>\n";
    }
    page += L"</body></html>";
    return page;
}

size_t CountTags(const std::wstring& page)
{
    return static_cast<size_t>(std::count(page.begin(), page.end(), L'<'));
}

} // namespace

int main()
{
    const std::wstring page = MakePage();
    std::printf("page: %zu UTF-16 units\n", page.size());
    bench::PrintHeader();

    const double parse = bench::MedianSeconds(kRepetitions, [&] { bench::KeepAlive(engine::ParseHtml(page)); });
    const double scan = bench::MedianSeconds(kRepetitions, [&] { bench::KeepAlive(CountTags(page)); });
    bench::PrintRow("parse 1 MB vs one scan for '<'", parse, scan);

    const auto doc = engine::ParseHtml(page);
    const std::string bytes = engine::SerializeDom(*doc);
    const double transport = bench::MedianSeconds(
        kRepetitions, [&] { bench::KeepAlive(engine::DeserializeDom(engine::SerializeDom(*doc))); });
    const double copy = bench::MedianSeconds(kRepetitions, [&] { bench::KeepAlive(std::string(bytes)); });
    bench::PrintRow("serialize+deserialize vs copy", transport, copy);

    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    engine::PageView view;
    view.SetDocument(engine::ParseHtml(page), L"http://live.example.com/");
    const double layout = bench::MedianSeconds(kRepetitions, [&] { view.Layout(dc.get(), 1000); });
    bench::PrintRow("layout 1 MB (GDI metrics) vs parse", layout, parse);
    std::printf("content height: %d px; parse %.1f MB/s\n", view.ContentHeight(),
                page.size() * sizeof(wchar_t) / parse / 1e6);
    return 0;
}
