#pragma once
// Block flow layout of a document: headings, paragraphs, lists, divs, line breaks,
// links, images and word-wrapped text, in a viewport of fixed width.

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BoxStyle.h"
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
    static constexpr int kNoExtent = -kMaxCoordinate;
    // Each level of tables, floats and inline blocks lays its content out up to three
    // times (two measurements), so their nesting is bounded.
    static constexpr int kMaxNestedLayouts = 6;
    static constexpr int kMeasureWidth = 1 << 20;  // wide enough that no line of a measured box wraps

    // `measurer` is borrowed for the lifetime of the builder.
    LayoutBuilder(TextMeasurer& measurer, LayoutInput input);

    // With `stopBelow` above 0, the layout stops once its flow has passed that height,
    // which is all a caller asking whether the page is taller needs to know; the tree
    // is then not complete.
    [[nodiscard]] LayoutTree Build(const DomNode& document, int stopBelow = 0);

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
        int lineHeight = -1;      // pixels; -1 for the font's own
        double lineFactor = 0;    // when not 0, the line height in font sizes, for every descendant's font
        std::optional<COLORREF> background;  // of the inline elements the text is in
    };
    struct BlockInfo {
        const ResolvedStyle* css;
        bool listItem;  // shows a marker
    };

    void VisitChildren(const DomNode& node, const TextStyle& style, int depth);
    void VisitElement(const DomNode& element, const TextStyle& style, int depth);
    void VisitBlock(const DomNode& element, const TextStyle& style, int depth, BlockInfo block);
    // The box model of blocks (LayoutBuilderBlocks.cpp).
    enum class Flow { InFlow, NewContext };  // a new context keeps its content's margins in
    struct OpenBox {
        BoxStyle box;
        int borderLeft = 0;   // the border box's edges
        int borderRight = 0;
        int top = -1;         // once collapsed margins allow to know it
        bool newContext = false;  // its margins never collapse with its content's
        size_t firstSlot = 0;  // boxes reserved for the background and the four borders
        int savedLeft = 0;
        int savedRight = 0;
        int savedRightInset = 0;
        int savedContainerHeight = -1;
    };
    [[nodiscard]] BoxStyle BlockBoxStyle(const DomNode& element, const TextStyle& style, const ResolvedStyle& css);
    void OpenBlockBox(const BoxStyle& box, OpenBox& open, Flow flow = Flow::InFlow);
    void CloseBlockBox(OpenBox& open);
    void PaintBlockBox(const OpenBox& open, int bottom);
    void SetBackgroundImage(LayoutBox& slot, const BoxStyle& box);
    void FlushMargin();
    void VisitTableBox(const DomNode& table, const TextStyle& style, const ResolvedStyle& css, int depth);
    // Floats and inline blocks: boxes laid out on their own (LayoutBuilderFloats.cpp).
    struct Atomic {
        LayoutTree tree;
        int width = 0;  // of the margin box
        bool left = true;  // floats: the side
    };
    struct FloatArea {
        RECT rect;  // margin box
        bool left;
    };
    // A builder for content laid out on its own, `width` pixels wide.
    [[nodiscard]] std::unique_ptr<LayoutBuilder> Nested(int width, bool measuring) const;
    [[nodiscard]] Atomic LayOutAtomic(const DomNode& element, const TextStyle& style, const BoxStyle& box, int depth);
    [[nodiscard]] LayoutTree LayOutBox(const DomNode& element, const TextStyle& style, const BoxStyle& box, int width,
                                       int depth, int* widestLine, int* widestPiece);
    void VisitInlineBlock(const DomNode& element, const TextStyle& style, const ResolvedStyle& css, int depth);
    void VisitFloat(const DomNode& element, const TextStyle& style, const ResolvedStyle& css, int depth);
    void PlaceFloat(Atomic atomic);
    void PlaceLineAtomics();
    void ClearFloats(bool left, bool right);
    [[nodiscard]] bool DropBelowFloat();
    void MakeRoom(int width);
    [[nodiscard]] bool FloatsFull() const;
    void DropFloatsAbove(int y);
    void FinishFlow();
    [[nodiscard]] int LineLeft() const;
    [[nodiscard]] int LineRight() const;
    void RecordAnchor(const DomNode& element);
    [[nodiscard]] TextStyle StyleFor(const DomNode& element, const TextStyle& parent, const ResolvedStyle& css);
    static void ApplyCss(const ResolvedStyle& css, TextStyle& style, int parentPixels);
    static void ApplyLineHeight(std::wstring_view value, TextStyle& style);
    void AddText(std::wstring_view text, const TextStyle& style);
    void AddWord(std::wstring_view word, const TextStyle& style);
    void AddTab(const TextStyle& style);
    void AddOverlongWord(std::wstring_view word, const TextStyle& style);
    void AddImage(const DomNode& img, const TextStyle& style, const ResolvedStyle& css);
    void AddRule();
    void AddListMarker(const TextStyle& style);
    void PlaceMarker();
    // `leading` is what the line height adds to `height`, half above and half below.
    void PlaceInline(LayoutBox box, int width, int height, int leading = 0);
    [[nodiscard]] int LeadingOf(const TextStyle& style, int natural) const;  // `natural`: the font's line height
    void LineBreak(const TextStyle& style);
    void FinishLine();
    void BlockEdge(int margin);
    // Tables (LayoutBuilderTables.cpp).
    struct TableFrame;
    struct CellBox;
    void VisitTable(const DomNode& table, const TextStyle& style, int depth);
    [[nodiscard]] LayoutTree LayOutCell(const DomNode& cell, const TextStyle& style, int width, int depth,
                                        int* widestLine, int* widestPiece);
    [[nodiscard]] TableFrame FrameFor(const DomNode& table, const TextStyle& style);
    [[nodiscard]] CellBox CellBoxFor(const DomNode& cell, const TextStyle& rowStyle, const TableFrame& frame,
                                     int percentBase) const;
    static void CollapseBorders(TableFrame& frame);
    [[nodiscard]] int ColumnWidth(const DomNode& element, const TextStyle& style, int percentBase) const;
    [[nodiscard]] std::vector<TextStyle> RowStyles(const TableGrid& grid, const TextStyle& tableStyle);
    void PlaceCells(const TableGrid& grid, const TableFrame& frame, int depth);
    void PlaceCellContent(LayoutTree cell, int x, int y);
    void AddFill(const RECT& rect, COLORREF color);
    void AddFrame(const RECT& rect, int width, COLORREF color);
    void AddBorders(const RECT& rect, const BoxSides& widths, const std::array<std::optional<COLORREF>, 4>& colors);

    [[nodiscard]] int Right() const { return m_right; }

    TextMeasurer& m_measurer;
    LayoutInput m_input;
    StyleResolver m_noStyles;  // for pages laid out without style sheets
    const StyleResolver& m_styles;
    int m_width;
    LayoutTree m_tree;
    // Content edges of the innermost open block.
    int m_left = 0;
    int m_right;
    int m_rightInset = 0;       // padding, borders and margins of open blocks right of m_right
    int m_containerHeight = -1; // of the innermost block with a set height, for percentages
    std::vector<OpenBox*> m_awaitingTop;  // open blocks whose top waits for collapsed margins
    std::vector<FloatArea> m_floats;      // placed floats that may still narrow lines
    std::vector<Atomic> m_waitingFloats;  // met inside a line; placed below it
    std::vector<std::pair<size_t, LayoutTree>> m_lineAtomics;  // inline blocks of the line, by placeholder
    bool m_lineStarted = false;           // the line's top and left edge are fixed
    // Current line.
    int m_x;
    int m_lineTop = 0;
    int m_lineAbove = 0;  // extent of the line's boxes above and below the shared bottom edge
    int m_lineBelow = kNoExtent;
    size_t m_lineFirstBox = 0;
    bool m_lineContent = false;  // the line holds more than a list marker
    bool m_pendingSpace = false;
    CollapsedMargin m_pendingMargin;  // vertical margins before the next line
    std::vector<int> m_listCounters;  // per open list: next number, or -1 for bullets
    std::optional<LayoutBox> m_pendingMarker;  // rect.left holds the item's left edge
    TextAlign m_align = TextAlign::Left;  // of the block whose lines are being laid out
    int m_tableNesting = 0;  // tables, floats and inline blocks this builder's content sits in
    bool m_measuring = false;  // laying out a cell only to measure it: percentages mean nothing
    int m_stopBelow = 0;     // see Build
    bool m_stopped = false;
    int m_widestLine = 0;    // for measuring table cells
    int m_widestPiece = 0;
};

} // namespace engine
