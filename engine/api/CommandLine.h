#pragma once
// The engine's CefCommandLine: a program path and "--name[=value]" switches.

#include <string>
#include <utility>
#include <vector>

#include "CefValues.h"

namespace engine {

class CommandLine final : public CefCommandLine {
public:
    // Splits a Windows command line into the program and its switches; other
    // arguments are dropped.
    [[nodiscard]] static CefRefPtr<CommandLine> Parse(const std::wstring& commandLine);
    explicit CommandLine(std::wstring program) : m_program(std::move(program)) {}

    // The switches alone, each preceded by a blank.
    [[nodiscard]] std::wstring SwitchesText() const;

    bool IsValid() override { return true; }
    bool IsReadOnly() override { return false; }
    CefString GetCommandLineString() override;
    bool HasSwitch(const CefString& name) override;
    CefString GetSwitchValue(const CefString& name) override;
    void AppendSwitch(const CefString& name) override { AppendSwitchWithValue(name, CefString()); }
    void AppendSwitchWithValue(const CefString& name, const CefString& value) override;

private:
    [[nodiscard]] const std::pair<std::wstring, std::wstring>* Find(const std::wstring& name) const;

    std::wstring m_program;
    std::vector<std::pair<std::wstring, std::wstring>> m_switches;
    IMPLEMENT_REFCOUNTING(CommandLine);
};

} // namespace engine
