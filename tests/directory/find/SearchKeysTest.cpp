#include "directory/SearchKeys.h"

#include <gtest/gtest.h>

namespace {

// Each range of the key set with the codes just outside it.
TEST(SearchKeysTest, TheSetEndsExactlyAtEachRangesEdges)
{
    const int taken[] = { 8, 34, 46, 48, 57, 65, 90, 96, 111, 187, 192, 219, 222 };
    const int left[]
        = { 0, 7, 9, 13, 16, 27, 32, 33, 35, 37, 40, 45, 47, 58, 64, 91, 95, 112, 186, 193, 218, 223, 255 };
    for (const int code : taken)
        EXPECT_TRUE(SearchKeys::takesFieldText(code)) << code;
    for (const int code : left)
        EXPECT_FALSE(SearchKeys::takesFieldText(code)) << code;
}

} // namespace
