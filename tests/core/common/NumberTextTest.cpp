#include <gtest/gtest.h>

#include "common/NumberText.h"

using namespace lt;

// Str writes the sign position, Val takes the leading number, IsNumeric wants one whole
// number, ShortestFloat reads back exactly.
TEST(NumberText, StrValIsNumericAndShortestFloat) {
    EXPECT_EQ(Str(5) + "|" + Str(0) + "|" + Str(-12), " 5| 0|-12");
    const std::pair<const char*, double> values[] = {{"12abc", 12}, {" 1 2 ", 12}, {"abc", 0}, {"", 0}, {"-3)", -3},
                                                     {"2.5x", 2.5}, {"&H1F", 31}, {"1e3", 1000}, {"1e", 1}};
    for (auto [text, value] : values) EXPECT_EQ(Val(text), value) << text;
    EXPECT_EQ(ValInt("2.5"), 2); // half to even
    EXPECT_EQ(ValInt("99999999999999"), 2147483647);
    for (const char* yes : {"255", " -1 ", "12.5"}) EXPECT_TRUE(IsNumeric(yes)) << yes;
    for (const char* no : {"12a", "", ".", "1e"}) EXPECT_FALSE(IsNumeric(no)) << no;
    EXPECT_EQ(ShortestFloat(2880.0f) + "|" + ShortestFloat(1234.5f) + "|" + ShortestFloat(0.1f) + "|" +
                  ShortestFloat(-15.0f),
              "2880|1234.5|0.1|-15");
}
