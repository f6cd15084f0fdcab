#pragma once
// The engine's CefProcessMessage.

#include "CefValues.h"
#include "engine/api/ListValue.h"

#include <string>

namespace engine {

class ProcessMessage final : public CefProcessMessage {
public:
    ProcessMessage(std::wstring name, CefRefPtr<ListValue> arguments);

    // Messages handed to a receiver are read-only, arguments included.
    void MakeReadOnly() noexcept;
    [[nodiscard]] const std::wstring& Name() const noexcept { return m_name; }
    [[nodiscard]] const ListValue& Arguments() const noexcept { return *m_arguments; }

    bool IsValid() override { return true; }
    bool IsReadOnly() override { return m_readOnly; }
    CefRefPtr<CefProcessMessage> Copy() override;
    CefString GetName() override { return m_name; }
    CefRefPtr<CefListValue> GetArgumentList() override { return m_arguments.get(); }

private:
    std::wstring m_name;
    CefRefPtr<ListValue> m_arguments;
    bool m_readOnly = false;
    IMPLEMENT_REFCOUNTING(ProcessMessage);
};

// The form both processes send a message in: its name, then its argument list.
[[nodiscard]] std::string EncodeProcessMessage(CefProcessMessage& message);
// A read-only message, or null when the payload is not exactly one encoded message.
[[nodiscard]] CefRefPtr<ProcessMessage> DecodeProcessMessage(const std::string& payload);

} // namespace engine
