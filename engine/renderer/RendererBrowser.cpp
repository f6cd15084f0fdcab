#include "engine/renderer/RendererBrowser.h"

#include "engine/api/ProcessMessage.h"
#include "engine/dom/DomSerializer.h"
#include "engine/ipc/PayloadWriter.h"
#include "engine/renderer/DomDocumentRef.h"
#include "engine/renderer/RendererFrame.h"

namespace engine {

RendererBrowser::RendererBrowser(int id, bool popup, Sender sender)
    : m_id(id), m_popup(popup), m_sender(std::move(sender))
{
}

void RendererBrowser::ShowDocument(std::uint32_t sequence, std::wstring url, DomNodePtr document)
{
    m_sequence = sequence;
    m_url = std::move(url);
    m_document = std::move(document);
}

void RendererBrowser::Visit(CefRefPtr<CefDOMVisitor> visitor)
{
    if (!visitor || !m_document) {
        return;
    }
    auto session = std::make_shared<VisitSession>();
    visitor->Visit(new DomDocumentRef(session, *m_document, m_url));
    session->open = false;
    if (session->changed) {
        SendDisplay();
    }
}

CefRefPtr<CefFrame> RendererBrowser::GetMainFrame()
{
    return new RendererFrame(this);
}

bool RendererBrowser::SendProcessMessage(CefProcessId targetProcess, CefRefPtr<CefProcessMessage> message)
{
    if (targetProcess != PID_BROWSER || !message) {
        return false;
    }
    return m_sender(WireMessage{WireType::ProcessMessage, EncodeProcessMessage(*message), {}});
}

void RendererBrowser::SendDisplay()
{
    if (!m_document) {
        return;
    }
    PayloadWriter writer;
    writer.U32(m_sequence);
    writer.Bytes(SerializeDom(*m_document));
    (void)m_sender(WireMessage{WireType::Display, writer.Take(), {}});
}

} // namespace engine
