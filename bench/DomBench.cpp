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
constexpr size_t kStyleSheetBytes = 50 << 10;

std::wstring MakePage()
{
    std::wstring page = L"<!DOCTYPE html><html><head><title>直播</title><style>p{}</style>"
                        L"<link rel=stylesheet href=/site.css></head><body>";
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

// A site's style sheet of about 50 KB: a few rules for the page's own classes among
// many for parts of the site this page does not have.
std::string MakeStyleSheet()
{
    std::string css = ".live-box h3 { color: #c00; font-size: 18px } .live-box p a { color: #06c }\n"
                      "li { list-style: none } div > ul li:first-child { font-weight: bold }\n";
    for (int i = 0; css.size() < kStyleSheetBytes; ++i) {
        const std::string n = std::to_string(i);
        css += ".panel" + n + " h3, .panel" + n + " h4 { color: #333; font-size: 14px; margin: 0 0 4px }\n"
               "#m" + n + " p { line-height: 1.5 }\n"
               "ul.nav" + n + " > li:first-child a:hover { text-decoration: underline; color: rgb(0, 90, 160) }\n"
               "div.score" + n + " span[data-team=home] { font-style: italic !important }\n";
    }
    return css;
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

    const std::string css = MakeStyleSheet();
    engine::PageView styled;
    styled.SetDocument(engine::ParseHtml(page), L"http://live.example.com/");
    bench::Compare("styles (50 KB sheet) + layout vs layout", kRepetitions, [&] {
        styled.SetStylesheet(L"http://live.example.com/site.css", css);  // parsed again at the next layout
        styled.Layout(dc.get(), 1000);
    }, [&] { view.Layout(dc.get(), 1000); });
    std::printf("content height: %d px; parse %.1f MB/s\n", view.ContentHeight(),
                page.size() * sizeof(wchar_t) / parse / 1e6);
    return 0;
}
