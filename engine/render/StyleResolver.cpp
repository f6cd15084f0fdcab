#include "StyleResolver.h"

#include <algorithm>
#include <tuple>

#include "CssText.h"
#include "engine/dom/DomQueries.h"

namespace engine {
namespace {

// Inline declarations beat every selector of the same importance.
constexpr int kInlineSpecificity = 1 << 30;

// Properties that change how a box is painted but never its size or place.
bool IsPaintOnly(std::wstring_view property)
{
    return property == L"color" || property == L"cursor" || property.rfind(L"text-decoration", 0) == 0;
}

struct Candidate {
    bool important;
    int specificity;
    int order;
    const CssDeclaration* declaration;
};

} // namespace

// The ids, classes and types of an element's ancestors: a rule whose selector needs one
// they lack is rejected without walking the tree. Pages repeat "#section p" rules by the
// hundred, and this keeps each of them to a few comparisons per element.
struct StyleResolver::Ancestors {
    std::vector<std::wstring_view> ids;
    std::vector<std::wstring_view> classes;
    std::vector<std::wstring_view> tags;

    explicit Ancestors(const DomNode& element)
    {
        for (const DomNode* node = element.parent; node != nullptr && node->kind == DomNodeKind::Element;
             node = node->parent) {
            tags.push_back(node->tagName);
            if (const DomString* id = FindAttribute(*node, L"id")) {
                ids.push_back(*id);
            }
            if (const DomString* list = FindAttribute(*node, L"class")) {
                ForEachCssWord(*list, [this](std::wstring_view name) { classes.push_back(name); });
            }
        }
    }

    [[nodiscard]] bool Allow(const CssSelector& selector) const
    {
        for (const auto& key : selector.AncestorKeys()) {
            const auto& names = key.kind == CssSelector::AncestorKey::Kind::Id      ? ids
                                : key.kind == CssSelector::AncestorKey::Kind::Class ? classes
                                                                                    : tags;
            if (std::find(names.begin(), names.end(), key.name) == names.end()) {
                return false;
            }
        }
        return true;
    }
};

const std::wstring* ResolvedStyle::Find(std::wstring_view property) const
{
    for (const auto& [name, value] : m_values) {
        if (name == property) {
            return &value;
        }
    }
    return nullptr;
}

void ResolvedStyle::Set(const CssDeclaration& declaration)
{
    for (auto& [name, value] : m_values) {
        if (name == declaration.property) {
            value = declaration.value;
            return;
        }
    }
    m_values.emplace_back(declaration.property, declaration.value);
}

void StyleResolver::Add(CssStyleSheet sheet)
{
    m_sheets.push_back(std::move(sheet));
    const CssStyleSheet& added = m_sheets.back();
    for (const CssRule& rule : added.rules) {
        const RuleRef ref{&rule, &added.blocks[rule.block], m_ruleCount++};
        const CssSelector& selector = rule.selector;
        if (selector.UsesHover()) {
            m_hoverRules.push_back(ref);
        }
        if (!selector.KeyId().empty()) {
            m_byId[selector.KeyId()].push_back(ref);
        } else if (!selector.KeyClass().empty()) {
            m_byClass[std::wstring(selector.KeyClass())].push_back(ref);
        } else if (!selector.KeyTag().empty()) {
            m_byTag[selector.KeyTag()].push_back(ref);
        } else {
            m_anyElement.push_back(ref);
        }
    }
}

HoverEffect StyleResolver::EffectOfHover(const std::vector<const DomNode*>& changed) const
{
    HoverEffect effect = HoverEffect::None;
    for (const RuleRef& ref : m_hoverRules) {
        const auto selects = [&ref](const DomNode* element) { return ref.rule->selector.HoverCouldSelect(*element); };
        if (!std::any_of(changed.begin(), changed.end(), selects)) {
            continue;
        }
        const auto paintOnly = [](const CssDeclaration& declaration) { return IsPaintOnly(declaration.property); };
        if (!std::all_of(ref.block->begin(), ref.block->end(), paintOnly)) {
            return HoverEffect::Layout;
        }
        effect = HoverEffect::Paint;
    }
    return effect;
}

void StyleResolver::CollectMatches(const std::vector<RuleRef>& candidates, const DomNode& element,
                                   const Ancestors& ancestors, std::vector<const RuleRef*>& matches) const
{
    for (const RuleRef& ref : candidates) {
        if (ancestors.Allow(ref.rule->selector) && ref.rule->selector.Matches(element, m_hovered)) {
            matches.push_back(&ref);
        }
    }
}

ResolvedStyle StyleResolver::Resolve(const DomNode& element) const
{
    // Step 1: the rules that match, found through the indexes.
    std::vector<const RuleRef*> matches;
    const Ancestors ancestors(element);
    const auto lookUp = [&](const Index& index, std::wstring_view key) {
        const auto found = index.find(key);
        if (found != index.end()) {
            CollectMatches(found->second, element, ancestors, matches);
        }
    };
    if (const DomString* id = FindAttribute(element, L"id")) {
        lookUp(m_byId, *id);
    }
    if (const DomString* classes = FindAttribute(element, L"class")) {
        std::vector<std::wstring_view> seen;
        ForEachCssWord(*classes, [&](std::wstring_view name) {
            if (std::find(seen.begin(), seen.end(), name) == seen.end()) {
                seen.push_back(name);
                lookUp(m_byClass, name);
            }
        });
    }
    lookUp(m_byTag, element.tagName);
    CollectMatches(m_anyElement, element, ancestors, matches);

    // Step 2: their declarations and the style attribute's, in increasing precedence.
    std::vector<Candidate> candidates;
    for (const RuleRef* ref : matches) {
        for (const CssDeclaration& declaration : *ref->block) {
            candidates.push_back({declaration.important, ref->rule->selector.Specificity(), ref->order, &declaration});
        }
    }
    std::vector<CssDeclaration> inlineDeclarations;
    if (const DomString* style = FindAttribute(element, L"style")) {
        inlineDeclarations = ParseDeclarations(*style);
    }
    for (size_t i = 0; i < inlineDeclarations.size(); ++i) {
        candidates.push_back({inlineDeclarations[i].important, kInlineSpecificity, static_cast<int>(i),
                              &inlineDeclarations[i]});
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return std::tie(a.important, a.specificity, a.order) < std::tie(b.important, b.specificity, b.order);
    });

    // Step 3: the last declaration of each property wins.
    ResolvedStyle resolved;
    for (const Candidate& candidate : candidates) {
        resolved.Set(*candidate.declaration);
    }
    return resolved;
}

} // namespace engine
