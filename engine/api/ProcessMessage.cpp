#include "engine/api/ProcessMessage.h"

#include "engine/ipc/PayloadReader.h"
#include "engine/ipc/PayloadWriter.h"

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

std::string EncodeProcessMessage(CefProcessMessage& message)
{
    PayloadWriter writer;
    writer.Text(message.GetName().ToWString());
    const auto* arguments = dynamic_cast<ListValue*>(message.GetArgumentList().get());
    if (arguments != nullptr) {
        writer.List(*arguments);
    } else {
        writer.U32(0);  // an empty list
    }
    return writer.Take();
}

CefRefPtr<ProcessMessage> DecodeProcessMessage(const std::string& payload)
{
    PayloadReader reader(payload);
    std::wstring name;
    CefRefPtr<ListValue> arguments;
    if (!reader.Text(name) || !reader.List(arguments) || !reader.AtCleanEnd()) {
        return nullptr;
    }
    CefRefPtr<ProcessMessage> message = new ProcessMessage(std::move(name), arguments);
    message->MakeReadOnly();
    return message;
}

} // namespace engine

CefRefPtr<CefProcessMessage> CefProcessMessage::Create(const CefString& name)
{
    return new engine::ProcessMessage(name.ToWString(), nullptr);
}
