// The child layout: its sub-skin built when it joins a window, from the resource folder
// and from a zip resource; a missing file leaves it empty, a self-including file ends,
// and initialising it again replaces its content.

#include "duilib/core/PaintManager.h"
#include "duilib/layout/ChildLayoutUI.h"
#include "duilib/layout/VerticalLayoutUI.h"

#include "tests/duilib/core/builder/BuilderSkin.h"
#include "tests/duilib/support/TestWindow.h"

#include <gtest/gtest.h>

#include <string>

using DuiLib::CChildLayoutUI;
using DuiLib::CPaintManagerUI;

namespace {

enum class Source { Folder, ZipResource };

void Use(Source source)
{
    if (source == Source::Folder) {
        builder_skin::UseFolder();
    } else {
        builder_skin::UseZipResource();
    }
}

DuiLib::CControlUI* CALLBACK Describe(DuiLib::CControlUI* control, LPVOID data)
{
    *static_cast<std::wstring*>(data) += std::wstring(control->GetClass()) + L":" + control->GetName().GetData() + L" ";
    return nullptr;
}

// The class and name of each control below the child layout, depth first.
std::wstring Content(CChildLayoutUI& child)
{
    std::wstring text;
    for (int i = 0; i < child.GetCount(); ++i) {
        (void)child.GetItemAt(i)->FindControl(Describe, &text, DuiLib::UIFIND_ME_FIRST); // visits every control
    }
    return text;
}

// The child layout joins a live window, which initialises it.
std::wstring BuildIn(probe::TestWindow& window, CChildLayoutUI*& child, const wchar_t* file)
{
    auto* root = new DuiLib::CVerticalLayoutUI;
    child = new CChildLayoutUI;
    child->SetAttribute(L"xmlfile", file);
    root->Add(child);
    window.Manager().AttachDialog(root);
    return Content(*child);
}

TEST(ChildLayout, BuildsItsFileWhenItJoinsAWindow)
{
    const struct {
        Source source;
        const wchar_t* file;
        const wchar_t* content;
    } cases[] = {
        {Source::Folder, L"Panel.xml", L"LabelUI:panel "},
        {Source::ZipResource, L"Panel.xml", L"LabelUI:panel "},
        {Source::ZipResource, L"nowhere.xml", L""},
        {Source::Folder, L"Self.xml", L"VerticalLayoutUI:outer LabelUI:self "},
        {Source::Folder, L"<W><Label name=\"inline\" /><Label name=\"dropped\" /></W>", L"LabelUI:inline "},
    };
    for (const auto& c : cases) {
        Use(c.source);
        probe::TestWindow window(100, 100, false);
        CChildLayoutUI* child = nullptr;
        EXPECT_EQ(c.content, BuildIn(window, child, c.file)) << c.file;
        CPaintManagerUI::SetResourceZip(L"", false);
    }
}

TEST(ChildLayout, InitialisingAgainReplacesTheContent)
{
    Use(Source::Folder);
    probe::TestWindow window(100, 100, false);
    CChildLayoutUI* child = nullptr;
    ASSERT_EQ(L"LabelUI:panel ", BuildIn(window, child, L"Panel.xml"));
    EXPECT_EQ(&window.Manager(), child->GetItemAt(0)->GetManager());
    EXPECT_EQ(child, window.Manager().FindControl(L"panel")->GetParent());
    child->Init();
    EXPECT_EQ(1, child->GetCount());
    EXPECT_EQ(nullptr, child->GetInterface(L"IContainer")) << "the builder must not fill it";
    EXPECT_EQ(child, child->GetInterface(L"ChildLayout"));
}

} // namespace
