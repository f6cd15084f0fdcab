#pragma once
// The skin control that stands for one embedded browser ("CefWebkit" in markup). The
// browser is a native child window of the main window, created when the control is
// initialised and kept over the control's rectangle and visibility from then on.

#include "CefBrowserApi.h"
#include "CefHandler.h"
#include "Delegate.h"
#include "duilib/control/ControlUI.h"

class CCefWebkitUI final : public DuiLib::CControlUI, public Delegate {
public:
    // `url` is opened when the browser is created; null or empty opens nothing.
    explicit CCefWebkitUI(LPCTSTR url = nullptr);
    // Releases the handler and the browser; the browser itself is not closed.
    ~CCefWebkitUI() noexcept override;
    CCefWebkitUI(const CCefWebkitUI&) = delete;
    CCefWebkitUI& operator=(const CCefWebkitUI&) = delete;

    [[nodiscard]] LPCTSTR GetClass() const override;
    // The control for "CefWebkit", otherwise the base answer.
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;
    // Keeps the browser window over the control (client coordinates of the main window).
    void SetPos(RECT rc) override;
    void SetInternVisible(bool bVisible = true) override;
    // Asks the engine for the browser, a child of the manager's window.
    void DoInit() override;
    // "url" sets the address opened at DoInit; everything else is the base's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

    // Delegate: the engine created the browser.
    void SetBrowser(CefRefPtr<CefBrowser> browser) override;

    // The browser's native window; null while there is none.
    [[nodiscard]] HWND GetBrowserWindow() const;
    // Loads `url` in the main frame; nothing without a browser or for an empty address.
    void LoadURL(LPCTSTR url);
    // Asks the browser to close, and stops the handler from reaching this control.
    void CloseBrowser();
    // The control holds one reference for as long as it lives.
    [[nodiscard]] CCefHandler* GetHandler() const noexcept { return m_handler.get(); }

    // The last page title, as the main window stores it.
    void SetTitle(LPCTSTR title) { m_sTitle = title; }
    [[nodiscard]] const DuiLib::CDuiString& GetTitle() const noexcept { return m_sTitle; }

private:
    static void CreateBrowser(const RECT& rc, CCefHandler* handler, HWND parent, LPCTSTR url);
    void MoveBrowserWindow() const;
    void ShowBrowserWindow() const;

    DuiLib::CDuiString m_sUrl;
    DuiLib::CDuiString m_sTitle;
    CefRefPtr<CefBrowser> m_browser;
    CefRefPtr<CCefHandler> m_handler;
};
