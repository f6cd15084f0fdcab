// Tables: an automatic table layout whose cells are laid out by nested builders.
#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

#include "CssValues.h"
#include "CssText.h"
#include "LayoutBuilder.h"
#include "LayoutSupport.h"
#include "TableGrid.h"
#include "engine/dom/DomQueries.h"

namespace engine {
namespace {

constexpr int kDefaultSpacing = 2;
constexpr int kDefaultPadding = 1;
constexpr int kMaxFrame = 100;  // border, spacing and padding attributes are capped at this
constexpr COLORREF kOuterBorderColor = RGB(128, 128, 128);
constexpr COLORREF kCellBorderColor = RGB(192, 192, 192);

// The vertical-align keyword or valign attribute of a cell or row; nothing when neither says.
std::optional<std::wstring> VerticalAlignOf(const DomNode& element, const ResolvedStyle& css)
{
    if (const std::wstring* align = css.Find(L"vertical-align"); align != nullptr && LowerAscii(*align) != L"inherit") {
        return LowerAscii(*align);
    }
    const DomString* valign = FindAttribute(element, L"valign");
    return valign != nullptr ? std::optional<std::wstring>(LowerAscii(*valign)) : std::nullopt;
}

// How far down its box a cell's content sits: by the cell's alignment, else its row's,
// else in the middle. Baseline and lengths are taken as the top.
int VerticalOffset(std::optional<std::wstring> cellAlign, std::optional<std::wstring> rowAlign, int room)
{
    const std::wstring value = cellAlign.value_or(rowAlign.value_or(L"middle"));
    if (value == L"middle") {
        return room / 2;
    }
    return value == L"bottom" || value == L"text-bottom" ? room : 0;
}

constexpr const wchar_t* kBorderStyles[] = {L"border-top-style", L"border-right-style", L"border-bottom-style",
                                            L"border-left-style"};
constexpr int BoxSides::*kSides[] = {&BoxSides::top, &BoxSides::right, &BoxSides::bottom, &BoxSides::left};

// Whether the page's declarations say anything of the element's borders.
bool DeclaresBorder(const ResolvedStyle& css)
{
    return std::any_of(std::begin(kBorderStyles), std::end(kBorderStyles),
                       [&css](const wchar_t* property) { return css.Find(property) != nullptr; });
}

bool IsCollapsed(const ResolvedStyle& css)
{
    const std::wstring* collapse = css.Find(L"border-collapse");
    return collapse != nullptr && LowerAscii(*collapse) == L"collapse";
}

} // namespace

// A cell's border and padding: its declarations over the table's attributes (cellpadding,
// and a 1-pixel border when the table has one).
struct LayoutBuilder::CellBox {
    BoxSides border;
    std::array<std::optional<COLORREF>, 4> borderColor;  // by BoxStyle::Side; nothing for transparent
    BoxSides inset;  // border and padding
    int width = -1;  // of the content, from the cell's width; -1 for auto

