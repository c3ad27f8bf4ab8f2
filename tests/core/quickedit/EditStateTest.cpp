#include <gtest/gtest.h>

#include "QuickEditFixture.h"
#include "quickedit/EditState.h"

using namespace lt;
using lt::test::QuickEditTest;

namespace {

// The captions of the attribute buttons, in the order they sit on the window.
std::vector<std::string> Captions(const EditControlState& st) {
    std::vector<std::string> out;
    for (const ButtonState* b : {&st.cmdCenter, &st.cmdBlink, &st.cmdVar, &st.cmdScroll, &st.cmdWait, &st.cmdFont,
                                 &st.cmdRelay, &st.cmdStart, &st.cmdClrScreen, &st.cmdSend})
        out.push_back(b->caption);
    return out;
}

} // namespace

TEST_F(QuickEditTest, EditStateCaptionsAndEnabledControls) {
    m.CurrentMessage = 12;
    m.MessageTask[12] = 3;
    EditControlState st = ShowEditState(s, 1);
    EXPECT_EQ(st.txtMsg + "/" + st.txtLine + "/" + st.txtTask, "12/1/3");
    EXPECT_EQ(st.cmdAdvEdit.caption, "&Go to Script Edit");
    EXPECT_EQ(st.editRtf, "\\sb90\\sa90 \\f0 \\cf0");
    EXPECT_EQ(Captions(st), (std::vector<std::string>{"Center te&xt OFF", "&Blink OFF...", "&Variable OFF...",
                                                      "Hori&z. scroll OFF...", "Vert. s&croll OFF...",
                                                      "Change F&ont OFF", "No &Relay", "&Start msg OFF...",
                                                      "Clear Scree&n OFF", "Sen&d msg OFF..."}));
    EXPECT_EQ(st.lblLine + "|" + st.lblAttribute, "Edit Line|Line  1,char  1");
    EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Updating edit controls", ""}));

    m.LineRtf[1] = "\\sb90\\sa90 \\qc \\f0 \\cf0 HI\\f3 \\cf4 ^^";
    m.LineBlink[1] = "25,ON";
    m.LineFont[1] = "SLAVIC";
    m.RelayMode = "OFF";
    m.StartSameTask = "4";
    m.ClearScreen = "CLS";
    m.SendText = "HOST";
    st = ShowEditState(s, 1);
    EXPECT_EQ(st.editRtf, m.LineRtf[1] + "\\f0 ");
    EXPECT_TRUE(st.CenterMode && m.CenterMode);
    EXPECT_EQ(Captions(st), (std::vector<std::string>{"Center te&xt ON", "&Blink ON...", "&Variable ON...",
                                                      "Hori&z. scroll OFF...", "Vert. s&croll OFF...", "Slavic f&ont",
                                                      "Turn &Relay OFF", "&Start msg ON...", "Clear Scree&n ON",
                                                      "Sen&d msg ON..."}));

    // A continuous scroll: center disabled and off; wait disabled.
    m.LineScroll[1] = "5,0";
    st = ShowEditState(s, 1);
    EXPECT_EQ(st.cmdCenter.caption + "|" + st.cmdScroll.caption, "Center te&xt OFF|Hori&z. scroll ON...");
    EXPECT_FALSE(st.cmdCenter.enabled || st.CenterMode || st.cmdWait.enabled);
    EXPECT_TRUE(st.cmdScroll.enabled);

    // Line 2 repeats vertically: both scroll buttons off while line 1 is edited.
    m.LineScroll[1].clear();
    m.LineRtf[2] = "\\f0 \\cf0 A\\par\r\n\\f0 \\cf0 B";
    m.LineRepeat[2] = "0,0";
    m.VerticalScrollMode = true;
    st = ShowEditState(s, 1);
    EXPECT_FALSE(st.cmdScroll.enabled || st.cmdWait.enabled);
    st = ShowEditState(s, 2);
    EXPECT_EQ(st.cmdWait.caption, "Vert. s&croll ON...");
    EXPECT_TRUE(st.cmdWait.enabled && st.multiParagraph);
    EXPECT_FALSE(st.cmdScroll.enabled || st.vsbLineEnabled || st.txtLineEnabled);
    EXPECT_EQ(st.lblLine + "|" + st.lblAttribute, "Vertical scroll|Block  1,char  1");
    EXPECT_EQ(PositionText(s, 2, 3, 12), "Block  3,char  12");
    EXPECT_EQ(PositionText(s, 1, 1, 4), "Line  1,char  4");

    m.ScriptOnly = true;
    ui.clear();
    st = ShowEditState(s, 1);
    EXPECT_EQ(st.cmdAdvEdit.caption, "&Script Edit Only");
    for (const ButtonState* b : {&st.cmdScroll, &st.cmdWait, &st.cmdVar, &st.cmdCenter, &st.cmdBlink, &st.cmdFont,
                                 &st.cmdClrScreen, &st.cmdRelay, &st.cmdStart, &st.cmdSend})
        EXPECT_FALSE(b->enabled) << b->caption;
    EXPECT_FALSE(st.vsbLineEnabled || st.txtLineEnabled || st.vsbTaskEnabled || st.txtTaskEnabled || st.txtEditEnabled);
    EXPECT_TRUE(ui.statuses.empty());
}

