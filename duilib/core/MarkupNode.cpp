#include "duilib/core/MarkupNode.h"

#include "duilib/core/Markup.h"

#include <cwchar>

namespace DuiLib {

CMarkupNode::CMarkupNode(CMarkup* pOwner, int iPos) noexcept : m_pOwner(pOwner), m_iPos(iPos) {}

// A node of a document that was released or reloaded into a smaller table reads as
// invalid rather than reaching outside the table.
CMarkupNode CMarkupNode::NodeAt(ULONG iPos) const noexcept
{
    if (m_pOwner == nullptr || iPos == 0 || iPos >= m_pOwner->m_aElements.size()) {
        return CMarkupNode();
    }
    return CMarkupNode(m_pOwner, static_cast<int>(iPos));
}

CMarkupNode CMarkupNode::GetParent() const noexcept
{
    const CMarkupNode self = NodeAt(static_cast<ULONG>(m_iPos));
    return self.IsValid() ? NodeAt(m_pOwner->m_aElements[m_iPos].iParent) : CMarkupNode();
}

CMarkupNode CMarkupNode::GetSibling() const noexcept
{
    const CMarkupNode self = NodeAt(static_cast<ULONG>(m_iPos));
    return self.IsValid() ? NodeAt(m_pOwner->m_aElements[m_iPos].iNext) : CMarkupNode();
}

CMarkupNode CMarkupNode::GetChild() const noexcept
{
    const CMarkupNode self = NodeAt(static_cast<ULONG>(m_iPos));
    return self.IsValid() ? NodeAt(m_pOwner->m_aElements[m_iPos].iChild) : CMarkupNode();
}

CMarkupNode CMarkupNode::GetChild(LPCTSTR pstrName) const noexcept
{
    if (pstrName == nullptr) {
        return CMarkupNode();
    }
    for (CMarkupNode child = GetChild(); child.IsValid(); child = child.GetSibling()) {
        if (std::wcscmp(child.GetName(), pstrName) == 0) {
            return child;
        }
    }
    return CMarkupNode();
}

bool CMarkupNode::HasSiblings() const noexcept
{
    return GetSibling().IsValid();
}

bool CMarkupNode::HasChildren() const noexcept
{
    return GetChild().IsValid();
}

LPCTSTR CMarkupNode::GetName() const noexcept
{
    if (!NodeAt(static_cast<ULONG>(m_iPos)).IsValid()) {
        return nullptr;
    }
    return m_pOwner->m_pstrXML.get() + m_pOwner->m_aElements[m_iPos].iStart;
}

LPCTSTR CMarkupNode::GetValue() const noexcept
{
    if (!NodeAt(static_cast<ULONG>(m_iPos)).IsValid()) {
        return nullptr;
    }
    return m_pOwner->m_pstrXML.get() + m_pOwner->m_aElements[m_iPos].iData;
}

bool CMarkupNode::HasAttributes()
{
    return GetAttributeCount() > 0;
}

int CMarkupNode::GetAttributeCount()
{
    if (!NodeAt(static_cast<ULONG>(m_iPos)).IsValid()) {
        return 0;
    }
    if (m_nAttributes == 0) {
        _MapAttributes();
    }
    return m_nAttributes;
}

LPCTSTR CMarkupNode::GetAttributeName(int iIndex)
{
    if (!IsValid()) {
        return nullptr;
    }
    if (iIndex < 0 || iIndex >= GetAttributeCount()) {
        return L"";
    }
    return m_pOwner->m_pstrXML.get() + m_aAttributes[iIndex].iName;
}

LPCTSTR CMarkupNode::GetAttributeValue(int iIndex)
{
    if (!IsValid()) {
        return nullptr;
    }
    if (iIndex < 0 || iIndex >= GetAttributeCount()) {
        return L"";
    }
    return m_pOwner->m_pstrXML.get() + m_aAttributes[iIndex].iValue;
}

int CMarkupNode::FindAttribute(LPCTSTR pstrName)
{
    if (pstrName == nullptr) {
        return -1;
    }
    const int nAttributes = GetAttributeCount();
    for (int i = 0; i < nAttributes; ++i) {
        if (std::wcscmp(m_pOwner->m_pstrXML.get() + m_aAttributes[i].iName, pstrName) == 0) {
            return i;
        }
    }
    return -1;
}

LPCTSTR CMarkupNode::GetAttributeValue(LPCTSTR pstrName)
{
    if (!IsValid()) {
        return nullptr;
    }
    const int iIndex = FindAttribute(pstrName);
    return iIndex < 0 ? L"" : GetAttributeValue(iIndex);
}

bool CMarkupNode::GetAttributeValue(int iIndex, LPTSTR pstrValue, unsigned long cchMax)
{
    if (!IsValid() || iIndex < 0 || iIndex >= GetAttributeCount()) {
        return false;
    }
    if (pstrValue != nullptr && cchMax > 0) {
        std::wcsncpy(pstrValue, GetAttributeValue(iIndex), cchMax);
    }
    return true;
}

bool CMarkupNode::GetAttributeValue(LPCTSTR pstrName, LPTSTR pstrValue, unsigned long cchMax)
{
    if (!IsValid()) {
        return false;
    }
    const int iIndex = FindAttribute(pstrName);
    return iIndex >= 0 && GetAttributeValue(iIndex, pstrValue, cchMax);
}

bool CMarkupNode::HasAttribute(LPCTSTR pstrName)
{
    return IsValid() && FindAttribute(pstrName) >= 0;
}

// Attributes sit between the name's terminator and the element's data: each a name,
// its terminator, whitespace, the opening quote, the value and its terminator. Every
// step stays before the data start, which lies inside the text.
void CMarkupNode::_MapAttributes() noexcept
{
    m_nAttributes = 0;
    LPCTSTR pstrText = m_pOwner->m_pstrXML.get();
    const CMarkup::XMLELEMENT& element = m_pOwner->m_aElements[m_iPos];
    LPCTSTR pstrEnd = pstrText + element.iData;
    LPCTSTR pstr = pstrText + element.iStart;
    pstr += std::wcslen(pstr) + 1;
    while (pstr < pstrEnd && m_nAttributes < MAX_XML_ATTRIBUTES) {
        CMarkup::_SkipWhitespace(pstr);
        const LPCTSTR pstrName = pstr;
        pstr += std::wcslen(pstr) + 1;
        if (pstr >= pstrEnd) {
            return;
        }
        CMarkup::_SkipWhitespace(pstr);
        if (*pstr != L'"') {
            return;
        }
        ++pstr;
        m_aAttributes[m_nAttributes].iName = static_cast<ULONG>(pstrName - pstrText);
        m_aAttributes[m_nAttributes].iValue = static_cast<ULONG>(pstr - pstrText);
        ++m_nAttributes;
        pstr += std::wcslen(pstr) + 1;
    }
}

} // namespace DuiLib
