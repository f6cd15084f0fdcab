#pragma once
// The per-window manager of the framework. This part holds where skins come from
// (process-wide) and the registries of fonts, images and default attribute lists
// (per window) that controls look resources up in.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"
#include "duilib/core/FontInfo.h"
#include "duilib/core/ImageInfo.h"
#include "duilib/core/StdPtrArray.h"
#include "duilib/core/StdStringPtrMap.h"
#include "duilib/core/WindowDc.h"

namespace DuiLib {

class CZipArchive;

// Where a skinned window's markup and images come from.
enum UILIB_RESOURCETYPE {
    UILIB_FROM_FOLDER = 1,
    UILIB_FROM_ZIPFILE = 2,
    UILIB_FROM_RESOURCE = 3,
    UILIB_FROM_ZIPRESOURCE = 4,
};

class CPaintManagerUI final {
public:
    CPaintManagerUI();
    ~CPaintManagerUI() noexcept;
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // Takes the window's device context and joins the list of all managers.
    void Init(HWND hWnd);
    [[nodiscard]] HWND GetPaintWindow() const noexcept { return m_hWndPaint; }
    [[nodiscard]] HDC GetPaintDC() const noexcept { return m_hDcPaint.get(); }
    // Last known mouse position in client coordinates; (-1, -1) before any.
    [[nodiscard]] POINT GetMousePos() const noexcept { return m_ptLastMousePos; }

    // Colours (ARGB) that formatted text uses for links and selections.
    [[nodiscard]] DWORD GetDefaultLinkFontColor() const noexcept { return m_dwDefaultLinkColor; }
    void SetDefaultLinkFontColor(DWORD dwColor) noexcept { m_dwDefaultLinkColor = dwColor; }
    [[nodiscard]] DWORD GetDefaultLinkHoverFontColor() const noexcept { return m_dwDefaultLinkHoverColor; }
    void SetDefaultLinkHoverFontColor(DWORD dwColor) noexcept { m_dwDefaultLinkHoverColor = dwColor; }
    [[nodiscard]] DWORD GetDefaultSelectedBkColor() const noexcept { return m_dwDefaultSelectedBkColor; }
    void SetDefaultSelectedBkColor(DWORD dwColor) noexcept { m_dwDefaultSelectedBkColor = dwColor; }

    // Process-wide skin location.
    static void SetInstance(HINSTANCE hInst) noexcept;
    [[nodiscard]] static HINSTANCE GetInstance() noexcept;
    // Folder of the program module with its trailing "\"; empty without an instance.
    [[nodiscard]] static CDuiString GetInstancePath();
    [[nodiscard]] static bool SetCurrentPath(LPCTSTR pStrPath);
    static void SetResourceDll(HINSTANCE hInst) noexcept;
    // The resource module, or the program module when none was set.
    [[nodiscard]] static HINSTANCE GetResourceDll() noexcept;
    // Stored with a trailing "\"; an empty or over-long path keeps the previous folder.
    static void SetResourcePath(LPCTSTR pStrPath);
    [[nodiscard]] static CDuiString GetResourcePath();
    // A zip file in the resource folder, kept open when cached.
    static void SetResourceZip(LPCTSTR pStrZip, bool bCachedResourceZip = false);
    // A zip held in memory ("membuffer"). Borrowed: the block must outlive its use.
    static void SetResourceZip(LPVOID pVoid, unsigned int len);
    [[nodiscard]] static CDuiString GetResourceZip();
    [[nodiscard]] static bool IsCachedResourceZip() noexcept;
    // The archive kept open for a cached zip; null when none is open.
    [[nodiscard]] static CZipArchive* GetResourceZipHandle() noexcept;
    // Closes a cached archive.
    static void Term() noexcept;
    // Loads the images of every window again (ReloadAllImages on each manager).
    static void ReloadSkin();

    // Images of this window. The registry owns every record it holds.
    [[nodiscard]] const TImageInfo* GetImage(LPCTSTR bitmap) const;
    // This window's registry only; loads and registers the image on first use.
    const TImageInfo* GetImageEx(LPCTSTR bitmap, LPCTSTR type = nullptr, DWORD mask = 0);
    // With a type (null or empty means a file), the name must start with a decimal
    // resource id from 1 to 65535. Null when loading fails; the first registration of a
    // name stays and is returned.
    const TImageInfo* AddImage(LPCTSTR bitmap, LPCTSTR type = nullptr, DWORD mask = 0);
    // Takes ownership of hBitmap when it registers it, or deletes it when the name is
    // taken already (the first registration stays and is returned).
    const TImageInfo* AddImage(LPCTSTR bitmap, HBITMAP hBitmap, int iWidth, int iHeight, bool bAlpha);
    [[nodiscard]] bool RemoveImage(LPCTSTR bitmap);
    void RemoveAllImages() noexcept;
    // Loads every registered image again into its own record (pointers stay valid); one
    // that fails keeps its old bitmap.
    void ReloadAllImages();

