#include "LayoutBuilder.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <optional>

#include "CssText.h"
#include "CssValues.h"
#include "LayoutSupport.h"
#include "DecodedImage.h"
#include "InlineStyle.h"
#include "TextMeasurer.h"
#include "engine/dom/DomQueries.h"
#include "engine/dom/Url.h"

namespace engine {
namespace {

// Deeper content is not drawn; keeps the recursion within the thread's stack.
constexpr int kMaxDepth = 256;
constexpr int kMaxImageSide = 10000;
constexpr int kHeadingSizes[] = {32, 24, 19, 16, 13, 11};
constexpr int kMarkerGap = 8;
// Browsers draw monospace text smaller than the text around it, in this proportion.
constexpr int kMonospaceScale = 13;
constexpr int kMonospaceScaleBase = 16;

bool IsOneOf(std::wstring_view name, std::initializer_list<std::wstring_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements that show nothing themselves and whose content is not page text.
bool IsNeverDrawn(std::wstring_view tag)
{
    return IsOneOf(tag, {L"head", L"script", L"style", L"title", L"meta", L"link", L"base", L"template",
                         L"noscript", L"iframe", L"object", L"embed", L"svg", L"canvas", L"video", L"audio",
                         L"input", L"select", L"textarea"});
}

bool IsBlock(std::wstring_view tag)
{
    return IsOneOf(tag, {L"html", L"body", L"div", L"p", L"h1", L"h2", L"h3", L"h4", L"h5", L"h6", L"ul", L"ol",
                         L"li", L"dl", L"dt", L"dd", L"section", L"article", L"header", L"footer", L"nav", L"main",
                         L"aside", L"blockquote", L"pre", L"table", L"thead", L"tbody", L"tfoot", L"tr", L"td",
                         L"th", L"form", L"center", L"figure", L"figcaption", L"address", L"fieldset", L"menu",
                         L"caption"});
}

int HeadingLevel(std::wstring_view tag)
{
    if (tag.size() == 2 && tag[0] == L'h' && tag[1] >= L'1' && tag[1] <= L'6') {
        return tag[1] - L'0';
    }
    return 0;
}

int VerticalMargin(std::wstring_view tag, const FontKey& font, bool nestedList)
{
    if (HeadingLevel(tag) != 0) {
        return font.pixelHeight * 2 / 3;
    }
    if (tag == L"ul" || tag == L"ol") {
        return nestedList ? 0 : LayoutBuilder::kParagraphMargin;
    }
    return IsOneOf(tag, {L"p", L"pre", L"blockquote", L"dl", L"figure"}) ? LayoutBuilder::kParagraphMargin : 0;
}

bool IsMonospaceTag(std::wstring_view tag)
{
    return IsOneOf(tag, {L"pre", L"code", L"tt", L"kbd", L"samp", L"listing", L"xmp", L"plaintext"});
}

std::wstring CollapseSpaces(std::wstring_view text)
{
    std::wstring out;
    for (const wchar_t c : text) {
        const bool space = c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
        if (!space) {
            out += c;
        } else if (!out.empty() && out.back() != L' ') {
            out += L' ';
        }
    }
    if (!out.empty() && out.back() == L' ') {
        out.pop_back();
    }
    return out;
}

bool IsBlockDisplay(std::wstring_view display)
{
    return display != L"inline" && display != L"inline-block" && display != L"contents";
}

bool Contains(std::wstring_view text, std::wstring_view word)
{
    return text.find(word) != std::wstring_view::npos;
}

bool IsMonospaceFamily(std::wstring_view families)
{
    const std::wstring first = LowerAscii(families.substr(0, families.find(L',')));
    return Contains(first, L"mono") || Contains(first, L"courier") || Contains(first, L"consolas");
}

bool IsCjk(wchar_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

bool IsCollapsibleSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

// A width/height attribute in pixels; -1 when absent, a percentage or not a number.
int PixelAttribute(const DomNode& element, std::wstring_view name)
{
    const DomString* value = FindAttribute(element, name);
    if (value == nullptr || value->find(L'%') != std::wstring::npos) {
        return -1;
    }
    return std::min(DimensionAttribute(element, name, 0), kMaxImageSide);
}

// The sizes an image is asked to take, in pixels; -1 where nothing asks.
struct ImageHints {
    int width = -1;
    int height = -1;
    int maxWidth = -1;
};

// The width and height attributes, under the page's width, height and max-width; a
// height of auto leaves the image its own proportions.
ImageHints HintsFor(const DomNode& img, const ResolvedStyle& css, int fontPixels, int containerWidth)
{
    ImageHints hints{PixelAttribute(img, L"width"), PixelAttribute(img, L"height"), -1};
    const auto declared = [&](std::wstring_view property, int percentBase, int current) {
        const std::wstring* value = css.Find(property);
        if (value == nullptr) {
            return current;
        }
        if (LowerAscii(*value) == L"auto") {
            return -1;
        }
        const auto pixels = ParseCssLength(*value, fontPixels, percentBase);
        return pixels.has_value() ? std::clamp(*pixels, 0, kMaxImageSide) : current;
    };
    hints.width = declared(L"width", containerWidth, hints.width);
    hints.height = declared(L"height", -1, hints.height);
    hints.maxWidth = declared(L"max-width", containerWidth, -1);
    return hints;
}

// Step 1: the hints; step 2: what the loaded image supplies (its own size, or the
// missing side in proportion); step 3: the placeholder's size; step 4: fit max-width
// and the line.
SIZE ImageSize(const ImageHints& hints, const DecodedImage* image, SIZE placeholder, int available)
{
    int width = hints.width;
    int height = hints.height;
    if (image != nullptr) {
        const long long naturalWidth = image->Width();
        const long long naturalHeight = image->Height();
        if (width < 0 && height < 0) {
            width = static_cast<int>(naturalWidth);
            height = static_cast<int>(naturalHeight);
        } else if (width < 0) {
            width = static_cast<int>(std::min<long long>(height * naturalWidth / naturalHeight, kMaxImageSide));
        } else if (height < 0) {
            height = static_cast<int>(std::min<long long>(width * naturalHeight / naturalWidth, kMaxImageSide));
        }
    }
    width = width < 0 ? placeholder.cx : width;
    height = height < 0 ? placeholder.cy : height;
    for (const int limit : {hints.maxWidth, available}) {
        if (limit >= 0 && width > limit) {
            height = static_cast<int>(static_cast<long long>(height) * limit / width);
            width = limit;
        }
    }
    return SIZE{width, height};
}

// Floated by the float property, or an image or table by its align attribute.
bool IsFloated(const DomNode& element, const ResolvedStyle& css)
{
    if (const std::wstring* side = css.Find(L"float")) {
        return LowerAscii(*side) != L"none";
    }
    const DomString* align = FindAttribute(element, L"align");
    if (align == nullptr || (element.tagName != L"img" && element.tagName != L"table")) {
        return false;
    }
    const std::wstring value = LowerAscii(*align);
    return value == L"left" || value == L"right";
}

struct Clear {
    bool left = false;
    bool right = false;
};

// The clear property, or the clear attribute of <br>.
Clear ClearOf(const DomNode& element, const ResolvedStyle& css)
{
    const std::wstring* property = css.Find(L"clear");
    const DomString* attribute = element.tagName == L"br" ? FindAttribute(element, L"clear") : nullptr;
    const std::wstring value = property != nullptr    ? LowerAscii(*property)
                               : attribute != nullptr ? LowerAscii(*attribute)
                                                      : std::wstring();
    const bool both = value == L"both" || value == L"all";
    return Clear{both || value == L"left", both || value == L"right"};
}

} // namespace

// A number scales with each descendant's font; a length is fixed here, em and % of this
// element's font.
void LayoutBuilder::ApplyLineHeight(std::wstring_view value, TextStyle& style)
{
    wchar_t* end = nullptr;
    const std::wstring text(value);
    const double factor = std::wcstod(text.c_str(), &end);
    if (value == L"normal") {
        style.lineHeight = -1;
        style.lineFactor = 0;
    } else if (end != text.c_str() && *end == L'\0' && factor >= 0 && factor < 1000) {
        style.lineFactor = factor;
        style.lineHeight = factor > 0 ? style.lineHeight : 0;
    } else if (const auto pixels = ParseCssLength(value, style.font.pixelHeight, style.font.pixelHeight)) {
        style.lineHeight = std::clamp(*pixels, 0, kMaxCoordinate);
        style.lineFactor = 0;
    }
}

int LayoutBuilder::LeadingOf(const TextStyle& style, int natural) const
{
    if (style.lineFactor > 0) {
        return static_cast<int>(std::lround(style.lineFactor * style.font.pixelHeight)) - natural;
    }
    return style.lineHeight >= 0 ? style.lineHeight - natural : 0;
}

bool LayoutBuilder::IsDrawn(const DomNode& element)
{
    return !IsNeverDrawn(element.tagName) && FindAttribute(element, L"hidden") == nullptr && !IsDisplayNone(element);
}

LayoutBuilder::LayoutBuilder(TextMeasurer& measurer, LayoutInput input)
    : m_measurer(measurer),
      m_input(std::move(input)),
      m_styles(m_input.styles != nullptr ? *m_input.styles : m_noStyles),
      m_width(std::max(m_input.width, 2 * m_input.margin + 1)),
      m_right(m_width),
      m_x(0)
{
}

LayoutTree LayoutBuilder::Build(const DomNode& document, int stopBelow)
{
    m_stopBelow = stopBelow;
    const DomNode* body = FindBody(document);
    const DomNode& root = body != nullptr ? *body : document;
    TextStyle style;
    ResolvedStyle css;
    if (root.kind == DomNodeKind::Element && root.parent != nullptr && root.parent->kind == DomNodeKind::Element) {
        style = StyleFor(*root.parent, style, m_styles.Resolve(*root.parent));  // html
    }
    if (root.kind == DomNodeKind::Element) {
        css = m_styles.Resolve(root);
        style = StyleFor(root, style, css);
        m_align = AlignOf(root, css, m_align);
    }
    // The body's background is the whole page's.
    BoxStyle box = BlockBoxStyle(root, style, css);
    m_tree.background = box.background.value_or(m_tree.background);
    box.background.reset();
    LayoutBox pageImage;
    SetBackgroundImage(pageImage, box);
    box.backgroundImage.clear();
    const bool tiled = pageImage.image != nullptr;
    if (tiled) {
        m_tree.boxes.push_back(std::move(pageImage));
        m_lineFirstBox = m_tree.boxes.size();
    }
    OpenBox open;
    OpenBlockBox(box, open);
    if (!(root.kind == DomNodeKind::Element && IsDisplayNone(root))) {
        VisitChildren(root, style, 0);
    }
    CloseBlockBox(open);
    FinishFlow();
    m_tree.contentHeight = Advance(m_lineTop, m_pendingMargin.Total());
    m_tree.complete = !m_stopped;
    if (tiled) {
        m_tree.boxes.front().rect = RECT{0, 0, m_width, m_tree.contentHeight};
    }
    return std::move(m_tree);
}

void LayoutBuilder::VisitChildren(const DomNode& node, const TextStyle& style, int depth)
{
    if (depth > kMaxDepth) {
        return;
    }
    for (const auto& child : node.children) {
        if (m_stopped) {
            return;
        }
        if (child->kind == DomNodeKind::Text) {
            AddText(child->text, style);
        } else if (child->kind == DomNodeKind::Element) {
            VisitElement(*child, style, depth + 1);
        }
        m_stopped = m_stopBelow > 0 && m_lineTop > m_stopBelow;
    }
}

bool LayoutBuilder::IsDisplayed(const DomNode& element) const
{
    if (!IsDrawn(element)) {
        return false;
    }
    const std::wstring* display = m_styles.Resolve(element).Find(L"display");
    return display == nullptr || LowerAscii(*display) != L"none";
}

void LayoutBuilder::VisitElement(const DomNode& element, const TextStyle& parentStyle, int depth)
{
    const std::wstring_view tag = element.tagName;
    if (!IsDrawn(element)) {
        return;
    }
    const ResolvedStyle css = m_styles.Resolve(element);
    const std::wstring* display = css.Find(L"display");
    const std::wstring displayValue = display != nullptr ? LowerAscii(*display) : std::wstring();
    if (displayValue == L"none") {
        return;
    }
    const TextStyle style = StyleFor(element, parentStyle, css);
    const bool nestable = m_tableNesting < kMaxNestedLayouts;
    const Clear clear = ClearOf(element, css);
    if (tag == L"br") {
        LineBreak(style);
        ClearFloats(clear.left, clear.right);
    } else if (IsFloated(element, css) && nestable && !FloatsFull()) {
        VisitFloat(element, style, css, depth);
    } else if ((displayValue == L"inline-block" || IsFloated(element, css)) && tag != L"img" && nestable) {
        VisitInlineBlock(element, style, css, depth);
    } else if (tag == L"img") {
        AddImage(element, style, css);
    } else if (tag == L"hr") {
        AddRule();
    } else if (tag == L"table" && (display == nullptr || displayValue == L"table") && m_tableNesting < kMaxNestedLayouts) {
        VisitTableBox(element, style, css, depth);
    } else if (display != nullptr ? IsBlockDisplay(displayValue) : IsBlock(tag)) {
        const bool listItem = display != nullptr ? displayValue == L"list-item" : tag == L"li";
        if (clear.left || clear.right) {
            BlockEdge(0);
            ClearFloats(clear.left, clear.right);
        }
        VisitBlock(element, style, depth, BlockInfo{&css, listItem});
    } else {
        RecordAnchor(element);
        TextStyle inlineStyle = style;
        inlineStyle.background = BackgroundOf(element, css);
        inlineStyle.background = inlineStyle.background.has_value() ? inlineStyle.background : style.background;
        VisitChildren(element, inlineStyle, depth);
    }
}

void LayoutBuilder::VisitBlock(const DomNode& element, const TextStyle& style, int depth, BlockInfo block)
{
    const std::wstring_view tag = element.tagName;
    const bool isList = tag == L"ul" || tag == L"ol";
    OpenBox open;
    OpenBlockBox(BlockBoxStyle(element, style, *block.css), open);
    RecordAnchor(element);
    const TextAlign savedAlign = m_align;
    m_align = AlignOf(element, *block.css, m_align);
    if (isList) {
        const int start = tag == L"ol" ? std::max(PixelAttribute(element, L"start"), 1) : -1;
        m_listCounters.push_back(start);
    } else if (block.listItem && style.listMarkers) {
        AddListMarker(style);
    }
    VisitChildren(element, style, depth);
    if (m_pendingMarker.has_value()) {
        PlaceMarker();  // an empty item still shows its bullet
    }
    CloseBlockBox(open);
    if (isList) {
        m_listCounters.pop_back();
    }
    m_align = savedAlign;
}

// The margins and padding of the tag, under the page's declarations.
BoxStyle LayoutBuilder::BlockBoxStyle(const DomNode& element, const TextStyle& style, const ResolvedStyle& css)
{
    const std::wstring_view tag = element.tagName;
    BoxStyle defaults;
    if (tag == L"body" || element.kind != DomNodeKind::Element) {
        defaults.margin = {m_input.margin, m_input.margin, m_input.margin, m_input.margin};
    } else {
        const bool isList = tag == L"ul" || tag == L"ol";
        const int vertical = VerticalMargin(tag, style.font, isList && !m_listCounters.empty());
        defaults.margin = {vertical, 0, vertical, 0};
        if (isList) {
            defaults.padding.left = kListIndent;
        } else if (tag == L"blockquote") {
            defaults.margin.left = defaults.margin.right = kListIndent;
        } else if (tag == L"dd") {
            defaults.margin.left = kListIndent;
        }
    }
    const BoxContext context{style.font.pixelHeight, m_measuring ? -1 : m_right - m_left, m_containerHeight, style.color};
    return ComputeBoxStyle(element, css, context, defaults);
}

LayoutBuilder::TextStyle LayoutBuilder::StyleFor(const DomNode& element, const TextStyle& parent,
                                                 const ResolvedStyle& css)
{
    TextStyle style = parent;
    const std::wstring_view tag = element.tagName;
    if (const int level = HeadingLevel(tag); level != 0) {
        style.font.pixelHeight = kHeadingSizes[level - 1];
        style.font.bold = true;
    } else if (tag == L"b" || tag == L"strong" || tag == L"th") {
        style.font.bold = true;
    } else if (tag == L"i" || tag == L"em" || tag == L"cite" || tag == L"var") {
        style.font.italic = true;
    } else if (tag == L"small") {
        style.font.pixelHeight = std::max(style.font.pixelHeight * 5 / 6, 8);
    } else if (tag == L"big") {
        style.font.pixelHeight = std::min(style.font.pixelHeight * 6 / 5, FontKey::kMaxPixelHeight);
    } else if (IsMonospaceTag(tag)) {
        style.preformatted = style.preformatted || IsOneOf(tag, {L"pre", L"listing", L"xmp", L"plaintext"});
        if (style.font.family != FontFamily::Monospace) {
            style.font.family = FontFamily::Monospace;
            style.font.pixelHeight = std::max(style.font.pixelHeight * kMonospaceScale / kMonospaceScaleBase, 8);
        }
    } else if (tag == L"a") {
        const DomString* href = FindAttribute(element, L"href");
        if (href != nullptr) {
            const DomString* target = FindAttribute(element, L"target");
            m_tree.links.push_back({ResolveUrl(m_input.baseUrl, *href), target != nullptr ? std::wstring(*target) : L""});
            style.link = static_cast<int>(m_tree.links.size()) - 1;
        }
    }
    ApplyCss(css, style, parent.font.pixelHeight);
    const PaintStyle paint = InheritPaint(element, css, PaintStyle{style.color, style.font.underline});
    style.color = paint.color;
    style.font.underline = paint.underline;
    style.element = &element;
    return style;
}

LayoutBuilder::PaintStyle LayoutBuilder::InheritPaint(const DomNode& element, const ResolvedStyle& css, PaintStyle paint)
{
    const std::wstring_view tag = element.tagName;
    if (tag == L"u" || tag == L"ins") {
        paint.underline = true;
    } else if (tag == L"a" && FindAttribute(element, L"href") != nullptr) {
        paint.color = kLinkColor;
        paint.underline = true;
    }
    if (const std::wstring* color = css.Find(L"color")) {
        paint.color = ParseCssColor(*color).value_or(paint.color);
    }
    const std::wstring* decoration = css.Find(L"text-decoration");
    decoration = decoration != nullptr ? decoration : css.Find(L"text-decoration-line");
    if (decoration != nullptr) {
        paint.underline = Contains(LowerAscii(*decoration), L"underline");
    }
    return paint;
}

// The page's declarations override the defaults of the element's tag.
void LayoutBuilder::ApplyCss(const ResolvedStyle& css, TextStyle& style, int parentPixels)
{
    if (const std::wstring* size = css.Find(L"font-size")) {
        const auto pixels = ParseFontSize(*size, parentPixels);
        style.font.pixelHeight = pixels.has_value() ? std::clamp(*pixels, 1, FontKey::kMaxPixelHeight)
                                                    : style.font.pixelHeight;
    }
    if (const std::wstring* weight = css.Find(L"font-weight")) {
        const std::wstring value = LowerAscii(*weight);
        const int number = std::wcstol(value.c_str(), nullptr, 10);
        style.font.bold = value == L"bold" || value == L"bolder" || number >= 600 ||
                          (style.font.bold && value != L"normal" && value != L"lighter" && number == 0);
    }
    if (const std::wstring* lineHeight = css.Find(L"line-height")) {
        ApplyLineHeight(LowerAscii(*lineHeight), style);
    }
    if (const std::wstring* fontStyle = css.Find(L"font-style")) {
        style.font.italic = LowerAscii(*fontStyle) != L"normal";
    }
    if (const std::wstring* family = css.Find(L"font-family")) {
        style.font.family = IsMonospaceFamily(*family) ? FontFamily::Monospace : FontFamily::Proportional;
    }
    if (const std::wstring* whiteSpace = css.Find(L"white-space")) {
        style.preformatted = LowerAscii(*whiteSpace).rfind(L"pre", 0) == 0 || *whiteSpace == L"break-spaces";
    }
    const std::wstring* listStyle = css.Find(L"list-style-type");
    listStyle = listStyle != nullptr ? listStyle : css.Find(L"list-style");
    if (listStyle != nullptr) {
        style.listMarkers = !Contains(LowerAscii(*listStyle), L"none");
    }
}

void LayoutBuilder::RecordAnchor(const DomNode& element)
{
    const DomString* name = FindAttribute(element, L"id");
    if (name == nullptr && element.tagName == L"a") {
        name = FindAttribute(element, L"name");
    }
    if (name != nullptr && !name->empty()) {
        const int top = m_tree.boxes.size() > m_lineFirstBox ? m_lineTop : Advance(m_lineTop, m_pendingMargin.Total());
        m_tree.anchors.emplace(std::wstring(*name), top);
    }
}

void LayoutBuilder::AddText(std::wstring_view text, const TextStyle& style)
{
    size_t i = 0;
    while (i < text.size()) {
        const wchar_t c = text[i];
        if (style.preformatted && c == L'\n') {
            LineBreak(style);
            ++i;
        } else if (style.preformatted && c == L'\t') {
            AddTab(style);
            ++i;
        } else if (!style.preformatted && IsCollapsibleSpace(c)) {
            m_pendingSpace = true;
            ++i;
        } else if (IsCjk(c)) {
            AddWord(text.substr(i, 1), style);  // every CJK character is a place to wrap
            ++i;
        } else {
            size_t end = i + 1;
            while (end < text.size() && !IsCjk(text[end]) && text[end] != L'\n' && text[end] != L'\t' &&
                   (style.preformatted || !IsCollapsibleSpace(text[end]))) {
                ++end;
            }
            AddWord(text.substr(i, end - i), style);
            i = end;
        }
    }
}

void LayoutBuilder::AddWord(std::wstring_view word, const TextStyle& style)
{
    bool space = m_pendingSpace && m_lineContent;
    m_pendingSpace = false;
    const int wordWidth = m_measurer.TextWidth(style.font, word);
    const int spaceWidth = space ? m_measurer.TextWidth(style.font, L" ") : 0;
    if (m_lineContent && Advance(m_x, spaceWidth, wordWidth) > LineRight()) {
        FinishLine();
        space = false;
    }
    MakeRoom(wordWidth);
    if (wordWidth > LineRight() - LineLeft()) {
        AddOverlongWord(word, style);
        return;
    }
    LayoutBox box;
    box.kind = BoxKind::Text;
    box.text = space ? L" " + std::wstring(word) : std::wstring(word);
    box.font = style.font;
    box.color = style.color;
    box.link = style.link;
    box.element = style.element;
    box.background = style.background;
    const int natural = m_measurer.LineHeight(style.font);
    PlaceInline(std::move(box), Advance(space ? spaceWidth : 0, wordWidth), natural, LeadingOf(style, natural));
}

// Tab stops fall every eight spaces of the text's font from the start of the line,
// whatever runs and fonts came before on it; a stop closer than half a space is passed.
void LayoutBuilder::AddTab(const TextStyle& style)
{
    constexpr int kTabSize = 8;
    const int space = std::max(m_measurer.TextWidth(style.font, L" "), 1);
    const long long stop = static_cast<long long>(space) * kTabSize;
    const long long offset = m_x - m_left;
    long long next = (offset / stop + 1) * stop;
    if (next - offset < (space + 1) / 2) {
        next += stop;
    }
    m_x = Advance(m_left, next);
}

// A word wider than the whole line is cut where the line is full.
void LayoutBuilder::AddOverlongWord(std::wstring_view word, const TextStyle& style)
{
    while (!word.empty()) {
        if (m_lineContent) {
            FinishLine();
        }
        const int available = LineRight() - LineLeft();
        size_t low = 1;
        // No visible character is narrower than a pixel; this bounds each measurement.
        size_t high = std::min(word.size(), static_cast<size_t>(std::max(available, 1)));
        while (low < high) {  // the longest prefix that fits, at least one character
            const size_t mid = (low + high + 1) / 2;
            if (m_measurer.TextWidth(style.font, word.substr(0, mid)) <= available) {
                low = mid;
            } else {
                high = mid - 1;
            }
        }
        if (low < word.size() && low > 1 && word[low - 1] >= 0xD800 && word[low - 1] <= 0xDBFF) {
            --low;  // never split a surrogate pair
        }
        LayoutBox box;
        box.text = std::wstring(word.substr(0, low));
        box.font = style.font;
        box.color = style.color;
        box.link = style.link;
        box.element = style.element;
        box.background = style.background;
        const int natural = m_measurer.LineHeight(style.font);
        PlaceInline(std::move(box), m_measurer.TextWidth(style.font, word.substr(0, low)), natural,
                    LeadingOf(style, natural));
        word.remove_prefix(low);
    }
}

void LayoutBuilder::AddImage(const DomNode& img, const TextStyle& style, const ResolvedStyle& css)
{
    const DomString* src = FindAttribute(img, L"src");
    LayoutBox box;
    box.kind = BoxKind::Image;
    box.link = style.link;
    box.element = style.element;
    if (src != nullptr && !src->empty()) {
        box.imageUrl = ResolveUrl(m_input.baseUrl, *src);
        m_tree.imageUrls.push_back(box.imageUrl);  // wanted even when it takes no room yet
        if (m_input.images != nullptr) {
            const auto found = m_input.images->find(box.imageUrl);
            box.image = found != m_input.images->end() ? found->second : nullptr;
        }
    }
    SIZE placeholder{kPlaceholderSize, kPlaceholderSize};
    const DomString* alt = FindAttribute(img, L"alt");
    if (box.image == nullptr && alt != nullptr) {
        // The frame of a missing image holds its text; an image marked as decoration
        // (alt="") takes no room.
        box.text = CollapseSpaces(*alt);
        box.font = style.font;
        box.font.underline = false;
        box.color = style.color;
        placeholder = box.text.empty() ? SIZE{0, 0}
                                       : SIZE{Advance(m_measurer.TextWidth(box.font, box.text), 2 * kAltPadding),
                                              Advance(m_measurer.LineHeight(box.font), 2 * kAltPadding)};
    }
    const int available = Right() - m_left;
    const ImageHints hints = HintsFor(img, css, style.font.pixelHeight, m_measuring ? -1 : available);
    const SIZE size = ImageSize(hints, box.image.get(), placeholder, available);
    if (size.cx <= 0 || size.cy <= 0) {
        return;
    }
    if (m_pendingSpace && m_lineContent) {
        m_x = Advance(m_x, m_measurer.TextWidth(style.font, L" "));
    }
    m_pendingSpace = false;
    PlaceInline(std::move(box), size.cx, size.cy);
}

void LayoutBuilder::AddRule()
{
    constexpr int kRuleMargin = 8;
    constexpr int kRuleHeight = 2;
    BlockEdge(kRuleMargin);
    FlushMargin();
    LayoutBox box;
    box.kind = BoxKind::Rule;
    box.color = kRuleColor;
    const int bottom = Advance(m_lineTop, kRuleHeight);
    box.rect = {m_left, m_lineTop, Right(), bottom};
    m_tree.boxes.push_back(std::move(box));
    m_lineTop = bottom;
    m_lineFirstBox = m_tree.boxes.size();
    BlockEdge(kRuleMargin);
}

// The bullet or number waits for the item's first line, which may start inside a
// paragraph or another block of the item.
void LayoutBuilder::AddListMarker(const TextStyle& style)
{
    if (m_pendingMarker.has_value()) {
        PlaceMarker();  // an item that starts with a list shows both markers on one line
    }
    std::wstring marker = L"\u2022";
    if (!m_listCounters.empty() && m_listCounters.back() > 0) {
        marker = std::to_wstring(m_listCounters.back()++) + L".";
    }
    LayoutBox box;
    box.text = std::move(marker);
    box.font = style.font;
    box.font.underline = false;
    box.color = kTextColor;
    box.rect.left = m_left;
    m_pendingMarker = std::move(box);
}

// The marker sits left of the item's content and does not move it.
void LayoutBuilder::PlaceMarker()
{
    LayoutBox box = std::move(*m_pendingMarker);
    m_pendingMarker.reset();
    const int width = m_measurer.TextWidth(box.font, box.text);
    const int height = m_measurer.LineHeight(box.font);
    const int savedX = m_x;
    m_x = std::max(static_cast<int>(box.rect.left) + (LineLeft() - m_left) - kMarkerGap - width, 0);
    PlaceInline(std::move(box), width, height);
    m_x = savedX;
    m_lineContent = false;
}

void LayoutBuilder::PlaceInline(LayoutBox box, int width, int height, int leading)
{
    if (m_lineContent && Advance(m_x, width) > LineRight()) {
        FinishLine();
    }
    MakeRoom(width);
    if (!m_lineStarted) {
        FlushMargin();
        m_x = std::max(m_x, LineLeft());  // floats push the line's start
        m_lineStarted = true;
    }
    if (m_pendingMarker.has_value()) {
        PlaceMarker();
    }
    m_lineContent = true;
    const int below = leading / 2;
    m_lineAbove = std::max(m_lineAbove, Advance(height, leading, -below));
    m_lineBelow = std::max(m_lineBelow, below);
    const int right = Advance(m_x, width);
    const int bottom = Advance(m_lineTop, height);
    // Measured from the content's edge, so that indented lists need their indent too.
    m_widestPiece = std::max(m_widestPiece, Advance(width, m_left - m_input.margin, m_rightInset));
    m_widestLine = std::max(m_widestLine, Advance(right, m_rightInset, -m_input.margin));
    if (box.kind == BoxKind::Text && m_tree.boxes.size() > m_lineFirstBox) {
        LayoutBox& last = m_tree.boxes.back();
        if (last.kind == BoxKind::Text && last.rect.right == m_x && last.font == box.font &&
            last.color == box.color && last.link == box.link && last.background == box.background &&
            (last.element == box.element || !m_styles.UsesHover())) {
            // One run per line and style keeps painting cheap; a page with :hover rules
            // keeps the runs of its elements apart to restyle them on their own.
            last.text += box.text;
            last.rect.right = right;
            last.rect.bottom = std::max<LONG>(last.rect.bottom, bottom);
            m_x = right;
            return;
        }
    }
    box.rect = {m_x, m_lineTop, right, bottom};
    m_tree.boxes.push_back(std::move(box));
    m_x = right;
}

void LayoutBuilder::LineBreak(const TextStyle& style)
{
    if (m_tree.boxes.size() > m_lineFirstBox) {
        FinishLine();
        return;
    }
    FlushMargin();
    const int natural = m_measurer.LineHeight(style.font);
    m_lineTop = Advance(m_lineTop, natural, LeadingOf(style, natural));
    m_pendingSpace = false;
    m_x = m_left;  // a line of nothing but tabs
}

// Boxes of a line share its bottom edge, so text sits on the baseline next to images.
void LayoutBuilder::FinishLine()
{
    const int lineBottom = Advance(m_lineTop, m_lineAbove);
    const int room = std::max(LineRight() - m_x, 0);
    const int indent = m_align == TextAlign::Center ? room / 2 : m_align == TextAlign::Right ? room : 0;
    for (size_t i = m_lineFirstBox; i < m_tree.boxes.size(); ++i) {
        RECT& rect = m_tree.boxes[i].rect;
        const LONG shift = lineBottom - rect.bottom;
        rect.top += shift;
        rect.bottom += shift;
        rect.left += indent;
        rect.right += indent;
    }
    m_lineTop = Advance(lineBottom, m_lineBelow == kNoExtent ? 0 : m_lineBelow);
    m_lineAbove = 0;
    m_lineBelow = kNoExtent;
    PlaceLineAtomics();
    DropFloatsAbove(m_lineTop);
    m_lineFirstBox = m_tree.boxes.size();
    m_x = m_left;
    m_lineContent = false;
    m_lineStarted = false;
    m_pendingSpace = false;
    std::vector<Atomic> waiting = std::move(m_waitingFloats);
    m_waitingFloats.clear();
    for (Atomic& atomic : waiting) {
        PlaceFloat(std::move(atomic));
    }
}

void LayoutBuilder::BlockEdge(int margin)
{
    if (m_tree.boxes.size() > m_lineFirstBox) {
        FinishLine();
    }
    m_pendingMargin.Add(margin);
    m_pendingSpace = false;
    m_lineStarted = false;
}

} // namespace engine
