#pragma once
// The cascade: which declaration of each property applies to an element, from the
// page's style sheets and its style attribute, by importance, origin, specificity
// and order.

#include <functional>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CssStyleSheet.h"
#include "engine/dom/DomNode.h"

namespace engine {

// The winning value of each property declared for one element.
class ResolvedStyle final {
public:
    // Nothing when no rule declares the property (lower case).
    [[nodiscard]] const std::wstring* Find(std::wstring_view property) const;
    [[nodiscard]] bool Empty() const noexcept { return m_values.empty(); }
    void Set(const CssDeclaration& declaration);

private:
    std::vector<std::pair<std::wstring, std::wstring>> m_values;  // a handful per element
};

// What rules for :hover change when the hover state of some elements changes.
enum class HoverEffect { None, Paint, Layout };

class StyleResolver final {
public:
    // Sheets apply in the order they are added; later ones win ties.
    void Add(CssStyleSheet sheet);
    [[nodiscard]] bool Empty() const noexcept { return m_sheets.empty(); }

    // The innermost element under the mouse (null for none); it and its ancestors match
    // :hover. Borrowed; must outlive its use here.
    void SetHovered(const DomNode* element) noexcept { m_hovered = element; }
    [[nodiscard]] bool UsesHover() const noexcept { return !m_hoverRules.empty(); }
    // Nothing when no :hover rule could select any of `changed`; Paint when those that
    // could declare only colours and decorations; Layout otherwise.
    [[nodiscard]] HoverEffect EffectOfHover(const std::vector<const DomNode*>& changed) const;

    [[nodiscard]] ResolvedStyle Resolve(const DomNode& element) const;

private:
    struct RuleRef {
        const CssRule* rule;
        const std::vector<CssDeclaration>* block;
        int order;
    };
    using Index = std::map<std::wstring, std::vector<RuleRef>, std::less<>>;

    struct Ancestors;
    void CollectMatches(const std::vector<RuleRef>& candidates, const DomNode& element, const Ancestors& ancestors,
                        std::vector<const RuleRef*>& matches) const;

    std::deque<CssStyleSheet> m_sheets;  // a deque: the indexes point into its sheets
    // Rules by what their rightmost compound requires, so an element tests only rules
    // that can match it.
    Index m_byId;
    Index m_byClass;
    Index m_byTag;
    std::vector<RuleRef> m_anyElement;
    std::vector<RuleRef> m_hoverRules;
    const DomNode* m_hovered = nullptr;
    int m_ruleCount = 0;
};

} // namespace engine
