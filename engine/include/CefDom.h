#pragma once
// Access to a page's document from the renderer. The objects passed to Visit are
// valid only during that call; afterwards every operation on them returns an empty
// result and changes nothing.

#include "CefRefCounting.h"
#include "CefString.h"
#include "CefTypes.h"

class CefDOMNode;

class CefDOMDocument : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] virtual CefRefPtr<CefDOMNode> GetDocument() = 0;
    // Null when the document has no body.
    [[nodiscard]] virtual CefRefPtr<CefDOMNode> GetBody() = 0;
    [[nodiscard]] virtual CefRefPtr<CefDOMNode> GetHead() = 0;
    [[nodiscard]] virtual CefString GetTitle() = 0;
    [[nodiscard]] virtual CefRefPtr<CefDOMNode> GetElementById(const CefString& id) = 0;
    [[nodiscard]] virtual CefString GetBaseURL() = 0;
};

class CefDOMNode : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] virtual cef_dom_node_type_t GetType() = 0;
    [[nodiscard]] virtual bool IsText() = 0;
    [[nodiscard]] virtual bool IsElement() = 0;
    [[nodiscard]] virtual bool IsSame(CefRefPtr<CefDOMNode> that) = 0;
    // Element: tag name in upper case; text: "#text"; comment: "#comment".
    [[nodiscard]] virtual CefString GetName() = 0;
    // Text and comment nodes: their text; empty otherwise.
    [[nodiscard]] virtual CefString GetValue() = 0;
    [[nodiscard]] virtual CefRefPtr<CefDOMDocument> GetDocument() = 0;
    [[nodiscard]] virtual CefRefPtr<CefDOMNode> GetParent() = 0;
    [[nodiscard]] virtual CefRefPtr<CefDOMNode> GetPreviousSibling() = 0;
    [[nodiscard]] virtual CefRefPtr<CefDOMNode> GetNextSibling() = 0;
    [[nodiscard]] virtual bool HasChildren() = 0;
    [[nodiscard]] virtual CefRefPtr<CefDOMNode> GetFirstChild() = 0;
    [[nodiscard]] virtual CefRefPtr<CefDOMNode> GetLastChild() = 0;
    // Upper-case tag name of an element; empty for other nodes.
    [[nodiscard]] virtual CefString GetElementTagName() = 0;
    [[nodiscard]] virtual bool HasElementAttributes() = 0;
    // Attribute names compare ignoring case.
    [[nodiscard]] virtual bool HasElementAttribute(const CefString& attrName) = 0;
    [[nodiscard]] virtual CefString GetElementAttribute(const CefString& attrName) = 0;
    // Replaces or adds the attribute; false (nothing changed) on a node that is not an element.
    virtual bool SetElementAttribute(const CefString& attrName, const CefString& value) = 0;
    // Concatenated text of all descendant text nodes.
    [[nodiscard]] virtual CefString GetElementInnerText() = 0;
};

// Implemented by the client; Visit runs on the renderer thread.
class CefDOMVisitor : public virtual CefBaseRefCounted {
public:
    virtual void Visit(CefRefPtr<CefDOMDocument> document) = 0;
};
