// Floats and inline blocks: boxes laid out on their own, then placed beside the
// lines (floats) or on a line like one big character (inline blocks).
#include <algorithm>
#include <memory>

#include "CssText.h"
#include "LayoutBuilder.h"
#include "LayoutSupport.h"
#include "TextMeasurer.h"
#include "engine/dom/DomQueries.h"

namespace engine {
namespace {

// Floats beside the lines at once; more are laid out as inline blocks, so a hostile
// page cannot make every line and every float test thousands of them.
constexpr size_t kMaxFloats = 64;

bool Covers(const RECT& rect, int y)
{
    return rect.top <= y && y < rect.bottom;
}

} // namespace

std::unique_ptr<LayoutBuilder> LayoutBuilder::Nested(int width, bool measuring) const
{
    LayoutInput input = m_input;
    input.width = width;
    input.margin = 0;
    auto nested = std::make_unique<LayoutBuilder>(m_measurer, input);
    nested->m_tableNesting = m_tableNesting + 1;
    nested->m_measuring = m_measuring || measuring;
    return nested;
}

// Step 1: the width: a set one, or as wide as the content wants within the container
// but never narrower than its widest word or image. Step 2: the layout at that width.
LayoutBuilder::Atomic LayoutBuilder::LayOutAtomic(const DomNode& element, const TextStyle& style, const BoxStyle& box,
                                                  int depth)
{
    const int available = std::max(m_right - m_left, 1);
    Atomic atomic;
    if (box.width >= 0) {
        atomic.width = Advance(box.width, 0LL + box.margin.left + box.margin.right + box.padding.left + box.padding.right,
                               0LL + box.border.left + box.border.right);
    } else {
        int widestLine = 0;
        int widestPiece = 0;
        LayoutTree measured = LayOutBox(element, style, box, kMeasureWidth, depth, &widestLine, &widestPiece);
        atomic.width = std::max(std::clamp(widestLine, widestPiece, std::max(available, widestPiece)), 1);
        if (m_measuring) {  // only widths count while measuring: one pass a level, not two
            atomic.tree = std::move(measured);
            return atomic;
        }
    }
    atomic.width = std::max(atomic.width, 1);
    atomic.tree = LayOutBox(element, style, box, atomic.width, depth, nullptr, nullptr);
    return atomic;
}

LayoutTree LayoutBuilder::LayOutBox(const DomNode& element, const TextStyle& style, const BoxStyle& box, int width,
                                    int depth, int* widestLine, int* widestPiece)
{
    const std::unique_ptr<LayoutBuilder> builder = Nested(width, widestLine != nullptr);
    LayoutBuilder& nested = *builder;
    nested.m_align = m_align;
    OpenBox open;
    nested.OpenBlockBox(box, open, Flow::NewContext);
    const ResolvedStyle css = m_styles.Resolve(element);
    nested.m_align = AlignOf(element, css, m_align);
    if (element.tagName == L"img") {
        nested.AddImage(element, style, css);
    } else if (element.tagName == L"table") {
        nested.VisitTable(element, style, depth);
    } else {
        nested.VisitChildren(element, style, depth);
    }
    nested.CloseBlockBox(open);
    nested.FinishFlow();
    nested.m_tree.contentHeight = Advance(nested.m_lineTop, nested.m_pendingMargin.Total());
    if (widestLine != nullptr) {
        *widestLine = nested.m_widestLine;
        *widestPiece = nested.m_widestPiece;
    }
    return std::move(nested.m_tree);
}

void LayoutBuilder::VisitInlineBlock(const DomNode& element, const TextStyle& style, const ResolvedStyle& css, int depth)
{
    RecordAnchor(element);
    Atomic atomic = LayOutAtomic(element, style, BlockBoxStyle(element, style, css), depth);
    if (m_pendingSpace && m_lineContent) {
        m_x = Advance(m_x, m_measurer.TextWidth(style.font, L" "));
    }
    m_pendingSpace = false;
    LayoutBox placeholder;
    placeholder.kind = BoxKind::Rule;
    const int height = atomic.tree.contentHeight;
    PlaceInline(std::move(placeholder), atomic.width, height);
    m_lineAtomics.emplace_back(m_tree.boxes.size() - 1, std::move(atomic.tree));
}

void LayoutBuilder::VisitFloat(const DomNode& element, const TextStyle& style, const ResolvedStyle& css, int depth)
{
    RecordAnchor(element);
    const std::wstring* side = css.Find(L"float");
    const DomString* align = FindAttribute(element, L"align");
    Atomic atomic = LayOutAtomic(element, style, BlockBoxStyle(element, style, css), depth);
    atomic.left = side != nullptr ? LowerAscii(*side) == L"left" : LowerAscii(*align) == L"left";
    if (m_lineContent) {
        m_waitingFloats.push_back(std::move(atomic));  // below the line that holds the text before it
    } else {
        PlaceFloat(std::move(atomic));
    }
}

// The float goes as high as the line allows, beside earlier floats on its side when
// there is room, else below the first of them to end.
void LayoutBuilder::PlaceFloat(Atomic atomic)
{
    FlushMargin();
    int top = m_lineTop;
    for (size_t tries = 0; tries <= m_floats.size(); ++tries) {
        int left = m_left;
        int right = m_right;
        int nextTop = kMaxCoordinate;
        for (const FloatArea& area : m_floats) {
            if (Covers(area.rect, top)) {
                left = area.left ? std::max<int>(left, area.rect.right) : left;
                right = area.left ? right : std::min<int>(right, area.rect.left);
                nextTop = std::min<int>(nextTop, area.rect.bottom);
            }
        }
        if (right - left >= atomic.width || nextTop == kMaxCoordinate) {
            const int x = atomic.left ? left : std::max(right - atomic.width, m_left);
            const int height = atomic.tree.contentHeight;
            m_floats.push_back({RECT{x, top, Advance(x, atomic.width), Advance(top, height)}, atomic.left});
            for (LayoutBox& box : atomic.tree.boxes) {
                box.floating = true;
            }
            PlaceCellContent(std::move(atomic.tree), x, top);
            m_lineFirstBox = m_tree.boxes.size();
            break;
        }
        top = nextTop;
    }
    m_x = LineLeft();
}

// Inline blocks move with their line; their content joins the page once the line is placed.
void LayoutBuilder::PlaceLineAtomics()
{
    std::vector<std::pair<size_t, LayoutTree>> atomics = std::move(m_lineAtomics);
    m_lineAtomics.clear();
    for (auto& [index, tree] : atomics) {
        RECT& rect = m_tree.boxes[index].rect;
        const POINT origin{rect.left, rect.top};
        rect = RECT{};
        PlaceCellContent(std::move(tree), origin.x, origin.y);
    }
}

void LayoutBuilder::ClearFloats(bool left, bool right)
{
    if (!left && !right) {
        return;
    }
    FlushMargin();
    for (const FloatArea& area : m_floats) {
        if (area.left ? left : right) {
            m_lineTop = std::max<int>(m_lineTop, area.rect.bottom);
        }
    }
    m_lineStarted = false;
}

// Moves an empty line below the first float beside it to end; false when none is.
bool LayoutBuilder::DropBelowFloat()
{
    const int y = m_lineStarted ? m_lineTop : Advance(m_lineTop, m_pendingMargin.Total());
    int next = kMaxCoordinate;
    for (const FloatArea& area : m_floats) {
        next = Covers(area.rect, y) ? std::min<int>(next, area.rect.bottom) : next;
    }
    if (next == kMaxCoordinate || m_lineContent) {
        return false;
    }
    FlushMargin();
    m_lineTop = next;
    m_lineStarted = false;
    m_x = m_left;
    return true;
}

void LayoutBuilder::MakeRoom(int width)
{
    while (!m_lineContent && width > LineRight() - LineLeft() && DropBelowFloat()) {
    }
}

// A box laid out on its own holds its floats.
void LayoutBuilder::FinishFlow()
{
    FinishLine();
    for (const FloatArea& area : m_floats) {
        if (area.rect.bottom > Advance(m_lineTop, m_pendingMargin.Total())) {
            m_lineTop = area.rect.bottom;
            m_pendingMargin = CollapsedMargin();
        }
    }
    m_floats.clear();
}

bool LayoutBuilder::FloatsFull() const
{
    return m_floats.size() + m_waitingFloats.size() >= kMaxFloats;
}

// Floats that end above the line can narrow no line any more.
void LayoutBuilder::DropFloatsAbove(int y)
{
    m_floats.erase(std::remove_if(m_floats.begin(), m_floats.end(), [y](const FloatArea& area) { return area.rect.bottom <= y; }),
                   m_floats.end());
}

int LayoutBuilder::LineLeft() const
{
    const int y = m_lineStarted ? m_lineTop : Advance(m_lineTop, m_pendingMargin.Total());
    int left = m_left;
    for (const FloatArea& area : m_floats) {
        if (area.left && Covers(area.rect, y)) {
            left = std::max<int>(left, area.rect.right);
        }
    }
    return std::min(left, m_right - 1);
}

int LayoutBuilder::LineRight() const
{
    const int y = m_lineStarted ? m_lineTop : Advance(m_lineTop, m_pendingMargin.Total());
    int right = m_right;
    for (const FloatArea& area : m_floats) {
        if (!area.left && Covers(area.rect, y)) {
            right = std::min<int>(right, area.rect.left);
        }
    }
    return std::max(right, LineLeft() + 1);
}

} // namespace engine
