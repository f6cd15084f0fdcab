// The image registry of CPaintManagerUI: images loaded once per window on first use and
// kept until the manager is destroyed or the skin is reloaded.

#include "duilib/core/PaintManager.h"

#include "duilib/control/ControlUI.h"
#include "duilib/core/RenderEngine.h"

#include <memory>
#include <utility>

namespace DuiLib {

namespace {

bool IsTyped(LPCTSTR type) noexcept
{
    return type != nullptr && *type != L'\0';
}

// A typed image name is the decimal id of a module resource: leading digits, read up
// to the first other character. Ids that MAKEINTRESOURCE cannot carry are refused.
bool ParseResourceId(LPCTSTR name, UINT& id) noexcept
{
    if (name[0] < L'0' || name[0] > L'9') {
        return false;
    }
    id = 0;
    for (LPCTSTR p = name; *p >= L'0' && *p <= L'9'; ++p) {
        id = id * 10 + static_cast<UINT>(*p - L'0');
        if (id > 0xFFFF) {
            return false;
        }
    }
    return id != 0;
}

std::unique_ptr<TImageInfo> LoadNamedImage(LPCTSTR name, LPCTSTR type, DWORD mask)
{
    if (!IsTyped(type)) {
        return std::unique_ptr<TImageInfo>(CRenderEngine::LoadImage(name, nullptr, mask));
    }
    UINT id = 0;
    if (!ParseResourceId(name, id)) {
        return nullptr;
    }
    return std::unique_ptr<TImageInfo>(CRenderEngine::LoadImage(id, type, mask));
}

// Loads the image again from what its record says; the record keeps its old state when
// that fails.
bool ReloadImage(LPCTSTR name, TImageInfo& info)
{
    const LPCTSTR type = info.sResType.IsEmpty() ? nullptr : info.sResType.GetData();
    std::unique_ptr<TImageInfo> fresh = LoadNamedImage(name, type, info.dwMask);
    if (!fresh) {
        return false;
    }
    info.hBitmap = std::move(fresh->hBitmap);
    info.nX = fresh->nX;
    info.nY = fresh->nY;
    info.alphaChannel = fresh->alphaChannel;
    return true;
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

const TImageInfo* CPaintManagerUI::GetImageEx(LPCTSTR bitmap, LPCTSTR type, DWORD mask)
{
    if (bitmap == nullptr) {
        return nullptr;
    }
    const auto* info = static_cast<const TImageInfo*>(m_ResourceImages.Find(bitmap));
    return info != nullptr ? info : AddImage(bitmap, type, mask);
}

const TImageInfo* CPaintManagerUI::AddImage(LPCTSTR bitmap, LPCTSTR type, DWORD mask)
{
    if (bitmap == nullptr) {
        return nullptr;
    }
    // The first registration stays, so a taken name is not worth decoding again.
    const auto* existing = static_cast<const TImageInfo*>(m_ResourceImages.Find(bitmap));
    if (existing != nullptr) {
        return existing;
    }
    std::unique_ptr<TImageInfo> info = LoadNamedImage(bitmap, type, mask);
    if (!info) {
        return nullptr;
    }
    info->sResType = IsTyped(type) ? type : L"";
    info->dwMask = mask;
    if (!m_ResourceImages.Insert(bitmap, info.get())) {
        return nullptr;
    }
    return info.release(); // Owned by the registry from here on.
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

void CPaintManagerUI::ReloadAllImages()
{
    bool replaced = false;
    for (int i = 0; i < m_ResourceImages.GetSize(); ++i) {
        const LPCTSTR key = m_ResourceImages.GetAt(i);
        // Find without reordering, so the walk by index sees every entry once.
        auto* info = key != nullptr ? static_cast<TImageInfo*>(m_ResourceImages.Find(key, false)) : nullptr;
        if (info != nullptr) {
            replaced = ReloadImage(key, *info) || replaced;
        }
    }
    if (replaced && m_pRoot != nullptr) {
        m_pRoot->Invalidate();
    }
}

void CPaintManagerUI::ReloadSkin()
{
    for (int i = 0; i < m_aPreMessages.GetSize(); ++i) {
        static_cast<CPaintManagerUI*>(m_aPreMessages[i])->ReloadAllImages();
    }
}

} // namespace DuiLib
