// Configuration pipeline figures on a generated 10 MB document:
//  - navigator parse throughput in MB/s of UTF-16 text, against a plain scan of the
//    same text for "<" (a memory-bandwidth floor) and, when its sources were fetched,
//    against pugixml parsing the same UTF-16 text in place with its default options;
//  - chunked unpacking against one uncompress of the whole document, as a ratio.

#include "app/RemoteConfig.h"
#include "bench/BenchHarness.h"
#include "support/XmlNavigator.h"
#include "tools/ConfigPacker.h"

#include <zlib.h>

#ifdef ZV_BENCH_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr size_t kDocumentBytes = 10u << 20;
constexpr int kRepetitions = 5;

std::string GenerateDocument()
{
    std::string xml = "<?xml version=\"1.0\"?>\r\n<config>\r\n<StaticAd>\r\n";
    for (int i = 0; xml.size() < kDocumentBytes / 2; ++i) {
        xml += "  <ad text=\"Match " + std::to_string(i) + " &amp; replay\" url=\"http://www.example.com/live?id="
            + std::to_string(i) + "&amp;t=1\"/>\r\n";
    }
    xml += "</StaticAd>\r\n<ScrollAd>\r\n";
    for (int i = 0; xml.size() < kDocumentBytes - 64; ++i) {
        xml += "  <item><!-- slot --><ad text='Scroll " + std::to_string(i) + "' url='u'/></item>\r\n";
    }
    return xml + "</ScrollAd>\r\n</config>\r\n";
}

// Parses a moved-in copy, as the configuration thread does, so that copying the text
// is not counted; then walks the static ads to show the tree is usable.
double ParseOnce(const std::wstring& text, size_t& elements)
{
    std::wstring copy = text;
    const bench::Timer timer;
    CXmlNavigator nav;
    bench::KeepAlive(nav.SetDocument(std::move(copy)));
    elements = 0;
    if (nav.FindElement(L"config") && nav.EnterElement() && nav.FindElement(L"StaticAd") && nav.EnterElement()) {
        while (nav.FindElement(L"ad")) {
            ++elements;
        }
    }
    return timer.ElapsedSeconds();
}

#ifdef ZV_BENCH_HAVE_PUGIXML
// The same work with pugixml: an in-place parse of a fresh copy (copy not counted), then
// the same walk over the static ads.
double PugixmlParseOnce(const std::wstring& text, size_t& elements)
{
    std::vector<wchar_t> copy(text.begin(), text.end());
    const bench::Timer timer;
    pugi::xml_document doc;
    bench::KeepAlive(doc.load_buffer_inplace(copy.data(), copy.size() * sizeof(wchar_t), pugi::parse_default,
        pugi::encoding_wchar));
    elements = 0;
    for (const pugi::xml_node ad : doc.child(L"config").child(L"StaticAd").children(L"ad")) {
        bench::KeepAlive(ad);
        ++elements;
    }
    return timer.ElapsedSeconds();
}
#endif

double Megabytes(const std::wstring& text)
{
    return static_cast<double>(text.size() * sizeof(wchar_t)) / (1024.0 * 1024.0);
}

void BenchNavigator(const std::wstring& text)
{
    size_t elements = 0;
    std::vector<double> samples;
    [[maybe_unused]] size_t peerElements = 0;
    [[maybe_unused]] std::vector<double> peerSamples;
    for (int i = 0; i <= kRepetitions; ++i) { // the first round warms up
        const double seconds = ParseOnce(text, elements);
#ifdef ZV_BENCH_HAVE_PUGIXML
        const double peer = PugixmlParseOnce(text, peerElements);
        if (i > 0) {
            peerSamples.push_back(peer);
        }
#endif
        if (i > 0) {
            samples.push_back(seconds);
        }
    }
    const double parse = bench::Median(samples);
    const double scan = bench::MedianSeconds(kRepetitions, [&] { bench::KeepAlive(std::count(text.begin(), text.end(), L'<')); });
    bench::PrintRow("navigator parse+walk vs scan for '<'", parse, scan);
#ifdef ZV_BENCH_HAVE_PUGIXML
    const double peer = bench::Median(peerSamples);
    bench::PrintRow("navigator parse+walk vs pugixml", parse, peer);
    std::printf("  pugixml: %.1f MB/s (%zu static ads walked)\n", Megabytes(text) / peer, peerElements);
#endif
    std::printf("  navigator: %.1f MB of UTF-16 in %.3f s = %.1f MB/s (%zu static ads walked)\n", Megabytes(text),
        parse, Megabytes(text) / parse, elements);
}

void BenchUnpack(const std::string& xml)
{
    const std::string packed = PackConfigDocument(xml);
    std::string whole(compressBound(static_cast<uLong>(xml.size())), '\0');
    uLongf wholeSize = static_cast<uLongf>(whole.size());
    if (::compress2(reinterpret_cast<Bytef*>(whole.data()), &wholeSize, reinterpret_cast<const Bytef*>(xml.data()),
            static_cast<uLong>(xml.size()), Z_BEST_COMPRESSION)
        != Z_OK) {
        std::printf("  compress2 failed\n");
        return;
    }
    // Both sides produce a new 10 MB result each time, as a real caller would: under
    // Wine the fresh pages of that buffer cost about as much as the inflating itself.
    std::string out;
    bench::Compare("unpack chunks vs one uncompress", kRepetitions,
        [&] {
            std::string fresh;
            bench::KeepAlive(UnpackConfigData(reinterpret_cast<const unsigned char*>(packed.data()), packed.size(), fresh));
            out.swap(fresh);
        },
        [&] {
            std::string plain(xml.size(), '\0');
            uLongf size = static_cast<uLongf>(plain.size());
            bench::KeepAlive(::uncompress(reinterpret_cast<Bytef*>(plain.data()), &size,
                reinterpret_cast<const Bytef*>(whole.data()), wholeSize));
        });
    std::printf("  unpack: %zu packed bytes -> %zu bytes, %s\n", packed.size(), out.size(),
        out == xml ? "identical to the source" : "MISMATCH");
}

} // namespace

int main()
{
    const std::string xml = GenerateDocument();
    const std::wstring text = AnsiToWide(xml);
    bench::PrintHeader();
    BenchNavigator(text);
    BenchUnpack(xml);
    return 0;
}
