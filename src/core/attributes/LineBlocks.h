// Reshaping a line's rich text between the kinds of scrolling: splitting a long line into
// 20-character blocks (one paragraph each), joining blocks into one continuous line, and
// merging the lines of a message into line 1 for vertical scrolling.
#pragma once

#include <string>

namespace lt {

struct QuickMessage;

inline constexpr const char* kParagraphBreak = "\\par\r\n";
inline constexpr const char* kLineStart = "\\sb90\\sa90 ";
inline constexpr int kBlockWidth = 20;
inline constexpr int kContinuousLimit = 155;

// The line holds a paragraph break ("\par" followed by CR LF).
bool HasParagraphBreak(const std::string& rtf);
// Number of visible characters (GetText's count).
int PlainLength(const std::string& rtf);

// Repeatedly takes the head of at most 20 visible characters, cut at a word boundary, and
// joins the heads with paragraph breaks; the first block starts with "\sb90\sa90 \f0 \cf0 "
// when it does not hold the spacing mark already.
std::string SplitIntoBlocks(const std::string& rtf);

// Every "\qc" and every paragraph break becomes a blank, then the text is cut to at most
// `limit` visible characters at a word boundary.
std::string JoinBlocks(const std::string& rtf, int limit = kContinuousLimit);

// The first paragraph of a line.
std::string FirstParagraph(const std::string& rtf);

// Every block of more than 20 characters (joined by an edit that removed the break between
// two blocks) split again at word boundaries, each character keeping its marks; blocks of
// 20 or fewer stay as they are. The text stays whole.
std::string SplitLongBlocks(const std::string& rtf);

// Appends the paragraphs of lines 2..LineCount with text to line 1, in order, and empties
// them (their scroll and repeat arguments go with them). A line 1 without text takes the
// next line's text. A paragraph longer than 20 characters is split into blocks of 20.
void MergeLinesIntoFirst(QuickMessage& m);

} // namespace lt
