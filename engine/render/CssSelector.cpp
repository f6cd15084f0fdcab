#include "CssSelector.h"

#include <algorithm>

#include "CssText.h"
#include "engine/dom/DomQueries.h"

namespace engine {
namespace {

constexpr int kSpecificityPart = 256;  // each of the three counts saturates below this

bool IsNameCharacter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' ||
           c == L'_' || c >= 0x80;
}

std::wstring ReadName(std::wstring_view text, size_t& pos)
{
    const size_t start = pos;
    while (pos < text.size() && IsNameCharacter(text[pos])) {
        ++pos;
    }
    return std::wstring(text.substr(start, pos - start));
}

// A quoted string or a bare name, for attribute values.
std::optional<std::wstring> ReadValue(std::wstring_view text, size_t& pos)
{
    if (pos < text.size() && (text[pos] == L'"' || text[pos] == L'\'')) {
        const size_t end = text.find(text[pos], pos + 1);
        if (end == std::wstring_view::npos) {
            return std::nullopt;
        }
        std::wstring value(text.substr(pos + 1, end - pos - 1));
        pos = end + 1;
        return value;
    }
    std::wstring value = ReadName(text, pos);
    return value.empty() ? std::nullopt : std::optional<std::wstring>(std::move(value));
}

const DomNode* ParentElement(const DomNode& node)
{
    return node.parent != nullptr && node.parent->kind == DomNodeKind::Element ? node.parent : nullptr;
}

// Whether `element` is `descendant` or one of its ancestors.
bool IsSelfOrAncestor(const DomNode& element, const DomNode* descendant)
{
    for (const DomNode* node = descendant; node != nullptr; node = node->parent) {
        if (node == &element) {
            return true;
        }
    }
    return false;
}

bool IsFirstElementChild(const DomNode& element)
{
    if (element.parent == nullptr) {
        return false;
    }
    for (const auto& sibling : element.parent->children) {
        if (sibling->kind == DomNodeKind::Element) {
            return sibling.get() == &element;
        }
    }
    return false;
}

} // namespace

std::optional<CssSelector> CssSelector::Parse(std::wstring_view text)
{
    CssSelector selector;
    size_t pos = 0;
    int ids = 0;
    int classes = 0;
    int types = 0;
    bool child = false;
    while (true) {
        while (pos < text.size() && IsCssSpace(text[pos])) {
            ++pos;
        }
        if (pos == text.size()) {
            break;
        }
        if (text[pos] == L'>') {
            if (selector.m_compounds.empty() || child) {
                return std::nullopt;
            }
            child = true;
            ++pos;
            continue;
        }
        Compound compound;
        compound.childOfPrevious = child;
        child = false;
        if (!ParseCompound(text, pos, compound)) {
            return std::nullopt;  // '+', '~', a namespace or something else outside the subset
        }
        ids += compound.id.empty() ? 0 : 1;
        classes += static_cast<int>(compound.classes.size() + compound.attributes.size()) + compound.pseudoCount;
        types += compound.tag.empty() ? 0 : 1;
        selector.m_usesHover = selector.m_usesHover || compound.hover;
        selector.m_compounds.push_back(std::move(compound));
    }
    if (selector.m_compounds.empty() || child) {
        return std::nullopt;
    }
    for (size_t i = 0; i + 1 < selector.m_compounds.size(); ++i) {
        const Compound& compound = selector.m_compounds[i];
        if (!compound.id.empty()) {
            selector.m_ancestorKeys.push_back({AncestorKey::Kind::Id, compound.id});
        }
        for (const std::wstring& name : compound.classes) {
            selector.m_ancestorKeys.push_back({AncestorKey::Kind::Class, name});
        }
        if (!compound.tag.empty()) {
            selector.m_ancestorKeys.push_back({AncestorKey::Kind::Tag, compound.tag});
        }
    }
    const auto part = [](int count) { return std::min(count, kSpecificityPart - 1); };
    selector.m_specificity = (part(ids) * kSpecificityPart + part(classes)) * kSpecificityPart + part(types);
    return selector;
}

