#include "tests/package/ProcessTree.h"

namespace {

constexpr ULONGLONG kHangBoundMs = 120000;
constexpr DWORD kWindowPollMs = 50;

struct WindowSearch {
    DWORD processId;
    LPCWSTR className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) noexcept
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    (void)::GetWindowThreadProcessId(hwnd, &owner);
    wchar_t name[256] = {};
    if (owner == search->processId && ::GetClassNameW(hwnd, name, 256) > 0 && ::lstrcmpW(name, search->className) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool ProcessTree::Start(std::wstring commandLine, Launch launch)
{
    m_job.reset(::CreateJobObjectW(nullptr, nullptr));
    m_port.reset(::CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
    if (!m_job || !m_port) {
        return false;
    }
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT port{};
    port.CompletionKey = m_job.get();
    port.CompletionPort = m_port.get();
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!::SetInformationJobObject(m_job.get(), JobObjectAssociateCompletionPortInformation, &port, sizeof(port))
        || !::SetInformationJobObject(m_job.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits))) {
        return false;
    }
    // Started suspended so that it is in the job before it can start anything itself.
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                          &startup, &info)) {
        return false;
    }
    m_process.reset(info.hProcess);
    const UniqueKernelHandle thread(info.hThread);
    if (!::AssignProcessToJobObject(m_job.get(), m_process.get())) {
        ::TerminateProcess(m_process.get(), 1);
        return false;
    }
    return launch == Launch::Suspended || ::ResumeThread(thread.get()) != static_cast<DWORD>(-1);
}

bool ProcessTree::WaitForAll()
{
    const ULONGLONG deadline = ::GetTickCount64() + kHangBoundMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        DWORD message = 0;
        ULONG_PTR key = 0;
        LPOVERLAPPED detail = nullptr;
        const auto left = static_cast<DWORD>(deadline - now);
        if (now >= deadline || !::GetQueuedCompletionStatus(m_port.get(), &message, &key, &detail, left)) {
            return false;
        }
        if (key == reinterpret_cast<ULONG_PTR>(m_job.get()) && message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) {
            return true;
        }
    }
}

HWND ProcessTree::WaitForWindow(LPCWSTR className) const
{
    WindowSearch search{::GetProcessId(m_process.get()), className, nullptr};
    const ULONGLONG deadline = ::GetTickCount64() + kHangBoundMs;
    while (::GetTickCount64() < deadline) {
        (void)::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        // Waiting on the process paces the search and notices its end.
        if (search.found != nullptr || ::WaitForSingleObject(m_process.get(), kWindowPollMs) == WAIT_OBJECT_0) {
            break;
        }
    }
    return search.found;
}

DWORD ProcessTree::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    return ::GetExitCodeProcess(m_process.get(), &code) ? code : STILL_ACTIVE;
}

void ProcessTree::Terminate()
{
    (void)::TerminateJobObject(m_job.get(), 1); // a tree that already ended has nothing to end
}

std::optional<DWORD> RunToEnd(const std::wstring& commandLine)
{
    ProcessTree tree;
    if (!tree.Start(commandLine) || !tree.WaitForAll()) {
        return std::nullopt;
    }
    return tree.ExitCode();
}
