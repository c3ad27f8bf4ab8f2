#include "quickedit/EditState.h"

#include "Session.h"
#include "common/NumberText.h"
#include "quickedit/Guard.h"
#include "quickedit/RichText.h"

namespace lt {

namespace {

const char* fontCaption(const std::string& font) {
    if (font == "ENGLISH") return "English f&ont";
    if (font == "KATAKANA") return "Katakana f&ont";
    if (font == "SLAVIC") return "Slavic f&ont";
    if (font == "CYRILLIC") return "Cyrillic f&ont";
    return "Change F&ont OFF";
}

const char* relayCaption(const std::string& relay) {
    if (relay == "ON") return "Turn &Relay ON";
    if (relay == "OFF") return "Turn &Relay OFF";
    return "No &Relay";
}

// The alignment of the line's first paragraph, where the cursor stands after loading.
bool firstParagraphCentred(const std::string& rtf) {
    for (const auto& run : SplitRuns(rtf)) return run.paragraph == 0 && run.centred;
    return HasControlWord(SplitParagraphs(rtf).front(), "qc");
}

void fillState(Session& s, int line, EditControlState& st) {
    QuickMessage& m = s.msg;
    const int L = line;
    const std::string& rtf = m.LineRtf.at(L);
    const std::string& scroll = m.LineScroll.at(L);
    const std::string& repeat = m.LineRepeat.at(L);

    st.editRtf = GetText(rtf).empty() ? std::string("\\sb90\\sa90 \\f0 \\cf0") : rtf + "\\f0 ";
    st.multiParagraph = SplitParagraphs(rtf).size() > 1;

    if (!scroll.empty()) {
        st.cmdCenter = {"Center te&xt OFF", false};
        st.CenterMode = false;
    } else {
        st.CenterMode = firstParagraphCentred(rtf);
        st.cmdCenter.caption = st.CenterMode ? "Center te&xt ON" : "Center te&xt OFF";
    }
    m.CenterMode = st.CenterMode;
    st.cmdBlink.caption = m.LineBlink.at(L).empty() ? "&Blink OFF..." : "&Blink ON...";
    st.cmdVar.caption = CheckVariable(rtf) ? "&Variable ON..." : "&Variable OFF...";

    bool otherAnimated = false;
    for (int i = 1; i <= m.LineCount && i <= kMaxLines; ++i)
        if (i != L && !GetText(m.LineRtf[i]).empty() && (!m.LineScroll[i].empty() || !m.LineRepeat[i].empty()))
            otherAnimated = true;
    const bool horizontalOn = !scroll.empty() || (!repeat.empty() && m.HorizontalScrollMode);
    const bool verticalOn = !repeat.empty() && m.VerticalScrollMode && !m.HorizontalScrollMode;
    st.cmdScroll.caption = horizontalOn ? "Hori&z. scroll ON..." : "Hori&z. scroll OFF...";
    if (horizontalOn) st.cmdWait.enabled = false;
    if (verticalOn) {
        st.cmdWait.caption = "Vert. s&croll ON...";
        st.cmdScroll.enabled = false;
        st.lblLine = "Vertical scroll";
        st.vsbLineEnabled = false;
        st.txtLineEnabled = false;
    } else {
        st.cmdWait.caption = "Vert. s&croll OFF...";
        st.lblLine = "Edit Line";
    }
    if (otherAnimated) {
        st.cmdScroll.enabled = false;
        st.cmdWait.enabled = false;
    }
    st.cmdFont.caption = fontCaption(m.LineFont.at(L));
    st.cmdRelay.caption = relayCaption(m.RelayMode);
    st.cmdStart.caption =
        m.StartSameTask.empty() && m.StartOtherTask.empty() ? "&Start msg OFF..." : "&Start msg ON...";
    st.cmdClrScreen.caption = m.ClearScreen.empty() ? "Clear Scree&n OFF" : "Clear Scree&n ON";
    st.cmdSend.caption = m.SendText.empty() ? "Sen&d msg OFF..." : "Sen&d msg ON...";
    st.lblAttribute = PositionText(s, L, 1, 1);
}

} // namespace

EditControlState ShowEditState(Session& s, int currentLine) {
    EditControlState st;
    const QuickMessage& m = s.msg;
    st.txtMsg = std::to_string(m.CurrentMessage);
    st.txtLine = std::to_string(currentLine);
    if (m.CurrentMessage >= 0 && m.CurrentMessage < kMessageCount)
        st.txtTask = std::to_string(m.MessageTask[m.CurrentMessage]);
    st.cmdAdvEdit.caption = "&Go to Script Edit";
    const bool scriptOnly = s.msg.ScriptOnly;
    if (!scriptOnly) s.ui.setStatus("Updating edit controls");
    Reported(s, "ShowEdit", [&] { fillState(s, currentLine, st); });
    if (scriptOnly) {
        st.cmdAdvEdit.caption = "&Script Edit Only";
        for (ButtonState* b : {&st.cmdScroll, &st.cmdWait, &st.cmdVar, &st.cmdCenter, &st.cmdBlink, &st.cmdFont,
                               &st.cmdClrScreen, &st.cmdRelay, &st.cmdStart, &st.cmdSend})
            b->enabled = false;
        st.vsbLineEnabled = st.txtLineEnabled = st.vsbTaskEnabled = st.txtTaskEnabled = st.txtEditEnabled = false;
        return st;
    }
    s.ui.setStatus("");
    return st;
}

std::string PositionText(const Session& s, int currentLine, int block, int column) {
    const bool repeating = currentLine >= 1 && currentLine <= kMaxLines && !s.msg.LineRepeat[currentLine].empty();
    if (repeating) return "Block " + Str(block) + ",char " + Str(column);
    return "Line " + Str(currentLine) + ",char " + Str(column);
}

std::string ButtonStatusText(const Session& s, int line, const std::string& name, bool textSelected, bool mouseOver) {
    const QuickMessage& m = s.msg;
    const bool valid = line >= 1 && line <= kMaxLines;
    const std::string& scroll = valid ? m.LineScroll[line] : m.LineScroll[0];
    const std::string& repeat = valid ? m.LineRepeat[line] : m.LineRepeat[0];
    const std::string& rtf = valid ? m.LineRtf[line] : m.LineRtf[0];
    if (name == "cmdBlink")
        return textSelected ? "Clicking on this button or press Alt-B will blink the highlighted text."
                            : "Click once or press Alt-B for blink assignments or changes - please wait it may take a "
                              "while.";
    if (name == "cmdCenter") {
        if (!repeat.empty())
            return "Click once or press Alt-X to toggle between center on and off for current block.";
        if (!scroll.empty()) return "Does not applay for continuous scrolled line.";
        return "Click once or press Alt-X to toggle between center on and off for current line.";
    }
    if (name == "cmdClrScreen")
        return m.ClearScreen.empty()
                   ? "Clear screen off - existing screen will be overwritten but not erased when this msg is called."
                   : "Clear screen on - existing screen will be completely erased when this msg is called.";
    if (name == "cmdFont")
        return "Click on this button to switch the font for current line. Search help on how to use fonts.";
    if (name == "cmdRelay") {
        if (m.RelayMode == "ON")
            return "Relay will turn on when this msg is called. Click once to turn the relay off when this msg is "
                   "called.";
        if (m.RelayMode == "OFF")
            return "Relay will turn off when this msg is called. Click once and relay will not be affected from this "
                   "msg.";
        return "Relay will not be affected from this msg. Click once to turn relay on when this msg is called.";
    }
    if (name == "cmdScroll") {
        if (!scroll.empty()) return "Click once or press Alt-Z to edit or remove continuous scroll structure.";
        if (m.HorizontalScrollMode && !repeat.empty())
            return "Click once or press Alt-Z to edit or remove horizontal block by block structure.";
        return "Click once or press Alt-Z to create continuous scroll or horizontal block by block structure.";
    }
    if (name == "cmdSend") {
        if (m.SendText == "HOST")
            return "You have selected 7700 send to Slave command. Click once to change or remove it.";
        if (!m.SendText.empty())
            return "Click once to change or remove current text to be sent out of the serial communication port.";
        return "Click once to enable 7700 Slave or enter text to be sent out of the serial communication port.";
    }
    if (name == "cmdStart") {
        std::string list = m.StartSameTask;
        if (!list.empty() && !m.StartOtherTask.empty()) list += ",";
        list += m.StartOtherTask;
        if (list.empty()) return "Click once or press Alt-S to select up to 4 messages to call up from this one.";
        if (list.find(',') != std::string::npos) return "You have called messages " + list + " from this one.";
        return "You have called message " + Str(ValInt(list)) + " from this one.";
    }
    if (name == "cmdVar") {
        const int count = CountVariables(rtf);
        if (count == 0)
            return "Click once or press Alt-V for variable assignments - please wait it may take a while.";
        const char* noun = count == 1 ? " variable" : " variables";
        if (mouseOver && m.VerticalScrollMode && !repeat.empty())
            return Str(count) + noun +
                   " in vert. scrolled msg. Click once for any changes (please wait it may take a while).";
        return Str(count) + noun + " on line " + Str(line) +
               ". Click once for any changes (please wait it may take a while).";
    }
    if (name == "cmdWait") {
        if (m.VerticalScrollMode && !repeat.empty())
            return "Click once or press Alt-C to edit or remove vertical scroll structure of the current message.";
        return "Click once or press Alt-C to assign vertical scroll structure to the current message.";
    }
    return {};
}

} // namespace lt
