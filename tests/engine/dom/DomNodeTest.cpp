#include "engine/dom/DomNode.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/dom/DomQueries.h"
#include "engine/dom/DomSerializer.h"
#include "engine/dom/HtmlParser.h"

namespace engine {
namespace {

// True when the node and everything below it keep their strings and lists in `memory`.
bool AllIn(const DomNode& node, const std::pmr::memory_resource* memory)
{
    if (node.Memory() != memory || node.tagName.get_allocator().resource() != memory ||
        node.text.get_allocator().resource() != memory) {
        return false;
    }
    for (const auto& [name, value] : node.attributes) {
        if (name.get_allocator().resource() != memory || value.get_allocator().resource() != memory) {
            return false;
        }
    }
    for (const auto& child : node.children) {
        if (child->parent != &node || !AllIn(*child, memory)) {
            return false;
        }
    }
    return true;
}

// A parsed page, one rebuilt from the pipe and one built by hand: the first two live in
// an arena of their own, the last on the heap, and every node, string and list of a tree
// lives where its document does, also after a visitor changes it.
TEST(DomNode, EveryTreeLivesWhereItsDocumentDoes)
{
    const std::function<DomNodePtr()> makers[] = {
        [] { return ParseHtml(L"<p class=a>x<b>y</b></p><!--c-->"); },
        [] { return DeserializeDom(SerializeDom(*ParseHtml(L"<ul><li>a<li>b</ul>"))); },
        [] {
            DomNodePtr document(new DomNode(DomNodeKind::Document));
            DomNode* element = document->Append(document->NewNode(DomNodeKind::Element));
            element->tagName = L"div";
            element->Append(element->NewNode(DomNodeKind::Text))->text = L"hand-made";
            return document;
        },
    };
    const bool inArena[] = {true, true, false};
    for (size_t i = 0; i < std::size(makers); ++i) {
        DomNodePtr document = makers[i]();
        ASSERT_NE(document, nullptr) << i;
        const std::pmr::memory_resource* memory = document->Memory();
        EXPECT_EQ(memory != std::pmr::new_delete_resource(), inArena[i]) << i;
        DomNode* first = document->children.front().get();
        SetAttribute(*first, L"Style", L"display:none");
        first->Append(first->NewNode(DomNodeKind::Comment))->text = L"added by a visitor, long enough for the heap";
        EXPECT_TRUE(AllIn(*document, memory)) << i;
        EXPECT_EQ(document->parent, nullptr) << i;
    }
}

} // namespace
} // namespace engine
