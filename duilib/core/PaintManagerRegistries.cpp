// Image, default attribute and language registries of CPaintManagerUI, and the parent
// chain that lookups follow.

#include "duilib/core/PaintManager.h"

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

const TImageInfo* CPaintManagerUI::GetImage(LPCTSTR bitmap) const
{
    if (bitmap == nullptr) {
        return nullptr;
    }
    for (const CPaintManagerUI* pm = this; pm != nullptr; pm = pm->m_pParentResourcePM) {
        const auto* info = static_cast<const TImageInfo*>(pm->m_ResourceImages.Find(bitmap));
        if (info != nullptr) {
            return info;
        }
    }
    return nullptr;
}

const TImageInfo* CPaintManagerUI::AddImage(LPCTSTR bitmap, HBITMAP hBitmap, int iWidth, int iHeight, bool bAlpha)
{
    if (bitmap == nullptr || hBitmap == nullptr || iWidth <= 0 || iHeight <= 0) {
        return nullptr;
    }
    auto info = std::make_unique<TImageInfo>();
    info->hBitmap.reset(hBitmap);
    const auto* existing = static_cast<const TImageInfo*>(m_ResourceImages.Find(bitmap));
    if (existing != nullptr) {
        return existing; // `info` deletes the new bitmap.
    }
    info->nX = iWidth;
    info->nY = iHeight;
    info->alphaChannel = bAlpha;
    if (!m_ResourceImages.Insert(bitmap, info.get())) {
        return nullptr;
    }
    return info.release(); // Owned by the registry from here on.
}

bool CPaintManagerUI::RemoveImage(LPCTSTR bitmap)
{
    if (bitmap == nullptr) {
        return false;
    }
    std::unique_ptr<TImageInfo> info(static_cast<TImageInfo*>(m_ResourceImages.Find(bitmap)));
    return info != nullptr && m_ResourceImages.Remove(bitmap);
}

void CPaintManagerUI::RemoveAllImages() noexcept
{
    for (int i = 0; i < m_ResourceImages.GetSize(); ++i) {
        const LPCTSTR key = m_ResourceImages.GetAt(i);
        if (key != nullptr) {
            delete static_cast<TImageInfo*>(m_ResourceImages.Find(key, false));
        }
    }
    m_ResourceImages.RemoveAll();
}

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
