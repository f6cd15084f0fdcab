#include "HtmlParser.h"

#include <algorithm>
#include <vector>

#include "HtmlTokenizer.h"

namespace engine {
namespace {

// Deeper markup is flattened: the tree is walked recursively by the serializer, the
// layout and the destructors, and hostile pages must not exhaust the stack.
constexpr size_t kMaxDepth = 200;

bool IsOneOf(std::wstring_view name, std::initializer_list<std::wstring_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsVoidElement(std::wstring_view name)
{
    return IsOneOf(name, {L"area", L"base", L"br", L"col", L"embed", L"hr", L"img", L"input", L"keygen", L"link",
                          L"meta", L"param", L"source", L"track", L"wbr"});
}

bool IsHeadElement(std::wstring_view name)
{
    return IsOneOf(name, {L"title", L"meta", L"link", L"style", L"script", L"base", L"noscript"});
}

// Start tags that end an open paragraph.
bool ClosesParagraph(std::wstring_view name)
{
    return IsOneOf(name, {L"p", L"div", L"ul", L"ol", L"li", L"dl", L"dt", L"dd", L"h1", L"h2", L"h3", L"h4", L"h5",
                          L"h6", L"table", L"pre", L"blockquote", L"form", L"hr", L"section", L"article",
                          L"header", L"footer", L"nav", L"aside", L"main", L"address", L"fieldset", L"figure",
                          L"menu"});
}

bool IsWhitespace(std::wstring_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; });
}

std::unique_ptr<DomNode> MakeNode(DomNodeKind kind, std::wstring tagName = {})
{
    auto node = std::make_unique<DomNode>();
    node->kind = kind;
    node->tagName = std::move(tagName);
    return node;
}

DomNode* Append(DomNode& parent, std::unique_ptr<DomNode> child)
{
    child->parent = &parent;
    parent.children.push_back(std::move(child));
    return parent.children.back().get();
}

class TreeBuilder final {
public:
    TreeBuilder()
        : m_document(MakeNode(DomNodeKind::Document)),
          m_html(Append(*m_document, MakeNode(DomNodeKind::Element, L"html"))),
          m_head(Append(*m_html, MakeNode(DomNodeKind::Element, L"head"))),
          m_body(Append(*m_html, MakeNode(DomNodeKind::Element, L"body")))
    {
    }

    void Process(HtmlToken token);
    [[nodiscard]] std::unique_ptr<DomNode> Finish() { return std::move(m_document); }

private:
    void StartTag(HtmlToken& token);
    void EndTag(const std::wstring& name);
    void Text(std::wstring text);
    void Comment(std::wstring text);
    void CloseImpliedBy(const std::wstring& name);
    void CloseUpTo(std::wstring_view name, std::initializer_list<std::wstring_view> boundaries);
    [[nodiscard]] DomNode& Current();
    void EnterBody() { m_inBody = true; }

