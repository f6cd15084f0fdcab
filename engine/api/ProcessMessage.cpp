#include "engine/api/ProcessMessage.h"

namespace engine {

ProcessMessage::ProcessMessage(std::wstring name, CefRefPtr<ListValue> arguments)
    : m_name(std::move(name)), m_arguments(arguments ? arguments : CefRefPtr<ListValue>(new ListValue()))
{
}

void ProcessMessage::MakeReadOnly() noexcept
{
    m_readOnly = true;
    m_arguments->MakeReadOnly();
}

CefRefPtr<CefProcessMessage> ProcessMessage::Copy()
{
    return new ProcessMessage(m_name, new ListValue(m_arguments->Values()));
}

} // namespace engine

CefRefPtr<CefProcessMessage> CefProcessMessage::Create(const CefString& name)
{
    return new engine::ProcessMessage(name.ToWString(), nullptr);
}
