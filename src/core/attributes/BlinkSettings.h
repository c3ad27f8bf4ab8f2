// The Blink dialog's decisions: how it opens from the record and what its OK step writes.
#pragma once

#include <string>

namespace lt {

struct QuickMessage;

struct BlinkOpening {
    std::string caption;           // "Blink on line  2"
    std::string frameLineCaption;  // "Blink line" or "Blink block"
    bool on = false;               // LineBlink of the line is set
    int position = 4;              // rate slider 1..7
    int interval = 250;            // preview interval in milliseconds
};

BlinkOpening OpenBlink(const QuickMessage& m, int line);

// The line's rich text as an editor gives it back: everything up to and including the
// character-size mark "\fs30" and the blank after it is dropped; text without it is kept.
std::string StripEditorHeader(const std::string& rtf);

// OK: the line takes the editor's text; with blinking on and blinking text in the line,
// LineBlink becomes rate + "," + "1" and every other blinking line takes the same rate;
// otherwise LineBlink of the line becomes empty.
void ApplyBlink(QuickMessage& m, int line, const std::string& editorRtf, bool on, int position);

} // namespace lt
