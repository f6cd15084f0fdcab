// CDialogBuilder: a window skin built from a folder, a zip file and a zip resource into
// the tree it describes with its declarations applied; markup edge cases as a table;
// numbered resources, inclusions that would never end, the language document, and
// building into a window's live tree.

#include "duilib/control/ButtonUI.h"
#include "duilib/control/LabelUI.h"
#include "duilib/control/OptionUI.h"
#include "duilib/core/DialogBuilder.h"
#include "duilib/core/PaintManager.h"
#include "duilib/layout/IContainerUI.h"
#include "duilib/layout/VerticalLayoutUI.h"

#include "tests/duilib/core/builder/BuilderSkin.h"
#include "tests/duilib/support/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using DuiLib::CControlUI;
using DuiLib::CDialogBuilder;
using DuiLib::CPaintManagerUI;

namespace {

// "Class:name(children...)" for a tree; "" for null.
std::string Describe(CControlUI* control)
{
    if (control == nullptr) {
        return "";
    }
    std::string text;
    for (const wchar_t* p = control->GetClass(); *p != 0; ++p) {
        text += static_cast<char>(*p);
    }
    text.resize(text.size() - 2); // "UI"
    text += ":";
    for (const wchar_t* p = control->GetName().GetData(); *p != 0; ++p) {
        text += static_cast<char>(*p);
    }
    auto* container = static_cast<DuiLib::IContainerUI*>(control->GetInterface(L"IContainer"));
    if (container != nullptr) {
        text += "(";
        for (int i = 0; i < container->GetCount(); ++i) {
            text += (i > 0 ? "," : "") + Describe(container->GetItemAt(i));
        }
        text += ")";
    }
    return text;
}

// Makes a plain control for "Custom" and records every name it is asked for.
class RecordingCallback final : public DuiLib::IDialogBuilderCallback {
public:
    CControlUI* CreateControl(LPCTSTR pstrClass) override
    {
        asked.emplace_back(pstrClass);
        return std::wstring(pstrClass) == L"Custom" ? new CControlUI : nullptr;
    }
    std::vector<std::wstring> asked;
};

using builder_skin::UseFolder;
using builder_skin::UseZipFile;
using builder_skin::UseZipResource;

struct Source {
    const char* name;
    void (*use)();
    const wchar_t* zip; // the zip name the source sets
};

void PrintTo(const Source& source, std::ostream* os)
{
    *os << source.name;
}

class BuildSkin : public testing::TestWithParam<Source> {
protected:
    BuildSkin() : m_window(640, 480)
    {
        CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
        GetParam().use();
    }
    ~BuildSkin() override { CPaintManagerUI::SetResourceZip(L"", false); }

