#pragma once
// Window messages the application posts to its main window.

#include "common/Win32.h"

// A pop-up asked for a new tab; the address waits in the window.
constexpr UINT WM_OPEN_NEW_TAB = WM_USER + 202;
// The configuration thread filled g_vecStaticAds and g_vecScrollAds. wParam and lParam are 0.
constexpr UINT WM_CONFIG_READY = WM_USER + 203;
