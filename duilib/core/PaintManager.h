#pragma once
// The per-window manager of the framework. It holds the root of a window's control
// tree and turns window messages into control events: painting (double-buffered, or
// per-pixel alpha for a layered window), layout, mouse routing and capture, the tool
// tip, keyboard focus with tab navigation and shortcuts, control timers and the
// notifications controls send to the window. It also holds where skins come from
// (process-wide) and the registries of fonts, images and default attribute lists (per
// window) that controls look resources up in. Points and rectangles are in client
// coordinates of the window unless said otherwise.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"
#include "duilib/core/EventUI.h"
#include "duilib/core/FontInfo.h"
#include "duilib/core/ImageInfo.h"
#include "duilib/core/MessageFilterUI.h"
#include "duilib/core/NotifyUI.h"
#include "duilib/core/StdPtrArray.h"
#include "duilib/core/StdStringPtrMap.h"
#include "duilib/core/TranslateAcceleratorUI.h"
#include "duilib/core/WindowDc.h"

#include <commctrl.h>

#include <memory>

namespace DuiLib {

class CControlUI;
class COffscreenBitmap;
class CZipArchive;

// The private message that deletes the controls waiting for delayed cleanup.
constexpr UINT WM_DUI_DELAYED_CLEANUP = WM_APP + 1;

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
    // Takes ownership of the tree; a previous root is deleted after the current message.
    bool AttachDialog(CControlUI* pControl);
    // Attaches a subtree to this manager under pParent (or its own parent) and enters
    // its names in the name map.
    bool InitControls(CControlUI* pControl, CControlUI* pParent = nullptr);
    // Forgets every reference to a control that goes away: focus, hover, capture,
    // timers, name, post-paint registration and queued notifications.
    void ReapObjects(CControlUI* pControl);
    // Takes ownership: the control is detached now and deleted after the current message.
    bool AddDelayedCleanup(CControlUI* pControl);

    [[nodiscard]] HWND GetPaintWindow() const noexcept { return m_hWndPaint; }
    [[nodiscard]] HDC GetPaintDC() const noexcept { return m_hDcPaint.get(); }
    [[nodiscard]] HWND GetTooltipWindow() const noexcept { return m_hwndTooltip; }
    // Last known mouse position in client coordinates; (-1, -1) before any.
    [[nodiscard]] POINT GetMousePos() const noexcept { return m_ptLastMousePos; }
    [[nodiscard]] SIZE GetClientSize() const;
    [[nodiscard]] SIZE GetInitSize() const noexcept { return m_szInitWindowSize; }
    // Before a tree is attached the window is resized to it too.
    void SetInitSize(int cx, int cy);
    // Widths of the resize borders.
    [[nodiscard]] const RECT& GetSizeBox() const noexcept { return m_rcSizeBox; }
    void SetSizeBox(const RECT& rcSizeBox) noexcept { m_rcSizeBox = rcSizeBox; }
    // The area that drags the window; right and bottom count from the client's right.
    [[nodiscard]] const RECT& GetCaptionRect() const noexcept { return m_rcCaption; }
    void SetCaptionRect(const RECT& rcCaption) noexcept { m_rcCaption = rcCaption; }
    [[nodiscard]] SIZE GetRoundCorner() const noexcept { return m_szRoundCorner; }
    void SetRoundCorner(int cx, int cy) noexcept { m_szRoundCorner = SIZE{cx, cy}; }
    // Tracking sizes for WM_GETMINMAXINFO; values of 0 or less are not applied.
    [[nodiscard]] SIZE GetMinInfo() const noexcept { return m_szMinWindow; }
    void SetMinInfo(int cx, int cy) noexcept { m_szMinWindow = SIZE{cx, cy}; }
    [[nodiscard]] SIZE GetMaxInfo() const noexcept { return m_szMaxWindow; }
    void SetMaxInfo(int cx, int cy) noexcept { m_szMaxWindow = SIZE{cx, cy}; }
    // Window opacity 0..255 through the platform's layered-window attributes.
    [[nodiscard]] int GetTransparent() const noexcept { return m_nOpacity; }
    void SetTransparent(int nOpacity);
    // Per-pixel alpha: the window becomes layered and is painted into a 32-bit canvas.
    [[nodiscard]] bool GetBackgroundTransparent() const noexcept { return m_bAlphaBackground; }
    void SetBackgroundTransparent(bool bTrans) noexcept { m_bAlphaBackground = bTrans; }
    // Outlines every repainted area in red.
    [[nodiscard]] bool IsShowUpdateRect() const noexcept { return m_bShowUpdateRect; }
    void SetShowUpdateRect(bool show) noexcept { m_bShowUpdateRect = show; }
    // Stored for the window; nothing here acts on them.
    [[nodiscard]] bool IsEscCloseWnd() const noexcept { return m_bEscCloseWnd; }
    void SetEscCloseWnd(bool bEscClose) noexcept { m_bEscCloseWnd = bEscClose; }
    [[nodiscard]] bool IsUseAero() const noexcept { return m_bUseAero; }
    void SetAero(bool bUseAero) noexcept { m_bUseAero = bUseAero; }
    [[nodiscard]] RECT GetAeroMargins() const noexcept { return m_rcAeroMargins; }
    void SetAeroMargins(int l, int t, int r, int b) noexcept { m_rcAeroMargins = RECT{l, t, r, b}; }
    // Read by the window base, which draws the drop shadow.
    [[nodiscard]] bool IsUseShadow() const noexcept { return m_bUseShadow; }
    void SetShadow(bool bShadow) noexcept { m_bUseShadow = bShadow; }
    [[nodiscard]] RECT GetShadowBorder() const noexcept { return m_rcShadowBorder; }
    void SetShadowBorder(int l, int t, int r, int b) noexcept { m_rcShadowBorder = RECT{l, t, r, b}; }
    [[nodiscard]] LPCTSTR GetShadowImage() const noexcept { return m_szShadowImage; }
    // At most MAX_PATH characters are kept.
    void SetShadowImage(LPCTSTR pStrImage);
    [[nodiscard]] bool IsCanDraw() const noexcept { return m_bCanDraw; }
    void SetCanDraw(bool bCanDraw) noexcept { m_bCanDraw = bCanDraw; }
    // Hue 0..360 (180 = none), saturation and lightness 0..200 (100 = none) for controls
    // with "colorhsl". Every window's root is invalidated when they change; bUseHSL is
    // accepted for the callers' sake and has no effect of its own.
    static void GetHSL(short* H, short* S, short* L) noexcept;
    static void SetHSL(bool bUseHSL, short H, short S, short L);

