#pragma once
// A command line run inside a job object, so that waiting covers every process it starts:
// an uninstaller that re-launches itself from a temporary copy, the client's engine
// sub-processes. Whatever is still running when the tree is destroyed is killed.

#include "common/Handles.h"

#include <optional>
#include <string>

class ProcessTree final {
public:
    enum class Launch { Running, Suspended };

    [[nodiscard]] bool Start(std::wstring commandLine, Launch launch = Launch::Running);
    // Waits until no process of the tree is left; false when the bound that only catches
    // a hang runs out.
    [[nodiscard]] bool WaitForAll();
    // The top-level window of class `className` that the started process made, once it
    // exists; null when that process ends first or the bound that only catches a hang runs out.
    [[nodiscard]] HWND WaitForWindow(LPCWSTR className) const;
    // Exit code of the process the command line started; STILL_ACTIVE while it runs.
    [[nodiscard]] DWORD ExitCode() const;
    void Terminate();

private:
    UniqueKernelHandle m_job;
    UniqueKernelHandle m_port;
    UniqueKernelHandle m_process;
};

// Runs the command line to the end of its whole tree and gives the exit code of the
// process it started; none when it could not start or did not end.
[[nodiscard]] std::optional<DWORD> RunToEnd(const std::wstring& commandLine);
