#pragma once
// Where the builder's test skin is read from: the folder beside the test executable,
// its zip file there, or the same zip linked into the executable (BuilderResources.rc).

#include "duilib/core/PaintManager.h"

#include "tests/duilib/core/markup/MarkupTestSupport.h"

namespace builder_skin {

inline void UseFolder()
{
    DuiLib::CPaintManagerUI::SetResourceZip(L"", false);
    DuiLib::CPaintManagerUI::SetResourcePath((markup_test::ExeDirectory() + L"builder\\skin").c_str());
}

inline void UseZipFile()
{
    DuiLib::CPaintManagerUI::SetResourceZip(L"", false);
    DuiLib::CPaintManagerUI::SetResourcePath((markup_test::ExeDirectory() + L"builder").c_str());
    DuiLib::CPaintManagerUI::SetResourceZip(L"builder_skin.zip", false);
}

inline void UseZipResource()
{
    UseFolder();
    const markup_test::SkinResource skin = markup_test::LoadSkinResource();
    if (skin.data != nullptr) { // without it the folder stays, and the tests show it
        DuiLib::CPaintManagerUI::SetResourceZip(const_cast<BYTE*>(skin.data), skin.size);
    }
}

} // namespace builder_skin