    probe::TestWindow m_window;
    RecordingCallback m_callback;
};

TEST_P(BuildSkin, TreeDeclarationsAndWindowAttributes)
{
    ASSERT_STREQ(GetParam().zip, CPaintManagerUI::GetResourceZip().GetData());
    CPaintManagerUI& manager = m_window.Manager();
    CDialogBuilder builder;
    CControlUI* root = builder.Create(L"Main.xml", nullptr, &m_callback, &manager);
    ASSERT_NE(nullptr, root);
    ASSERT_TRUE(manager.AttachDialog(root));
    m_window.Paint(); // the missing image is only found missing when drawn
    EXPECT_EQ("VerticalLayout:root(Label:title,Button:close,HorizontalLayout:row(Option:nba,Option:cba,Control:custom),"
              "Label:panel,Label:panel,Label:bad)",
              Describe(root));
    EXPECT_EQ((std::vector<std::wstring>{L"Custom", L"button", L"Edit"}), m_callback.asked)
        << "unknown names go to the callback; children of a refused element are never seen";

    EXPECT_EQ(4u, manager.GetCustomFontCount()) << "a nameless font and one below the root do not count";
    EXPECT_STREQ(L"\x5B8B\x4F53", manager.GetFontInfo(2)->sFontName);
    EXPECT_EQ(16, manager.GetFontInfo(2)->iSize);
    EXPECT_TRUE(manager.GetFontInfo(2)->bItalic);
    EXPECT_TRUE(manager.GetFontInfo(0)->bBold);
    EXPECT_EQ(12, manager.GetFontInfo(1)->iSize) << "the default size";
    EXPECT_NE(nullptr, manager.GetImage(L"green.png"));
    EXPECT_EQ(nullptr, manager.GetImage(L"missing.png"));
    EXPECT_STREQ(L"\x6807\x9898", CPaintManagerUI::GetLanguageAttributeList(L"ID_TITLE"));

    EXPECT_EQ(640, manager.GetInitSize().cx);
    EXPECT_EQ(32, manager.GetCaptionRect().bottom);
    EXPECT_EQ(400, manager.GetMinInfo().cx);
    EXPECT_TRUE(manager.IsUseShadow());
    EXPECT_EQ(0xFF112233u, manager.GetDefaultFontColor());

    auto* title = static_cast<DuiLib::CLabelUI*>(manager.FindControl(L"title"));
    EXPECT_STREQ(L"\x76F4\x64AD\x4E2D\x5FC3", title->GetText().GetData());
    EXPECT_EQ(2, title->GetFont());
    auto* close = static_cast<DuiLib::CButtonUI*>(manager.FindControl(L"close"));
    EXPECT_EQ(0xFFFF0000u, close->GetTextColor()) << "own attributes after the default list";
    EXPECT_EQ(50, close->GetFixedWidth()) << "the first default list of a name stays";
    EXPECT_STREQ(L"\x5173\x95ED", close->GetText().GetData());
    EXPECT_TRUE(static_cast<DuiLib::COptionUI*>(manager.FindControl(L"cba"))->IsSelected());
    EXPECT_EQ(2, manager.GetOptionGroup(L"league")->GetSize());
    EXPECT_EQ(0, manager.FindControl(L"bad")->GetFixedWidth());
}

const Source kSources[] = {{"folder", UseFolder, L""},
                           {"zipfile", UseZipFile, L"builder_skin.zip"},
                           {"zipresource", UseZipResource, L"membuffer"}};

INSTANTIATE_TEST_SUITE_P(Sources, BuildSkin, testing::ValuesIn(kSources));

struct MarkupCase {
    const char* label;
    const wchar_t* markup;
    bool manager;
    const char* tree;
};

void PrintTo(const MarkupCase& c, std::ostream* os)
{
    *os << c.label;
}

class BuildMarkup : public testing::TestWithParam<MarkupCase> {};

TEST_P(BuildMarkup, GivesTheTree)
{
    UseFolder();
    const MarkupCase& c = GetParam();
    CPaintManagerUI manager;
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Create(c.markup, nullptr, nullptr, c.manager ? &manager : nullptr));
    EXPECT_EQ(c.tree, Describe(root.get()));
    EXPECT_EQ(0, manager.GetInitSize().cx) << "window attributes need a window";
}

const MarkupCase kMarkupCases[] = {
    {"a root alone builds nothing", L"<Window size=\"5,5\" />", true, ""},
    {"any root", L"<Panel size=\"5,5\"><Label name=\"a\" /></Panel>", true, "Label:a"},
    {"names are case-sensitive", L"<W><button name=\"b\" /><Button name=\"a\" /></W>", true, "Button:a"},
    {"the first control is the result", L"<W><Label name=\"a\" /><Label name=\"b\" /></W>", true, "Label:a"},
    {"without a manager", L"<W><VerticalLayout name=\"v\"><Label name=\"a\" /></VerticalLayout></W>", false,
     "VerticalLayout:v(Label:a)"},
    {"children of a leaf are not built", L"<W><Label name=\"l\"><Button name=\"b\" /></Label></W>", true, "Label:l"},
    {"included three times, in order",
     L"<W><VerticalLayout name=\"v\"><Label name=\"a\" /><ChildLayout xmlfile=\"Panel.xml\" count=\"3\" />"
     L"<Label name=\"z\" /></VerticalLayout></W>",
     true, "VerticalLayout:v(Label:a,Label:panel,Label:panel,Label:panel,Label:z)"},
    {"count 0 includes nothing",
     L"<W><VerticalLayout name=\"v\"><ChildLayout xmlfile=\"Panel.xml\" count=\"0\" /></VerticalLayout></W>", true,
     "VerticalLayout:v()"},
    {"a missing file includes nothing",
     L"<W><VerticalLayout name=\"v\"><ChildLayout xmlfile=\"nowhere.xml\" /></VerticalLayout></W>", true,
     "VerticalLayout:v()"},
    {"a file that includes itself ends",
     L"<W><ChildLayout /><VerticalLayout name=\"v\"><ChildLayout xmlfile=\"Self.xml\" /></VerticalLayout></W>", true,
     "VerticalLayout:v(VerticalLayout:outer(Label:self))"},
    {"markup text includes markup text",
     L"<W><VerticalLayout name=\"v\"><ChildLayout xmlfile=\"&lt;W&gt;&lt;Label name=&quot;t&quot; /&gt;&lt;/W&gt;\" />"
     L"</VerticalLayout></W>",
     true, "VerticalLayout:v(Label:t)"},
    {"files that include each other end",
     L"<W><VerticalLayout name=\"v\"><ChildLayout xmlfile=\"LoopA.xml\" /></VerticalLayout></W>", true,
     "VerticalLayout:v(VerticalLayout:a(HorizontalLayout:b()))"},
    {"faulty values still build",
     L"<W><Button name=\"b\" textcolor=\"#\" width=\"-\" padding=\"1\" inset=\"x\" selected=\"yes\" /></W>", true,
     "Button:b"},
};