    [[nodiscard]] int Across() const { return inset.left + inset.right; }
    [[nodiscard]] int Down() const { return inset.top + inset.bottom; }
    [[nodiscard]] int Widest() const { return std::max({border.top, border.right, border.bottom, border.left}); }
};

struct LayoutBuilder::TableFrame {
    const DomNode* table = nullptr;
    bool collapsed = false;  // border-collapse: collapse
    int border = 0;   // outer border width, for the table's geometry
    int paintedBorder = 0;  // the table's own border, drawn at its edges
    COLORREF borderColor = kOuterBorderColor;
    int width = -1;  // inside the borders, from the table's declarations; -1 for none
    int spacing = kDefaultSpacing;
    int padding = kDefaultPadding;
    int cellBorder = 0;
    int left = 0;     // the table's outer box
    int top = 0;
    std::vector<int> columnX;  // left of each column's cells, and one past the last column
    std::vector<int> columnWidth;
    std::vector<TextStyle> rowStyles;  // what each row's cells inherit
    std::vector<CellBox> cells;  // by grid cell
};

// Cells inherit from their row, and rows from their thead, tbody or tfoot.
std::vector<LayoutBuilder::TextStyle> LayoutBuilder::RowStyles(const TableGrid& grid, const TextStyle& tableStyle)
{
    std::vector<TextStyle> styles;
    const DomNode* section = nullptr;
    TextStyle sectionStyle = tableStyle;
    for (const DomNode* row : grid.rows) {
        if (row->parent != section) {
            section = row->parent;
            const bool inSection = section != nullptr && section->tagName != L"table";
            sectionStyle = inSection ? StyleFor(*section, tableStyle, m_styles.Resolve(*section)) : tableStyle;
        }
        styles.push_back(StyleFor(*row, sectionStyle, m_styles.Resolve(*row)));
    }
    return styles;
}

// The table's border, spacing and padding from its attributes, and its border and
// border-collapse from its declarations.
LayoutBuilder::TableFrame LayoutBuilder::FrameFor(const DomNode& table, const TextStyle& style)
{
    TableFrame frame;
    frame.table = &table;
    const DomString* border = FindAttribute(table, L"border");
    frame.border = border == nullptr ? 0 : border->empty() ? 1 : std::clamp(DimensionAttribute(table, L"border", 0), 0, kMaxFrame);
    frame.cellBorder = frame.border > 0 ? 1 : 0;
    frame.spacing = std::clamp(DimensionAttribute(table, L"cellspacing", 0), -1, kMaxFrame);
    frame.spacing = frame.spacing < 0 ? kDefaultSpacing : frame.spacing;
    frame.padding = std::clamp(DimensionAttribute(table, L"cellpadding", 0), -1, kMaxFrame);
    frame.padding = frame.padding < 0 ? kDefaultPadding : frame.padding;
    const ResolvedStyle css = m_styles.Resolve(table);
    frame.collapsed = IsCollapsed(css);
    const BoxStyle box = BlockBoxStyle(table, style, css);
    frame.width = box.width;
    if (DeclaresBorder(css)) {
        // One width and colour all round: the widest side's.
        int widest = -1;
        for (int side = BoxStyle::kTop; side <= BoxStyle::kLeft; ++side) {
            if (box.border.*kSides[side] > widest) {
                widest = box.border.*kSides[side];
                frame.borderColor = box.borderColor[side].value_or(frame.borderColor);
            }
        }
        frame.border = widest;
    }
    frame.paintedBorder = frame.border;
    return frame;
}

LayoutBuilder::CellBox LayoutBuilder::CellBoxFor(const DomNode& cell, const TextStyle& rowStyle,
                                                 const TableFrame& frame, int percentBase) const
{
    const ResolvedStyle css = m_styles.Resolve(cell);
    BoxStyle defaults;
    defaults.padding = {frame.padding, frame.padding, frame.padding, frame.padding};
    const COLORREF color = InheritPaint(cell, css, PaintStyle{rowStyle.color, false}).color;
    const BoxStyle box = ComputeBoxStyle(cell, css, BoxContext{rowStyle.font.pixelHeight, percentBase, -1, color},
                                         defaults);
    CellBox edges;
    for (int side = BoxStyle::kTop; side <= BoxStyle::kLeft; ++side) {
        const bool declared = css.Find(kBorderStyles[side]) != nullptr;
        edges.border.*kSides[side] = declared ? box.border.*kSides[side] : frame.cellBorder;
        edges.borderColor[side] = declared ? box.borderColor[side] : kCellBorderColor;
        edges.inset.*kSides[side] = Advance(edges.border.*kSides[side], box.padding.*kSides[side]);
    }
    edges.width = box.width;
    if (edges.width < 0) {
        const int attribute = DimensionAttribute(cell, L"width", percentBase);
        edges.width = attribute < 0 ? -1 : std::max(attribute - edges.Across(), 0);
    }
    return edges;
}

// A <col>'s or <colgroup>'s width from its declarations, else its width attribute; -1
// when neither gives one.
int LayoutBuilder::ColumnWidth(const DomNode& element, const TextStyle& style, int percentBase) const
{
    const ResolvedStyle css = m_styles.Resolve(element);
    if (css.Find(L"width") != nullptr) {
        const BoxContext context{style.font.pixelHeight, percentBase, -1, style.color};
        const int width = ComputeBoxStyle(element, css, context, BoxStyle()).width;
        if (width >= 0) {
            return width;
        }
    }
    return DimensionAttribute(element, L"width", percentBase);
}

// Collapsed borders: neighbouring cells overlap by their widest border, and the outer
// cells overlap the table's, so that every line between two cells is drawn once.
void LayoutBuilder::CollapseBorders(TableFrame& frame)
{
    int widest = 0;
    for (const CellBox& cell : frame.cells) {
        widest = std::max(widest, cell.Widest());
    }
    frame.border = std::max(frame.border, widest);
    frame.spacing = -widest;
}

void LayoutBuilder::VisitTable(const DomNode& table, const TextStyle& style, int depth)
{
    BlockEdge(0);
    FlushMargin();
    const TableGrid grid = TableGrid::Build(table, [this](const DomNode& part) { return IsDisplayed(part); });
    TableFrame frame = FrameFor(table, style);
    const int available = std::max(Right() - m_left, 1);
    const int percentBase = m_measuring ? -1 : available;  // a measured cell has no width yet
    frame.rowStyles = RowStyles(grid, style);
    for (const TableCell& cell : grid.cells) {
        frame.cells.push_back(CellBoxFor(*cell.element, frame.rowStyles[cell.row], frame, percentBase));
    }
    if (frame.collapsed) {
        CollapseBorders(frame);
    }

    // Pass 1: what each cell needs, from its content on one line and its widest piece.
    std::vector<CellNeed> needs;
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        const TableCell& cell = grid.cells[i];
        int widestLine = 0;
        int widestPiece = 0;
        (void)LayOutCell(*cell.element, frame.rowStyles[cell.row], kMeasureWidth, depth, &widestLine, &widestPiece);
        const int across = frame.cells[i].Across();
        needs.push_back({cell.column, cell.columnSpan, Advance(widestPiece, across),
                         Advance(std::max(widestLine, frame.cells[i].width), across)});
    }
    for (size_t column = 0; column < grid.columnElements.size(); ++column) {
        const DomNode& element = *grid.columnElements[column];
        int width = ColumnWidth(element, style, percentBase);
        const bool inGroup = element.parent != nullptr && element.parent->tagName == L"colgroup";
        if (width < 0 && element.tagName == L"col" && inGroup) {  // the group's width is each column's
            width = ColumnWidth(*element.parent, style, percentBase);
        }
        if (width >= 0) {  // a column as wide as a cell of that width would make it
            needs.push_back({static_cast<int>(column), 1, 0, width});
        }
    }
    // Pass 2: the columns share the table's width.
    const int specifiedWidth = DimensionAttribute(table, L"width", percentBase);
    int tableWidth = specifiedWidth < 0 ? -1 : std::max(specifiedWidth - 2 * frame.border, 0);
    tableWidth = frame.width >= 0 ? frame.width : tableWidth;  // declarations win over the attribute
    const auto outerWidthOf = [&](const std::vector<int>& widths) {
        return Advance(std::accumulate(widths.begin(), widths.end(), 0LL), (grid.columns + 1LL) * frame.spacing,
                       2 * frame.border);
    };
    frame.columnWidth = ColumnWidths(needs, grid.columns, frame.spacing, tableWidth, available - 2 * frame.border);
    const int outerWidth = outerWidthOf(frame.columnWidth);
    if (m_measuring) {  // what the cell this table sits in needs
        m_widestLine = std::max(m_widestLine, outerWidth);
        m_widestPiece = std::max(m_widestPiece, outerWidthOf(ColumnWidths(needs, grid.columns, frame.spacing, tableWidth, 0)));
    }
    frame.left = m_left;
    const DomString* align = FindAttribute(table, L"align");
    if (align != nullptr && (*align == L"center" || *align == L"CENTER") && outerWidth < available) {
        frame.left = m_left + (available - outerWidth) / 2;
    }
    frame.columnX.push_back(Advance(frame.left, frame.border, frame.spacing));
    for (const int width : frame.columnWidth) {
        frame.columnX.push_back(Advance(frame.columnX.back(), width, frame.spacing));
    }
    // Pass 3: the caption above, then the cells.
    if (grid.caption != nullptr) {
        LayoutTree caption = LayOutCell(*grid.caption, style, outerWidth, depth, nullptr, nullptr);
        const int height = caption.contentHeight;
        PlaceCellContent(std::move(caption), frame.left, m_lineTop);
        m_lineTop = Advance(m_lineTop, height);
    }
    frame.top = m_lineTop;
    PlaceCells(grid, frame, depth);
}

