#include "engine/renderer/Renderer.h"

#include "engine/api/ProcessMessage.h"
#include "engine/dom/HtmlParser.h"
#include "engine/dom/TextDecoding.h"
#include "engine/ipc/PayloadReader.h"

namespace engine {

Renderer::Renderer(CefRefPtr<CefApp> application)
    : m_application(std::move(application)),
      m_handler(m_application ? m_application->GetRenderProcessHandler() : nullptr)
{
}

bool Renderer::Connect(const std::wstring& channel)
{
    if (channel.empty()) {
        return false;
    }
    m_fromBrowser = PipeEnd::Open(channel + L".down", true);
    m_toBrowser = PipeEnd::Open(channel + L".up", false);
    return m_fromBrowser && m_toBrowser && Send(WireMessage{WireType::Ready, {}, {}});
}

int Renderer::Run(const std::wstring& channel)
{
    if (!Connect(channel)) {
        return 1;
    }
    int exitCode = 0;
    WireMessage message;
    while (m_fromBrowser->Read(message, nullptr)) {
        if (!Handle(message)) {
            exitCode = 1;
            break;
        }
    }
    if (m_browser && m_handler) {
        m_handler->OnBrowserDestroyed(m_browser.get());
    }
    m_browser = nullptr;
    return exitCode;
}

bool Renderer::Send(const WireMessage& message)
{
    return m_toBrowser && m_toBrowser->Write(message, nullptr);
}

bool Renderer::Handle(const WireMessage& message)
{
    switch (message.type) {
    case WireType::Hello: return OnHello(message.payload);
    case WireType::Document: return OnDocument(message.payload);
    case WireType::ProcessMessage: return OnProcessMessage(message.payload);
    default: return false;
    }
}

bool Renderer::OnHello(const std::string& payload)
{
    PayloadReader reader(payload);
    std::int32_t id = 0;
    std::uint32_t popup = 0;
    CefRefPtr<ListValue> extraInfo;
    if (m_browser || !reader.I32(id) || !reader.U32(popup) || !reader.List(extraInfo) || !reader.AtCleanEnd()) {
        return false;
    }
    m_browser = new RendererBrowser(id, popup != 0, [this](const WireMessage& m) { return Send(m); });
    if (m_handler) {
        extraInfo->MakeReadOnly();
        m_handler->OnRenderThreadCreated(extraInfo.get());
        m_handler->OnWebKitInitialized();
        m_handler->OnBrowserCreated(m_browser.get());
    }
    return true;
}

bool Renderer::OnDocument(const std::string& payload)
{
    PayloadReader reader(payload);
    std::uint32_t sequence = 0;
    std::wstring url;
    std::string contentType;
    std::string body;
    if (!m_browser || !reader.U32(sequence) || !reader.Text(url) || !reader.Bytes(contentType) ||
        !reader.Bytes(body) || !reader.AtCleanEnd()) {
        return false;
    }
    m_browser->ShowDocument(sequence, std::move(url), ParseHtml(PageMarkup(body, contentType)));
    return true;
}

bool Renderer::OnProcessMessage(const std::string& payload)
{
    const CefRefPtr<ProcessMessage> received = DecodeProcessMessage(payload);
    if (!m_browser || !received) {
        return false;
    }
    if (m_handler) {
        (void)m_handler->OnProcessMessageReceived(m_browser.get(), PID_BROWSER, received.get());
    }
    return true;
}

} // namespace engine