    // Fonts of this window, indexed from 0 in order of registration. Sizes are pixels.
    HFONT AddFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic);
    HFONT AddFontAt(int index, LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic);
    // The default font for an index outside the list.
    [[nodiscard]] HFONT GetFont(int index) const noexcept;
    [[nodiscard]] HFONT GetFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) const;
    [[nodiscard]] bool FindFont(HFONT hFont) const noexcept;
    [[nodiscard]] bool FindFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) const;
    [[nodiscard]] int GetFontIndex(HFONT hFont) const noexcept;
    [[nodiscard]] int GetFontIndex(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) const;
    [[nodiscard]] bool RemoveFont(HFONT hFont);
    [[nodiscard]] bool RemoveFontAt(int index);
    void RemoveAllFonts() noexcept;
    // The default font's record for an index or font not found; measured on first use.
    [[nodiscard]] TFontInfo* GetFontInfo(int index);
    [[nodiscard]] TFontInfo* GetFontInfo(HFONT hFont);
    [[nodiscard]] DWORD GetCustomFontCount() const noexcept;
    // Replaces the default font of all windows when the new font can be created.
    void SetDefaultFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic);
    [[nodiscard]] TFontInfo* GetDefaultFontInfo();

    // Attribute lists applied to every control of a class before its own attributes.
    // The first registration of a name wins.
    void AddDefaultAttributeList(LPCTSTR pStrControlName, LPCTSTR pStrControlAttrList);
    [[nodiscard]] LPCTSTR GetDefaultAttributeList(LPCTSTR pStrControlName) const;
    [[nodiscard]] bool RemoveDefaultAttributeList(LPCTSTR pStrControlName);
    [[nodiscard]] const CStdStringPtrMap& GetDefaultAttribultes() const noexcept { return m_DefaultAttrHash; }
    void RemoveAllDefaultAttributeList() noexcept;

    // The process-wide language table; the first registration of a key wins.
    static void AddLanguageAttributeList(LPCTSTR pStrName, LPCTSTR pStrText);
    [[nodiscard]] static LPCTSTR GetLanguageAttributeList(LPCTSTR pStrName);
    [[nodiscard]] static bool RemoveLanguageAttributeList(LPCTSTR pStrName);
    [[nodiscard]] static const CStdStringPtrMap& GetLanguagetAttribultes() noexcept { return m_LanguageAttrHash; }
    static void RemoveAllLanguageAttributeList() noexcept;

    // Lookups that fail here continue in the parent's registries. Refuses a link that
    // would make a cycle. Borrowed; the parent must outlive this manager.
    [[nodiscard]] bool UseParentResource(CPaintManagerUI* pm);
    [[nodiscard]] CPaintManagerUI* GetParentResource() const noexcept { return m_pParentResourcePM; }

private:
    static void CreateDefaultFont();
    [[nodiscard]] TFontInfo* FontAt(int index) const noexcept;
    [[nodiscard]] TFontInfo* FindFontInfo(HFONT hFont) const noexcept;
    [[nodiscard]] TFontInfo* FindFontInfo(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline,
                                          bool bItalic) const;
    void MeasureFont(TFontInfo& info) const noexcept;
    [[nodiscard]] const CPaintManagerUI* TopResourceManager() const noexcept;

    HWND m_hWndPaint = nullptr;
    CWindowDc m_hDcPaint;
    CPaintManagerUI* m_pParentResourcePM = nullptr;
    POINT m_ptLastMousePos = {-1, -1};
    DWORD m_dwDefaultLinkColor = 0xFF0000FF;
    DWORD m_dwDefaultLinkHoverColor = 0xFFD3215F;
    DWORD m_dwDefaultSelectedBkColor = 0xFFBAE4FF;
    CStdStringPtrMap m_ResourceImages;   // name -> owned TImageInfo
    CStdPtrArray m_aCustomFonts;         // owned TFontInfo
    CStdStringPtrMap m_DefaultAttrHash; // class name -> owned CDuiString

    static HINSTANCE m_hInstance;
    static HINSTANCE m_hResourceInstance;
    static TCHAR m_szResDirPath[MAX_PATH + 1];
    static TCHAR m_szResZipPath[MAX_PATH + 1];
    static bool m_bCachedResourceZip;
    static CZipArchive m_hResourceZip;
    static TFontInfo m_DefaultFontInfo;
    static CStdStringPtrMap m_LanguageAttrHash; // key -> owned CDuiString
    static bool m_bInitAtFirst; // the default face was chosen
    static CStdPtrArray m_aPreMessages; // every manager between Init and its destruction
};

} // namespace DuiLib
