#pragma once
// Block flow layout of a document: headings, paragraphs, lists, divs, line breaks,
// links, images and word-wrapped text, in a viewport of fixed width.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FontKey.h"
#include "LayoutTree.h"
#include "StyleResolver.h"
#include "engine/dom/DomNode.h"

namespace engine {

class TextMeasurer;
struct TableGrid;

struct LayoutMargins {
    static constexpr int kBody = 8;
};

enum class TextAlign { Left, Center, Right };

struct LayoutInput {
    std::wstring baseUrl;  // resolves link and image addresses
    const std::map<std::wstring, std::shared_ptr<const DecodedImage>>* images = nullptr;  // by absolute URL; may be null
    int width = 0;         // viewport width in pixels
    const StyleResolver* styles = nullptr;  // the page's style sheets; null for none
    int margin = LayoutMargins::kBody;  // around the content, each side
};

class LayoutBuilder final {
public:
    // Spacing of the default style sheet, in pixels.
    static constexpr int kBodyMargin = LayoutMargins::kBody;
    static constexpr int kParagraphMargin = 16;
    static constexpr int kListIndent = 40;
    static constexpr int kPlaceholderSize = 20;
    static constexpr int kAltPadding = 2;  // between a missing image's frame and its text
    // Every position and extent stays within [0, kMaxCoordinate]: a hostile page piles
    // up at the limit instead of overflowing, and sums of two coordinates fit an int.
    static constexpr int kMaxCoordinate = 1 << 28;
    static constexpr COLORREF kTextColor = RGB(0, 0, 0);
    static constexpr COLORREF kLinkColor = RGB(0, 0, 238);
    static constexpr COLORREF kRuleColor = RGB(160, 160, 160);

    // `measurer` is borrowed for the lifetime of the builder.
    LayoutBuilder(TextMeasurer& measurer, LayoutInput input);

    [[nodiscard]] LayoutTree Build(const DomNode& document);

    // What an element's text is painted with, and nothing else: it changes no size.
    struct PaintStyle {
        COLORREF color = kTextColor;
        bool underline = false;
    };
    // The element's paint style: its tag's, overridden by its declarations, on top of
    // what it inherits from its parent.
    [[nodiscard]] static PaintStyle InheritPaint(const DomNode& element, const ResolvedStyle& css, PaintStyle parent);

private:
    // False for elements whose content is never page text (head, script, style, ...)
    // and for elements hidden by the hidden attribute or an inline display:none.
    [[nodiscard]] static bool IsDrawn(const DomNode& element);
    // Drawn, and not display:none by the page's styles.
    [[nodiscard]] bool IsDisplayed(const DomNode& element) const;

    struct TextStyle {
        FontKey font;
        COLORREF color = kTextColor;
        int link = -1;
        const DomNode* element = nullptr;  // whose style this is
        bool preformatted = false;
        bool listMarkers = true;  // list items show bullets or numbers
    };
    struct BlockInfo {
        const ResolvedStyle* css;
        bool listItem;  // shows a marker
    };

    void VisitChildren(const DomNode& node, const TextStyle& style, int depth);
    void VisitElement(const DomNode& element, const TextStyle& style, int depth);
    void VisitBlock(const DomNode& element, const TextStyle& style, int depth, BlockInfo block);
    void RecordAnchor(const DomNode& element);
    [[nodiscard]] TextStyle StyleFor(const DomNode& element, const TextStyle& parent, const ResolvedStyle& css);
    static void ApplyCss(const ResolvedStyle& css, TextStyle& style, int parentPixels);
    void AddText(std::wstring_view text, const TextStyle& style);
    void AddWord(std::wstring_view word, const TextStyle& style);
    void AddTab(const TextStyle& style);
    void AddOverlongWord(std::wstring_view word, const TextStyle& style);
    void AddImage(const DomNode& img, const TextStyle& style);
    void AddRule();
    void AddListMarker(const TextStyle& style);
    void PlaceMarker();
    void PlaceInline(LayoutBox box, int width, int height);
    void LineBreak(const TextStyle& style);
    void FinishLine();
    void BlockEdge(int margin);
    // Tables (LayoutBuilderTables.cpp).
    struct TableFrame;
    struct CellBox;
    void VisitTable(const DomNode& table, const TextStyle& style, int depth);
    [[nodiscard]] LayoutTree LayOutCell(const DomNode& cell, const TextStyle& style, int width, int depth,
                                        int* widestLine, int* widestPiece);
    [[nodiscard]] TableFrame FrameFor(const DomNode& table) const;
    [[nodiscard]] std::vector<TextStyle> RowStyles(const TableGrid& grid, const TextStyle& tableStyle);
    void PlaceCells(const TableGrid& grid, const TableFrame& frame, int depth);
    void PlaceCellContent(LayoutTree cell, int x, int y);
    void AddFill(const RECT& rect, COLORREF color);
    void AddFrame(const RECT& rect, int width, COLORREF color);

    [[nodiscard]] int Right() const { return m_width - m_input.margin; }

    TextMeasurer& m_measurer;
    LayoutInput m_input;
    StyleResolver m_noStyles;  // for pages laid out without style sheets
    const StyleResolver& m_styles;
    int m_width;
    LayoutTree m_tree;
    // Current line.
    int m_left;
    int m_x;
    int m_lineTop = 0;
    int m_lineHeight = 0;
    size_t m_lineFirstBox = 0;
    bool m_lineContent = false;  // the line holds more than a list marker
    bool m_pendingSpace = false;
    int m_pendingMargin;  // collapsed vertical margin before the next line
    std::vector<int> m_listCounters;  // per open list: next number, or -1 for bullets
    std::optional<LayoutBox> m_pendingMarker;  // rect.left holds the item's left edge
    TextAlign m_align = TextAlign::Left;  // of the block whose lines are being laid out
    int m_tableNesting = 0;  // tables this builder's content sits in
    bool m_measuring = false;  // laying out a cell only to measure it: percentages mean nothing
    int m_widestLine = 0;    // for measuring table cells
    int m_widestPiece = 0;
};

} // namespace engine
