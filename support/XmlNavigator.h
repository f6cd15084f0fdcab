#pragma once
// Cursor over the elements of one XML document. The text is parsed once into a tree
// of element records that hold offsets into it; attribute text is read on demand.

#include "support/XmlElementTable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct XmlNode;

class CXmlNavigator final {
public:
    CXmlNavigator();

    // Parses `text` and moves the cursor to the document level. True when the document
    // is well formed. Errors are added to the error text after ", " unless it was cleared.
    [[nodiscard]] bool SetDocument(std::wstring text);
    [[nodiscard]] const std::wstring& GetError() const noexcept { return m_strError; }
    void ClearError() noexcept { m_strError.clear(); }

    // Forgets the current element; the next FindElement starts at the first child of the parent.
    void ResetMainPosition() noexcept;
    // Next sibling named exactly `name` (any name when empty). The cursor stays on failure.
    [[nodiscard]] bool FindElement(std::wstring_view name);
    // Steps into the current element, resuming at the child left by LeaveElement.
    [[nodiscard]] bool EnterElement() noexcept;
    [[nodiscard]] bool LeaveElement() noexcept;
    // Attribute of the current element with entities decoded; empty when absent.
    [[nodiscard]] std::wstring GetAttribute(std::wstring_view name) const;
    // Name of the current element; empty when there is none.
    [[nodiscard]] std::wstring GetTagName() const;

private:
    struct OpenElement {
        uint32_t index;
        int nameOffset;
        int nameLength;
    };
    struct ParseState {
        std::vector<OpenElement> open; // innermost last
        std::wstring error;            // first error of this parse
        bool lifted = false;           // children moved up: depths must be recomputed
    };

    void Parse();
    void OnStartTag(ParseState& state, const XmlNode& node);
    void OnEndTag(ParseState& state, const XmlNode& node);
    void OnEndOfText(ParseState& state);
    void CheckRoot(ParseState& state);
    void Fail(ParseState& state, std::wstring message);
    [[nodiscard]] uint32_t AppendChild(uint32_t parent, uint32_t child, uint32_t& flags);
    void CloseUnended(ParseState& state, size_t from);
    [[nodiscard]] bool LiftChildren(uint32_t element);
    void ComputeDepths();
    [[nodiscard]] std::wstring_view NameOf(uint32_t element) const;
    [[nodiscard]] bool IsWellFormed() const noexcept;

    std::wstring m_strDoc;
    std::wstring m_strError;
    uint32_t m_iPosParent = 0;
    uint32_t m_iPos = 0;
    uint32_t m_iPosChild = 0;
    XmlElementTable m_elements;
};
