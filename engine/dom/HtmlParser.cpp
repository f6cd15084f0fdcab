#include "HtmlParser.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "CharacterReferences.h"
#include "HtmlTag.h"
#include "HtmlTokenizer.h"

namespace engine {
namespace {

// Deeper markup is flattened: the tree is walked recursively by the serializer, the
// layout and the destructors, and hostile pages must not exhaust the stack.
constexpr size_t kMaxDepth = 200;
// A tree takes about eight bytes of arena per character of markup. The first block is
// made that size, up to a cap; a larger tree grows the arena as it goes.
constexpr size_t kArenaBytesPerCharacter = 8;
constexpr size_t kMaxFirstArenaBlock = 32u << 20;

bool IsWhitespace(std::wstring_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; });
}

bool IsOneOf(HtmlTag tag, std::initializer_list<HtmlTag> tags)
{
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

class TreeBuilder final {
public:
    explicit TreeBuilder(size_t markupLength)
        : m_document(DomNode::NewArenaDocument(
              std::min(markupLength, kMaxFirstArenaBlock / kArenaBytesPerCharacter) * kArenaBytesPerCharacter)),
          m_html(AppendElement(*m_document, L"html")),
          m_head(AppendElement(*m_html, L"head")),
          m_body(AppendElement(*m_html, L"body"))
    {
    }

    void Process(const HtmlToken& token);
    [[nodiscard]] DomNodePtr Finish() { return std::move(m_document); }

private:
    struct OpenElement {
        DomNode* node;
        HtmlTag tag;
    };

    static DomNode* AppendElement(DomNode& parent, std::wstring_view name);
    void StartTag(const HtmlToken& token);
    void EndTag(const HtmlToken& token);
    void Text(const HtmlToken& token);
    static void AppendText(const HtmlToken& token, DomString& out);
    [[nodiscard]] bool IsBlank(const HtmlToken& token) const;
    void Comment(std::wstring_view text);
    void CloseImpliedBy(HtmlTag tag, std::uint8_t flags);
    void CloseUpTo(HtmlTag tag, std::initializer_list<HtmlTag> boundaries);
    [[nodiscard]] DomNode& Current();
    void EnterBody() { m_inBody = true; }

    DomNodePtr m_document;
    DomNode* m_html;
    DomNode* m_head;
    DomNode* m_body;
    bool m_inBody = false;
    std::vector<OpenElement> m_open;  // open elements below <body>; <head> content is never nested
    DomNode* m_headTextTarget = nullptr;  // the head element awaiting its text
    bool m_dropNewline = false;  // the token before was a <pre> or <textarea> start tag
};

DomNode* TreeBuilder::AppendElement(DomNode& parent, std::wstring_view name)
{
    DomNode* element = parent.Append(parent.NewNode(DomNodeKind::Element));
    element->tagName = name;
    return element;
}

DomNode& TreeBuilder::Current()
{
    return m_open.empty() ? *m_body : *m_open.back().node;
}

void TreeBuilder::Process(const HtmlToken& token)
{
    const bool dropNewline = m_dropNewline;
    m_dropNewline = false;
    if (dropNewline && token.kind == HtmlToken::Kind::Text) {
        // Authors start the content of these elements on the line after the tag.
        HtmlToken rest = token;
        rest.text.remove_prefix(rest.text.rfind(L"\r\n", 0) == 0 ? 2 : rest.text.rfind(L'\n', 0) == 0 ? 1 : 0);
        if (!rest.text.empty()) {
            Text(rest);
        }
        return;
    }
    switch (token.kind) {
    case HtmlToken::Kind::StartTag: StartTag(token); break;
    case HtmlToken::Kind::EndTag: EndTag(token); break;
    case HtmlToken::Kind::Text: Text(token); break;
    case HtmlToken::Kind::Comment: Comment(token.text); break;
    case HtmlToken::Kind::EndOfInput: break;
    }
}

// Attributes go in once, at their final size, since an arena never takes memory back.
// The tokenizer has dropped repeated names; only attributes merged into an element
// that has some already are checked against them.
void AddAttributes(DomNode& node, const std::vector<HtmlAttribute>& attributes)
{
    if (attributes.empty()) {
        return;
    }
    const size_t existing = node.attributes.size();
    node.attributes.reserve(existing + attributes.size());
    for (const HtmlAttribute& attr : attributes) {
        const auto same = [&attr](const auto& other) { return HtmlTokenizer::SameName(other.first, attr.name); };
        if (std::none_of(node.attributes.begin(), node.attributes.begin() + existing, same)) {
            auto& [name, value] = node.attributes.emplace_back();
            HtmlTokenizer::AssignLower(attr.name, name);
            AppendDecodingReferences(attr.value, value);
        }
    }
}

void TreeBuilder::StartTag(const HtmlToken& token)
{
    m_headTextTarget = nullptr;
    const HtmlTag tag = token.tag.tag;
    if (tag == HtmlTag::Html || tag == HtmlTag::Body || tag == HtmlTag::Head) {
        AddAttributes(tag == HtmlTag::Html ? *m_html : tag == HtmlTag::Body ? *m_body : *m_head, *token.attributes);
        if (tag == HtmlTag::Body) {
            EnterBody();
        }
        return;
    }
    const bool toHead = !m_inBody && (token.tag.flags & kHeadElement) != 0;
    if (!toHead) {
        EnterBody();
        CloseImpliedBy(tag, token.tag.flags);
    }
    DomNode& parent = toHead ? *m_head : Current();
    DomNode* added = parent.Append(parent.NewNode(DomNodeKind::Element));
    HtmlTokenizer::AssignLower(token.name, added->tagName);
    AddAttributes(*added, *token.attributes);
    // Head elements that hold text (title, style, script) get it from the next token.
    const bool holdsText = (token.tag.flags & kVoidElement) == 0 && !token.selfClosing;
    m_dropNewline = tag == HtmlTag::Pre || tag == HtmlTag::Textarea;
    if (toHead) {
        m_headTextTarget = holdsText ? added : nullptr;
    } else if (holdsText && m_open.size() < kMaxDepth) {
        m_open.push_back(OpenElement{added, tag});
    }
}

void TreeBuilder::CloseImpliedBy(HtmlTag tag, std::uint8_t flags)
{
    if ((flags & kClosesParagraph) != 0) {
        CloseUpTo(HtmlTag::P, {HtmlTag::Div, HtmlTag::Li, HtmlTag::Td, HtmlTag::Th, HtmlTag::Button, HtmlTag::Table});
    }
    switch (tag) {
    case HtmlTag::Li: CloseUpTo(HtmlTag::Li, {HtmlTag::Ul, HtmlTag::Ol}); break;
    case HtmlTag::Dt:
    case HtmlTag::Dd:
        CloseUpTo(HtmlTag::Dt, {HtmlTag::Dl});
        CloseUpTo(HtmlTag::Dd, {HtmlTag::Dl});
        break;
    case HtmlTag::Option: CloseUpTo(HtmlTag::Option, {HtmlTag::Select}); break;
    case HtmlTag::Tr: CloseUpTo(HtmlTag::Tr, {HtmlTag::Table}); break;
    case HtmlTag::Td:
    case HtmlTag::Th:
        CloseUpTo(HtmlTag::Td, {HtmlTag::Tr, HtmlTag::Table});
        CloseUpTo(HtmlTag::Th, {HtmlTag::Tr, HtmlTag::Table});
        break;
    default: break;
    }
}

// Closes the innermost open `tag` unless a boundary element is opened inside it.
void TreeBuilder::CloseUpTo(HtmlTag tag, std::initializer_list<HtmlTag> boundaries)
{
    for (size_t i = m_open.size(); i-- > 0;) {
        if (m_open[i].tag == tag) {
            m_open.resize(i);
            return;
        }
        if (IsOneOf(m_open[i].tag, boundaries)) {
            return;
        }
    }
}

void TreeBuilder::EndTag(const HtmlToken& token)
{
    m_headTextTarget = nullptr;
    const HtmlTag tag = token.tag.tag;
    if (tag == HtmlTag::Head) {
        EnterBody();
        return;
    }
    // Names the parser knows are compared by number; others by their text.
    const auto matches = [&token, tag](const OpenElement& open) {
        return open.tag == tag && (tag != HtmlTag::Other || HtmlTokenizer::SameName(open.node->tagName, token.name));
    };
    // A stray end tag (nothing of that name is open) is ignored.
    for (size_t i = m_open.size(); i-- > 0;) {
        if (matches(m_open[i])) {
            m_open.resize(i);
            return;
        }
    }
}

void TreeBuilder::Text(const HtmlToken& token)
{
    if (m_headTextTarget != nullptr) {
        AppendText(token, m_headTextTarget->Append(m_headTextTarget->NewNode(DomNodeKind::Text))->text);
        m_headTextTarget = nullptr;
        return;
    }
    if (!m_inBody && IsBlank(token)) {
        return;
    }
    EnterBody();
    DomNode& parent = Current();
    if (!parent.children.empty() && parent.children.back()->kind == DomNodeKind::Text) {
        AppendText(token, parent.children.back()->text);  // text split by a skipped declaration
        return;
    }
    AppendText(token, parent.Append(parent.NewNode(DomNodeKind::Text))->text);
}

void TreeBuilder::AppendText(const HtmlToken& token, DomString& out)
{
    if (token.decode) {
        AppendDecodingReferences(token.text, out);
    } else {
        out.append(token.text);
    }
}

// White space written as references ("&#32;") counts as white space too.
bool TreeBuilder::IsBlank(const HtmlToken& token) const
{
    if (!token.decode || token.text.find(L'&') == std::wstring_view::npos) {
        return IsWhitespace(token.text);
    }
    DomString decoded(m_document->Memory());
    AppendDecodingReferences(token.text, decoded);
    return IsWhitespace(decoded);
}

void TreeBuilder::Comment(std::wstring_view text)
{
    DomNode& parent = m_inBody ? Current() : *m_head;
    parent.Append(parent.NewNode(DomNodeKind::Comment))->text = text;
}

} // namespace

DomNodePtr ParseHtml(std::wstring_view html)
{
    TreeBuilder builder(html.size());
    HtmlTokenizer tokenizer(html);
    for (HtmlToken token = tokenizer.Next(); token.kind != HtmlToken::Kind::EndOfInput; token = tokenizer.Next()) {
        builder.Process(token);
    }
    return builder.Finish();
}

} // namespace engine
