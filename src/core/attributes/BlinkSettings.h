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
// LineBlink becomes rate + "," + "1" and every other blinking line takes the same rate.
// With blinking off the line stops blinking: its blinking characters become steady and
// LineBlink becomes empty (a line that shows blinking text always has a rate to blink at).
void ApplyBlink(QuickMessage& m, int line, const std::string& editorRtf, bool on, int position);

// Keeps each line's LineBlink in step with its text, however the text got its marks
// (typing after a blinking character, a variable of a blinking kind, lines merged into
// blocks or given back): a line without blinking text has no rate, a line with blinking
// text and no rate takes the message's rate. True when something changed.
bool SyncLineBlink(QuickMessage& m);

} // namespace lt
