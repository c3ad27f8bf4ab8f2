#include <gtest/gtest.h>

#include "attributes/HorizontalScroll.h"
#include "attributes/LineBlocks.h"
#include "attributes/LongMessage.h"
#include "attributes/VerticalScroll.h"
#include "quickedit/QuickMessage.h"
#include "quickedit/RichText.h"

namespace lt {
namespace {

std::string Line(const std::string& text) { return "\\sb90\\sa90 \\f0 \\cf0 " + text; }

std::vector<std::string> PlainParagraphs(const std::string& rtf) {
    std::vector<std::string> out;
    for (const auto& p : SplitParagraphs(rtf)) out.push_back(GetText(p));
    return out;
}

TEST(LineBlocks, JoinCutsAt155AndMergeKeepsAlignment) {
    std::string blocks = Line(std::string(20, 'A'));
    for (int i = 0; i < 9; ++i) blocks += "\\par\r\n\\qc \\f0 \\cf0 " + std::string(19, 'B');
    std::string joined = JoinBlocks(blocks);
    EXPECT_LE(GetText(joined).size(), 155u);
    EXPECT_FALSE(HasControlWord(joined, "qc") || HasParagraphBreak(joined));

    QuickMessage m;
    m.LineCount = 4;
    m.LineRtf[1] = "\\sb90\\sa90 \\qc \\f0 \\cf0 ONE";
    m.LineRtf[2] = Line("TWO");
    m.LineRtf[3] = Line("");
    m.LineRtf[4] = Line("FOUR");
    m.LineScroll[4] = "25,0";
    MergeLinesIntoFirst(m);
    EXPECT_EQ(m.LineRtf[1], "\\sb90\\sa90 \\qc \\f0 \\cf0 ONE\\par\r\n\\ql \\f0 \\cf0 TWO\\par\r\n\\ql \\f0 \\cf0 FOUR");
    EXPECT_EQ(m.LineRtf[2] + m.LineRtf[4] + m.LineScroll[4], "");

    // A continuous line longer than the display goes in as blocks of 20.
    m.LineRtf[1] = Line("TOP");
    m.LineRtf[3] = Line("4#CLGCAca9dCGNgCeG6.h");
    m.LineScroll[3] = "18,0";
    MergeLinesIntoFirst(m);
    EXPECT_EQ(PlainParagraphs(m.LineRtf[1]), (std::vector<std::string>{"TOP", "4#CLGCAca9dCGNgCeG6.", "h"}));
}

TEST(VerticalScroll, OpeningAndOk) {
    QuickMessage m;
    m.LineCount = 4;
    m.VerticalScrollMode = true;
    m.LineRepeat[1] = "0,12";
    m.WaitTime = "7";
    VerticalOpening o = OpenVerticalScroll(m, 1);
    EXPECT_TRUE(o.choice.on && o.choice.repeatLine);
    EXPECT_EQ(std::make_tuple(o.speedLabel, o.interval, o.choice.repeatText), std::make_tuple("FAST", 700, "12"));
    m.WaitTime = "300";
    EXPECT_EQ(OpenVerticalScroll(m, 1).speedLabel, "NORMAL");

    QuickMessage n;
    n.LineCount = 4;
    n.LineRtf[1] = Line("FIRST");
    n.LineRtf[2] = Line("SECOND");
    n.LineRtf[3] = Line("THIRD");
    n.HorizontalScrollMode = true;
    // The merge itself, the refusal of 0 and the opening as off are checked on the dialog.
    VerticalScrollChoice c;
    c.on = c.repeatLine = c.lock = true;
    c.repeatText = "12";
    EXPECT_EQ(ApplyVerticalScroll(n, 2, c).newCurrentLine, 1);
    EXPECT_EQ(PlainParagraphs(n.LineRtf[1]), (std::vector<std::string>{"FIRST", "SECOND", "THIRD"}));
    EXPECT_EQ(n.WaitTime + "|" + n.LockBuffer, "10|ON");
    EXPECT_FALSE(n.HorizontalScrollMode);
    c.repeatLine = false;
    ApplyVerticalScroll(n, 1, c);
    EXPECT_EQ(n.LineRepeat[1] + "|" + n.LockBuffer, "0,0|");
    // Off with paragraphs goes to the long message dialog; a single paragraph turns off.
    c.on = false;
    EXPECT_EQ(ApplyVerticalScroll(n, 1, c).outcome, ScrollOutcome::LongMessage);
    n.LineRtf[1] = Line("ONE");
    EXPECT_EQ(ApplyVerticalScroll(n, 1, c).outcome, ScrollOutcome::Applied);
    EXPECT_TRUE(!n.VerticalScrollMode && n.LineRepeat[1].empty());
}

// The first frames of both samples are checked on the dialogs.
TEST(Samples, HorizontalAndVerticalAnimations) {
    HorizontalSample h;
    for (int i = 0; i < 62; ++i) h.tick(HorizontalKind::Continuous);
    EXPECT_EQ(h.window().size(), 20u);
    EXPECT_EQ(h.tick(HorizontalKind::Block), "  Horizontal block");
    EXPECT_EQ(h.tick(HorizontalKind::Block), "  speed adjustment.");

    VerticalSample v;
    std::vector<std::string> seen;
    for (int i = 0; i < 5; ++i) {
        v.tick();
        seen.push_back(v.first() + "|" + v.second());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"|This is sample text", "This is sample text|for vertical scroll",
                                              "for vertical scroll| speed adjustment!",
                                              " speed adjustment!|This is sample text",
                                              "This is sample text|for vertical scroll"}));
}

} // namespace
} // namespace lt
