#include <gtest/gtest.h>

#include "model/errors.h"
#include "model/text_util.h"

namespace zarvex {
namespace {

TEST(TextUtil, StrToIntAcceptsOnlyDecimalIntegers) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("-1"), -1);
    EXPECT_EQ(StrToInt("+12"), 12);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "1 ", " 1", "1a", "0x10", "-", "2147483648", "1.5", "$10"}) {
        EXPECT_THROW(StrToInt(bad), ConversionError) << bad;
    }
    try {
        StrToInt("abc");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
}

TEST(TextUtil, ReplaceAllIgnoresCaseAndKeepsReplacementText) {
    EXPECT_EQ(ReplaceAllIgnoreCase("c:\\SITE\\a.html", "C:\\site", "/site"), "/site\\a.html");
    EXPECT_EQ(ReplaceAllIgnoreCase("aXaXa", "x", "yy"), "ayyayya");
    EXPECT_EQ(ReplaceAllIgnoreCase("abc", "", "z"), "abc");
    EXPECT_EQ(ReplaceAllIgnoreCase("aaa", "aa", "a"), "aa");
}

TEST(TextUtil, TrimRemovesBlanksAndControls) {
    EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("   "), "");
}

}  // namespace
}  // namespace zarvex
