#pragma once
// The engine's document tree, shared by the HTML parser, the renderer's DOM access,
// the transport of display content to the browser process, and the page painter.
//
// A parsed or received page keeps its nodes, strings and lists in one arena that its
// document node owns, so a large page costs a few dozen allocations instead of several
// per node (under Wine each one costs as much as parsing a hundred characters). Trees
// built by hand use the heap.

#include <memory>
#include <memory_resource>
#include <string>
#include <utility>
#include <vector>

namespace engine {

enum class DomNodeKind { Document, Element, Text, Comment };

using DomString = std::pmr::wstring;

struct DomNode;

// Ends a node the way it was made: inside its document's arena, or on the heap.
struct DomNodeDeleter {
    void operator()(DomNode* node) const noexcept;
};
using DomNodePtr = std::unique_ptr<DomNode, DomNodeDeleter>;

struct DomNode {
private:
    // First, so that it is destroyed after everything that lives in it.
    std::unique_ptr<std::pmr::monotonic_buffer_resource> m_arena;  // on an arena tree's document only
    bool m_inArena = false;

public:
    DomNodeKind kind = DomNodeKind::Element;
    DomString tagName;     // lower case; elements only
    std::pmr::vector<std::pair<DomString, DomString>> attributes;  // in source order; names lower case
    DomString text;        // text and comment nodes
    DomNode* parent = nullptr;  // Borrowed; null for the document.
    std::pmr::vector<DomNodePtr> children;  // Owned.

    // A node whose strings and lists are on the heap.
    explicit DomNode(DomNodeKind nodeKind = DomNodeKind::Element);
    DomNode(const DomNode&) = delete;
    DomNode& operator=(const DomNode&) = delete;
    ~DomNode() = default;

    // A document node with a fresh arena for every node below it; `sizeHint` is the
    // number of bytes the tree is expected to need.
    [[nodiscard]] static DomNodePtr NewArenaDocument(size_t sizeHint);
    // A node that lives where this node's strings do. Not yet linked into the tree.
    [[nodiscard]] DomNodePtr NewNode(DomNodeKind nodeKind) const;
    // Links `child` as the last child; returns it.
    DomNode* Append(DomNodePtr child);
    // Where this node's strings and lists, and the nodes it makes, are allocated.
    [[nodiscard]] std::pmr::memory_resource* Memory() const noexcept { return children.get_allocator().resource(); }

private:
    DomNode(DomNodeKind nodeKind, std::pmr::memory_resource* memory) noexcept;
    friend struct DomNodeDeleter;
};

} // namespace engine
