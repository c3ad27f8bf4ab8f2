#include <gtest/gtest.h>

#include "QuickEditFixture.h"
#include "quickedit/RichText.h"

using namespace lt;

TEST(RichText, PlainTextArgumentsAndMarks) {
    EXPECT_EQ(GetText("\\sb90\\sa90 \\f0 \\cf0 A\\\\B\\par\r\n\\qc \\f65 \\cf0  C\t\xe9"), "A\\B\r\n C");
    EXPECT_EQ(GetText("{\\rtf1 {x}}\r\n\\f0 \\cf0 T"), "T");
    EXPECT_EQ(GetText("\\f-3x\\u8212?"), "x?");
    EXPECT_EQ(GetText("trailing\\"), "trailing");
    EXPECT_EQ(ChkLine("    CALL RELAY(ON)\r\n", "CALL RELAY", '(', ')'), "ON");
    EXPECT_EQ(ChkLine("    CALL SCROLL(f(1),2)", "CALL SCROLL", '(', ')'), "f(1),2");
    EXPECT_EQ(ChkLine("    CALL RELAY(ON", "CALL RELAY", '(', ')') + ChkLine("    CALL BLINK(1)", "CALL RELAY", '(', ')'),
              "");
    EXPECT_EQ(ChkLine("    PRINT\"a\\\"b\\\\\";", "PRINT", '"', '"'), "a\\\"b\\\\");
    EXPECT_TRUE(CheckVariable("\\f64 \\cf4 ^"));
    EXPECT_FALSE(CheckVariable("\\f65 \\cf0 ^\\f0 x"));
    EXPECT_EQ(CountVariables("\\f3 \\cf4 ^^\\f0 \\cf0 a\\f19 \\cf4 ^\\f4 \\f0 b"), 2);
    EXPECT_TRUE(CheckBlink("\\f0 a\\f52 \\cf4 ^"));
    EXPECT_FALSE(CheckBlink("\\f0 a\\f65 \\par\r\n"));
    EXPECT_EQ(BlinkText("\\f0 \\cf0 AB\\f65 \\cf0 CD\\par\r\n\\f20 \\cf4 ^^\\f36 \\cf4 ^"), "AB  \r\n  ^");
    EXPECT_TRUE(HasControlWord("\\f0 \\qc A", "qc"));
    EXPECT_FALSE(HasControlWord("\\f0 \\\\qc A", "qc"));
    EXPECT_EQ(SplitParagraphs("A\\par\r\nB\\\\par\r\nC\\par\r\n"),
              (std::vector<std::string>{"A", "B\\\\par\r\nC", ""}));
    int paragraphs = 0;
    auto runs = SplitRuns("\\sb90\\sa90 \\qc \\f0 \\cf0 A\\f0 \\cf0 B\\f3 \\cf4 ^\\par\r\n\\f65 C\\par\r\n\\ql D",
                          &paragraphs);
    EXPECT_EQ(paragraphs, 3);
    std::vector<std::tuple<std::string, int, int, bool>> got;  // alignment carries to the next paragraph
    for (const auto& r : runs) got.emplace_back(r.text, r.mark, r.paragraph, r.centred);
    EXPECT_EQ(got, (std::vector<std::tuple<std::string, int, int, bool>>{
                       {"AB", 0, 0, true}, {"^", 3, 0, true}, {"C", 65, 1, true}, {"D", 65, 2, false}}));
}

TEST(RichText, MakeBlinkTogglesRunsAndKeepsBlanksSteady) {
    EXPECT_EQ(MakeBlink("\\f0 \\cf0  AB \\f3 \\cf4 ^^\\f33 \\cf4 ^"),
              "\\f0 \\cf0  \\f65 \\cf0 AB\\f0 \\cf0  \\f19 \\cf4 ^^\\f49 \\cf4 ^");
    EXPECT_EQ(MakeBlink("\\f65 \\cf0 AB\\f19 \\cf4 ^^\\f0 \\cf0 C"), "\\f0 \\cf0 AB\\f3 \\cf4 ^^\\f0 \\cf0 C");
    // A selection that starts with a blank left steady still toggles back.
    EXPECT_EQ(MakeBlink(MakeBlink("\\f0 \\cf0  AB")), "\\f0 \\cf0  AB");
    EXPECT_EQ(MakeBlink("\\f0 \\cf0    "), "\\f0 \\cf0    ");
    EXPECT_EQ(MakeBlink("\\sb84\\sa84 \\f0 \\cf0 A\\\\\\par\r\n\\f0 \\cf0 B"),
              "\\sb84\\sa84 \\f65 \\cf0 A\\\\\\par\r\n\\f65 \\cf0 B");
}

TEST(RichText, TruncateTextCutsAtWordsAndKeepsMarks) {
    std::string text = "\\f0 \\cf0 HELLO \\f65 \\cf0 WIDE WORLD";
    // What is cut off, then what stays in `text`.
    auto cut = [&text](int n) { const std::string head = TruncateText(text, n); return head + "|" + text; };
    EXPECT_EQ(cut(12), "\\f0 \\cf0 HELLO \\f65 \\cf0 WIDE|\\f65 \\cf0 WORLD");
    EXPECT_EQ(cut(5), "\\f65 \\cf0 WORLD|");
    text = "\\qc \\f65 \\cf0 ABCDEFGH\\\\IJ";
    EXPECT_EQ(cut(9), "\\qc \\f65 \\cf0 ABCDEFGH\\\\|\\qc \\f65 \\cf0 IJ");
    // A blank right after the n-th character is a word boundary too.
    text = "\\f0 ABCDE FGH";
    EXPECT_EQ(cut(5), "\\f0 ABCDE|\\f0 \\cf0 FGH");
    text = "   X";
    EXPECT_EQ(cut(2), "|\\f0 \\cf0 X");
}
