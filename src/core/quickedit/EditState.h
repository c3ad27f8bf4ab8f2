// The edit controls' refresh as a plain value: captions, enabled states, CenterMode, the
// line label and the position indicator. The main window applies it.
#pragma once

#include <string>

namespace lt {

struct Session;

struct ButtonState {
    std::string caption;
    bool enabled = true;
};

struct EditControlState {
    // Entry boxes: numbers without a sign blank.
    std::string txtMsg, txtLine, txtTask;
    ButtonState cmdAdvEdit, cmdCenter, cmdBlink, cmdVar, cmdScroll, cmdWait, cmdFont, cmdRelay, cmdStart,
        cmdClrScreen, cmdSend;
    bool vsbLineEnabled = true;
    bool txtLineEnabled = true;
    bool vsbTaskEnabled = true;
    bool txtTaskEnabled = true;
    bool txtEditEnabled = true;
    std::string lblLine = "Edit Line";
    bool CenterMode = false;
    // The line holds several paragraphs: the editor uses its taller area.
    bool multiParagraph = false;
    // Rich text loaded into txtEdit.
    std::string editRtf;
    // lblAttribute with the cursor at the start of the line.
    std::string lblAttribute;
};

// Computes the state for the current line and writes CenterMode into the record. Shows
// "Updating edit controls" while it runs.
EditControlState ShowEditState(Session& s, int currentLine);

// lblAttribute: "Block  2,char  5" in a repeating line, "Line  1,char  3" otherwise
// (block is 1-based, column 1-based).
std::string PositionText(const Session& s, int currentLine, int block, int column);

// Status-bar text of an attribute button (cmdBlink, cmdCenter, cmdClrScreen, cmdFont,
// cmdRelay, cmdScroll, cmdSend, cmdStart, cmdVar, cmdWait); empty for other names.
std::string ButtonStatusText(const Session& s, int line, const std::string& buttonName, bool textSelected,
                             bool mouseOver);

} // namespace lt
