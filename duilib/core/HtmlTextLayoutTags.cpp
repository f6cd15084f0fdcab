// What each formatted-text tag does to the layout state.

#include "duilib/core/HtmlTextLayout.h"

#include "duilib/core/HtmlTextLinkTable.h"
#include "duilib/core/HtmlTextTagArguments.h"

#include <algorithm>

namespace DuiLib {

void HtmlTextLayout::OpenTag(const HtmlToken& token)
{
    LPCTSTR arg = m_scanner->Text() + token.start;
    const int length = token.length;
    switch (token.tag) {
    case L'a':
        OpenLink(arg, length);
        break;
    case L'b':
        PushVariant(HtmlFontVariant::Bold);
        break;
    case L'c':
        m_state.colors.Push(HtmlTextTagArguments::Color(arg, length));
        break;
    case L'f':
        OpenFont(arg, length);
        break;
    case L'i':
        OpenItalicOrImage(token);
        break;
    case L'p':
        OpenParagraph(arg, length);
        break;
    case L'u':
        PushVariant(HtmlFontVariant::Underline);
        break;
    default:
        OpenMarker(token.tag, arg, length);
        break;
    }
}

// Tags that change no stack.
void HtmlTextLayout::OpenMarker(TCHAR tag, LPCTSTR arg, int length)
{
    switch (tag) {
    case L'n':
        if (!Has(DT_SINGLELINE)) {
            EndLine(false);
        }
        break;
    case L'r':
        m_state.raw = true;
        break;
    case L's':
        m_state.selected = !m_state.selected;
        break;
    case L'x':
        m_state.pt.x = HtmlTextSaturate(static_cast<long long>(m_state.pt.x) +
                                        HtmlTextTagArguments::Integer(arg, length, 0));
        break;
    case L'y':
        if (!Drawing()) {
            m_line.height = std::clamp(HtmlTextTagArguments::Integer(arg, length, 0), 0, kHtmlTextCoordinateLimit);
        }
        break;
    default:
        break; // other letters are skipped
    }
}

void HtmlTextLayout::OpenLink(LPCTSTR arg, int length)
{
    if (!Drawing()) {
        m_links.SetText(m_state.linkIndex, arg, length);
    }
    const bool hover = m_options.hasHoverLink && m_options.hoverLink == CDuiString(arg, length);
    m_state.colors.Push(hover ? m_options.linkHoverColor : m_options.linkColor);
    PushVariant(HtmlFontVariant::Underline);
    m_state.inLink = true;
    m_state.linkStart = POINT{m_state.pt.x + m_line.shift, m_line.top};
}

void HtmlTextLayout::OpenFont(LPCTSTR arg, int length)
{
    const HtmlFontRequest request = HtmlTextTagArguments::Font(arg, length);
    PushFont(request.byIndex ? m_canvas.FontAt(request.index) : m_canvas.FindOrAddFont(request));
}

void HtmlTextLayout::OpenItalicOrImage(const HtmlToken& token)
{
    if (token.length == 0) {
        PushVariant(HtmlFontVariant::Italic);
        return;
    }
    HtmlImageRequest request;
    if (HtmlTextTagArguments::Image(m_scanner->Text() + token.start, token.length, request)) {
        PlaceImage(token, request);
    }
}

void HtmlTextLayout::PlaceImage(const HtmlToken& token, const HtmlImageRequest& request)
{
    SIZE size{};
    if (!m_canvas.ImageSize(request, size)) {
        return;
    }
    const RECT part = HtmlTextTagArguments::ImagePart(request, size);
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    if (m_state.pt.x + width > m_options.rc.right && m_line.hasContent && !Has(DT_SINGLELINE)) {
        m_state.pos = token.begin; // the image opens the next line
        EndLine(false);
        return;
    }
    if (Drawing()) {
        const int x = m_state.pt.x + m_line.shift;
        const int y = m_line.top + std::max(0, (m_line.height - height) / 2);
        m_canvas.DrawImage(request, RECT{x, y, x + width, y + height}, part);
    } else {
        m_line.height = std::max(m_line.height, height);
        m_line.imageBottom = std::max(m_line.imageBottom, m_line.top + height);
    }
    Advance(width);
    m_line.breakable = true;
}

void HtmlTextLayout::OpenParagraph(LPCTSTR arg, int length)
{
    BreakUnlessAtStart();
    m_state.spacings.Push(std::clamp(HtmlTextTagArguments::Integer(arg, length, 0), 0, kHtmlTextCoordinateLimit));
    if (!m_line.ended && !Drawing()) {
        RaiseLineHeight(m_state.fonts.Top()); // at the line start the spacing applies to this line
    }
}

void HtmlTextLayout::CloseTag(TCHAR tag)
{
    switch (tag) {
    case L'a':
        CloseLink();
        break;
    case L'b':
    case L'f':
    case L'i':
    case L'u':
        PopFont();
        break;
    case L'c':
        m_state.colors.Pop();
        break;
    case L'p':
        BreakUnlessAtStart();
        m_state.spacings.Pop();
        break;
    case L'r':
        m_state.raw = false;
        break;
    case L's':
        m_state.selected = !m_state.selected;
        break;
    default:
        break;
    }
}

void HtmlTextLayout::CloseLink()
{
    if (m_state.inLink) {
        const RECT& rc = m_options.rc;
        RECT link{m_state.linkStart.x, m_state.linkStart.y, std::min<LONG>(m_state.pt.x + m_line.shift, rc.right),
                  m_line.top + m_line.height};
        if (m_state.linkStart.y != m_line.top) {
            // One rectangle cannot hold a link broken over lines: take the full width.
            link.left = rc.left;
            link.right = rc.right;
        }
        m_links.SetRect(m_state.linkIndex, link);
        ++m_state.linkIndex;
        m_state.inLink = false;
    }
    m_state.colors.Pop();
    PopFont();
}

void HtmlTextLayout::PushFont(HFONT font)
{
    // A font that cannot be made keeps the current one, so its closing tag stays paired.
    m_state.fonts.Push(font != nullptr ? font : m_state.fonts.Top());
    if (!Drawing()) {
        RaiseLineHeight(m_state.fonts.Top());
    }
}

void HtmlTextLayout::PushVariant(HtmlFontVariant variant)
{
    const HFONT current = m_state.fonts.Top();
    const HtmlFontTraits traits = m_canvas.Traits(current);
    const bool present = variant == HtmlFontVariant::Bold     ? traits.bold
                         : variant == HtmlFontVariant::Italic ? traits.italic
                                                              : traits.underline;
    PushFont(present ? current : m_canvas.Variant(current, variant));
}

void HtmlTextLayout::PopFont()
{
    const HFONT popped = m_state.fonts.Top();
    if (!m_state.fonts.Pop()) {
        return;
    }
    const HFONT restored = m_state.fonts.Top();
    // Italic glyphs lean into whatever follows; half the space's overhang keeps them apart.
    if (popped != restored && m_canvas.Traits(popped).italic && !m_canvas.Traits(restored).italic) {
        m_state.pt.x = HtmlTextSaturate(static_cast<long long>(m_state.pt.x) + m_canvas.SpaceTrailingWidth(popped) / 2);
    }
}

void HtmlTextLayout::RaiseLineHeight(HFONT font)
{
    const HtmlFontTraits traits = m_canvas.Traits(font);
    const long long height = static_cast<long long>(m_state.spacings.Top()) + traits.height + traits.externalLeading;
    m_line.height = std::max(m_line.height, HtmlTextSaturate(height));
}

} // namespace DuiLib
