// The box model of blocks: margins that collapse, borders, padding, widths and
// heights, and the background and borders painted behind a block's content.
#include <algorithm>

#include "LayoutBuilder.h"
#include "LayoutSupport.h"
#include "engine/dom/Url.h"

namespace engine {
namespace {

// The background colour and image, then the top, right, bottom and left borders.
constexpr size_t kPaintSlots = 6;
constexpr size_t kImageSlot = 1;

} // namespace

// Places the block's border box across the container and moves the content edges in.
// Its top is known at once when a border or padding stops its margin from collapsing
// with its first child's, or when it starts a layout of its own (a float, an inline
// block); otherwise it is where that content lands.
void LayoutBuilder::OpenBlockBox(const BoxStyle& box, OpenBox& open, Flow flow)
{
    BlockEdge(box.margin.top);
    open.box = box;
    open.newContext = flow == Flow::NewContext;
    open.savedLeft = m_left;
    open.savedRight = m_right;
    open.savedRightInset = m_rightInset;
    open.savedContainerHeight = m_containerHeight;
    const UsedWidth used = ResolveWidth(box, m_right - m_left);
    const int contentLeft =
        std::min(Advance(m_left, used.marginLeft, 0LL + box.border.left + box.padding.left), kMaxCoordinate - 1);
    const int contentRight = std::max(Advance(contentLeft, used.width), contentLeft + 1);
    open.borderLeft = Advance(contentLeft, -(0LL + box.padding.left + box.border.left));
    open.borderRight = Advance(contentRight, box.padding.right, box.border.right);
    m_rightInset = Advance(m_rightInset, 0LL + box.padding.right + box.border.right,
                           box.autoMarginRight ? 0 : std::max(box.margin.right, 0));
    m_containerHeight = box.height;
    if (open.newContext || box.border.top > 0 || box.padding.top > 0) {
        FlushMargin();
        open.top = m_lineTop;
        m_lineTop = Advance(m_lineTop, box.border.top, box.padding.top);
    } else {
        m_awaitingTop.push_back(&open);
    }
    if (box.Paints()) {
        open.firstSlot = m_tree.boxes.size();
        LayoutBox slot;
        slot.kind = BoxKind::Rule;
        m_tree.boxes.resize(m_tree.boxes.size() + kPaintSlots, slot);
        m_lineFirstBox = m_tree.boxes.size();
    }
    m_left = contentLeft;
    m_right = contentRight;
    m_x = m_left;
}

// Ends the block at its content, or at its set height, and its bottom padding and
// border; the last child's bottom margin stays inside only when something below
// separates it from the block's own.
void LayoutBuilder::CloseBlockBox(OpenBox& open)
{
    const BoxStyle& box = open.box;
    if (m_tree.boxes.size() > m_lineFirstBox) {
        FinishLine();
    }
    if (open.newContext || box.height >= 0 || box.border.bottom > 0 || box.padding.bottom > 0) {
        FlushMargin();
    }
    if (open.top < 0) {  // an empty block: its margins collapse through it
        m_awaitingTop.erase(std::remove(m_awaitingTop.begin(), m_awaitingTop.end(), &open), m_awaitingTop.end());
        open.top = m_lineTop;
    }
    if (box.height >= 0) {
        m_lineTop = Advance(open.top, 0LL + box.border.top + box.padding.top, box.height);
    }
    m_lineTop = Advance(m_lineTop, box.padding.bottom, box.border.bottom);
    PaintBlockBox(open, m_lineTop);
    if (m_measuring && box.width >= 0) {  // a cell holding a block of set width needs all of it
        const int outer = Advance(open.borderRight, std::max(box.margin.right, 0), -m_input.margin);
        m_widestLine = std::max(m_widestLine, Advance(outer, open.savedRightInset));
        m_widestPiece = std::max(m_widestPiece, Advance(outer, open.savedRightInset));
    }
    m_left = open.savedLeft;
    m_right = open.savedRight;
    m_rightInset = open.savedRightInset;
    m_containerHeight = open.savedContainerHeight;
    m_x = m_left;
    BlockEdge(box.margin.bottom);
}

void LayoutBuilder::PaintBlockBox(const OpenBox& open, int bottom)
{
    const BoxStyle& box = open.box;
    if (!box.Paints()) {
        return;
    }
    const int l = open.borderLeft;
    const int r = open.borderRight;
    const int t = open.top;
    const int b = std::max(bottom, t);
    const RECT areas[kPaintSlots] = {
        {l, t, r, b},
        {std::min(Advance(l, box.border.left), r), std::min(Advance(t, box.border.top), b),
         std::max(r - box.border.right, l), std::max(b - box.border.bottom, t)},
        {l, t, r, std::min(Advance(t, box.border.top), b)},
        {std::max(r - box.border.right, l), t, r, b},
        {l, std::max(b - box.border.bottom, t), r, b},
        {l, t, std::min(Advance(l, box.border.left), r), b},
    };
    const std::optional<COLORREF> colors[kPaintSlots] = {box.background, std::nullopt,
                                                          box.borderColor[BoxStyle::kTop],
                                                          box.borderColor[BoxStyle::kRight],
                                                          box.borderColor[BoxStyle::kBottom],
                                                          box.borderColor[BoxStyle::kLeft]};
    const int widths[kPaintSlots] = {1, 0, box.border.top, box.border.right, box.border.bottom, box.border.left};
    for (size_t i = 0; i < kPaintSlots; ++i) {
        LayoutBox& slot = m_tree.boxes[open.firstSlot + i];
        if (colors[i].has_value() && widths[i] > 0) {
            slot.rect = areas[i];
            slot.color = *colors[i];
        }
    }
    LayoutBox& image = m_tree.boxes[open.firstSlot + kImageSlot];
    SetBackgroundImage(image, box);
    image.rect = image.image != nullptr ? areas[kImageSlot] : RECT{};
}

// The image tiles from the padding box's corner; until it has arrived the slot stays empty.
void LayoutBuilder::SetBackgroundImage(LayoutBox& slot, const BoxStyle& box)
{
    if (box.backgroundImage.empty()) {
        return;
    }
    slot.kind = BoxKind::Background;
    slot.imageUrl = ResolveUrl(m_input.baseUrl, box.backgroundImage);
    slot.repeat = box.backgroundRepeat;
    m_tree.imageUrls.push_back(slot.imageUrl);
    if (m_input.images != nullptr) {
        const auto found = m_input.images->find(slot.imageUrl);
        slot.image = found != m_input.images->end() ? found->second : nullptr;
    }
}

// A table's margins around the table layout: vertical ones collapse like a block's,
// and auto ones on both sides centre it.
void LayoutBuilder::VisitTableBox(const DomNode& table, const TextStyle& style, const ResolvedStyle& css, int depth)
{
    const BoxStyle box = BlockBoxStyle(table, style, css);
    BlockEdge(box.margin.top);
    RecordAnchor(table);
    const int savedLeft = m_left;
    const int savedRight = m_right;
    const int left = box.autoMarginLeft ? 0 : box.margin.left;
    const int right = box.autoMarginRight ? 0 : box.margin.right;
    m_left = std::clamp(Advance(m_left, left), 0, m_right - 1);
    m_right = std::clamp(m_right - std::max(right, 0), m_left + 1, m_right);
    const size_t first = m_tree.boxes.size();
    VisitTable(table, style, depth);
    if (box.autoMarginLeft && box.autoMarginRight && m_tree.boxes.size() > first) {
        LONG extent = m_left;
        for (size_t i = first; i < m_tree.boxes.size(); ++i) {
            extent = std::max(extent, m_tree.boxes[i].rect.right);
        }
        const int shift = std::max<int>((m_right - extent) / 2, 0);
        for (size_t i = first; i < m_tree.boxes.size(); ++i) {
            ::OffsetRect(&m_tree.boxes[i].rect, shift, 0);
        }
    }
    m_left = savedLeft;
    m_right = savedRight;
    m_x = m_left;
    BlockEdge(box.margin.bottom);
}

void LayoutBuilder::FlushMargin()
{
    m_lineTop = Advance(m_lineTop, m_pendingMargin.Total());
    m_pendingMargin = CollapsedMargin();
    for (OpenBox* open : m_awaitingTop) {
        open->top = m_lineTop;
    }
    m_awaitingTop.clear();
}

} // namespace engine
