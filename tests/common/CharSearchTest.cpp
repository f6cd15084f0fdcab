#include "common/CharSearch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every position of the match, across and at the ends of the eight-character steps,
// and characters whose top bit is set (they must not pass for smaller ones).
TEST(CharSearch, FindsTheFirstMatchAtEveryPositionOrReturnsTheEnd)
{
    for (size_t length = 0; length <= 33; ++length) {
        std::wstring text(length, L'\x8061');
        const wchar_t* begin = text.data();
        const wchar_t* end = begin + length;
        EXPECT_EQ(FindChar(begin, end, L'a'), end) << length;
        EXPECT_EQ(FindEitherChar(begin, end, L'=', L'>'), end) << length;
        for (size_t at = 0; at < length; ++at) {
            text.assign(length, L'\xFF3E');
            text[at] = L'>';
            if (at + 1 < length) {
                text[at + 1] = L'=';
            }
            EXPECT_EQ(FindChar(begin, end, L'>') - begin, static_cast<std::ptrdiff_t>(at)) << length << " " << at;
            EXPECT_EQ(FindChar(begin, end, L'=') - begin, static_cast<std::ptrdiff_t>(at + 1 < length ? at + 1 : length));
            EXPECT_EQ(FindEitherChar(begin, end, L'=', L'>') - begin, static_cast<std::ptrdiff_t>(at));
            EXPECT_EQ(FindEitherChar(begin + at + 1, end, L'>', L'=') - begin,
                static_cast<std::ptrdiff_t>(at + 1 < length ? at + 1 : length));
        }
    }
}

} // namespace
