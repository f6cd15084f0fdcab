#include "DomNode.h"

#include <algorithm>

#include "RecycledBlocks.h"

namespace engine {
namespace {

// An arena grows by half of what it holds each time it runs out; it starts with room
// for a small page so that most pages need one block.
constexpr size_t kMinArenaBytes = 64 * 1024;
// Most elements have a few children: room for them at the first one saves the
// arena the copies a list growing one by one leaves behind.
constexpr size_t kFirstChildSlots = 4;

} // namespace

void DomNodeDeleter::operator()(DomNode* node) const noexcept
{
    if (node->m_inArena) {
        node->~DomNode();  // the memory goes with the arena
    } else {
        delete node;
    }
}

DomNode::DomNode(DomNodeKind nodeKind) : DomNode(nodeKind, std::pmr::new_delete_resource()) {}

DomNode::DomNode(DomNodeKind nodeKind, std::pmr::memory_resource* memory) noexcept
    : kind(nodeKind), tagName(memory), attributes(memory), text(memory), children(memory)
{
}

DomNodePtr DomNode::NewArenaDocument(size_t sizeHint)
{
    auto arena = std::make_unique<std::pmr::monotonic_buffer_resource>(
        std::max(sizeHint, kMinArenaBytes), &RecycledBlocks::Shared());
    DomNodePtr document(new DomNode(DomNodeKind::Document, arena.get()));
    document->m_arena = std::move(arena);
    return document;
}

DomNodePtr DomNode::NewNode(DomNodeKind nodeKind) const
{
    std::pmr::memory_resource* memory = Memory();
    if (!m_inArena && m_arena == nullptr) {
        return DomNodePtr(new DomNode(nodeKind, memory));
    }
    DomNodePtr node(new (memory->allocate(sizeof(DomNode), alignof(DomNode))) DomNode(nodeKind, memory));
    node->m_inArena = true;
    return node;
}

DomNode* DomNode::Append(DomNodePtr child)
{
    child->parent = this;
    if (children.capacity() == 0) {
        children.reserve(kFirstChildSlots);
    }
    children.push_back(std::move(child));
    return children.back().get();
}

} // namespace engine
