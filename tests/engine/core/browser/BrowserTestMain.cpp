// The browser tests' executable is also its own renderer: the engine starts it again
// with --type=renderer, so CefExecuteProcess must come before anything else.
#include <gmock/gmock.h>

#include "CefApi.h"
#include "browser/CefAppEx.h"

namespace {

// Collects the body's direct children as "tag|class|style" plus "body|style".
class DumpVisitor final : public CefDOMVisitor {
public:
    explicit DumpVisitor(CefRefPtr<CefListValue> out) : m_out(std::move(out)) {}

    void Visit(CefRefPtr<CefDOMDocument> document) override
    {
        CefRefPtr<CefDOMNode> body = document->GetBody();
        if (!body) {
            return;
        }
        for (CefRefPtr<CefDOMNode> child = body->GetFirstChild(); child; child = child->GetNextSibling()) {
            Add(child->IsElement() ? child->GetElementTagName().ToWString() : child->GetName().ToWString(), child);
        }
        Add(L"body", body);
    }

private:
    void Add(const std::wstring& name, CefRefPtr<CefDOMNode> node)
    {
        const std::wstring text = name + L"|" + node->GetElementAttribute(L"class").ToWString() + L"|" +
            node->GetElementAttribute(L"style").ToWString();
        m_out->SetString(m_out->GetSize(), text);
    }

    CefRefPtr<CefListValue> m_out;
    IMPLEMENT_REFCOUNTING(DumpVisitor);
};

// The application's own object plus two test messages: "Test.Dump", answered with
// "Test.Dom" carrying what DumpVisitor saw, and "Test.Hang", answered with "Test.Hung"
// carrying the renderer's process id before the renderer stops serving for good.
class TestApp final : public CefApp, public CefRenderProcessHandler {
public:
    CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override { return this; }

    bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId source,
        CefRefPtr<CefProcessMessage> message) override
    {
        const std::wstring name = message->GetName().ToWString();
        if (name == L"Test.Hang") {
            CefRefPtr<CefProcessMessage> reply = CefProcessMessage::Create(L"Test.Hung");
            reply->GetArgumentList()->SetInt(0, static_cast<int>(::GetCurrentProcessId()));
            (void)browser->SendProcessMessage(PID_BROWSER, reply);
            ::Sleep(INFINITE);
        }
        if (name != L"Test.Dump") {
            return m_application->GetRenderProcessHandler()->OnProcessMessageReceived(browser, source, message);
        }
        CefRefPtr<CefProcessMessage> reply = CefProcessMessage::Create(L"Test.Dom");
        browser->GetMainFrame()->VisitDOM(new DumpVisitor(reply->GetArgumentList()));
        return browser->SendProcessMessage(PID_BROWSER, reply);
    }

private:
    CefRefPtr<CCefAppEx> m_application = new CCefAppEx();
    IMPLEMENT_REFCOUNTING(TestApp);
};

} // namespace

int main(int argc, char** argv)
{
    CefRefPtr<TestApp> application = new TestApp();
    const int subProcessCode = CefExecuteProcess(CefMainArgs(::GetModuleHandleW(nullptr)), application.get());
    if (subProcessCode >= 0) {
        return subProcessCode;
    }
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
