#include "duilib/core/HtmlTextLayout.h"

#include "duilib/core/HtmlTextAlignment.h"
#include "duilib/core/HtmlTextLineBreaker.h"

#include <algorithm>

namespace DuiLib {

namespace {

constexpr TCHAR kEllipsis[] = L"...";
constexpr int kEllipsisLength = 3;

[[nodiscard]] bool IsLetter(TCHAR ch) noexcept { return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z'); }

// Widths in one font, through the canvas.
class FontMeasurer final : public IHtmlTextMeasurer {
public:
    FontMeasurer(IHtmlTextCanvas& canvas, HFONT font, int maxCharWidth) noexcept
        : m_canvas(canvas), m_font(font), m_maxCharWidth(maxCharWidth)
    {
    }
    [[nodiscard]] int MaxCharWidth() const override { return m_maxCharWidth; }
    [[nodiscard]] int Width(LPCTSTR text, int length) const override { return m_canvas.Width(m_font, text, length); }
    [[nodiscard]] int Fit(LPCTSTR text, int length, int maxWidth, int& wholeWidth) const override
    {
        return m_canvas.Fit(m_font, text, length, maxWidth, wholeWidth);
    }

private:
    IHtmlTextCanvas& m_canvas;
    HFONT m_font;
    int m_maxCharWidth;
};

} // namespace

HtmlTextExtent HtmlTextLayout::Run(LPCTSTR text)
{
    const HtmlTextScanner scanner(text);
    m_scanner = &scanner;
    m_state = HtmlTextState(m_canvas.BaseFont(), m_options.textColor, POINT{m_options.rc.left, m_options.rc.top});
    HtmlTextExtent extent;
    extent.bottom = m_options.rc.top;
    extent.right = m_options.rc.left;
    const bool draw = !Has(DT_CALCRECT);
    bool more = scanner.Next(0, false).kind != HtmlTokenKind::End;
    while (more && !(draw && m_state.pt.y >= m_options.drawBottom)) {
        const HtmlTextState saved = m_state;
        LayLine(Pass::Measure, nullptr);
        const Line measured = m_line;
        if (draw) {
            m_state = saved;
            LayLine(Pass::Draw, &measured);
        }
        Account(measured, extent);
        m_state.pt = POINT{m_options.rc.left, HtmlTextSaturate(static_cast<long long>(measured.top) + measured.height)};
        // A line that consumed nothing would repeat forever; the breaker never allows it.
        more = !measured.last && m_state.pos != saved.pos &&
               scanner.Next(m_state.pos, m_state.raw).kind != HtmlTokenKind::End;
    }
    extent.links = m_state.linkIndex;
    m_scanner = nullptr;
    return extent;
}

void HtmlTextLayout::Account(const Line& line, HtmlTextExtent& extent) const noexcept
{
    if (line.hasContent) {
        extent.drawnHeight = HtmlTextSaturate(static_cast<long long>(extent.drawnHeight) + line.height);
    }
    extent.bottom = std::max(line.top + line.height, extent.bottom);
    extent.bottom = std::max(line.imageBottom, extent.bottom);
    extent.right = std::max(line.right, extent.right);
}

void HtmlTextLayout::LayLine(Pass pass, const Line* measured)
{
    m_pass = pass;
    m_line = Line{};
    m_line.top = m_state.pt.y;
    m_line.right = m_options.rc.left;
    if (measured != nullptr) {
        m_line.height = measured->height;
        m_line.shift = HtmlTextAlignment::LineShift(m_options.style, m_options.rc.right - m_options.rc.left,
                                                    measured->right - m_options.rc.left);
    } else {
        RaiseLineHeight(m_state.fonts.Top());
    }
    while (!m_line.ended) {
        Step(m_scanner->Next(m_state.pos, m_state.raw));
    }
    if (Drawing()) {
        m_canvas.FinishLine();
    }
}

void HtmlTextLayout::Step(const HtmlToken& token)
{
    switch (token.kind) {
    case HtmlTokenKind::End:
        m_line.last = true;
        EndLine(false);
        break;
    case HtmlTokenKind::Text:
    case HtmlTokenKind::Space:
        PlaceText(token);
        break;
    case HtmlTokenKind::LineFeed:
        m_state.pos = token.next;
        if (!Has(DT_SINGLELINE)) {
            EndLine(false);
        }
        break;
    case HtmlTokenKind::OpenTag:
        m_state.pos = token.next;
        OpenTag(token);
        break;
    case HtmlTokenKind::CloseTag:
        m_state.pos = token.next;
        CloseTag(token.tag);
        break;
    }
}

void HtmlTextLayout::PlaceText(const HtmlToken& token)
{
    const HFONT font = m_state.fonts.Top();
    const HtmlFontTraits traits = m_canvas.Traits(font);
    const FontMeasurer measurer(m_canvas, font, traits.maxCharWidth);
    HtmlRunRequest request;
    request.text = m_scanner->Text() + token.start;
    request.length = token.length;
    request.available = m_options.rc.right - m_state.pt.x;
    request.lineEmpty = !m_line.hasContent;
    request.lineBreakable = m_line.breakable;
    request.wordBreak = Has(DT_WORDBREAK);
    request.endEllipsis = Has(DT_END_ELLIPSIS);
    const HtmlRunCut cut = HtmlTextLineBreaker(measurer).Cut(request);
    if (cut.chars > 0) {
        DrawPiece(font, traits, request.text, cut.chars);
        Advance(cut.width);
        m_line.breakable = !IsLetter(request.text[cut.chars - 1]);
    }
    if (cut.ellipsis) {
        DrawPiece(font, traits, kEllipsis, kEllipsisLength);
        Advance(m_canvas.Width(font, kEllipsis, kEllipsisLength));
    }
    m_state.pos = NextPosition(token, cut.chars, cut.overflow);
    if (cut.overflow) {
        EndLine(true);
    }
}

int HtmlTextLayout::NextPosition(const HtmlToken& token, int chars, bool overflow) const noexcept
{
    // A space that ends a line by overflowing is dropped, not carried to the next line.
    if (chars == token.length || (token.kind == HtmlTokenKind::Space && overflow)) {
        return token.next;
    }
    // Only plain runs are cut inside; a bracket drawn through the other pair is whole or not at all.
    return chars == 0 ? m_state.pos : token.start + chars;
}

void HtmlTextLayout::DrawPiece(HFONT font, const HtmlFontTraits& traits, LPCTSTR text, int length)
{
    // A space leaves no mark unless it is underlined or selected; half the runs of a
    // text are spaces, so skipping them halves the drawing calls.
    const bool invisible = length == 1 && text[0] == L' ' && !traits.underline && !m_state.selected;
    if (!Drawing() || invisible) {
        return;
    }
    HtmlTextRun run;
    run.font = font;
    run.x = m_state.pt.x + m_line.shift;
    // Text sits on the bottom of the line, so that mixed sizes share one base.
    run.y = m_line.top + m_line.height - traits.height - traits.externalLeading;
    run.text = text;
    run.length = length;
    run.color = m_state.colors.Top();
    run.selected = m_state.selected;
    run.selectedColor = m_options.selectedBkColor;
    m_canvas.DrawRun(run);
}

void HtmlTextLayout::Advance(int width) noexcept
{
    m_state.pt.x = HtmlTextSaturate(static_cast<long long>(m_state.pt.x) + width);
    m_line.hasContent = true;
    m_line.right = std::max<int>(m_line.right, m_state.pt.x);
}

void HtmlTextLayout::EndLine(bool overflow) noexcept
{
    m_line.ended = true;
    // A single line ends at its first overflow; what follows is not drawn.
    if (overflow && Has(DT_SINGLELINE)) {
        m_line.last = true;
    }
}

void HtmlTextLayout::BreakUnlessAtStart() noexcept
{
    if (!Has(DT_SINGLELINE) && m_line.hasContent) {
        EndLine(false);
    }
}

} // namespace DuiLib
