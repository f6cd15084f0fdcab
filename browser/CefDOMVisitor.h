#pragma once
// Hides parts of a page by giving direct children of its body an inline
// "display:none", so that only the service's content or live blocks remain.

#include "CefDom.h"

class CCefDOMVisitor final : public CefDOMVisitor {
public:
    // Which blocks stay visible.
    enum class Mode {
        Main = 0,  // only <div class="content">; the body's top padding goes too
        Play = 1,  // only divs whose class mentions "live-box"
    };

    explicit CCefDOMVisitor(Mode mode) : m_mode(mode) {}

    void Visit(CefRefPtr<CefDOMDocument> document) override;

    [[nodiscard]] Mode GetMode() const { return m_mode; }

private:
    [[nodiscard]] bool StaysVisible(CefDOMNode& child) const;

    const Mode m_mode;

    IMPLEMENT_REFCOUNTING(CCefDOMVisitor);
};