bool CssSelector::ParseCompound(std::wstring_view text, size_t& pos, Compound& compound)
{
    const size_t start = pos;
    if (pos < text.size() && text[pos] == L'*') {
        ++pos;
    } else {
        compound.tag = LowerAscii(ReadName(text, pos));
    }
    while (pos < text.size() && !IsCssSpace(text[pos]) && text[pos] != L'>') {
        const wchar_t c = text[pos++];
        if (c == L'#' || c == L'.') {
            std::wstring name = ReadName(text, pos);
            if (name.empty()) {
                return false;
            }
            if (c == L'#') {
                compound.id = std::move(name);
            } else {
                compound.classes.push_back(std::move(name));
            }
        } else if (c == L'[') {
            Attribute attribute;
            while (pos < text.size() && IsCssSpace(text[pos])) {
                ++pos;
            }
            attribute.name = LowerAscii(ReadName(text, pos));
            attribute.word = text.substr(pos, 2) == L"~=";
            if (attribute.word || (pos < text.size() && text[pos] == L'=')) {
                pos += attribute.word ? 2 : 1;
                attribute.value = ReadValue(text, pos);
                if (!attribute.value.has_value()) {
                    return false;
                }
            }
            while (pos < text.size() && IsCssSpace(text[pos])) {
                ++pos;
            }
            if (attribute.name.empty() || pos >= text.size() || text[pos] != L']') {
                return false;
            }
            ++pos;
            compound.attributes.push_back(std::move(attribute));
        } else if (c == L':') {
            ++compound.pseudoCount;
            const bool element = pos < text.size() && text[pos] == L':';
            pos += element ? 1 : 0;
            const std::wstring name = LowerAscii(ReadName(text, pos));
            if (pos < text.size() && text[pos] == L'(') {
                const size_t close = text.find(L')', pos);
                if (close == std::wstring_view::npos) {
                    return false;
                }
                pos = close + 1;  // :not(), :nth-child() and the like: not supported, never match
            }
            compound.firstChild = compound.firstChild || (!element && name == L"first-child");
            compound.link = compound.link || (!element && (name == L"link" || name == L"visited"));
            compound.hover = compound.hover || (!element && name == L"hover");
            compound.never = compound.never || element || (name != L"first-child" && name != L"link" &&
                                                            name != L"visited" && name != L"hover");
        } else {
            return false;
        }
    }
    return pos > start;
}

std::wstring_view CssSelector::KeyClass() const noexcept
{
    const auto& classes = m_compounds.back().classes;
    return classes.empty() ? std::wstring_view() : std::wstring_view(classes.front());
}

bool CssSelector::Matches(const DomNode& element, const DomNode* hovered) const
{
    return MatchesFrom(m_compounds.size() - 1, element, hovered);
}

bool CssSelector::HoverCouldSelect(const DomNode& element) const
{
    return std::any_of(m_compounds.begin(), m_compounds.end(), [&element](const Compound& compound) {
        return compound.hover && MatchesCompound(compound, element, &element);
    });
}

bool CssSelector::MatchesFrom(size_t index, const DomNode& element, const DomNode* hovered) const
{
    const Compound& compound = m_compounds[index];
    if (!MatchesCompound(compound, element, hovered)) {
        return false;
    }
    if (index == 0) {
        return true;
    }
    if (compound.childOfPrevious) {
        const DomNode* parent = ParentElement(element);
        return parent != nullptr && MatchesFrom(index - 1, *parent, hovered);
    }
    for (const DomNode* ancestor = ParentElement(element); ancestor != nullptr; ancestor = ParentElement(*ancestor)) {
        if (MatchesFrom(index - 1, *ancestor, hovered)) {
            return true;
        }
    }
    return false;
}

bool CssSelector::MatchesCompound(const Compound& compound, const DomNode& element, const DomNode* hovered)
{
    if (compound.never || (!compound.tag.empty() && compound.tag != std::wstring_view(element.tagName))) {
        return false;
    }
    if (compound.hover && !IsSelfOrAncestor(element, hovered)) {
        return false;
    }
    if (!compound.id.empty()) {
        const DomString* id = FindAttribute(element, L"id");
        if (id == nullptr || std::wstring_view(*id) != compound.id) {
            return false;
        }
    }
    if (!compound.classes.empty()) {
        const DomString* list = FindAttribute(element, L"class");
        if (list == nullptr || !std::all_of(compound.classes.begin(), compound.classes.end(),
                                            [list](const std::wstring& name) { return HasCssWord(*list, name); })) {
            return false;
        }
    }
    for (const Attribute& attribute : compound.attributes) {
        const DomString* value = FindAttribute(element, attribute.name);
        if (value == nullptr || (attribute.value.has_value() &&
                                 (attribute.word ? !HasCssWord(*value, *attribute.value) : std::wstring_view(*value) != *attribute.value))) {
            return false;
        }
    }
    if (compound.link && (element.tagName != L"a" || FindAttribute(element, L"href") == nullptr)) {
        return false;
    }
    return !compound.firstChild || IsFirstElementChild(element);
}

} // namespace engine