// Lays the cells out at their columns' widths, makes each row as tall as its tallest
// cell and places the cells' boxes over their backgrounds and borders.
void LayoutBuilder::PlaceCells(const TableGrid& grid, const TableFrame& frame, int depth)
{
    std::vector<LayoutTree> contents;
    std::vector<int> rowHeight(grid.rows.size(), 0);
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        const TableCell& cell = grid.cells[i];
        const int width = frame.columnX[cell.column + cell.columnSpan] - frame.spacing - frame.columnX[cell.column];
        contents.push_back(LayOutCell(*cell.element, frame.rowStyles[cell.row],
                                      std::max(width - frame.cells[i].Across(), 1), depth, nullptr, nullptr));
        if (cell.rowSpan == 1) {
            rowHeight[cell.row] =
                std::max(rowHeight[cell.row], Advance(contents.back().contentHeight, frame.cells[i].Down()));
        }
    }
    for (size_t i = 0; i < grid.cells.size(); ++i) {  // taller spanning cells stretch their last row
        const TableCell& cell = grid.cells[i];
        const int spanned = std::accumulate(rowHeight.begin() + cell.row, rowHeight.begin() + cell.row + cell.rowSpan, 0) +
                            (cell.rowSpan - 1) * frame.spacing;
        const int needed = Advance(contents[i].contentHeight, frame.cells[i].Down());
        rowHeight[cell.row + cell.rowSpan - 1] += std::max(needed - spanned, 0);
    }
    std::vector<int> rowY{Advance(frame.top, frame.border, frame.spacing)};
    for (const int height : rowHeight) {
        rowY.push_back(Advance(rowY.back(), height, frame.spacing));
    }
    const RECT outer{frame.left, frame.top, Advance(frame.columnX.back(), frame.border), Advance(rowY.back(), frame.border)};
    if (const auto color = BackgroundOf(*frame.table, m_styles.Resolve(*frame.table))) {
        AddFill(outer, *color);
    }
    AddFrame(outer, frame.paintedBorder, frame.borderColor);
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        const TableCell& cell = grid.cells[i];
        const RECT box{frame.columnX[cell.column], rowY[cell.row],
                       frame.columnX[cell.column + cell.columnSpan] - frame.spacing, rowY[cell.row + cell.rowSpan] - frame.spacing};
        const ResolvedStyle cellCss = m_styles.Resolve(*cell.element);
        const ResolvedStyle rowCss = m_styles.Resolve(*grid.rows[cell.row]);
        auto color = BackgroundOf(*cell.element, cellCss);
        color = color.has_value() ? color : BackgroundOf(*grid.rows[cell.row], rowCss);
        if (color.has_value()) {
            AddFill(box, *color);
        }
        const CellBox& edges = frame.cells[i];
        AddBorders(box, edges.border, edges.borderColor);
        const int height = static_cast<int>(box.bottom - box.top);
        const int room = std::max(height - Advance(contents[i].contentHeight, edges.Down()), 0);
        const int offset = VerticalOffset(VerticalAlignOf(*cell.element, cellCss),
                                          VerticalAlignOf(*grid.rows[cell.row], rowCss), room);
        PlaceCellContent(std::move(contents[i]), box.left + edges.inset.left, box.top + edges.inset.top + offset);
    }
    m_lineTop = outer.bottom;
    m_lineFirstBox = m_tree.boxes.size();
    m_x = m_left;
}

