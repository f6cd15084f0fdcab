#include "CefAppEx.h"

#include "CefDOMVisitor.h"

void CCefAppEx::OnContextCreated(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                 CefRefPtr<CefV8Context> context)
{
    if (context == nullptr) {
        return;
    }
    // Nothing is bound into the context; entering and leaving once only makes it current.
    if (context->Enter()) {
        (void)context->Exit();  // leaving a context just entered cannot fail in a way we could act on
    }
}

bool CCefAppEx::OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId /*sourceProcess*/,
                                         CefRefPtr<CefProcessMessage> message)
{
    if (message == nullptr) {
        return false;
    }
    const CefString name = message->GetName();
    CCefDOMVisitor::Mode mode = CCefDOMVisitor::Mode::Main;
    if (name == kMainMessage) {
        mode = CCefDOMVisitor::Mode::Main;
    } else if (name == kPlayMessage) {
        mode = CCefDOMVisitor::Mode::Play;
    } else {
        return false;
    }
    // The message is ours even when there is no frame to adjust.
    const CefRefPtr<CefFrame> frame = browser != nullptr ? browser->GetMainFrame() : nullptr;
    if (frame != nullptr) {
        frame->VisitDOM(new CCefDOMVisitor(mode));
    }
    return true;
}
