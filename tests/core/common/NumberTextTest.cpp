#include <gtest/gtest.h>

#include "common/NumberText.h"

using namespace lt;

// Str writes the sign position, Val takes the leading number, IsNumeric wants one whole
// number, ShortestFloat reads back exactly.
TEST(NumberText, StrValIsNumericAndShortestFloat) {
    EXPECT_EQ(Str(5), " 5");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(-12), "-12");
    EXPECT_EQ(Val("12abc"), 12);
    EXPECT_EQ(Val(" 1 2 "), 12);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("-3)"), -3);
    EXPECT_EQ(Val("2.5x"), 2.5);
    EXPECT_EQ(Val("&H1F"), 31);
    EXPECT_EQ(Val("1e3"), 1000);
    EXPECT_EQ(Val("1e"), 1);
    EXPECT_EQ(ValInt("2.5"), 2); // half to even
    EXPECT_EQ(ValInt("99999999999999"), 2147483647);
    EXPECT_TRUE(IsNumeric("255"));
    EXPECT_TRUE(IsNumeric(" -1 "));
    EXPECT_TRUE(IsNumeric("12.5"));
    EXPECT_FALSE(IsNumeric("12a"));
    EXPECT_FALSE(IsNumeric(""));
    EXPECT_FALSE(IsNumeric("."));
    EXPECT_FALSE(IsNumeric("1e"));
    EXPECT_EQ(ShortestFloat(2880.0f), "2880");
    EXPECT_EQ(ShortestFloat(1234.5f), "1234.5");
    EXPECT_EQ(ShortestFloat(0.1f), "0.1");
    EXPECT_EQ(ShortestFloat(-15.0f), "-15");
}
