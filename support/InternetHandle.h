#pragma once
// Owner for WinINet handles. Session, connection and request handles all close
// through InternetCloseHandle.

#include "common/UniqueHandle.h"
#include "common/Win32.h"

#include <wininet.h>

struct InternetHandleTraits {
    using Type = HINTERNET;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::InternetCloseHandle(h); }
};
using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;
