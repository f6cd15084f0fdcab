// The font registry of CPaintManagerUI and the process-wide default font.

#include "duilib/core/PaintManager.h"

#include <cwchar>
#include <memory>

namespace DuiLib {

namespace {

[[nodiscard]] bool GetGuiFont(LOGFONTW& lf) noexcept
{
    return ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf) == sizeof(lf);
}

// Fonts start from the default GUI font so that everything not asked for (quality,
// pitch, width) matches the system's look.
[[nodiscard]] std::unique_ptr<TFontInfo> CreateFontInfo(LPCTSTR name, int size, bool bold, bool underline,
                                                        bool italic)
{
    // A face name that does not fit the record cannot name a real font either.
    if (name == nullptr || std::wcslen(name) >= LF_FACESIZE) {
        return nullptr;
    }
    LOGFONTW lf{};
    if (!GetGuiFont(lf)) {
        return nullptr;
    }
    std::wcscpy(lf.lfFaceName, name);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = -size;
    if (bold) {
        lf.lfWeight += FW_BOLD;
    }
    if (underline) {
        lf.lfUnderline = TRUE;
    }
    if (italic) {
        lf.lfItalic = TRUE;
    }
    auto info = std::make_unique<TFontInfo>();
    info->hFont.reset(::CreateFontIndirectW(&lf));
    if (!info->hFont) {
        return nullptr;
    }
    std::wcscpy(info->sFontName, name);
    info->iSize = size;
    info->bBold = bold;
    info->bUnderline = underline;
    info->bItalic = italic;
    return info;
}

[[nodiscard]] bool Matches(const TFontInfo& info, LPCTSTR name, int size, bool bold, bool underline, bool italic)
{
    return std::wcscmp(info.sFontName, name) == 0 && info.iSize == size && info.bBold == bold &&
           info.bUnderline == underline && info.bItalic == italic;
}

} // namespace

void CPaintManagerUI::CreateDefaultFont()
{
    LOGFONTW lf{};
    if (!GetGuiFont(lf)) {
        return;
    }
    std::wcscpy(lf.lfFaceName, m_DefaultFontInfo.sFontName);
    lf.lfCharSet = DEFAULT_CHARSET;
    m_DefaultFontInfo.hFont.reset(::CreateFontIndirectW(&lf));
    m_DefaultFontInfo.iSize = -lf.lfHeight;
    m_DefaultFontInfo.bBold = lf.lfWeight >= FW_BOLD;
    m_DefaultFontInfo.bUnderline = lf.lfUnderline != FALSE;
    m_DefaultFontInfo.bItalic = lf.lfItalic != FALSE;
    m_DefaultFontInfo.tm = {};
}

void CPaintManagerUI::MeasureFont(TFontInfo& info) const noexcept
{
    if (m_hDcPaint.get() == nullptr || !info.hFont) {
        return;
    }
    const SelectObjectScope select(m_hDcPaint.get(), info.hFont.get());
    if (!::GetTextMetricsW(m_hDcPaint.get(), &info.tm)) {
        info.tm = {};
    }
}

HFONT CPaintManagerUI::AddFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic)
{
    return AddFontAt(m_aCustomFonts.GetSize(), pStrFontName, nSize, bBold, bUnderline, bItalic);
}

HFONT CPaintManagerUI::AddFontAt(int index, LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline,
                                 bool bItalic)
{
    std::unique_ptr<TFontInfo> info = CreateFontInfo(pStrFontName, nSize, bBold, bUnderline, bItalic);
    if (!info || !m_aCustomFonts.InsertAt(index, info.get())) {
        return nullptr;
    }
    TFontInfo* registered = info.release(); // Owned by m_aCustomFonts from here on.
    MeasureFont(*registered);
    return registered->hFont.get();
}

TFontInfo* CPaintManagerUI::FontAt(int index) const noexcept
{
    return static_cast<TFontInfo*>(m_aCustomFonts.GetAt(index));
}

HFONT CPaintManagerUI::GetFont(int index) const noexcept
{
    const TFontInfo* info = FontAt(index);
    return info != nullptr ? info->hFont.get() : m_DefaultFontInfo.hFont.get();
}

