#pragma once
// The computed box of an element: margins, borders, padding, sizes and background,
// from its declarations over the defaults of its tag, and the arithmetic that places
// a block's box across its container.

#include <array>
#include <optional>

#include "LayoutTree.h"
#include "StyleResolver.h"
#include "common/Win32.h"
#include "engine/dom/DomNode.h"

namespace engine {

struct BoxSides {
    int top = 0;
    int right = 0;
    int bottom = 0;
    int left = 0;
};

struct BoxContext {
    int fontPixels = 16;       // the element's font size, for em
    int containerWidth = -1;   // for percentages of widths and margins; negative while unknown
    int containerHeight = -1;  // for percentages of heights; negative while the container's is auto
    COLORREF color = 0;        // the element's text colour, which borders default to
};

struct BoxStyle {
    enum Side { kTop, kRight, kBottom, kLeft };

    BoxSides margin;
    bool autoMarginLeft = false;
    bool autoMarginRight = false;
    BoxSides padding;
    BoxSides border;                         // widths; 0 for sides whose style draws nothing
    std::array<std::optional<COLORREF>, 4> borderColor;  // by Side; nothing for transparent
    int width = -1;     // content box, pixels; -1 for auto
    int maxWidth = -1;  // content box, pixels; -1 for none
    int height = -1;    // content box, pixels; -1 for auto
    std::optional<COLORREF> background;
    std::wstring backgroundImage;  // the address as written; empty for none
    BackgroundRepeat backgroundRepeat = BackgroundRepeat::Both;

    [[nodiscard]] bool Paints() const
    {
        return background.has_value() || !backgroundImage.empty() || BorderSides() > 0;
    }
    [[nodiscard]] int BorderSides() const;
};

// `defaults` holds the margins and padding of the element's tag; declarations replace
// them side by side. Every length is clamped to the layout's coordinate range.
[[nodiscard]] BoxStyle ComputeBoxStyle(const DomNode& element, const ResolvedStyle& css, const BoxContext& context,
                                       const BoxStyle& defaults);

// Adjoining vertical margins collapse into one: the largest positive margin plus the
// most negative one.
class CollapsedMargin final {
public:
    void Add(int margin)
    {
        m_positive = margin > m_positive ? margin : m_positive;
        m_negative = margin < m_negative ? margin : m_negative;
    }
    [[nodiscard]] int Total() const { return m_positive + m_negative; }

private:
    int m_positive = 0;
    int m_negative = 0;
};

struct UsedWidth {
    int marginLeft = 0;  // from the container's content edge to the border box
    int width = 0;       // of the content box, never negative
};

// Where a block sits in a container `available` pixels wide: auto width fills what the
// margins, borders and padding leave, max-width caps it, and auto margins share the rest.
[[nodiscard]] UsedWidth ResolveWidth(const BoxStyle& box, int available);

} // namespace engine
