#pragma once
// A light value handle onto one element of a loaded CMarkup. It stays usable only
// while its document is loaded; copying is cheap.

#include "common/Win32.h"

namespace DuiLib {

class CMarkup;

class CMarkupNode final {
    friend class CMarkup;

public:
    // An invalid node.
    CMarkupNode() noexcept = default;

    [[nodiscard]] bool IsValid() const noexcept { return m_pOwner != nullptr; }

    [[nodiscard]] CMarkupNode GetParent() const noexcept;
    [[nodiscard]] CMarkupNode GetSibling() const noexcept;
    [[nodiscard]] CMarkupNode GetChild() const noexcept;
    // First child whose name equals pstrName exactly.
    [[nodiscard]] CMarkupNode GetChild(LPCTSTR pstrName) const noexcept;

    [[nodiscard]] bool HasSiblings() const noexcept;
    [[nodiscard]] bool HasChildren() const noexcept;
    // Point into the document's text; null for an invalid node.
    [[nodiscard]] LPCTSTR GetName() const noexcept;
    [[nodiscard]] LPCTSTR GetValue() const noexcept;

    // Only the first 64 attributes of an element are visible.
    [[nodiscard]] bool HasAttributes();
    [[nodiscard]] bool HasAttribute(LPCTSTR pstrName);
    [[nodiscard]] int GetAttributeCount();
    // "" for an index out of range, null for an invalid node.
    [[nodiscard]] LPCTSTR GetAttributeName(int iIndex);
    [[nodiscard]] LPCTSTR GetAttributeValue(int iIndex);
    // "" when the element has no such attribute, null for an invalid node.
    [[nodiscard]] LPCTSTR GetAttributeValue(LPCTSTR pstrName);
    // Copy like wcsncpy; false for an invalid node or a missing attribute.
    [[nodiscard]] bool GetAttributeValue(int iIndex, LPTSTR pstrValue, unsigned long cchMax);
    [[nodiscard]] bool GetAttributeValue(LPCTSTR pstrName, LPTSTR pstrValue, unsigned long cchMax);

    static constexpr int MAX_XML_ATTRIBUTES = 64;

private:
    CMarkupNode(CMarkup* pOwner, int iPos) noexcept;

    [[nodiscard]] CMarkupNode NodeAt(ULONG iPos) const noexcept;
    void _MapAttributes() noexcept;
    [[nodiscard]] int FindAttribute(LPCTSTR pstrName);

    struct XMLATTRIBUTE {
        ULONG iName;
        ULONG iValue;
    };

    CMarkup* m_pOwner = nullptr; // Borrowed; null means invalid.
    int m_iPos = 0;
    int m_nAttributes = 0;
    XMLATTRIBUTE m_aAttributes[MAX_XML_ATTRIBUTES] = {};
};

} // namespace DuiLib
