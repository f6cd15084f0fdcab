#include "engine/api/CommandLine.h"

#include "common/UniqueHandle.h"
#include "common/Win32.h"

#include <shellapi.h>

namespace engine {
namespace {

struct LocalFreeTraits {
    using Type = LPWSTR*;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type p) noexcept { ::LocalFree(p); }
};

[[nodiscard]] std::wstring Quote(const std::wstring& text)
{
    if (!text.empty() && text.find_first_of(L" \t\"") == std::wstring::npos) {
        return text;
    }
    std::wstring quoted = L"\"";
    for (const wchar_t c : text) {
        if (c == L'"') {
            quoted += L'\\';
        }
        quoted += c;
    }
    return quoted + L"\"";
}

} // namespace

CefRefPtr<CommandLine> CommandLine::Parse(const std::wstring& commandLine)
{
    int count = 0;
    const UniqueHandle<LocalFreeTraits> argv(::CommandLineToArgvW(commandLine.c_str(), &count));
    if (!argv || count < 1) {
        return new CommandLine(std::wstring());
    }
    CefRefPtr<CommandLine> parsed = new CommandLine(argv.get()[0]);
    for (int i = 1; i < count; ++i) {
        const std::wstring arg = argv.get()[i];
        if (arg.size() < 3 || arg.compare(0, 2, L"--") != 0) {
            continue;
        }
        const auto equals = arg.find(L'=');
        if (equals == std::wstring::npos) {
            parsed->m_switches.emplace_back(arg.substr(2), std::wstring());
        } else {
            parsed->m_switches.emplace_back(arg.substr(2, equals - 2), arg.substr(equals + 1));
        }
    }
    return parsed;
}

const std::pair<std::wstring, std::wstring>* CommandLine::Find(const std::wstring& name) const
{
    for (const auto& entry : m_switches) {
        if (entry.first == name) {
            return &entry;
        }
    }
    return nullptr;
}

std::wstring CommandLine::SwitchesText() const
{
    std::wstring text;
    for (const auto& [name, value] : m_switches) {
        text += L" " + Quote(value.empty() ? L"--" + name : L"--" + name + L"=" + value);
    }
    return text;
}

CefString CommandLine::GetCommandLineString()
{
    return Quote(m_program) + SwitchesText();
}

bool CommandLine::HasSwitch(const CefString& name)
{
    return Find(name.ToWString()) != nullptr;
}

CefString CommandLine::GetSwitchValue(const CefString& name)
{
    const auto* entry = Find(name.ToWString());
    return entry != nullptr ? entry->second : std::wstring();
}

void CommandLine::AppendSwitchWithValue(const CefString& name, const CefString& value)
{
    if (!name.empty()) {
        m_switches.emplace_back(name.ToWString(), value.ToWString());
    }
}

} // namespace engine
