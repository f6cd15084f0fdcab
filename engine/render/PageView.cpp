#include "PageView.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "CssStyleSheet.h"
#include "CssText.h"
#include "DecodedImage.h"
#include "FontCache.h"
#include "GdiTextMeasurer.h"
#include "HoverRestyle.h"
#include "LayoutBuilder.h"
#include "LayoutTree.h"
#include "PagePainter.h"
#include "StyleResolver.h"
#include "engine/dom/DomQueries.h"
#include "engine/dom/TextDecoding.h"
#include "engine/dom/Url.h"

namespace engine {
namespace {

bool Contains(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// The elements below `root` that `wanted` accepts, in document order, iteratively (any
// depth).
template <typename Wanted>
std::vector<const DomNode*> FindElements(const DomNode& root, Wanted wanted)
{
    std::vector<const DomNode*> found;
    std::vector<const DomNode*> pending{&root};
    while (!pending.empty()) {
        const DomNode* node = pending.back();
        pending.pop_back();
        if (node->kind != DomNodeKind::Element && node->kind != DomNodeKind::Document) {
            continue;
        }
        if (node->kind == DomNodeKind::Element && wanted(*node)) {
            found.push_back(node);
        }
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) {
            pending.push_back(it->get());
        }
    }
    return found;
}

bool IsStylesheetLink(const DomNode& element)
{
    if (element.tagName != L"link") {
        return false;
    }
    const DomString* rel = FindAttribute(element, L"rel");
    const DomString* href = FindAttribute(element, L"href");
    if (rel == nullptr || href == nullptr || href->empty()) {
        return false;
    }
    const std::wstring lower = LowerAscii(*rel);
    return lower.find(L"stylesheet") != std::wstring::npos && lower.find(L"alternate") == std::wstring::npos;
}

bool IsScreenStyle(const DomNode& element)
{
    const DomString* media = FindAttribute(element, L"media");
    return media == nullptr || IsScreenMedia(*media);
}

// <style> elements and stylesheet links in document order.
std::vector<const DomNode*> StyleSources(const DomNode& root)
{
    return FindElements(root, [](const DomNode& node) {
        return (node.tagName == L"style" || IsStylesheetLink(node)) && IsScreenStyle(node);
    });
}

std::wstring TextContent(const DomNode& element)
{
    std::wstring text;
    for (const auto& child : element.children) {
        if (child->kind == DomNodeKind::Text) {
            text += child->text;
        }
    }
    return text;
}

} // namespace

PageView::PageView() : m_fonts(std::make_unique<FontCache>()) {}
PageView::~PageView() = default;

void PageView::SetDocument(DomNodePtr doc, std::wstring baseUrl)
{
    m_baseUrl = std::move(baseUrl);
    m_images.clear();
    m_linkedSheets.clear();
    ReplaceDocument(std::move(doc));
}

void PageView::ReplaceDocument(DomNodePtr doc)
{
    // The layout and the hover point into the old tree.
    m_layout.reset();
    m_styles.reset();
    m_hovered = nullptr;
    m_doc = std::move(doc);
}

std::vector<std::wstring> PageView::StylesheetUrls(const DomNode& document, const std::wstring& baseUrl)
{
    std::vector<std::wstring> urls;
    for (const DomNode* source : StyleSources(document)) {
        if (source->tagName == L"link") {
            std::wstring url = ResolveUrl(baseUrl, *FindAttribute(*source, L"href"));
            if (std::find(urls.begin(), urls.end(), url) == urls.end()) {
                urls.push_back(std::move(url));
            }
        }
    }
    return urls;
}

void PageView::SetStylesheet(const std::wstring& absoluteUrl, std::string_view bytes)
{
    m_linkedSheets[absoluteUrl] = std::make_shared<const CssStyleSheet>(ParseStyleSheet(DecodeHtmlBytes(bytes, "")));
    m_styles.reset();
}

// The page's sheets in document order: its <style> elements and the linked sheets
// that have arrived.
void PageView::BuildStyles()
{
    m_styles = std::make_unique<StyleResolver>();
    m_styles->SetHovered(m_hovered);
    if (m_doc == nullptr) {
        return;
    }
    for (const DomNode* source : StyleSources(*m_doc)) {
        if (source->tagName == L"style") {
            m_styles->Add(ParseStyleSheet(TextContent(*source)));
            continue;
        }
        const auto found = m_linkedSheets.find(ResolveUrl(m_baseUrl, *FindAttribute(*source, L"href")));
        if (found != m_linkedSheets.end()) {
            m_styles->Add(*found->second);
        }
    }
}

std::vector<std::wstring> PageView::ImageUrls() const
{
    std::vector<std::wstring> urls;
    if (m_layout == nullptr) {
        return urls;
    }
    std::unordered_set<std::wstring> seen;
    for (const std::wstring& url : m_layout->imageUrls) {
        if (seen.insert(url).second) {
            urls.push_back(url);
        }
    }
    return urls;
}

void PageView::SetImage(const std::wstring& absoluteUrl, std::vector<unsigned char> bytes)
{
    auto image = DecodedImage::Decode(bytes);
    if (image != nullptr) {
        m_images[absoluteUrl] = std::move(image);
    }
}

void PageView::Layout(HDC dc, int width, int stopBelow)
{
    if (m_doc == nullptr) {
        m_layout = std::make_unique<LayoutTree>();
        return;
    }
    if (m_styles == nullptr) {
        BuildStyles();
    }
    GdiTextMeasurer measurer(dc, *m_fonts);
    LayoutBuilder builder(measurer, LayoutInput{m_baseUrl, &m_images, width, m_styles.get()});
    m_layout = std::make_unique<LayoutTree>(builder.Build(*m_doc, stopBelow));
}

bool PageView::LaidOutWhole() const
{
    return m_layout == nullptr || m_layout->complete;
}

int PageView::ContentHeight() const
{
    return m_layout != nullptr ? m_layout->contentHeight : 0;
}

std::optional<int> PageView::AnchorTop(const std::wstring& name) const
{
    if (m_layout == nullptr) {
        return std::nullopt;
    }
    const auto found = m_layout->anchors.find(name);
    return found != m_layout->anchors.end() ? std::optional<int>(found->second) : std::nullopt;
}

void PageView::Paint(HDC dc, const RECT& clip, int scrollY) const
{
    static const LayoutTree kEmpty;
    PagePainter painter(dc, *m_fonts);
    painter.Paint(m_layout != nullptr ? *m_layout : kEmpty, clip, scrollY);
}

PageView::Hit PageView::HitTest(POINT contentPoint) const
{
    Hit hit;
    if (m_layout == nullptr) {
        return hit;
    }
    // The box painted last is on top; fills and borders are only decoration.
    for (auto it = m_layout->boxes.rbegin(); it != m_layout->boxes.rend(); ++it) {
        const LayoutBox& box = *it;
        if (box.kind == BoxKind::Rule || box.kind == BoxKind::Background || !Contains(box.rect, contentPoint)) {
            continue;
        }
        if (box.link >= 0) {
            hit.linkUrl = m_layout->links[box.link].url;
            hit.linkTarget = m_layout->links[box.link].target;
        }
        if (box.kind == BoxKind::Image) {
            hit.onImage = true;
            hit.imageUrl = box.imageUrl;
        }
        break;
    }
    return hit;
}

PageView::HoverChange PageView::HoverAt(std::optional<POINT> contentPoint)
{
    const bool tracked = m_styles == nullptr || m_styles->UsesHover();  // saves the hit test on most pages
    const DomNode* element = contentPoint.has_value() && tracked ? ElementAt(*contentPoint) : nullptr;
    if (element == m_hovered) {
        return HoverChange::None;
    }
    const DomNode* previous = std::exchange(m_hovered, element);
    if (m_styles == nullptr || m_layout == nullptr) {
        return HoverChange::None;  // the next layout styles the new state
    }
    m_styles->SetHovered(element);
    switch (RestyleHover(previous, element, *m_styles, *m_layout)) {
    case HoverEffect::Paint: return HoverChange::Repaint;
    case HoverEffect::Layout: return HoverChange::Relayout;
    default: return HoverChange::None;
    }
}

const DomNode* PageView::ElementAt(POINT contentPoint) const
{
    if (m_layout == nullptr) {
        return nullptr;
    }
    for (auto it = m_layout->boxes.rbegin(); it != m_layout->boxes.rend(); ++it) {
        if (it->element != nullptr && Contains(it->rect, contentPoint)) {
            return it->element;
        }
    }
    return nullptr;
}

} // namespace engine
