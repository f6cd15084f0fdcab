// Process messages to the renderer and the application's page adjustments, read back
// through a DOM visitor in the renderer ("Test.Dump", see BrowserTestMain.cpp).
#include <gmock/gmock.h>

#include "EngineFixture.h"

namespace enginetest {
namespace {

using ::testing::ElementsAre;

class PageAdjustments : public EngineFixture {
protected:
    // Loads `body`, sends `messageName`, then returns the renderer's view of the body.
    std::vector<std::wstring> AdjustAndDump(const std::string& body, const std::wstring& messageName)
    {
        return LoadAndDump(L"adjust.htm", "<html><body>" + body + "</body></html>", messageName);
    }

    // Loads the file `name` holding `content`, sends `messageName`, then returns the
    // renderer's view of the body.
    std::vector<std::wstring> LoadAndDump(
        const std::wstring& name, const std::string& content, const std::wstring& messageName)
    {
        const int ends = m_client->Count(L"end:200");
        const int dumps = m_client->Count(L"message:Test.Dom");
        const std::wstring page = m_files.Write(name, content);
        CefRefPtr<CefBrowser> browser = CreateChild(page);
        EXPECT_TRUE(RunLoopUntil([&] { return m_client->Count(L"end:200") == ends + 1; }));
        EXPECT_TRUE(browser->SendProcessMessage(PID_RENDERER, CefProcessMessage::Create(messageName)));
        EXPECT_TRUE(browser->SendProcessMessage(PID_RENDERER, CefProcessMessage::Create(L"Test.Dump")));
        EXPECT_TRUE(RunLoopUntil([&] { return m_client->Count(L"message:Test.Dom") == dumps + 1; }));
        std::vector<std::wstring> dump;
        if (!m_client->messages.empty()) {
            CefRefPtr<CefListValue> arguments = m_client->messages.back()->GetArgumentList();
            for (std::size_t i = 0; i < arguments->GetSize(); ++i) {
                dump.push_back(arguments->GetString(i).ToWString());
            }
        }
        return dump;
    }
};

const std::string kMainBody = "<div class=\"content\" style=\"color:red\">keep</div>"
                              "<div class=\"other\" style=\"color:blue\">other</div><script>var x;</script>tail";

TEST_F(PageAdjustments, MainKeepsTheContentBlockAndRemovesTheTopGap)
{
    EXPECT_THAT(AdjustAndDump(kMainBody, L"Msg.Main"),
        ElementsAre(L"DIV|content|color:red", L"DIV|other|display:none", L"SCRIPT||display:none", L"#text||",
            L"body||padding-top:0px"));
}

TEST_F(PageAdjustments, NameInOtherLetterCaseChangesNothing)
{
    EXPECT_THAT(AdjustAndDump(kMainBody, L"msg.main"),
        ElementsAre(L"DIV|content|color:red", L"DIV|other|color:blue", L"SCRIPT||", L"#text||", L"body||"));
}

TEST_F(PageAdjustments, PlayKeepsTheLiveBlocks)
{
    const std::string body = "<div class=\"non-live-box\">a</div><div class=\"x live-box\">b</div>"
                             "<div class=\"Live-Box\">c</div><p class=\"live-box\">d</p>";
    EXPECT_THAT(AdjustAndDump(body, L"Msg.Play"),
        ElementsAre(L"DIV|non-live-box|", L"DIV|x live-box|", L"DIV|Live-Box|display:none",
            L"P|live-box|display:none", L"body||"));
}

// The renderer makes its page from the fetched bytes by the browser's rules: charset
// and type.
TEST_F(PageAdjustments, TheRendererReadsThePageAsTheBrowserDoes)
{
    EXPECT_THAT(LoadAndDump(L"gbk.htm", "<meta charset=\"gbk\"><body><p class=\"\xB1\xC8\xC8\xFC\">x</p>", L"None"),
        ElementsAre(L"P|比赛|", L"body||"));
    EXPECT_THAT(LoadAndDump(L"notes.txt", "<p class=\"a\">not markup</p>", L"None"), ElementsAre(L"PRE||", L"body||"));
}

TEST_F(PageAdjustments, RendererMessagesArriveFromTheRenderer)
{
    (void)AdjustAndDump("<p>x</p>", L"Nothing.Known");
    EXPECT_EQ(1, m_client->Count(L"message:Test.Dom"));
    EXPECT_EQ(0, m_client->Count(L"message:Test.Dom:wrong-source"));
    ASSERT_FALSE(m_client->messages.empty());
    EXPECT_TRUE(m_client->messages.back()->IsReadOnly());
    EXPECT_FALSE(m_client->messages.back()->GetArgumentList()->SetString(0, L"changed"));
}

TEST_F(PageAdjustments, BrowserSideOnlySendsToTheRenderer)
{
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    EXPECT_FALSE(browser->SendProcessMessage(PID_BROWSER, CefProcessMessage::Create(L"Msg.Main")));
    EXPECT_FALSE(browser->SendProcessMessage(PID_RENDERER, nullptr));
}

} // namespace
} // namespace enginetest
