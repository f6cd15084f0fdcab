#include "PageView.h"

#include <algorithm>

#include "DecodedImage.h"
#include "FontCache.h"
#include "GdiTextMeasurer.h"
#include "LayoutBuilder.h"
#include "LayoutTree.h"
#include "PagePainter.h"
#include "engine/dom/DomQueries.h"
#include "engine/dom/Url.h"

namespace engine {
namespace {

bool Contains(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// Image sources of the parts of the page that are drawn, iteratively (any depth).
std::vector<const DomNode*> DrawnImages(const DomNode& root)
{
    std::vector<const DomNode*> images;
    std::vector<const DomNode*> pending{&root};
    while (!pending.empty()) {
        const DomNode* node = pending.back();
        pending.pop_back();
        if (node->kind != DomNodeKind::Element && node->kind != DomNodeKind::Document) {
            continue;
        }
        if (node->kind == DomNodeKind::Element && !LayoutBuilder::IsDrawn(*node)) {
            continue;
        }
        if (node->tagName == L"img") {
            images.push_back(node);
        }
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) {
            pending.push_back(it->get());
        }
    }
    return images;
}

} // namespace

PageView::PageView() : m_fonts(std::make_unique<FontCache>()) {}
PageView::~PageView() = default;

void PageView::SetDocument(DomNodePtr doc, std::wstring baseUrl)
{
    m_doc = std::move(doc);
    m_baseUrl = std::move(baseUrl);
    m_images.clear();
    m_layout.reset();
}

std::vector<std::wstring> PageView::ImageUrls() const
{
    std::vector<std::wstring> urls;
    if (m_doc == nullptr) {
        return urls;
    }
    for (const DomNode* img : DrawnImages(*m_doc)) {
        const DomString* src = FindAttribute(*img, L"src");
        if (src == nullptr || src->empty()) {
            continue;
        }
        std::wstring url = ResolveUrl(m_baseUrl, *src);
        if (std::find(urls.begin(), urls.end(), url) == urls.end()) {
            urls.push_back(std::move(url));
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

void PageView::Layout(HDC dc, int width)
{
    if (m_doc == nullptr) {
        m_layout = std::make_unique<LayoutTree>();
        return;
    }
    GdiTextMeasurer measurer(dc, *m_fonts);
    LayoutBuilder builder(measurer, LayoutInput{m_baseUrl, &m_images, width});
    m_layout = std::make_unique<LayoutTree>(builder.Build(*m_doc));
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
    for (const LayoutBox& box : m_layout->boxes) {
        if (!Contains(box.rect, contentPoint)) {
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

} // namespace engine
