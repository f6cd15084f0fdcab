// Formatted text of the render engine: one call of DrawHtmlText on a 2,000-character
// text mixing bold, colour, link and line-break tags with plain runs, laid out with
// word break in a 1080 x 800 rectangle of a 32-bpp DIB section. Baselines: the
// platform's DrawTextW of the same words without tags (the cost of text drawing
// itself), and calculate-only against drawing.

#include "BenchHarness.h"

#include "common/Handles.h"
#include "common/TopDownDib.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kWidth = 1080;
constexpr int kHeight = 800;
constexpr size_t kTextLength = 2000;
constexpr int kRepetitions = 41;
constexpr UINT kStyle = DT_WORDBREAK;

const wchar_t* const kWords[] = {L"match", L"kick-off", L"league", L"20:45", L"replay", L"highlights", L"table",
                                 L"goal", L"live", L"score"};

// Tagged text and the same words without tags.
struct Texts {
    std::wstring tagged;
    std::wstring plain;
};

Texts Generate()
{
    Texts texts;
    unsigned seed = 12345u;
    while (texts.tagged.size() < kTextLength) {
        seed = seed * 1103515245u + 12345u;
        const std::wstring word = kWords[(seed >> 16) % std::size(kWords)];
        switch ((seed >> 8) % 8) {
        case 0:
            texts.tagged += L"<b>" + word + L"</b> ";
            break;
        case 1:
            texts.tagged += L"{c #FFCC2200}" + word + L"{/c} ";
            break;
        case 2:
            texts.tagged += L"<a " + word + L">" + word + L"</a> ";
            break;
        case 3:
            texts.tagged += word + L"<n>";
            break;
        default:
            texts.tagged += word + L" ";
            break;
        }
        texts.plain += word + L" ";
    }
    return texts;
}

class Surface final {
public:
    Surface() : m_dc(::CreateCompatibleDC(nullptr))
    {
        void* bits = nullptr;
        m_bitmap = CreateTopDownDib(nullptr, kWidth, kHeight, &bits);
        m_old = ::SelectObject(m_dc.get(), m_bitmap.get());
    }
    ~Surface() { ::SelectObject(m_dc.get(), m_old); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    [[nodiscard]] HDC dc() const { return m_dc.get(); }

private:
    UniqueMemoryDc m_dc;
    UniqueBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
};

} // namespace

int main()
{
    const Texts texts = Generate();
    Surface surface;
    DuiLib::CPaintManagerUI pm;
    pm.SetDefaultFont(L"DejaVu Sans", 14, false, false, false);
    const HFONT font = pm.GetDefaultFontInfo()->hFont.get();
    RECT links[8]{};
    DuiLib::CDuiString linkTexts[8];
    int height = 0;
    const auto html = [&](UINT style) {
        RECT rc{0, 0, kWidth, kHeight};
        int count = 8;
        height = DuiLib::CRenderEngine::DrawHtmlText(surface.dc(), &pm, rc, texts.tagged.c_str(), 0xFF202020u, links,
                                                     linkTexts, count, style);
        bench::KeepAlive(height);
    };
    const auto platform = [&](UINT style) {
        RECT rc{0, 0, kWidth, kHeight};
        const SelectObjectScope select(surface.dc(), font);
        bench::KeepAlive(::DrawTextW(surface.dc(), texts.plain.c_str(), -1, &rc, style | DT_NOPREFIX));
    };

    std::printf("tagged text: %u characters, plain words: %u characters\n",
                static_cast<unsigned>(texts.tagged.size()), static_cast<unsigned>(texts.plain.size()));
    bench::PrintHeader();
    bench::Compare("html draw vs DrawTextW draw", kRepetitions, [&] { html(kStyle); }, [&] { platform(kStyle); });
    bench::Compare("html calc vs DrawTextW calc", kRepetitions, [&] { html(kStyle | DT_CALCRECT); },
                   [&] { platform(kStyle | DT_CALCRECT); });
    bench::Compare("html draw vs html calc-only", kRepetitions, [&] { html(kStyle); },
                   [&] { html(kStyle | DT_CALCRECT); });
    std::printf("drawn height %d px\n", height);
    std::fflush(stdout);
    return 0;
}
