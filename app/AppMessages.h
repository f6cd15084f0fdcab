#pragma once
// Window messages the application posts to its main window.

#include "common/Win32.h"

// A pop-up asked for a new tab; the address waits in the window.
constexpr UINT WM_OPEN_NEW_TAB = WM_USER + 202;
// The configuration thread filled g_vecStaticAds and g_vecScrollAds. wParam and lParam are 0.
constexpr UINT WM_CONFIG_READY = WM_USER + 203;
// A link of a local page asked for a page of the site in the same view. wParam is the
// view (only compared with the window's views, never used unchecked); lParam is the
// address as a NUL-terminated wide string from malloc, which the window frees.
constexpr UINT WM_LOAD_IN_VIEW = WM_USER + 204;
