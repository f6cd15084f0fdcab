#include "app/LinkOpener.h"

#include <shellapi.h>

void CShellLinkOpener::Open(LPCWSTR address, int showCommand)
{
    // The shell reports its own failures to the user; there is nothing to add here.
    (void)::ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, showCommand);
}