    // Layout before the next paint.
    void NeedUpdate() noexcept { m_bUpdateNeeded = true; }
    void Invalidate(const RECT& rcItem);
    // Invalidates the whole window with its children and paints at once.
    void ReDraw();
    // Copies rc of hDcSource to the same place of the window.
    void Commit2PaintWindow(HDC hDcSource, const RECT& rc);
    // Controls painted after the tree, in list order (DoPostPaint). Borrowed.
    bool AddPostPaint(CControlUI* pControl);
    bool RemovePostPaint(CControlUI* pControl);
    bool SetPostPaintIndex(CControlUI* pControl, int iIndex);
    [[nodiscard]] int GetPostPaintCount() const noexcept { return m_aPostPaintControls.GetSize(); }

    [[nodiscard]] CControlUI* GetFocus() const noexcept { return m_pFocus; }
    void SetFocus(CControlUI* pControl);
    // Moves the focus to pControl at the next paint, through the tab order.
    void SetFocusNeeded(CControlUI* pControl);
    // Moves the focus to the next (previous) tab stop, wrapping around. Always true.
    bool SetNextTabControl(bool bForward = true);
    void SetCapture();
    void ReleaseCapture();
    [[nodiscard]] bool IsCaptured() const noexcept { return m_bMouseCapture; }

