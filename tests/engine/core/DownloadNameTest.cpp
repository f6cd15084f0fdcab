// The file name proposed for a download comes from the server, so it is cleaned.
#include <gtest/gtest.h>

#include "engine/browser/Download.h"

namespace engine {
namespace {

struct NameCase {
    const wchar_t* url;
    const char* disposition;
    const wchar_t* expected;
};

class SuggestedName : public ::testing::TestWithParam<NameCase> {};

TEST_P(SuggestedName, IsASafeFileName)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(std::wstring(c.expected), Download::SuggestFileName(c.url, c.disposition));
}

INSTANTIATE_TEST_SUITE_P(Downloads, SuggestedName,
    ::testing::Values(NameCase{L"http://h/get?id=1", "attachment; filename=\"report.bin\"", L"report.bin"},
        NameCase{L"http://h/get", "attachment; filename=plain.zip; size=3", L"plain.zip"},
        NameCase{L"http://h/files/video.mp4?x=1#f", "", L"video.mp4"},
        NameCase{L"http://h/x", "attachment; filename=\"..\\..\\Windows\\evil.exe\"", L"evil.exe"},
        NameCase{L"http://h/x", "attachment; filename=\"a:b*c?.txt\"", L"a_b_c_.txt"},
        NameCase{L"http://h/", "", L"download"},
        NameCase{L"http://h/dots...", "", L"dots"},
        NameCase{L"http://h/x", "attachment; filename=\"..\"", L"download"}));

} // namespace
} // namespace engine
