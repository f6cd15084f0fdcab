// The view tests' executable is also its own renderer: the engine starts it again with
// --type=renderer, so CefExecuteProcess must come before anything else.
#include <gmock/gmock.h>

#include "CefApi.h"
#include "browser/CefAppEx.h"

int main(int argc, char** argv)
{
    CefRefPtr<CCefAppEx> application = new CCefAppEx();
    const int subProcessCode = CefExecuteProcess(CefMainArgs(::GetModuleHandleW(nullptr)), application.get());
    if (subProcessCode >= 0) {
        return subProcessCode;
    }
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
