// Building the element tree: the navigator's single pass over the document.

#include "support/XmlNavigator.h"
#include "support/XmlTokenizer.h"

#include <climits>

namespace {

std::wstring Quoted(std::wstring_view name)
{
    return L"'" + std::wstring(name) + L"'";
}

} // namespace

void CXmlNavigator::Parse()
{
    m_elements.Reset(static_cast<uint32_t>(m_strDoc.size() / 64 + 8));
    ParseState state;
    // Offsets are int throughout; longer text is treated as unreadable.
    static const std::wstring kUnreadable;
    XmlTokenizer tokenizer(m_strDoc.size() <= INT_MAX / 2 ? m_strDoc : kUnreadable);
    XmlNode node;
    while (tokenizer.Next(node)) {
        if (node.kind == XmlNodeKind::StartTag) {
            OnStartTag(state, node);
        } else if (node.kind == XmlNodeKind::EndTag) {
            OnEndTag(state, node);
        } else if (node.kind == XmlNodeKind::Error) {
            Fail(state, XmlTokenizer::ErrorMessage(node));
        }
    }
    OnEndOfText(state);
    if (state.lifted) {
        ComputeDepths();
    }
    CheckRoot(state);
    if (!state.error.empty()) {
        m_strError += m_strError.empty() ? state.error : L", " + state.error;
    }
}

// Until an unended element's children are lifted, an element's depth is the number
// of elements open around it.
void CXmlNavigator::OnStartTag(ParseState& state, const XmlNode& node)
{
    const uint32_t parent = state.open.empty() ? 0 : state.open.back().index;
    const uint32_t index = m_elements.Count();
    auto flags = static_cast<uint32_t>(state.open.size() + 1) & XmlElement::kDepthMask;
    const uint32_t prev = AppendChild(parent, index, flags);
    (void)m_elements.Add(XmlElement{node.offset, node.length, node.length, 0, flags, parent, 0, 0, prev});
    if (!node.emptyElement) {
        state.open.push_back(OpenElement{index, node.nameOffset, node.nameLength});
    }
}

// Links `child`, the record about to be added, as the last child of `parent`; returns
// its previous sibling (itself when it is the first child, whose flag it sets).
uint32_t CXmlNavigator::AppendChild(uint32_t parent, uint32_t child, uint32_t& flags)
{
    XmlElement& owner = m_elements[parent];
    if (owner.firstChild == 0) {
        owner.firstChild = child;
        flags |= XmlElement::kFirstChild;
        return child;
    }
    XmlElement& first = m_elements[owner.firstChild];
    const uint32_t last = first.prev;
    m_elements[last].next = child;
    first.prev = child;
    return last;
}

// Matches the end tag against the open elements from the innermost outward.
void CXmlNavigator::OnEndTag(ParseState& state, const XmlNode& node)
{
    const wchar_t* text = m_strDoc.data();
    const auto sameName = [text, &node](const OpenElement& open) {
        if (open.nameLength != node.nameLength) {
            return false;
        }
        // A loop: names are short, and std::equal would call the run-time library's memcmp.
        for (int i = 0; i < open.nameLength; ++i) {
            if (text[open.nameOffset + i] != text[node.nameOffset + i]) {
                return false;
            }
        }
        return true;
    };
    size_t match = state.open.size();
    while (match > 0 && !sameName(state.open[match - 1])) {
        --match;
    }
    const std::wstring_view name(text + node.nameOffset, static_cast<size_t>(node.nameLength));
    if (match == 0) {
        Fail(state, L"No start tag for end tag " + Quoted(name) + L" at offset " + std::to_wstring(node.offset));
        return;
    }
    const uint32_t matched = state.open[match - 1].index;
    if (match < state.open.size()) {
        const uint32_t inner = state.open.back().index;
        Fail(state, L"End tag " + Quoted(name) + L" at offset " + std::to_wstring(node.offset + 1)
            + L" does not match start tag " + Quoted(NameOf(inner)) + L" at offset "
            + std::to_wstring(m_elements[inner].start));
        CloseUnended(state, match);
    }
    XmlElement& element = m_elements[matched];
    element.length = node.offset + node.length - element.start;
    element.endTagLength = node.length;
    state.open.pop_back();
}

void CXmlNavigator::OnEndOfText(ParseState& state)
{
    if (state.open.empty()) {
        return;
    }
    const uint32_t inner = state.open.back().index;
    Fail(state, L"Element " + Quoted(NameOf(inner)) + L" at offset " + std::to_wstring(m_elements[inner].start)
        + L" not ended");
    CloseUnended(state, 0);
}

// Closes the open elements from `from` inward where their start tags end. Working
// outermost first moves every child up exactly once: each one lands after its old
// parent, whose own position is already final.
void CXmlNavigator::CloseUnended(ParseState& state, size_t from)
{
    for (size_t i = from; i < state.open.size(); ++i) {
        XmlElement& element = m_elements[state.open[i].index];
        element.flags |= XmlElement::kNotEnded | XmlElement::kError;
        element.length = element.startTagLength;
        state.lifted = LiftChildren(state.open[i].index) || state.lifted;
    }
    state.open.resize(from);
}

// Splices the children of `element` into its parent's list right after it; false
// when it has none.
bool CXmlNavigator::LiftChildren(uint32_t element)
{
    XmlElement& owner = m_elements[element];
    const uint32_t first = owner.firstChild;
    if (first == 0) {
        return false;
    }
    const uint32_t last = m_elements[first].prev;
    for (uint32_t child = first; child != 0; child = m_elements[child].next) {
        m_elements[child].parent = owner.parent;
    }
    m_elements[first].flags &= ~XmlElement::kFirstChild;
    m_elements[first].prev = element;
    m_elements[last].next = owner.next;
    if (owner.next != 0) {
        m_elements[owner.next].prev = last;
    } else {
        m_elements[m_elements[owner.parent].firstChild].prev = last;
    }
    owner.next = first;
    owner.firstChild = 0;
    return true;
}

// A parent is always created before its children, even after children were lifted,
// so one pass in index order sees every parent's depth first.
void CXmlNavigator::ComputeDepths()
{
    for (uint32_t i = 1; i < m_elements.Count(); ++i) {
        m_elements[i].SetDepth(m_elements[m_elements[i].parent].Depth() + 1);
    }
}

// These replace any earlier error of the same parse.
void CXmlNavigator::CheckRoot(ParseState& state)
{
    const uint32_t root = m_elements[0].firstChild;
    const wchar_t* message = nullptr;
    if (m_strDoc.empty()) {
        message = L"Empty document";
    } else if (root == 0) {
        message = L"No root element";
    } else if (m_elements[root].next != 0) {
        message = L"Root element has sibling";
    }
    if (message != nullptr) {
        m_elements[0].flags |= XmlElement::kIllFormed;
        state.error = message;
    }
}

void CXmlNavigator::Fail(ParseState& state, std::wstring message)
{
    m_elements[0].flags |= XmlElement::kIllFormed;
    if (state.error.empty()) {
        state.error = std::move(message);
    }
}

std::wstring_view CXmlNavigator::NameOf(uint32_t element) const
{
    const auto start = m_elements[element].start + 1;
    const auto end = XmlTokenizer::NameEnd(m_strDoc, start);
    return std::wstring_view(m_strDoc).substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

bool CXmlNavigator::IsWellFormed() const noexcept
{
    return (m_elements[0].flags & XmlElement::kIllFormed) == 0;
}
