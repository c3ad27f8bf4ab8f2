#include <gtest/gtest.h>

#include "attributes/BlinkSettings.h"
#include "attributes/SpeedScale.h"
#include "attributes/VariableFields.h"
#include "quickedit/QuickMessage.h"

namespace lt {
namespace {

TEST(SpeedScale, TablesAndRangesPutStoredValuesOnTheSlider) {
    const char* names[] = {"SLOWEST", "SLOWER", "SLOW", "NORMAL", "FAST", "FASTER", "FASTEST"};
    const char* rates[] = {"100", "70", "40", "25", "18", "8", "1"};
    const char* blocks[] = {"50", "30", "20", "10", "6", "3", "1"};
    const int continuous[] = {1000, 700, 400, 250, 150, 100, 40};
    for (int p = 1; p <= 7; ++p) {
        EXPECT_EQ(SpeedName(p), names[p - 1]);
        EXPECT_EQ(RateCode(p), rates[p - 1]);
        EXPECT_EQ(BlockCode(p), blocks[p - 1]);
        EXPECT_EQ(ContinuousInterval(p), continuous[p - 1]);
        EXPECT_EQ(BlockInterval(p), std::stoi(blocks[p - 1]) * 100);
        // Every written value reads back onto its own position.
        EXPECT_EQ(RatePosition(std::stod(rates[p - 1])), p);
        EXPECT_EQ(BlockPosition(std::stoll(blocks[p - 1])), p);
    }
    const std::pair<double, int> rateRows[] = {{1, 7}, {4.9, 7}, {5, 6}, {12, 6}, {13, 5}, {19, 5}, {20, 4},
                                               {29, 4}, {30, 3}, {49, 3}, {50, 2}, {79, 2}, {80, 1}, {254, 1},
                                               {255, 4}, {300, 4}, {0, 4}, {-3, 4}};
    for (auto [r, p] : rateRows) EXPECT_EQ(RatePosition(r), p) << r;
    const std::pair<long long, int> blockRows[] = {{1, 7}, {2, 6}, {4, 6}, {5, 5}, {8, 5}, {9, 4}, {14, 4}, {15, 3},
                                                   {24, 3}, {25, 2}, {39, 2}, {40, 1}, {254, 1}, {255, 4}, {0, 4}};
    for (auto [w, p] : blockRows) EXPECT_EQ(BlockPosition(w), p) << w;
    EXPECT_EQ(SpeedName(0), "NORMAL");
    EXPECT_EQ(AfterComma("25, 3 ") + "|" + AfterComma("25") + "|" + BeforeComma("8,1"), "3||8");
}

TEST(BlinkSettings, OpeningReadsRateFrameAndCaption) {
    QuickMessage m;
    BlinkOpening o = OpenBlink(m, 2);
    EXPECT_EQ(std::make_tuple(o.frameLineCaption, o.on, o.position), std::make_tuple("Blink line", false, 4));

    m.LineBlink[1] = " 1 0,1";  // blanks inside the rate are removed: 10
    m.LineRepeat[1] = "0,0";
    o = OpenBlink(m, 1);
    EXPECT_EQ(std::make_tuple(o.frameLineCaption, o.on, o.position, o.interval),
              std::make_tuple("Blink block", true, 6, 100));

    m.LineBlink[1] = "300,1";
    o = OpenBlink(m, 1);
    EXPECT_EQ(o.position, 4);
    EXPECT_GT(o.interval, 0);
}

TEST(BlinkSettings, OkWritesTheLineAndSharesTheRate) {
    QuickMessage m;
    m.LineCount = 4;
    m.LineBlink[2] = "25,1";
    m.LineBlink[4] = "100,ON";
    const std::string blinking = "\\sb90\\sa90 \\f0 \\cf0 AB\\f65 \\cf0 CD";
    ApplyBlink(m, 1, "{\\rtf1\\ansi{\\fonttbl}\\fs30 " + blinking, true, 5);
    EXPECT_EQ(m.LineRtf[1], blinking);
    auto blinks = [&] { return m.LineBlink[1] + "|" + m.LineBlink[2] + "|" + m.LineBlink[3] + "|" + m.LineBlink[4]; };
    EXPECT_EQ(blinks(), "18,1|18,1||18,ON");
    // On, but nothing marked: no blink statement for the line.
    ApplyBlink(m, 3, "\\sb90\\sa90 \\f0 \\cf0 PLAIN", true, 1);
    EXPECT_EQ(blinks(), "18,1|18,1||18,ON");
    // Off stops the line blinking: the marked characters become steady with the rate.
    ApplyBlink(m, 1, blinking, false, 7);
    EXPECT_EQ(m.LineBlink[1] + m.LineRtf[1], "\\sb90\\sa90 \\f0 \\cf0 ABCD");
}

TEST(VariableFields, MarksStatusPlaceholdersAndRemoval) {
    EXPECT_EQ((std::vector<int>{VariableMark(3, false, false), VariableMark(3, true, false), VariableMark(3, false, true),
                                VariableMark(16, true, true), WithFill(19, true), WithFill(51, false), WithFill(35, true)}),
              (std::vector<int>{3, 19, 35, 64, 51, 19, 35}));
    const std::pair<int, const char*> statuses[] = {{3, "Variable  3, leading spaces."},
                                                    {19, "Variable  3, leading spaces, blinking."},
                                                    {35, "Variable  3, leading zeros."},
                                                    {64, "Variable  16, leading zero, blinking"}, {65, ""}};
    for (auto [mark, text] : statuses) EXPECT_EQ(VariableStatus(mark), text) << mark;
    EXPECT_TRUE(IsPlaceholderSelection("^^.^", "^"));
    EXPECT_FALSE(IsPlaceholderSelection("^A^", "^") || IsPlaceholderSelection("", "^"));
    EXPECT_EQ(PlaceholderMessage("#"), "Selected area doesn't contain variable place holder # only.");

    EXPECT_EQ(VariableHelpLine("optOn", true), "All controls are enabled. You can edit variable assignments.");
    EXPECT_EQ(VariableHelpLine("optOn", false), "Click once to enable all controls in this form and start editing.");
    EXPECT_EQ(VariableOfCell(1, 0), 9);

    const std::string line = "\\sb90\\sa90 \\f0 \\cf0 T \\f3 \\cf4 ^^\\f0 \\cf0  \\f60 \\cf4 ^.^\\f65 \\cf0 X";
    auto marks = CheckMark(line);
    EXPECT_TRUE(HasAnyVariable(marks));
    for (int v = 1; v <= 16; ++v) EXPECT_EQ(marks[v], v == 3 || v == 12) << v;
    EXPECT_EQ(RemoveVariables(line), "\\sb90\\sa90 \\f0 \\cf0 T \\f0 \\cf0 ^^\\f0 \\cf0  \\f65 \\cf0 ^.^\\f65 \\cf0 X");
    EXPECT_FALSE(HasAnyVariable(CheckMark(RemoveVariables(line))));
}

} // namespace
} // namespace lt
