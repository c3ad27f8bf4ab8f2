// The rich-text marks of a Quick Edit line. A line is held as a fragment of the editor's
// rich text: font 0 is ordinary text, font 65 blinking text, fonts 1..64 variable fields
// (variable v + 16 x kind), "\qc" / "\ql" align a paragraph and "\par" + CR LF separates
// the blocks of a scrolling line.
//
// Control words: a backslash, then letters, then an optional signed number, then one
// optional blank that belongs to the word; any other character ends the word and is kept
// (so the CR LF after "\par" stays a visible line break). "\\" is one literal backslash.
#pragma once

#include <string>
#include <vector>

namespace lt {

struct Session;

inline constexpr int kBlinkMark = 65;

// Variable fields 1..64; n = v + 16 x k.
inline bool IsVariableMark(int mark) { return mark >= 1 && mark <= 64; }
// Marks 17..32, 49..64 and 65 blink.
inline bool IsBlinkingMark(int mark) {
    return (mark >= 17 && mark <= 32) || (mark >= 49 && mark <= 64) || mark == kBlinkMark;
}
// Variable number 1..16 of a field mark.
inline int VariableOfMark(int mark) { return (mark - 1) % 16 + 1; }
// True for the leading-zeros kinds (33..64).
inline bool IsLeadingZerosMark(int mark) { return mark >= 33 && mark <= 64; }

// Plain text: every control word removed, "\\" gives one backslash, blanks, CR and LF
// kept, other characters below 33 or above 127 dropped. A fragment that starts with a
// group in braces followed by a line break loses that group first.
std::string GetText(const std::string& fragment);

// The text between the first `open` after `keyword` and the matching `close` (nesting
// counted when open != close). With '"' as both delimiters, "\"" and "\\" inside the
// quotes are taken as escapes and returned unchanged. Empty when anything is missing.
std::string ChkLine(const std::string& statement, const std::string& keyword, char open, char close);

// Toggles blinking over a fragment; the first run decides the direction.
std::string MakeBlink(const std::string& fragment);
// The fragment with every blinking run made steady (unchanged when nothing blinks).
std::string MakeSteady(const std::string& fragment);

// True when the fragment holds a variable field ("\f" with a number 1..64).
bool CheckVariable(const std::string& fragment);
// Number of variable fields (runs marked 1..64 with visible text).
int CountVariables(const std::string& fragment);

// Splits after at most n visible characters at a word boundary: returns the head and
// leaves the rest (leading blanks removed) in text. Every visible character keeps the
// marks that govern it: the rest starts with "\qc " when the cut lies in a centred
// paragraph and with the font mark in effect at the cut.
std::string TruncateText(std::string& text, int n);
// The same, reporting an unexpected failure through the rescue prompt ("TruncateText").
std::string TruncateText(Session& s, std::string& text, int n);

// Plain text in its blink-off phase: characters of blinking runs become blanks.
std::string BlinkText(const std::string& fragment);
// The same, showing "Unexpected error in module Blink Text. ..." on a failure and
// returning what was built so far.
std::string BlinkText(Session& s, const std::string& fragment);

// True when the fragment holds visible text in a blinking run.
bool CheckBlink(const std::string& fragment);

// True when the fragment holds the control word `word` (letters only, e.g. "qc", "par").
bool HasControlWord(const std::string& fragment, const std::string& word);

// Paragraphs of a fragment: split at the control word "\par" followed by CR LF; the
// separator is removed.
std::vector<std::string> SplitParagraphs(const std::string& fragment);

// One run of visible text with the mark that governs it. text is unescaped (a literal
// backslash is one character); paragraph counts from 0; centred is the alignment of the
// paragraph ("\qc" and "\ql" apply from where they stand and carry to later paragraphs).
struct RichRun {
    int mark = 0;
    std::string text;
    bool centred = false;
    int paragraph = 0;
};
// Runs in order; the paragraph break itself is not part of any run's text. Paragraphs
// without text give no run; use paragraphCount for their number.
std::vector<RichRun> SplitRuns(const std::string& fragment, int* paragraphCount = nullptr);

// Escapes text for a fragment: "\" becomes "\\".
std::string EscapeRich(const std::string& text);

} // namespace lt
