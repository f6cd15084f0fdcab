#pragma once
// The client's main window over the real engine, with real renderer processes, against a
// small site on a loopback server: the live centre with pop-up links to a match page, an
// unreachable address and a page that never answers, the site root and, per test, the
// packed configuration. The window opens its links through a recorder instead of the shell.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "LoopbackHttpServer.h"
#include "app/LinkOpener.h"

#include <string>
#include <utility>
#include <vector>

class CCefWebkitUI;
class CMainWnd;
class CScrollTabUI;

namespace DuiLib {
class CControlUI;
class CPaintManagerUI;
} // namespace DuiLib

namespace client_test {

class RecordingLinkOpener final : public ILinkOpener {
public:
    void Open(LPCWSTR address, int showCommand) override { opened.emplace_back(address, showCommand); }
    std::vector<std::pair<std::wstring, int>> opened;
};

class MainWndFixture : public ::testing::Test {
protected:
    static constexpr const char* kMatchTitle = "英超 伦敦 vs 曼彻斯特 - Zeltavue 直播";

    void SetUp() override;
    void TearDown() override;

    [[nodiscard]] DuiLib::CPaintManagerUI& Manager() const;
    [[nodiscard]] CScrollTabUI& TabBar() const;
    [[nodiscard]] std::wstring TabText(int index) const;
    // The view of tab `index`, in the order the window added them; null past the end.
    [[nodiscard]] CCefWebkitUI* View(int index) const;
    // The address of the page the view's browser shows; empty while a load is under way.
    [[nodiscard]] static std::wstring ShownUrl(const CCefWebkitUI* view);
    [[nodiscard]] bool WaitForTabText(int index, const std::wstring& text) const;
    // Clicks the link to `url` on the page `html` (from `pageUrl`) shown in `view`.
    void ClickLink(const CCefWebkitUI* view, const std::string& html, const std::wstring& pageUrl,
                   const std::wstring& url) const;
    // Clicks the home page's link to `path` on the site and waits for its tab.
    void OpenPopupTab(const std::string& path);
    // Presses and releases the left button over the named control of the window.
    void ClickControl(LPCTSTR name) const;
    [[nodiscard]] size_t RequestsFor(const std::string& path) const;

    enginetest::TempDir m_files;
    enginetest::LoopbackHttpServer m_server;
    RecordingLinkOpener m_opener;
    std::wstring m_unreachable;
    std::string m_livePage;
    CMainWnd* m_window = nullptr; // deletes itself with its window
    HWND m_hwnd = nullptr;

private:
    void ServeSite();
    std::wstring m_previousRoot;
};

} // namespace client_test
