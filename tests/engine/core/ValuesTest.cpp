// The engine's value objects: strings, reference counting, lists, messages, menus
// and command lines.
#include <gmock/gmock.h>

#include "engine/api/CommandLine.h"
#include "engine/api/ListValue.h"
#include "engine/api/MenuModel.h"
#include "engine/api/ProcessMessage.h"

namespace engine {
namespace {

using ::testing::ElementsAre;

TEST(EngineString, ConvertsUtf8BothWaysIncludingSurrogatePairs)
{
    const std::string utf8 = "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x8F\x80 ok";
    const CefString text(utf8);
    EXPECT_EQ(std::wstring(L"\x4E2D\x6587 \xD83C\xDFC0 ok"), text.ToWString());
    EXPECT_EQ(utf8, text.ToString());
    EXPECT_TRUE(CefString(static_cast<const char*>(nullptr)).empty());
    EXPECT_TRUE(CefString(static_cast<const wchar_t*>(nullptr)).empty());
}

class Counted final : public CefBaseRefCounted {
public:
    explicit Counted(int& deletions) : m_deletions(deletions) {}
    ~Counted() override { ++m_deletions; }

private:
    int& m_deletions;
    IMPLEMENT_REFCOUNTING(Counted);
};

TEST(RefCounting, DeletesOnceWhenTheLastReferenceGoes)
{
    int deletions = 0;
    {
        CefRefPtr<Counted> first = new Counted(deletions);
        EXPECT_TRUE(first->HasOneRef());
        CefRefPtr<Counted> second = first;
        EXPECT_FALSE(first->HasOneRef());
        CefRefPtr<Counted> moved = std::move(second);
        EXPECT_FALSE(second);
        first = nullptr;
        EXPECT_EQ(0, deletions);
        EXPECT_TRUE(moved->HasOneRef());
    }
    EXPECT_EQ(1, deletions);
}

TEST(ListValues, ReportTypesAndGiveDefaultsForMismatches)
{
    CefRefPtr<ListValue> list = new ListValue();
    EXPECT_TRUE(list->SetInt(2, 7));
    EXPECT_EQ(3u, list->GetSize());
    EXPECT_EQ(VTYPE_NULL, list->GetType(0));
    EXPECT_EQ(VTYPE_INT, list->GetType(2));
    EXPECT_EQ(VTYPE_INVALID, list->GetType(3));
    EXPECT_EQ(L"", list->GetString(2).ToWString());
    EXPECT_EQ(0, list->GetInt(9));
    EXPECT_TRUE(list->Remove(0));
    EXPECT_FALSE(list->Remove(5));
    EXPECT_EQ(7, list->GetInt(1));
}

TEST(ListValues, CopiesAreIndependentAndReceivedListsReadOnly)
{
    CefRefPtr<ListValue> list = new ListValue();
    list->SetString(0, L"a");
    CefRefPtr<CefListValue> copy = list->Copy();
    copy->SetString(0, L"b");
    EXPECT_EQ(L"a", list->GetString(0).ToWString());
    list->MakeReadOnly();
    EXPECT_FALSE(list->SetString(0, L"c"));
    EXPECT_FALSE(list->Clear());
    EXPECT_EQ(L"a", list->GetString(0).ToWString());
}

TEST(ProcessMessages, KeepTheirNameAndFreezeWhenReceived)
{
    CefRefPtr<CefProcessMessage> created = CefProcessMessage::Create(L"Msg.Main");
    EXPECT_EQ(L"Msg.Main", created->GetName().ToWString());
    EXPECT_TRUE(created->GetArgumentList()->SetInt(0, 1));
    CefRefPtr<CefProcessMessage> copy = created->Copy();
    EXPECT_EQ(1, copy->GetArgumentList()->GetInt(0));
    auto* received = static_cast<ProcessMessage*>(created.get());
    received->MakeReadOnly();
    EXPECT_TRUE(created->IsReadOnly());
    EXPECT_FALSE(created->GetArgumentList()->SetInt(0, 2));
    EXPECT_FALSE(copy->IsReadOnly());
}

std::vector<std::wstring> Describe(CefMenuModel& model)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < model.GetCount(); ++i) {
        items.push_back(model.GetTypeAt(i) == MENUITEMTYPE_SEPARATOR
                ? L"-" : std::to_wstring(model.GetCommandIdAt(i)) + L":" + model.GetLabelAt(i).ToWString());
    }
    return items;
}

TEST(MenuModels, AddInsertAndRemoveByIdOrIndex)
{
    CefRefPtr<MenuModel> model = new MenuModel();
    model->AddSeparator();
    model->AddItem(102, L"Reload");
    model->AddItem(131, L"Print");
    model->InsertItemAt(1, 100, L"Back");
    EXPECT_EQ(MENUITEMTYPE_SEPARATOR, model->GetTypeAt(0));
    EXPECT_EQ(-1, model->GetCommandIdAt(0));
    EXPECT_TRUE(model->RemoveAt(0));
    EXPECT_TRUE(model->Remove(131));
    EXPECT_FALSE(model->Remove(131));
    EXPECT_FALSE(model->RemoveAt(7));
    EXPECT_THAT(Describe(*model), ElementsAre(L"100:Back", L"102:Reload"));
    EXPECT_EQ(MENUITEMTYPE_NONE, model->GetTypeAt(-1));
    EXPECT_EQ(1, model->GetIndexOf(102));
    EXPECT_TRUE(model->SetEnabled(100, false));
    EXPECT_FALSE(model->IsEnabled(100));
    EXPECT_FALSE(model->SetEnabled(555, false));
}

TEST(CommandLines, ReadSwitchesAndIgnoreOtherArguments)
{
    CefRefPtr<CommandLine> line = CommandLine::Parse(
        L"\"C:\\Program Files\\app.exe\" --type=renderer plain --channel=\\\\.\\pipe\\x \"--name=two words\" --flag");
    EXPECT_TRUE(line->HasSwitch(L"type"));
    EXPECT_EQ(L"renderer", line->GetSwitchValue(L"type").ToWString());
    EXPECT_EQ(L"\\\\.\\pipe\\x", line->GetSwitchValue(L"channel").ToWString());
    EXPECT_EQ(L"two words", line->GetSwitchValue(L"name").ToWString());
    EXPECT_TRUE(line->HasSwitch(L"flag"));
    EXPECT_FALSE(line->HasSwitch(L"plain"));
    EXPECT_EQ(L"", line->GetSwitchValue(L"missing").ToWString());
}

TEST(CommandLines, WrittenSwitchesParseBackToTheSameValues)
{
    CefRefPtr<CommandLine> line = new CommandLine(L"C:\\dir with space\\app.exe");
    line->AppendSwitch(L"quiet");
    line->AppendSwitchWithValue(L"lang", L"zh CN");
    CefRefPtr<CommandLine> back = CommandLine::Parse(line->GetCommandLineString().ToWString());
    EXPECT_TRUE(back->HasSwitch(L"quiet"));
    EXPECT_EQ(L"zh CN", back->GetSwitchValue(L"lang").ToWString());
    EXPECT_EQ(L" --quiet \"--lang=zh CN\"", line->SwitchesText());
}

} // namespace
} // namespace engine
