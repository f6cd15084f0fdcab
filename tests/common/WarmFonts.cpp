// Run once before the suites: the first GDI text of a fresh Wine prefix scans every
// installed font and fills the prefix's font cache, which takes long enough to make
// tests that happen to run first time out.
#include "common/Handles.h"

int main()
{
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    for (const wchar_t* face : {L"微软雅黑", L"宋体", L"Tahoma"}) {
        const UniqueFont font(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face));
        SelectObjectScope scope(dc.get(), font.get());
        SIZE size{};
        if (!::GetTextExtentPoint32W(dc.get(), L"直播", 2, &size)) {
            return 1;
        }
    }
    return 0;
}