    std::unique_ptr<DomNode> m_document;
    DomNode* m_html;
    DomNode* m_head;
    DomNode* m_body;
    bool m_inBody = false;
    std::vector<DomNode*> m_open;  // open elements below <body>; <head> content is never nested
    DomNode* m_headTextTarget = nullptr;  // the head element awaiting its text
};

DomNode& TreeBuilder::Current()
{
    return m_open.empty() ? *m_body : *m_open.back();
}

void TreeBuilder::Process(HtmlToken token)
{
    switch (token.kind) {
    case HtmlToken::Kind::StartTag: StartTag(token); break;
    case HtmlToken::Kind::EndTag: EndTag(token.name); break;
    case HtmlToken::Kind::Text: Text(std::move(token.text)); break;
    case HtmlToken::Kind::Comment: Comment(std::move(token.text)); break;
    case HtmlToken::Kind::EndOfInput: break;
    }
}

void MergeAttributes(DomNode& node, HtmlToken& token)
{
    for (auto& attr : token.attributes) {
        const auto same = [&attr](const auto& existing) { return existing.first == attr.first; };
        if (std::none_of(node.attributes.begin(), node.attributes.end(), same)) {
            node.attributes.push_back(std::move(attr));
        }
    }
}

void TreeBuilder::StartTag(HtmlToken& token)
{
    m_headTextTarget = nullptr;
    const std::wstring& name = token.name;
    if (name == L"html" || name == L"body" || name == L"head") {
        MergeAttributes(name == L"html" ? *m_html : name == L"body" ? *m_body : *m_head, token);
        if (name == L"body") {
            EnterBody();
        }
        return;
    }
    const bool toHead = !m_inBody && IsHeadElement(name);
    if (!toHead) {
        EnterBody();
        CloseImpliedBy(name);
    }
    auto element = MakeNode(DomNodeKind::Element, name);
    element->attributes = std::move(token.attributes);
    DomNode* added = Append(toHead ? *m_head : Current(), std::move(element));
    // Head elements that hold text (title, style, script) get it from the next token.
    const bool holdsText = !IsVoidElement(name) && !token.selfClosing;
    if (toHead) {
        m_headTextTarget = holdsText ? added : nullptr;
    } else if (holdsText && m_open.size() < kMaxDepth) {
        m_open.push_back(added);
    }
}

void TreeBuilder::CloseImpliedBy(const std::wstring& name)
{
    if (ClosesParagraph(name)) {
        CloseUpTo(L"p", {L"div", L"li", L"td", L"th", L"button", L"table"});
    }
    if (name == L"li") {
        CloseUpTo(L"li", {L"ul", L"ol"});
    } else if (name == L"dt" || name == L"dd") {
        CloseUpTo(L"dt", {L"dl"});
        CloseUpTo(L"dd", {L"dl"});
    } else if (name == L"option") {
        CloseUpTo(L"option", {L"select"});
    } else if (name == L"tr") {
        CloseUpTo(L"tr", {L"table"});
    } else if (name == L"td" || name == L"th") {
        CloseUpTo(L"td", {L"tr", L"table"});
        CloseUpTo(L"th", {L"tr", L"table"});
    }
}

// Closes the innermost open `name` unless a boundary element is opened inside it.
void TreeBuilder::CloseUpTo(std::wstring_view name, std::initializer_list<std::wstring_view> boundaries)
{
    for (size_t i = m_open.size(); i-- > 0;) {
        const std::wstring& tag = m_open[i]->tagName;
        if (tag == name) {
            m_open.resize(i);
            return;
        }
        if (IsOneOf(tag, boundaries)) {
            return;
        }
    }
}

void TreeBuilder::EndTag(const std::wstring& name)
{
    m_headTextTarget = nullptr;
    if (name == L"head") {
        EnterBody();
        return;
    }
    // A stray end tag (nothing of that name is open) is ignored.
    for (size_t i = m_open.size(); i-- > 0;) {
        if (m_open[i]->tagName == name) {
            m_open.resize(i);
            return;
        }
    }
}

void TreeBuilder::Text(std::wstring text)
{
    if (m_headTextTarget != nullptr) {
        Append(*m_headTextTarget, MakeNode(DomNodeKind::Text))->text = std::move(text);
        m_headTextTarget = nullptr;
        return;
    }
    if (!m_inBody && IsWhitespace(text)) {
        return;
    }
    EnterBody();
    DomNode& parent = Current();
    if (!parent.children.empty() && parent.children.back()->kind == DomNodeKind::Text) {
        parent.children.back()->text += text;  // text split by a skipped declaration
        return;
    }
    Append(parent, MakeNode(DomNodeKind::Text))->text = std::move(text);
}

void TreeBuilder::Comment(std::wstring text)
{
    DomNode& parent = m_inBody ? Current() : *m_head;
    Append(parent, MakeNode(DomNodeKind::Comment))->text = std::move(text);
}

} // namespace

std::unique_ptr<DomNode> ParseHtml(std::wstring_view html)
{
    TreeBuilder builder;
    HtmlTokenizer tokenizer(html);
    for (HtmlToken token = tokenizer.Next(); token.kind != HtmlToken::Kind::EndOfInput; token = tokenizer.Next()) {
        builder.Process(std::move(token));
    }
    return builder.Finish();
}

} // namespace engine
