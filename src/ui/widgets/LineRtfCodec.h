// The codec between a line's rich text (LineRtf) and a QTextDocument. Every character
// carries its mark (font number 0..65) as a character property; variable fields are
// red, blinking text is drawn bold on an amber ground; centred paragraphs are centred.
#pragma once

#include <QTextCharFormat>
#include <QTextDocument>
#include <string>

#include "quickedit/RichText.h"

namespace lt {

inline constexpr int kMarkProperty = QTextFormat::UserProperty + 1;


// The character format that shows a mark in the given base font.
QTextCharFormat FormatForMark(int mark, const QTextCharFormat& base);
int MarkOf(const QTextCharFormat& format);

// Fills the document from LineRtf.
void LoadLineRtf(QTextDocument& document, const std::string& rtf, const QTextCharFormat& base);
// Canonical LineRtf of the document: "\sb90\sa90 ", per paragraph "\qc " / "\ql " where the
// alignment changes, per run "\f<n> \cf<c> " and the text, paragraphs joined by "\par" CR LF.
std::string SaveLineRtf(const QTextDocument& document);
// The same for the characters between two document positions.
std::string SaveLineRtf(const QTextDocument& document, int from, int to);

} // namespace lt