LayoutTree LayoutBuilder::LayOutCell(const DomNode& cell, const TextStyle& style, int width, int depth,
                                     int* widestLine, int* widestPiece)
{
    const std::unique_ptr<LayoutBuilder> builder = Nested(width, widestLine != nullptr);
    LayoutBuilder& nested = *builder;
    const ResolvedStyle css = m_styles.Resolve(cell);
    const bool centred = cell.tagName == L"th" || cell.tagName == L"caption";
    const TextAlign inherited = centred ? TextAlign::Center : m_align;
    nested.m_align = AlignOf(cell, css, cell.parent != nullptr ? AlignOf(*cell.parent, ResolvedStyle(), inherited) : inherited);
    nested.VisitChildren(cell, nested.StyleFor(cell, style, css), depth + 1);
    nested.FinishFlow();
    nested.m_tree.contentHeight = Advance(nested.m_lineTop, nested.m_pendingMargin.Total());
    if (widestLine != nullptr) {
        *widestLine = nested.m_widestLine;
        *widestPiece = nested.m_widestPiece;
    }
    return std::move(nested.m_tree);
}

void LayoutBuilder::PlaceCellContent(LayoutTree cell, int x, int y)
{
    const int linkBase = static_cast<int>(m_tree.links.size());
    m_tree.links.insert(m_tree.links.end(), std::make_move_iterator(cell.links.begin()),
                        std::make_move_iterator(cell.links.end()));
    for (LayoutBox& box : cell.boxes) {
        ::OffsetRect(&box.rect, x, y);
        box.rect = {std::min<LONG>(box.rect.left, kMaxCoordinate), std::min<LONG>(box.rect.top, kMaxCoordinate),
                    std::min<LONG>(box.rect.right, kMaxCoordinate), std::min<LONG>(box.rect.bottom, kMaxCoordinate)};
        box.link = box.link >= 0 ? box.link + linkBase : -1;
        m_tree.boxes.push_back(std::move(box));
    }
    for (const auto& [name, top] : cell.anchors) {
        m_tree.anchors.emplace(name, Advance(top, y));
    }
    m_tree.imageUrls.insert(m_tree.imageUrls.end(), std::make_move_iterator(cell.imageUrls.begin()),
                            std::make_move_iterator(cell.imageUrls.end()));
}

