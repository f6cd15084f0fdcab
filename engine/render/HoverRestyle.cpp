#include "HoverRestyle.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "LayoutBuilder.h"

namespace engine {
namespace {

// `element` and its ancestor elements, innermost first.
std::vector<const DomNode*> ElementChain(const DomNode* element)
{
    std::vector<const DomNode*> chain;
    for (const DomNode* node = element; node != nullptr && node->kind == DomNodeKind::Element; node = node->parent) {
        chain.push_back(node);
    }
    return chain;
}

bool IsWithin(const DomNode* element, const std::vector<const DomNode*>& roots)
{
    for (const DomNode* node = element; node != nullptr; node = node->parent) {
        if (std::find(roots.begin(), roots.end(), node) != roots.end()) {
            return true;
        }
    }
    return false;
}

// Paint styles of elements, each inherited from its parent's as layout does, each
// element resolved once.
class PaintStyles final {
public:
    explicit PaintStyles(const StyleResolver& styles) : m_styles(styles) {}

    LayoutBuilder::PaintStyle Of(const DomNode& element)
    {
        std::vector<const DomNode*> unknown;
        LayoutBuilder::PaintStyle paint;
        for (const DomNode* node = &element; node != nullptr && node->kind == DomNodeKind::Element;
             node = node->parent) {
            const auto found = m_known.find(node);
            if (found != m_known.end()) {
                paint = found->second;
                break;
            }
            unknown.push_back(node);
        }
        for (auto it = unknown.rbegin(); it != unknown.rend(); ++it) {
            paint = LayoutBuilder::InheritPaint(**it, m_styles.Resolve(**it), paint);
            m_known.emplace(*it, paint);
        }
        return paint;
    }

private:
    const StyleResolver& m_styles;
    std::unordered_map<const DomNode*, LayoutBuilder::PaintStyle> m_known;
};

} // namespace

HoverEffect RestyleHover(const DomNode* previous, const DomNode* current, const StyleResolver& styles,
                         LayoutTree& layout)
{
    std::vector<const DomNode*> left = ElementChain(previous);
    std::vector<const DomNode*> entered = ElementChain(current);
    // Ancestors of both stay hovered.
    while (!left.empty() && !entered.empty() && left.back() == entered.back()) {
        left.pop_back();
        entered.pop_back();
    }
    std::vector<const DomNode*> changed = left;
    changed.insert(changed.end(), entered.begin(), entered.end());
    const HoverEffect effect = styles.EffectOfHover(changed);
    if (effect != HoverEffect::Paint) {
        return effect;
    }
    // Descendant selectors (li:hover a) reach below the elements whose state changed.
    std::vector<const DomNode*> roots;
    for (const auto* chain : {&left, &entered}) {
        if (!chain->empty()) {
            roots.push_back(chain->back());
        }
    }
    PaintStyles paints(styles);
    for (LayoutBox& box : layout.boxes) {
        if (box.element == nullptr || !IsWithin(box.element, roots)) {
            continue;
        }
        const LayoutBuilder::PaintStyle paint = paints.Of(*box.element);
        box.color = paint.color;
        box.font.underline = box.kind == BoxKind::Text ? paint.underline : box.font.underline;
    }
    return effect;
}

} // namespace engine
