#pragma once
// Real browsers in views of a real skinned window: the engine initialised for each test,
// a 640 × 480 window whose root is a horizontal layout, a loopback server and the
// window's stand-in that records what the views' clients report.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "LoopbackHttpServer.h"
#include "RecordingWindow.h"
#include "TestWindow.h"
#include "duilib/layout/HorizontalLayoutUI.h"
#include "tests/TestPrinters.h"

namespace browser_test {

class ViewFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    void SetUp() override;
    void TearDown() override;

    // A view for `url` in `parent` (the root when null), reporting to the recorder. With
    // `waitForBrowser` it returns once the engine delivered the browser.
    CCefWebkitUI* AddView(const std::wstring& url, DuiLib::CContainerUI* parent = nullptr, bool waitForBrowser = true);
    // Lays the window out now, as its next paint would.
    void Layout();
    // Runs the loop until the view reported `count` ends and errors in all.
    [[nodiscard]] bool WaitForLoads(CCefWebkitUI* view, int count);
    // A page titled `title` on the loopback server, by path.
    [[nodiscard]] std::wstring ServePage(const std::string& path, const std::string& title,
                                         const std::string& body = "");

    enginetest::TempDir m_files;
    enginetest::LoopbackHttpServer m_server;
    RecordingWindow m_recorder;
    probe::TestWindow m_window{kWidth, kHeight};
    DuiLib::CHorizontalLayoutUI* m_root = nullptr; // owned by the window's manager
};

} // namespace browser_test
