// Default attribute and language registries of CPaintManagerUI, and the parent chain
// that lookups follow.

#include "duilib/core/PaintManager.h"

#include "duilib/control/ControlUI.h"
#include "duilib/core/DialogBuilder.h"

#include <memory>

namespace DuiLib {

namespace {

// Registers a copy of pStrValue under pStrName unless the name is taken already.
void AddFirstString(CStdStringPtrMap& map, LPCTSTR pStrName, LPCTSTR pStrValue)
{
    if (pStrName == nullptr || map.Find(pStrName) != nullptr) {
        return;
    }
    auto value = std::make_unique<CDuiString>(pStrValue);
    if (map.Insert(pStrName, value.get())) {
        (void)value.release(); // Owned by the map from here on.
    }
}

bool RemoveString(CStdStringPtrMap& map, LPCTSTR pStrName)
{
    if (pStrName == nullptr) {
        return false;
    }
    std::unique_ptr<CDuiString> value(static_cast<CDuiString*>(map.Find(pStrName)));
    return value != nullptr && map.Remove(pStrName);
}

void RemoveAllStrings(CStdStringPtrMap& map) noexcept
{
    for (int i = 0; i < map.GetSize(); ++i) {
        const LPCTSTR key = map.GetAt(i);
        if (key != nullptr) {
            delete static_cast<CDuiString*>(map.Find(key, false));
        }
    }
    map.RemoveAll();
}

} // namespace

void CPaintManagerUI::AddDefaultAttributeList(LPCTSTR pStrControlName, LPCTSTR pStrControlAttrList)
{
    AddFirstString(m_DefaultAttrHash, pStrControlName, pStrControlAttrList);
}

LPCTSTR CPaintManagerUI::GetDefaultAttributeList(LPCTSTR pStrControlName) const
{
    if (pStrControlName == nullptr) {
        return nullptr;
    }
    for (const CPaintManagerUI* pm = this; pm != nullptr; pm = pm->m_pParentResourcePM) {
        const auto* list = static_cast<const CDuiString*>(pm->m_DefaultAttrHash.Find(pStrControlName));
        if (list != nullptr) {
            return list->GetData();
        }
    }
    return nullptr;
}

bool CPaintManagerUI::RemoveDefaultAttributeList(LPCTSTR pStrControlName)
{
    return RemoveString(m_DefaultAttrHash, pStrControlName);
}

void CPaintManagerUI::RemoveAllDefaultAttributeList() noexcept
{
    RemoveAllStrings(m_DefaultAttrHash);
}

void CPaintManagerUI::AddLanguageAttributeList(LPCTSTR pStrName, LPCTSTR pStrText)
{
    AddFirstString(m_LanguageAttrHash, pStrName, pStrText);
}

LPCTSTR CPaintManagerUI::GetLanguageAttributeList(LPCTSTR pStrName)
{
    if (pStrName == nullptr) {
        return nullptr;
    }
    const auto* text = static_cast<const CDuiString*>(m_LanguageAttrHash.Find(pStrName));
    return text != nullptr ? text->GetData() : nullptr;
}

bool CPaintManagerUI::RemoveLanguageAttributeList(LPCTSTR pStrName)
{
    return RemoveString(m_LanguageAttrHash, pStrName);
}

void CPaintManagerUI::RemoveAllLanguageAttributeList() noexcept
{
    RemoveAllStrings(m_LanguageAttrHash);
}

void CPaintManagerUI::ReLoadLanguage(LPCTSTR xml)
{
    bLoadingLanguage = false;
    if (m_aPreMessages.IsEmpty()) {
        return;
    }
    RemoveAllLanguageAttributeList();
    CDialogBuilder builder;
    // Only the declarations matter; controls the document may hold are not kept.
    delete builder.Create(xml, nullptr, nullptr, static_cast<CPaintManagerUI*>(m_aPreMessages[0]));
    bLoadingLanguage = true;
    InvalidateEveryRoot();
}

bool CPaintManagerUI::UseParentResource(CPaintManagerUI* pm)
{
    for (const CPaintManagerUI* ancestor = pm; ancestor != nullptr; ancestor = ancestor->m_pParentResourcePM) {
        if (ancestor == this) {
            return false;
        }
    }
    m_pParentResourcePM = pm;
    return true;
}

} // namespace DuiLib
