#pragma once
// Hands addresses to the user's default browser. The main window opens every link
// through one of these, so that tests can watch what would be opened.

#include "common/Win32.h"

class ILinkOpener {
public:
    // `showCommand` is an SW_ value for the browser's window.
    virtual void Open(LPCWSTR address, int showCommand) = 0;

protected:
    ~ILinkOpener() = default;
};

// Opens with the shell's "open" verb; what the shell cannot open is the shell's to report.
class CShellLinkOpener final : public ILinkOpener {
public:
    void Open(LPCWSTR address, int showCommand) override;
};
