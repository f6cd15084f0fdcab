#pragma once
// Puts text on the clipboard as Unicode text, replacing what it held.

#include <string>

// False when the clipboard cannot be opened, emptied or given the text; nothing leaks.
[[nodiscard]] bool CopyTextToClipboard(const std::wstring& text);
