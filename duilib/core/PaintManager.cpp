#include "duilib/core/PaintManager.h"

#include "duilib/control/ControlUI.h"
#include "duilib/core/DefaultFontFace.h"
#include "duilib/core/OffscreenBitmap.h"
#include "duilib/core/ZipArchive.h"

#include <algorithm>
#include <cassert>
#include <cwchar>

namespace DuiLib {

HINSTANCE CPaintManagerUI::m_hInstance = nullptr;
HINSTANCE CPaintManagerUI::m_hResourceInstance = nullptr;
TCHAR CPaintManagerUI::m_szResDirPath[MAX_PATH + 1] = {};
TCHAR CPaintManagerUI::m_szResZipPath[MAX_PATH + 1] = {};
bool CPaintManagerUI::m_bCachedResourceZip = false;
CZipArchive CPaintManagerUI::m_hResourceZip;
TFontInfo CPaintManagerUI::m_DefaultFontInfo;
CStdStringPtrMap CPaintManagerUI::m_LanguageAttrHash;
bool CPaintManagerUI::bLoadingLanguage = false;
bool CPaintManagerUI::m_bInitAtFirst = false;
CStdPtrArray CPaintManagerUI::m_aPreMessages;
short CPaintManagerUI::m_H = 180;
short CPaintManagerUI::m_S = 100;
short CPaintManagerUI::m_L = 100;

namespace {

// The zip name that stands for an archive held in memory.
constexpr const wchar_t* kMemoryZipName = L"membuffer";

// The default font is shared by every window: made by the first live manager and
// deleted with the last, so no window draws with a font another one deleted.
int g_liveManagers = 0;

// Static destruction runs in reverse order of definition in this file, so the language
// table's strings are freed before the map that points at them goes away.
struct LanguageTableCleanup final {
    ~LanguageTableCleanup() { CPaintManagerUI::RemoveAllLanguageAttributeList(); }
} g_languageTableCleanup;

bool CopyPath(TCHAR (&target)[MAX_PATH + 1], LPCTSTR source)
{
    const size_t length = source == nullptr ? 0 : std::wcslen(source);
    if (length > MAX_PATH) {
        return false;
    }
    std::wmemcpy(target, source == nullptr ? L"" : source, length);
    target[length] = L'\0';
    return true;
}

} // namespace

CPaintManagerUI::CPaintManagerUI()
{
    if (!m_bInitAtFirst) {
        m_bInitAtFirst = true;
        const LPCTSTR face = DefaultFontFaceFor(QueryOsMajorVersion());
        std::wcsncpy(m_DefaultFontInfo.sFontName, face, LF_FACESIZE - 1);
    }
    if (g_liveManagers++ == 0) {
        CreateDefaultFont();
    }
}

CPaintManagerUI::~CPaintManagerUI() noexcept
{
    DeleteDelayedCleanup();
    for (int i = 0; i < m_aAsyncNotify.GetSize(); ++i) {
        delete static_cast<TNotifyUI*>(m_aAsyncNotify[i]);
    }
    m_aAsyncNotify.Empty();
    m_mNameHash.RemoveAll();
    // The controls reap themselves while the rest of the manager still stands.
    delete m_pRoot;
    m_pRoot = nullptr;
    DeleteDelayedCleanup();
    RemoveAllFonts();
    RemoveAllImages();
    RemoveAllDefaultAttributeList();
    RemoveAllOptionGroups();
    RemoveAllHotKeyGroups();
    RemoveAllTimers();
    if (m_hwndTooltip != nullptr && ::IsWindow(m_hwndTooltip)) {
        (void)::DestroyWindow(m_hwndTooltip); // fails only for a window already gone
    }
    m_offscreen.reset();
    m_background.reset();
    const int index = m_aPreMessages.Find(this);
    if (index >= 0) {
        (void)m_aPreMessages.Remove(index); // Cannot fail for an index just found.
    }
    m_hDcPaint.Reset();
    if (--g_liveManagers == 0) {
        m_DefaultFontInfo.hFont.reset();
        m_DefaultFontInfo.tm = {};
    }
}

void CPaintManagerUI::Init(HWND hWnd)
{
    assert(hWnd != nullptr && "Init() needs the window the manager paints");
    m_hWndPaint = hWnd;
    (void)m_hDcPaint.Acquire(hWnd); // Without a DC fonts are measured later, on demand.
    if (m_aPreMessages.Find(this) < 0) {
        (void)m_aPreMessages.Add(this); // On failure the manager only misses pre-translation.
    }
}

SIZE CPaintManagerUI::GetClientSize() const
{
    RECT rc{};
    if (m_hWndPaint == nullptr || !::GetClientRect(m_hWndPaint, &rc)) {
        return SIZE{0, 0};
    }
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

void CPaintManagerUI::SetInitSize(int cx, int cy)
{
    m_szInitWindowSize = SIZE{cx, cy};
    if (m_pRoot == nullptr && m_hWndPaint != nullptr) {
        (void)::SetWindowPos(m_hWndPaint, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void CPaintManagerUI::SetShadowImage(LPCTSTR pStrImage)
{
    const size_t length = pStrImage != nullptr ? std::min<size_t>(std::wcslen(pStrImage), MAX_PATH) : 0;
    std::wmemcpy(m_szShadowImage, pStrImage != nullptr ? pStrImage : L"", length);
    m_szShadowImage[length] = L'\0';
}

void CPaintManagerUI::SetTransparent(int nOpacity)
{
    m_nOpacity = std::clamp(nOpacity, 0, 255);
    if (m_hWndPaint == nullptr) {
        return;
    }
    const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE);
    const bool layered = nOpacity >= 0 && nOpacity <= 255;
    const LONG_PTR newStyle = layered ? exStyle | WS_EX_LAYERED : exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED);
    if (newStyle != exStyle) {
        (void)::SetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE, newStyle);
    }
    // On a window that is not layered the call fails and changes nothing.
    (void)::SetLayeredWindowAttributes(m_hWndPaint, 0, static_cast<BYTE>(m_nOpacity), LWA_ALPHA);
}

void CPaintManagerUI::GetHSL(short* H, short* S, short* L) noexcept
{
    if (H != nullptr) {
        *H = m_H;
    }
    if (S != nullptr) {
        *S = m_S;
    }
    if (L != nullptr) {
        *L = m_L;
    }
}

void CPaintManagerUI::SetHSL(bool /*bUseHSL*/, short H, short S, short L)
{
    const short h = std::clamp<short>(H, 0, 360);
    const short s = std::clamp<short>(S, 0, 200);
    const short l = std::clamp<short>(L, 0, 200);
    if (h == m_H && s == m_S && l == m_L) {
        return;
    }
    m_H = h;
    m_S = s;
    m_L = l;
    InvalidateEveryRoot();
}

void CPaintManagerUI::InvalidateEveryRoot()
{
    for (int i = 0; i < m_aPreMessages.GetSize(); ++i) {
        CControlUI* root = static_cast<CPaintManagerUI*>(m_aPreMessages[i])->GetRoot();
        if (root != nullptr) {
            root->Invalidate();
        }
    }
}

void CPaintManagerUI::SetInstance(HINSTANCE hInst) noexcept
{
    m_hInstance = hInst;
}

HINSTANCE CPaintManagerUI::GetInstance() noexcept
{
    return m_hInstance;
}

CDuiString CPaintManagerUI::GetInstancePath()
{
    if (m_hInstance == nullptr) {
        return CDuiString();
    }
    TCHAR path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(m_hInstance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return CDuiString();
    }
    LPTSTR lastSlash = std::wcsrchr(path, L'\\');
    if (lastSlash == nullptr) {
        return CDuiString();
    }
    lastSlash[1] = L'\0';
    return CDuiString(path);
}

bool CPaintManagerUI::SetCurrentPath(LPCTSTR pStrPath)
{
    return pStrPath != nullptr && ::SetCurrentDirectoryW(pStrPath) != FALSE;
}

void CPaintManagerUI::SetResourceDll(HINSTANCE hInst) noexcept
{
    m_hResourceInstance = hInst;
}

HINSTANCE CPaintManagerUI::GetResourceDll() noexcept
{
    return m_hResourceInstance != nullptr ? m_hResourceInstance : m_hInstance;
}

void CPaintManagerUI::SetResourcePath(LPCTSTR pStrPath)
{
    if (pStrPath == nullptr || *pStrPath == L'\0') {
        return;
    }
    const size_t length = std::wcslen(pStrPath);
    const bool needsSlash = pStrPath[length - 1] != L'\\';
    // A path that would not fit with its "\" keeps the previous folder rather than
    // being cut into some other folder's name.
    if (length + (needsSlash ? 1 : 0) > MAX_PATH) {
        return;
    }
    (void)CopyPath(m_szResDirPath, pStrPath); // Fits: checked above.
    if (needsSlash) {
        m_szResDirPath[length] = L'\\';
        m_szResDirPath[length + 1] = L'\0';
    }
}

CDuiString CPaintManagerUI::GetResourcePath()
{
    return CDuiString(m_szResDirPath);
}

void CPaintManagerUI::SetResourceZip(LPCTSTR pStrZip, bool bCachedResourceZip)
{
    if (std::wcscmp(m_szResZipPath, kMemoryZipName) == 0 && bCachedResourceZip == m_bCachedResourceZip) {
        return;
    }
    TCHAR zipName[MAX_PATH + 1] = {};
    if (!CopyPath(zipName, pStrZip)) {
        return;
    }
    m_hResourceZip.Close();
    std::wmemcpy(m_szResZipPath, zipName, MAX_PATH + 1);
    m_bCachedResourceZip = bCachedResourceZip;
    if (m_bCachedResourceZip) {
        m_hResourceZip = CZipArchive::OpenFile(GetResourcePath() + m_szResZipPath);
    }
}

void CPaintManagerUI::SetResourceZip(LPVOID pVoid, unsigned int len)
{
    if (std::wcscmp(m_szResZipPath, kMemoryZipName) == 0) {
        return;
    }
    m_hResourceZip.Close();
    (void)CopyPath(m_szResZipPath, kMemoryZipName); // A short constant always fits.
    m_bCachedResourceZip = true;
    m_hResourceZip = CZipArchive::OpenMemory(pVoid, len);
}

CDuiString CPaintManagerUI::GetResourceZip()
{
    return CDuiString(m_szResZipPath);
}

bool CPaintManagerUI::IsCachedResourceZip() noexcept
{
    return m_bCachedResourceZip;
}

CZipArchive* CPaintManagerUI::GetResourceZipHandle() noexcept
{
    return m_hResourceZip.IsOpen() ? &m_hResourceZip : nullptr;
}

void CPaintManagerUI::Term() noexcept
{
    m_hResourceZip.Close();
}

} // namespace DuiLib