TFontInfo* CPaintManagerUI::FindFontInfo(HFONT hFont) const noexcept
{
    for (const CPaintManagerUI* pm = this; pm != nullptr; pm = pm->m_pParentResourcePM) {
        const int index = pm->GetFontIndex(hFont);
        if (index >= 0) {
            return pm->FontAt(index);
        }
    }
    return nullptr;
}

TFontInfo* CPaintManagerUI::FindFontInfo(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline,
                                         bool bItalic) const
{
    for (const CPaintManagerUI* pm = this; pm != nullptr; pm = pm->m_pParentResourcePM) {
        const int index = pm->GetFontIndex(pStrFontName, nSize, bBold, bUnderline, bItalic);
        if (index >= 0) {
            return pm->FontAt(index);
        }
    }
    return nullptr;
}

HFONT CPaintManagerUI::GetFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) const
{
    const TFontInfo* info = FindFontInfo(pStrFontName, nSize, bBold, bUnderline, bItalic);
    return info != nullptr ? info->hFont.get() : nullptr;
}

bool CPaintManagerUI::FindFont(HFONT hFont) const noexcept
{
    return FindFontInfo(hFont) != nullptr;
}

bool CPaintManagerUI::FindFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) const
{
    return FindFontInfo(pStrFontName, nSize, bBold, bUnderline, bItalic) != nullptr;
}

int CPaintManagerUI::GetFontIndex(HFONT hFont) const noexcept
{
    if (hFont == nullptr) {
        return -1;
    }
    for (int i = 0; i < m_aCustomFonts.GetSize(); ++i) {
        if (FontAt(i)->hFont.get() == hFont) {
            return i;
        }
    }
    return -1;
}

int CPaintManagerUI::GetFontIndex(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) const
{
    if (pStrFontName == nullptr) {
        return -1;
    }
    for (int i = 0; i < m_aCustomFonts.GetSize(); ++i) {
        if (Matches(*FontAt(i), pStrFontName, nSize, bBold, bUnderline, bItalic)) {
            return i;
        }
    }
    return -1;
}

bool CPaintManagerUI::RemoveFont(HFONT hFont)
{
    const int index = GetFontIndex(hFont);
    return index >= 0 && RemoveFontAt(index);
}

bool CPaintManagerUI::RemoveFontAt(int index)
{
    std::unique_ptr<TFontInfo> info(FontAt(index));
    if (!info) {
        return false;
    }
    (void)m_aCustomFonts.Remove(index); // In range: FontAt found it.
    return true;
}

void CPaintManagerUI::RemoveAllFonts() noexcept
{
    for (int i = 0; i < m_aCustomFonts.GetSize(); ++i) {
        delete FontAt(i);
    }
    m_aCustomFonts.Empty();
}

TFontInfo* CPaintManagerUI::GetFontInfo(int index)
{
    TFontInfo* info = FontAt(index);
    if (info == nullptr) {
        return GetDefaultFontInfo();
    }
    if (info->tm.tmHeight == 0) {
        MeasureFont(*info);
    }
    return info;
}

TFontInfo* CPaintManagerUI::GetFontInfo(HFONT hFont)
{
    TFontInfo* info = FindFontInfo(hFont);
    if (info == nullptr) {
        return GetDefaultFontInfo();
    }
    if (info->tm.tmHeight == 0) {
        MeasureFont(*info);
    }
    return info;
}

DWORD CPaintManagerUI::GetCustomFontCount() const noexcept
{
    return static_cast<DWORD>(m_aCustomFonts.GetSize());
}

void CPaintManagerUI::SetDefaultFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic)
{
    std::unique_ptr<TFontInfo> info = CreateFontInfo(pStrFontName, nSize, bBold, bUnderline, bItalic);
    if (!info) {
        return;
    }
    m_DefaultFontInfo = std::move(*info);
    MeasureFont(m_DefaultFontInfo);
}

const CPaintManagerUI* CPaintManagerUI::TopResourceManager() const noexcept
{
    const CPaintManagerUI* top = this;
    while (top->m_pParentResourcePM != nullptr) {
        top = top->m_pParentResourcePM;
    }
    return top;
}

TFontInfo* CPaintManagerUI::GetDefaultFontInfo()
{
    if (m_DefaultFontInfo.tm.tmHeight == 0) {
        TopResourceManager()->MeasureFont(m_DefaultFontInfo);
    }
    return &m_DefaultFontInfo;
}

} // namespace DuiLib
