// Colours the script language in txtAdvEdit: the block header with its CRC comment,
// line labels, statements and calls, quoted texts, numbers and comments.
#pragma once

#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace lt {

class ScriptHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit ScriptHighlighter(QTextDocument* document);

    // Format names of the parts of a line, for tests: "header", "label", "keyword",
    // "call", "string", "number", "comment", "directive".
    static QString kindAt(const QTextBlock& block, int column);

protected:
    void highlightBlock(const QString& text) override;

private:
    void mark(int start, int length, const QTextCharFormat& format, const char* kind);

    QTextCharFormat header_, label_, keyword_, call_, string_, number_, comment_, directive_;
    QRegularExpression keywords_, calls_, numbers_;
};

} // namespace lt
