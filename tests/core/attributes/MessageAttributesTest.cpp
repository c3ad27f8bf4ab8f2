#include <gtest/gtest.h>

#include "attributes/LongMessage.h"
#include "attributes/SendText.h"
#include "attributes/StartMessages.h"
#include "quickedit/QuickMessage.h"
#include "quickedit/RichText.h"

namespace lt {
namespace {

std::string Line(const std::string& text) { return "\\sb90\\sa90 \\f0 \\cf0 " + text; }

// Opening, a good OK and Off are checked on the dialog; here the bar's range and every
// refusal.
TEST(StartMessages, BarRangeAndRefusals) {
    EXPECT_EQ(std::make_pair(StartBarValue(""), StartBarValue("5000")), std::make_pair(0, 1023));
    QuickMessage m;
    m.CurrentMessage = 9;
    m.StartSameTask = "5";
    struct Row {
        std::string a, b, message;
        int box;
    } rows[] = {
        {"9", "", "Message 9 is the current message. You cannot call the current message.", 0},
        {"1", "2000", "2000 is bigger than the maximum message number 1023.", 1},
        {"-4", "", "-4 is smaller than the minimum message number 0.", 0},
        {"7", "7", "You cannot start message 7 more than once.", -1},
        // Numbers count by value, as typed with zeros in front.
        {"009", "", "Message 009 is the current message. You cannot call the current message.", 0},
        {"7", "007", "You cannot start message 7 more than once.", -1},
    };
    for (const Row& row : rows) {
        StartChoice bad;
        bad.on = true;
        bad.boxes[0].text = row.a;
        bad.boxes[1].text = row.b;
        StartResult r = ApplyStart(m, bad);
        // Refused: the record is untouched.
        EXPECT_EQ(std::make_tuple(r.accepted, r.message, r.emptyBox, m.StartSameTask),
                  std::make_tuple(false, row.message, row.box, "5"));
    }
    EXPECT_EQ(StartHelpLine("optEnd"),
              "You can select whether the START MESSAGE occurs at the begining or end of this message script.");
}

// The dialog checks the <CR> cell, the ^@ description, "A<cr>B<13>C<0Dh>" both ways,
// backspace at a name, a click on a name, blanks alone, the break at 31 and the slave.
TEST(SendText, TableEncodingAndDecoding) {
    EXPECT_EQ(ControlDescription(27), "         Key = ^[        Decimal = 27        Hex = 1Bh");
    EXPECT_EQ(ControlCodeOfCell(3, 7), 31);

    EXPECT_EQ(EncodeSendText("A<XYZ>B", "<", ">"), "AXYZB");
    EXPECT_EQ(EncodeSendText("A<B", "<", ">"), "A<B");
    EXPECT_EQ(EncodeSendText("x<1fH>y<fs><esc", "<", ">"), "x#_y#\\\\<esc");
    EXPECT_EQ(EncodeSendText("LINE1\r\nLINE2<32>", "<", ">"), "LINE1LINE232");
    EXPECT_EQ(DecodeSendText("#\\\\#@z#", "[", "]"), "[FS][NUL]z#");
    for (int code = 0; code < 32; ++code)
        EXPECT_EQ(EncodeSendText(DecodeSendText(StoredCode(code), "<", ">"), "<", ">"), StoredCode(code));
}

TEST(SendText, EditingRulesAndOk) {
    EXPECT_TRUE(BackspaceBlocked("A<", 2, "<", ">"));
    EXPECT_FALSE(BackspaceBlocked("A<CR", 4, "<", ">"));
    NameSpan n = NameAtCursor("AB<ESC>CD", 4, "<", ">");
    EXPECT_EQ(std::make_pair(n.start, n.end), std::make_pair(2, 7));
    EXPECT_EQ(NameAtCursor("AB<ESC>CD", 8, "<", ">").start, -1);
    EXPECT_EQ(NameAtCursor("AB<ESC", 4, "<", ">").start, -1);
    EXPECT_FALSE(NeedsLineBreak(std::string(26, 'X'), 26));
    EXPECT_FALSE(NeedsLineBreak(std::string(10, 'X') + " " + std::string(20, 'X'), 31));

    QuickMessage m;
    m.SendText = "host";
    EXPECT_EQ(OpenSend(m), SendChoice::Slave);
    m.SendText = "A#M";
    EXPECT_EQ(OpenSend(m), SendChoice::Text);
    SendResult r = ApplySend(m, SendChoice::Text, "HI<LF>", "<", ">");
    EXPECT_TRUE(r.close);
    EXPECT_EQ(r.caption + m.SendText, "Sen&d msg ON...HI#J");
    EXPECT_EQ(ApplySend(m, SendChoice::Off, "ignored", "<", ">").caption, "Sen&d msg OFF...");
    EXPECT_EQ(m.SendText, "");
}

TEST(LongMessage, SituationsAndTheirTexts) {
    QuickMessage m;
    EXPECT_EQ(LongMessageSituation(m, 1), LongSituation::FixedTooLong);
    LongMessageTexts t = LongMessageText(LongSituation::FixedTooLong);
    EXPECT_TRUE(t.showThird && t.options[0] == "Do not create long message");
    EXPECT_EQ(t.prompt, "You typed 21 characters. A fixed message is limited to 20 characters per line. If you want to "
                        "create a longer message, select one of the following:");
    m.LineScroll[1] = "25,0";
    EXPECT_EQ(LongMessageSituation(m, 1), LongSituation::ContinuousOff);
    t = LongMessageText(LongSituation::ContinuousOff);
    EXPECT_FALSE(t.showThird);
    EXPECT_EQ(t.prompt, "You just turned continuous scroll off. If you want to switch to a different type long message, "
                        "please select one of the options below or press OK to truncate after 20th caracter.");
    EXPECT_EQ(t.options[2], "Vertical scroll (block by block). Your message will scroll in blocks of 20 characters "
                            "across the display from bottom line up. NOTE THAT ALL LINES WILL BE MERGED.");
    m.LineScroll[1].clear();
    m.LineRepeat[1] = "0,0";
    EXPECT_EQ(LongMessageSituation(m, 1), LongSituation::None);
    m.VerticalScrollMode = true;
    EXPECT_EQ(LongMessageSituation(m, 1), LongSituation::VerticalOff);
    EXPECT_EQ(LongMessageText(LongSituation::VerticalOff).options[1],
              "Horizontal scroll (continuous). Your message will scroll character by character across one line of "
              "the display (up to 155 chars).");
    m.HorizontalScrollMode = true;
    EXPECT_EQ(LongMessageSituation(m, 1), LongSituation::BlockOff);
}

TEST(LongMessage, EffectsOfEachOption) {
    QuickMessage fresh;
    fresh.LineCount = 4;
    // Fixed line too long.
    QuickMessage m = fresh;
    m.LineRtf[2] = Line(std::string(21, 'X'));
    EXPECT_EQ(ApplyLongMessage(m, 2, 0).followUp, FollowUp::None);
    EXPECT_EQ(m.LineRtf[2], Line(std::string(21, 'X')));
    EXPECT_EQ(ApplyLongMessage(m, 2, 1).followUp, FollowUp::HorizontalScroll);
    EXPECT_EQ(m.LineScroll[2], "25,0");
    m = fresh;
    EXPECT_EQ(ApplyLongMessage(m, 2, 2).followUp, FollowUp::HorizontalScroll);
    EXPECT_TRUE(m.LineRepeat[2] == "0,0" && m.HorizontalScrollMode);
    m = fresh;
    LongMessageResult r = ApplyLongMessage(m, 2, 3);
    EXPECT_EQ(std::make_pair(r.followUp, r.newCurrentLine), std::make_pair(FollowUp::VerticalScroll, 1));
    EXPECT_TRUE(m.LineRepeat[1] == "0,0" && m.VerticalScrollMode);

    // Continuous turned off: truncate, blocks, vertical.
    const std::string forty = "ONE TWO THREE FOUR FIVE SIX SEVEN EIGHT";
    m = fresh;
    for (int option : {0, 1}) {
        m.LineRtf[1] = Line(forty);
        m.LineScroll[1] = "25,4";
        ApplyLongMessage(m, 1, option);
        if (option == 0) EXPECT_EQ(GetText(m.LineRtf[1]) + "|" + m.LineScroll[1], "ONE TWO THREE FOUR|");
    }
    EXPECT_EQ(SplitParagraphs(m.LineRtf[1]).size(), 2u);
    EXPECT_EQ(m.LineRepeat[1] + "|" + m.WaitTime, "0,4|10");
    EXPECT_TRUE(m.HorizontalScrollMode);

    // Block by block turned off: first block, continuous, vertical merge.
    ApplyLongMessage(m, 1, 0);
    EXPECT_EQ(GetText(m.LineRtf[1]), "ONE TWO THREE FOUR");
    EXPECT_EQ(m.LineRepeat[1] + m.WaitTime, "");
    m.LineRtf[1] = Line("AAA") + "\\par\r\n\\f0 \\cf0 BBB";
    m.LineRepeat[1] = "0,2";
    m.HorizontalScrollMode = true;
    ApplyLongMessage(m, 1, 1);
    EXPECT_EQ(GetText(m.LineRtf[1]) + "|" + m.LineScroll[1], "AAA BBB|25,2");
    EXPECT_FALSE(m.HorizontalScrollMode);

    m = fresh;
    m.LineRtf[1] = Line("TOP");
    m.LineRtf[3] = Line("AAA") + "\\par\r\n\\f0 \\cf0 BBB";
    m.LineRepeat[3] = "0,2";
    m.HorizontalScrollMode = true;
    r = ApplyLongMessage(m, 3, 2);
    EXPECT_EQ(r.newCurrentLine, 1);
    EXPECT_EQ(SplitParagraphs(m.LineRtf[1]).size(), 3u);
    EXPECT_EQ(m.LineRepeat[1] + "|" + m.LineRepeat[3] + m.LineRtf[3], "0,2|");
    EXPECT_TRUE(m.VerticalScrollMode && !m.HorizontalScrollMode);

    // Vertical turned off: paragraphs back to the lines, or kept for block by block.
    QuickMessage v = m;
    ApplyLongMessage(v, 1, 2);
    EXPECT_TRUE(v.HorizontalScrollMode && v.LineRepeat[1] == "0,2");
    EXPECT_EQ(ApplyLongMessage(m, 1, 0).newCurrentLine, 1);
    EXPECT_EQ(GetText(m.LineRtf[1]) + "|" + GetText(m.LineRtf[2]) + "|" + GetText(m.LineRtf[3]), "TOP|AAA|BBB");
    EXPECT_EQ(m.LineRtf[3].rfind("\\sb90\\sa90 ", 0), 0u);
    EXPECT_FALSE(m.VerticalScrollMode);
    EXPECT_EQ(m.LineRepeat[1] + m.WaitTime, "");
}

} // namespace
} // namespace lt
