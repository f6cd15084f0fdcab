#include "DomQueries.h"

#include <algorithm>
#include <cwctype>

namespace engine {
namespace {

wchar_t ToLowerAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return ToLowerAscii(x) == ToLowerAscii(y); });
}

const DomNode* FindChildElement(const DomNode& parent, std::wstring_view tag)
{
    for (const auto& child : parent.children) {
        if (child->kind == DomNodeKind::Element && child->tagName == tag) {
            return child.get();
        }
    }
    return nullptr;
}

// Depth-first, iterative so that no tree shape can exhaust the stack.
const DomNode* FindFirstElement(const DomNode& root, std::wstring_view tag)
{
    std::vector<const DomNode*> pending{&root};
    while (!pending.empty()) {
        const DomNode* node = pending.back();
        pending.pop_back();
        if (node->kind == DomNodeKind::Element && node->tagName == tag) {
            return node;
        }
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) {
            pending.push_back(it->get());
        }
    }
    return nullptr;
}

std::wstring CollapseWhitespace(std::wstring_view text)
{
    std::wstring out;
    bool pendingSpace = false;
    for (const wchar_t c : text) {
        if (iswspace(c) != 0) {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) {
            out.push_back(L' ');
            pendingSpace = false;
        }
        out.push_back(c);
    }
    return out;
}

} // namespace

const DomNode* FindBody(const DomNode& doc)
{
    const DomNode* html = doc.kind == DomNodeKind::Document ? FindChildElement(doc, L"html") : nullptr;
    if (html == nullptr && doc.kind == DomNodeKind::Element && doc.tagName == L"html") {
        html = &doc;
    }
    return html != nullptr ? FindChildElement(*html, L"body") : nullptr;
}

DomNode* FindBody(DomNode& doc)
{
    return const_cast<DomNode*>(FindBody(static_cast<const DomNode&>(doc)));
}

std::wstring DocumentTitle(const DomNode& doc)
{
    const DomNode* title = FindFirstElement(doc, L"title");
    if (title == nullptr) {
        return {};
    }
    std::wstring text;
    for (const auto& child : title->children) {
        if (child->kind == DomNodeKind::Text) {
            text += child->text;
        }
    }
    return CollapseWhitespace(text);
}

const DomString* FindAttribute(const DomNode& node, std::wstring_view name)
{
    for (const auto& [attrName, value] : node.attributes) {
        if (EqualsIgnoringAsciiCase(attrName, name)) {
            return &value;
        }
    }
    return nullptr;
}

void SetAttribute(DomNode& node, std::wstring_view name, std::wstring_view value)
{
    for (auto& [attrName, existing] : node.attributes) {
        if (EqualsIgnoringAsciiCase(attrName, name)) {
            existing = value;
            return;
        }
    }
    auto& [newName, newValue] = node.attributes.emplace_back();
    newName = name;
    std::transform(newName.begin(), newName.end(), newName.begin(), ToLowerAscii);
    newValue = value;
}

} // namespace engine