TEST_F(QuickEditTest, AttributeButtonStatusTexts) {
    auto text = [&](const char* name, bool selected = false, bool over = false) {
        return ButtonStatusText(s, 2, name, selected, over);
    };
    EXPECT_EQ(text("cmdBlink", true), "Clicking on this button or press Alt-B will blink the highlighted text.");
    EXPECT_EQ(text("cmdCenter"), "Click once or press Alt-X to toggle between center on and off for current line.");
    EXPECT_EQ(text("cmdRelay"),
              "Relay will not be affected from this msg. Click once to turn relay on when this msg is called.");
    m.RelayMode = "OFF";
    EXPECT_EQ(text("cmdRelay"), "Relay will turn off when this msg is called. Click once and relay will not be "
                                "affected from this msg.");
    m.RelayMode.clear();
    EXPECT_EQ(text("cmdStart"), "Click once or press Alt-S to select up to 4 messages to call up from this one.");
    m.StartOtherTask = "7";
    EXPECT_EQ(text("cmdStart"), "You have called message  7 from this one.");
    m.StartSameTask = "5";
    m.StartOtherTask = "7,9";
    EXPECT_EQ(text("cmdStart"), "You have called messages 5,7,9 from this one.");
    EXPECT_EQ(text("cmdVar"), "Click once or press Alt-V for variable assignments - please wait it may take a while.");
    m.LineRtf[2] = "\\f0 \\cf0 T\\f3 \\cf4 ^^\\f0 \\cf0 x\\f20 \\cf4 ^";
    EXPECT_EQ(text("cmdVar"), " 2 variables on line  2. Click once for any changes (please wait it may take a while).");
    m.LineRepeat[2] = "0,0";
    m.VerticalScrollMode = true;
    EXPECT_EQ(text("cmdVar", false, true),
              " 2 variables in vert. scrolled msg. Click once for any changes (please wait it may take a while).");
    EXPECT_EQ(text("cmdWait"),
              "Click once or press Alt-C to edit or remove vertical scroll structure of the current message.");
    EXPECT_EQ(text("cmdCenter"), "Click once or press Alt-X to toggle between center on and off for current block.");
    m.LineRepeat[2].clear();
    m.LineScroll[2] = "5,0";
    EXPECT_EQ(text("cmdCenter"), "Does not applay for continuous scrolled line.");
    EXPECT_EQ(text("cmdScroll"), "Click once or press Alt-Z to edit or remove continuous scroll structure.");
    m.SendText = "HOST";
    EXPECT_EQ(text("cmdSend"), "You have selected 7700 send to Slave command. Click once to change or remove it.");
    EXPECT_EQ(text("txtEdit"), "");
}
