#include "CefDOMVisitor.h"

#include <string>

#include "common/Win32.h"

namespace {

bool EqualsIgnoringCase(const CefString& a, const wchar_t* b)
{
    return ::CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

// Replaces the node's whole inline style. Refused (non-element) writes are ignored.
void Hide(CefDOMNode& node)
{
    (void)node.SetElementAttribute(L"style", L"display:none");
}

} // namespace

void CCefDOMVisitor::Visit(CefRefPtr<CefDOMDocument> document)
{
    if (document == nullptr) {
        return;
    }
    const CefRefPtr<CefDOMNode> body = document->GetBody();
    if (body == nullptr || !body->HasChildren()) {
        return;
    }
    // Only the body's direct children are examined; what lies inside them is never touched.
    for (CefRefPtr<CefDOMNode> child = body->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (!StaysVisible(*child)) {
            Hide(*child);
        }
    }
    if (m_mode == Mode::Main) {
        (void)body->SetElementAttribute(L"style", L"padding-top:0px");  // refusal changes nothing worth reporting
    }
}

bool CCefDOMVisitor::StaysVisible(CefDOMNode& child) const
{
    const CefString tag = child.GetElementTagName();
    if (tag.empty() || !EqualsIgnoringCase(tag, L"div") || !child.HasElementAttribute(L"class")) {
        return false;
    }
    const CefString cls = child.GetElementAttribute(L"class");
    if (m_mode == Mode::Main) {
        return EqualsIgnoringCase(cls, L"content");  // the whole value, not one class of a list
    }
    // Case-sensitive; "non-live-box" contains "live-box", so one test covers both names.
    return cls.ToWString().find(L"live-box") != std::wstring::npos;
}
