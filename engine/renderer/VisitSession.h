#pragma once
// What the DOM objects of one CefDOMVisitor::Visit call share: whether the visit is
// still running (the objects are dead afterwards) and whether the tree changed.

namespace engine {

struct VisitSession {
    bool open = true;
    bool changed = false;
};

} // namespace engine
