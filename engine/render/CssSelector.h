#pragma once
// One complex selector of the supported subset: type, universal, class, id,
// attribute presence and equality, :first-child, :link and :hover, joined by descendant
// and child combinators.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dom/DomNode.h"

namespace engine {

class CssSelector final {
public:
    // Something an ancestor of a matching element must have: an id, a class or a type.
    struct AncestorKey {
        enum class Kind { Id, Class, Tag };
        Kind kind;
        std::wstring name;
    };

    // Nothing when the text is not a selector of the subset (such rules are dropped).
    [[nodiscard]] static std::optional<CssSelector> Parse(std::wstring_view text);

    // `hovered` is the innermost element under the mouse (null for none): it and its
    // ancestors are in the :hover state.
    [[nodiscard]] bool Matches(const DomNode& element, const DomNode* hovered = nullptr) const;
    [[nodiscard]] bool UsesHover() const noexcept { return m_usesHover; }
    // Whether a compound that needs :hover would accept `element` once it is hovered: a
    // rule for which this is false for every element whose state changes cannot change.
    [[nodiscard]] bool HoverCouldSelect(const DomNode& element) const;
    // Ids, then classes, attributes and pseudo-classes, then types, packed so that a
    // larger number wins.
    [[nodiscard]] int Specificity() const noexcept { return m_specificity; }

    // What the rightmost compound requires, for indexing rules; empty when nothing.
    [[nodiscard]] const std::wstring& KeyId() const noexcept { return m_compounds.back().id; }
    [[nodiscard]] std::wstring_view KeyClass() const noexcept;
    [[nodiscard]] const std::wstring& KeyTag() const noexcept { return m_compounds.back().tag; }
    // What the compounds left of the rightmost require of ancestors, for a quick rejection.
    [[nodiscard]] const std::vector<AncestorKey>& AncestorKeys() const noexcept { return m_ancestorKeys; }

private:
    struct Attribute {
        std::wstring name;  // lower case
        std::optional<std::wstring> value;
        bool word = false;  // ~=: one of the value's space-separated words
    };
    struct Compound {
        std::wstring tag;  // lower case; empty for any
        std::wstring id;
        std::vector<std::wstring> classes;
        std::vector<Attribute> attributes;
        bool firstChild = false;
        bool link = false;
        bool hover = false;
        bool never = false;  // a state or pseudo-element no element is in here (:focus, ::before)
        int pseudoCount = 0;
        bool childOfPrevious = false;  // '>' before this compound; descendant otherwise
    };

    [[nodiscard]] static bool ParseCompound(std::wstring_view text, size_t& pos, Compound& compound);
    [[nodiscard]] static bool MatchesCompound(const Compound& compound, const DomNode& element,
                                              const DomNode* hovered);
    [[nodiscard]] bool MatchesFrom(size_t index, const DomNode& element, const DomNode* hovered) const;

    std::vector<Compound> m_compounds;  // left to right
    std::vector<AncestorKey> m_ancestorKeys;
    int m_specificity = 0;
    bool m_usesHover = false;
};

} // namespace engine
