#pragma once
// The remote configuration: a background thread downloads the site's configuration
// document once, fills the advertisement lists and posts WM_CONFIG_READY.

#include "app/AdItem.h"
#include "common/Win32.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

constexpr size_t kScrollAdSlots = 3;

// Written only by the configuration thread before it posts WM_CONFIG_READY; read only
// by the user-interface thread after that message arrives.
extern std::vector<AdItem> g_vecStaticAds;
extern std::array<std::vector<AdItem>, kScrollAdSlots> g_vecScrollAds;

// _beginthreadex procedure; the argument is the main window's HWND.
unsigned CALLBACK ConfigThreadProc(void* mainWindow);

// Inflates the chunk sequence of a configuration body into `output`. False, with
// `output` left empty, when a chunk is damaged or its length is impossible.
[[nodiscard]] bool UnpackConfigData(const unsigned char* data, size_t length, std::string& output);

// Text in the system ANSI code page to UTF-16, up to its first NUL; empty when the
// input is empty or cannot be converted.
[[nodiscard]] std::wstring AnsiToWide(const std::string& bytes);

// The site root in use followed by "/config.dat".
[[nodiscard]] std::string ConfigAddress();