    // Control timers: nTimerID is the control's own id, delivered as the timer event's
    // wParam. False when the platform refuses or that timer is running already.
    bool SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse);
    // Stops a timer; it keeps its record, so SetTimer starts it again with the same native id.
    bool KillTimer(CControlUI* pControl, UINT nTimerID);
    void KillTimer(CControlUI* pControl);
    void RemoveAllTimers();

    // Synchronous: the sender's NotifyListeners, then every notifier, before returning.
    // Asynchronous: a copy is queued and delivered at the start or the end of the next
    // message this manager handles.
    void SendNotify(TNotifyUI& Msg, bool bAsync = false);
    void SendNotify(CControlUI* pControl, LPCTSTR pstrMessage, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool bAsync = false);
    // Borrowed; must outlive its registration.
    bool AddNotifier(INotifyUI* pControl);
    bool RemoveNotifier(INotifyUI* pControl);
    void UsedVirtualWnd(bool bUsed) noexcept { m_bUsedVirtualWnd = bUsed; }

    // Borrowed filters; each must outlive its registration.
    bool AddPreMessageFilter(IMessageFilterUI* pFilter);
    bool RemovePreMessageFilter(IMessageFilterUI* pFilter);
    bool AddMessageFilter(IMessageFilterUI* pFilter);
    bool RemoveMessageFilter(IMessageFilterUI* pFilter);
    bool AddTranslateAccelerator(ITranslateAccelerator* pTranslateAccelerator);
    bool RemoveTranslateAccelerator(ITranslateAccelerator* pTranslateAccelerator);
    // True when an accelerator translated the message. (<windows.h> spells the name
    // TranslateAcceleratorW.)
    bool TranslateAccelerator(LPMSG pMsg);
    // Before dispatch: pre-message filters, Tab, system keys and shortcuts.
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    // True when the message was handled and lRes holds its result.
    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    // Offers a message of any managed window (or of a child of one) to its manager
    // before dispatch; true when it was consumed.
    static bool TranslateMessage(const LPMSG pMsg);
    static void MessageLoop();

    // Options of one group select exclusively. Borrowed controls.
    bool AddOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl);
    [[nodiscard]] CStdPtrArray* GetOptionGroup(LPCTSTR pStrGroupName);
    void RemoveOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl);
    void RemoveAllOptionGroups();
    bool AddHotKeyGroup(LPCTSTR pStrGroupName, CControlUI* pControl);
    [[nodiscard]] CStdPtrArray* GetHotKeyGroup(LPCTSTR pStrGroupName);
    void RemoveHotKeyGroup(LPCTSTR pStrGroupName, CControlUI* pControl);
    void RemoveAllHotKeyGroups();

    [[nodiscard]] CControlUI* GetRoot() const noexcept { return m_pRoot; }
    // The deepest, topmost visible control under the point.
    [[nodiscard]] CControlUI* FindControl(POINT pt) const;
    // Exact, case-sensitive name; the last control registered under a name wins.
    [[nodiscard]] CControlUI* FindControl(LPCTSTR pstrName) const;
    // Searches below pParent (the root when null).
    [[nodiscard]] CControlUI* FindSubControlByPoint(CControlUI* pParent, POINT pt) const;
    // Names compared ignoring case.
    [[nodiscard]] CControlUI* FindSubControlByName(CControlUI* pParent, LPCTSTR pstrName) const;
    // The match number iIndex (from 0) in visiting order; "*" matches every class.
    [[nodiscard]] CControlUI* FindSubControlByClass(CControlUI* pParent, LPCTSTR pstrClass, int iIndex = 0);
    // Every match in visiting order, in an array the manager keeps until the next search.
    [[nodiscard]] CStdPtrArray* FindSubControlsByClass(CControlUI* pParent, LPCTSTR pstrClass);
    [[nodiscard]] CStdPtrArray* GetSubControlsByClass() noexcept { return &m_aFoundControls; }

    // Default colours (ARGB) of text, disabled text, links and selections.
    [[nodiscard]] DWORD GetDefaultDisabledColor() const noexcept { return m_dwDefaultDisabledColor; }
    void SetDefaultDisabledColor(DWORD dwColor) noexcept { m_dwDefaultDisabledColor = dwColor; }
    [[nodiscard]] DWORD GetDefaultFontColor() const noexcept { return m_dwDefaultFontColor; }
    void SetDefaultFontColor(DWORD dwColor) noexcept { m_dwDefaultFontColor = dwColor; }
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
    // that fails keeps its old bitmap. The root is repainted when any image changed.
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
    // Empties the table and fills it again from the "lang" elements of the skin
    // document xml, built for the first window; every window is repainted.
    static void ReLoadLanguage(LPCTSTR xml);
    // A language document was loaded: the skins of later windows do not load theirs.
    static bool bLoadingLanguage;

    // Lookups that fail here continue in the parent's registries. Refuses a link that
    // would make a cycle. Borrowed; the parent must outlive this manager.
    [[nodiscard]] bool UseParentResource(CPaintManagerUI* pm);
    [[nodiscard]] CPaintManagerUI* GetParentResource() const noexcept { return m_pParentResourcePM; }

    [[nodiscard]] bool IsWindowActive() const noexcept { return m_bWindowActive; }