INSTANTIATE_TEST_SUITE_P(Table, BuildMarkup, testing::ValuesIn(kMarkupCases));

TEST(BuildFailures, UnparsableDocumentsGiveNullAndTheParsersMessage)
{
    UseFolder();
    const struct {
        const wchar_t* xml;
        const wchar_t* message;
    } cases[] = {{L"<Window><Label></Window>", L"Unmatched closing tag"},
                 {L"nowhere.xml", L"Error opening file"},
                 {L"<Window><Label text=x /></Window>", L"Expected attribute value"}};
    for (const auto& c : cases) {
        CDialogBuilder builder;
        EXPECT_EQ(nullptr, builder.Create(c.xml));
        wchar_t message[100] = {};
        builder.GetLastErrorMessage(message, 100);
        EXPECT_STREQ(c.message, message) << c.xml;
    }
}

TEST(BuildResources, NumberedDocumentsIncludeByNumber)
{
    CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
    UseFolder();
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Create(201, L"xml"));
    EXPECT_EQ("VerticalLayout:fromid(Label:panel)", Describe(root.get()))
        << "a numbered document names its inclusions by number; a file name is no number";
    CDialogBuilder wrongType;
    EXPECT_EQ(nullptr, wrongType.Create(201, L"DAT"));
    CDialogBuilder noType;
    EXPECT_EQ(nullptr, noType.Create(201));
}

TEST(BuildLanguage, OneLanguageDocumentPerProcess)
{
    UseFolder();
    probe::TestWindow window(100, 100, false);
    CPaintManagerUI::RemoveAllLanguageAttributeList();
    CPaintManagerUI::bLoadingLanguage = false;
    CDialogBuilder first;
    delete first.Create(L"<W><Language xmlfile=\"Lang.xml\" /><Label /></W>", nullptr, nullptr, &window.Manager());
    EXPECT_STREQ(L"\x7532", CPaintManagerUI::GetLanguageAttributeList(L"ID_A"));
    EXPECT_TRUE(CPaintManagerUI::bLoadingLanguage);
    CPaintManagerUI::RemoveAllLanguageAttributeList();
    CDialogBuilder second;
    delete second.Create(L"<W><Language xmlfile=\"Lang.xml\" /><Label /></W>", nullptr, nullptr, &window.Manager());
    EXPECT_EQ(nullptr, CPaintManagerUI::GetLanguageAttributeList(L"ID_A")) << "a later window loads none";
    CPaintManagerUI::ReLoadLanguage(L"<L><lang name=\"ID_A\" value=\"B\" /><lang name=\"ID_A\" value=\"C\" /></L>");
    EXPECT_STREQ(L"B", CPaintManagerUI::GetLanguageAttributeList(L"ID_A")) << "the first entry of a key stays";
}

// A parent that is part of a window's tree gets its new children complete: named,
// attached and initialised.
TEST(BuildIntoLiveTree, ControlsJoinTheWindow)
{
    probe::TestWindow window(100, 100, false);
    auto* root = new DuiLib::CVerticalLayoutUI;
    window.Manager().AttachDialog(root);
    CDialogBuilder builder;
    CControlUI* first = builder.Create(L"<W><Label name=\"late\" /><Option name=\"o\" group=\"g\" /></W>", nullptr,
                                       nullptr, &window.Manager(), root);
    EXPECT_EQ("VerticalLayout:(Label:late,Option:o)", Describe(root));
    EXPECT_EQ(first, window.Manager().FindControl(L"late"));
    EXPECT_EQ(&window.Manager(), first->GetManager());
    EXPECT_EQ(root, first->GetParent());
    EXPECT_EQ(1, window.Manager().GetOptionGroup(L"g")->GetSize());
}

} // namespace