void LayoutBuilder::AddFill(const RECT& rect, COLORREF color)
{
    LayoutBox box;
    box.kind = BoxKind::Rule;
    box.rect = rect;
    box.color = color;
    m_tree.boxes.push_back(std::move(box));
}

void LayoutBuilder::AddFrame(const RECT& rect, int width, COLORREF color)
{
    AddBorders(rect, BoxSides{width, width, width, width}, {color, color, color, color});
}

// Borders inside `rect`, each side as wide as `widths` says; transparent ones take their
// room but show nothing.
void LayoutBuilder::AddBorders(const RECT& rect, const BoxSides& widths,
                               const std::array<std::optional<COLORREF>, 4>& colors)
{
    const RECT sides[] = {
        {rect.left, rect.top, rect.right, std::min<LONG>(Advance(rect.top, widths.top), rect.bottom)},
        {std::max<LONG>(rect.right - widths.right, rect.left), rect.top, rect.right, rect.bottom},
        {rect.left, std::max<LONG>(rect.bottom - widths.bottom, rect.top), rect.right, rect.bottom},
        {rect.left, rect.top, std::min<LONG>(Advance(rect.left, widths.left), rect.right), rect.bottom},
    };
    for (int side = BoxStyle::kTop; side <= BoxStyle::kLeft; ++side) {
        if (widths.*kSides[side] > 0 && colors[side].has_value()) {
            AddFill(sides[side], *colors[side]);
        }
    }
}

} // namespace engine