private:
    struct TimerInfo;

    // Tree (PaintManagerTree.cpp)
    void DeleteDelayedCleanup() noexcept;
    void ForgetQueuedSender(CControlUI* pControl) noexcept;
    // Messages (PaintManagerMessages.cpp)
    bool RouteMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    bool RouteMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    bool OfferToFilters(const CStdPtrArray& filters, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    void OnSize();
    void OnClose();
    bool OnSetCursor(WPARAM wParam, LPARAM lParam);
    void OnGetMinMaxInfo(LPARAM lParam) const;
    void OnPrintClient(WPARAM wParam, LPARAM lParam);
    [[nodiscard]] TEventUI MakeEvent(int type, CControlUI* pSender, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Mouse (PaintManagerMouse.cpp)
    void OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam);
    bool OnMouseHover(LPARAM lParam);
    void OnMouseLeave();
    void OnButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    void ReleaseClick(int type, WPARAM wParam, LPARAM lParam);
    void OnContextMenu(WPARAM wParam, LPARAM lParam);
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    void TrackMouse();
    void ShowToolTip(CControlUI* pControl);
    void HideToolTip();
    [[nodiscard]] CControlUI* FindOwnControl(POINT pt) const;
    // Keyboard and focus (PaintManagerFocus.cpp)
    void DropFocus(CControlUI* next);
    void OnKey(UINT uMsg, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] CControlUI* FindTabStop(bool bForward) const;
    bool ActivateShortcut(WPARAM wParam);
    void TakeKeyboardFocus() const;
    // Painting (PaintManagerPaint.cpp)
    bool OnPaint();
    void LayOut();
    void PaintOpaque(const PAINTSTRUCT& ps);
    void PaintLayered(const PAINTSTRUCT& ps);
    void PaintTree(HDC hDC, const RECT& rcPaint);
    [[nodiscard]] bool IsInvalidAlready(const RECT& rc) const noexcept;
    void RememberInvalid(const RECT& rc) noexcept;
    // Timers (PaintManagerTimers.cpp)
    void OnTimer(WPARAM wParam);
    [[nodiscard]] TimerInfo* FindTimer(CControlUI* pControl, UINT nTimerID) const noexcept;
    [[nodiscard]] bool NextNativeTimerId(UINT& uNativeId) noexcept;
    // Notifications (PaintManagerNotify.cpp)
    void DeliverNotify(TNotifyUI& Msg);
    void DeliverQueuedNotifications();

    static void InvalidateEveryRoot();
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

    CControlUI* m_pRoot = nullptr; // owned
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pEventHover = nullptr;
    CControlUI* m_pEventClick = nullptr; // holds the mouse capture while set
    CControlUI* m_pEventKey = nullptr;   // got the last key down
    bool m_bFirstLayout = true;
    bool m_bUpdateNeeded = false;
    bool m_bFocusNeeded = false;
    bool m_bOffscreenPaint = true;
    bool m_bAlphaBackground = false;
    bool m_bMouseTracking = false;
    bool m_bMouseCapture = false;
    bool m_bUsedVirtualWnd = false;
    bool m_bWindowActive = false;
    bool m_bShowUpdateRect = false;
    bool m_bCanDraw = true;
    int m_nOpacity = 255;
    std::unique_ptr<COffscreenBitmap> m_offscreen;  // double buffer of an opaque window
    std::unique_ptr<COffscreenBitmap> m_background; // canvas of a layered window
    HWND m_hwndTooltip = nullptr;                   // owned
    TOOLINFOW m_ToolTip = {};
    SIZE m_szInitWindowSize = {0, 0};
    SIZE m_szMinWindow = {0, 0};
    SIZE m_szMaxWindow = {0, 0};
    SIZE m_szRoundCorner = {0, 0};
    RECT m_rcSizeBox = {0, 0, 0, 0};
    RECT m_rcCaption = {0, 0, 0, 0};
    UINT m_uTimerID = 4096;
    bool m_bEscCloseWnd = false;
    bool m_bUseAero = false;
    RECT m_rcAeroMargins = {0, 0, 0, 0};
    bool m_bUseShadow = false;
    RECT m_rcShadowBorder = {0, 0, 0, 0};
    TCHAR m_szShadowImage[MAX_PATH + 1] = {};
    // Areas invalidated since the last paint began: invalidating inside one of them
    // again costs a round trip to the window system and changes nothing.
    static constexpr int kInvalidatedSlots = 8;
    RECT m_aInvalidated[kInvalidatedSlots] = {};
    int m_nInvalidated = 0;

    CStdPtrArray m_aNotifiers;            // INotifyUI, borrowed
    CStdPtrArray m_aTimers;               // owned TimerInfo
    CStdPtrArray m_aPreMessageFilters;    // IMessageFilterUI, borrowed
    CStdPtrArray m_aMessageFilters;       // IMessageFilterUI, borrowed
    CStdPtrArray m_aPostPaintControls;    // CControlUI, borrowed
    CStdPtrArray m_aDelayedCleanup;       // owned CControlUI
    CStdPtrArray m_aAsyncNotify;          // owned TNotifyUI copies
    CStdPtrArray m_aFoundControls;        // CControlUI, borrowed
    CStdPtrArray m_aTranslateAccelerator; // ITranslateAccelerator, borrowed
    CStdStringPtrMap m_mNameHash;         // name -> borrowed CControlUI
    CStdStringPtrMap m_mOptionGroup;      // group -> owned CStdPtrArray of borrowed CControlUI
    CStdStringPtrMap m_mHotKeyGroup;      // group -> owned CStdPtrArray of borrowed CControlUI

    DWORD m_dwDefaultDisabledColor = 0xFFA7A6AA;
    DWORD m_dwDefaultFontColor = 0xFF000000;
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
    static short m_H;
    static short m_S;
    static short m_L;
};

} // namespace DuiLib
