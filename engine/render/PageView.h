#pragma once
// Lays out and paints a document with GDI: block flow of headings, paragraphs, lists,
// divs, line breaks, links, images and word-wrapped text.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Win32.h"
#include "engine/dom/DomNode.h"

namespace engine {

class DecodedImage;
class FontCache;
class LayoutTree;
class StyleResolver;
struct CssStyleSheet;

class PageView final {
public:
    PageView();
    ~PageView();
    PageView(const PageView&) = delete;
    PageView& operator=(const PageView&) = delete;

    // Takes ownership of the document; `baseUrl` resolves links and image sources.
    // Drops the previous layout; call Layout before painting again.
    void SetDocument(DomNodePtr doc, std::wstring baseUrl);
    // Takes a changed version of the current document, keeping the images and style
    // sheets that have arrived. Call Layout before painting again.
    void ReplaceDocument(DomNodePtr doc);

    // Absolute addresses of every <img src> the last layout displayed, in order, without
    // duplicates: images in parts that are not displayed are never fetched.
    [[nodiscard]] std::vector<std::wstring> ImageUrls() const;

    // Supplies the encoded bytes (PNG, JPEG, GIF, BMP, ...) of an image named by ImageUrls.
    // Undecodable bytes leave the placeholder box. Call Layout afterwards.
    void SetImage(const std::wstring& absoluteUrl, std::vector<unsigned char> bytes);

    // Absolute addresses of the style sheets `document` links for the screen, in order,
    // without duplicates.
    [[nodiscard]] static std::vector<std::wstring> StylesheetUrls(const DomNode& document, const std::wstring& baseUrl);

    // Supplies the text of a style sheet named by StylesheetUrls. Call Layout afterwards.
    void SetStylesheet(const std::wstring& absoluteUrl, std::string_view bytes);

    // Lays the document out for a viewport `width` pixels wide; `dc` measures text. With
    // `stopBelow` above 0 it may stop once the content is known to be taller than that:
    // LaidOutWhole() then says so, and the layout serves for nothing else.
    void Layout(HDC dc, int width, int stopBelow = 0);
    [[nodiscard]] bool LaidOutWhole() const;

    // Height in pixels of the laid-out content, for scrolling.
    [[nodiscard]] int ContentHeight() const;
    // Content y of the element with this id (or <a name>); nothing when there is none.
    [[nodiscard]] std::optional<int> AnchorTop(const std::wstring& name) const;

    // Paints the part of the content that falls in `clip` (client coordinates of `dc`),
    // with the content scrolled up by `scrollY` pixels.
    void Paint(HDC dc, const RECT& clip, int scrollY) const;

    struct Hit {
        std::wstring linkUrl;     // absolute; empty when not on a link
        std::wstring linkTarget;  // the link's target attribute
        bool onImage = false;
        std::wstring imageUrl;    // absolute
    };
    // `contentPoint` is in content coordinates (client point plus scroll offset).
    [[nodiscard]] Hit HitTest(POINT contentPoint) const;

    enum class HoverChange { None, Repaint, Relayout };
    // The mouse is at `contentPoint`, or has left the page (nothing). Restyles what
    // :hover rules change, and says whether the page needs painting or a new layout.
    [[nodiscard]] HoverChange HoverAt(std::optional<POINT> contentPoint);

private:
    void BuildStyles();
    // The element whose text or image is topmost at `contentPoint`; null for none.
    [[nodiscard]] const DomNode* ElementAt(POINT contentPoint) const;

    DomNodePtr m_doc;
    std::wstring m_baseUrl;
    std::map<std::wstring, std::shared_ptr<const DecodedImage>> m_images;
    std::map<std::wstring, std::shared_ptr<const CssStyleSheet>> m_linkedSheets;
    std::unique_ptr<StyleResolver> m_styles;  // built at the first layout after a change
    const DomNode* m_hovered = nullptr;  // innermost element under the mouse; in m_doc
    std::unique_ptr<LayoutTree> m_layout;
    // Painting must use the very fonts layout measured with; a cache, so Paint stays const.
    std::unique_ptr<FontCache> m_fonts;
};

} // namespace engine
