#include "ui/widgets/LineEditor.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "ui/widgets/LineRtfCodec.h"

namespace lt {

LineEditor::LineEditor(QWidget* parent) : QTextEdit(parent) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(13);
    setFont(font);
    base_.setFont(font);
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setWordWrapMode(QTextOption::NoWrap);
    // The document keeps the widget's width, so centred paragraphs are centred, but never wraps.
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setDocumentMargin(3);
    setCurrentCharFormat(FormatForMark(0, base_));
}

void LineEditor::setLineRtf(const std::string& rtf) {
    setUndoRedoEnabled(false);
    LoadLineRtf(*document(), rtf, base_);
    setUndoRedoEnabled(true);
    QTextCursor c = textCursor();
    c.movePosition(QTextCursor::End);
    setTextCursor(c);
    setCurrentCharFormat(FormatForMark(0, base_));
}

std::string LineEditor::lineRtf() const { return SaveLineRtf(*document()); }

std::string LineEditor::selectedLineRtf() const {
    QTextCursor c = textCursor();
    return SaveLineRtf(*document(), c.selectionStart(), c.selectionEnd());
}

void LineEditor::replaceSelectionWithLineRtf(const std::string& rtf) {
    QTextDocument scratch;
    LoadLineRtf(scratch, rtf, base_);
    QTextCursor c = textCursor();
    int start = c.selectionStart();
    c.beginEditBlock();
    c.removeSelectedText();
    QTextCursor all(&scratch);
    all.select(QTextCursor::Document);
    c.insertFragment(all.selection());
    c.endEditBlock();
    int end = c.position();
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

int LineEditor::textLength() const {
    // Each paragraph break counts as a carriage return and a line feed.
    return document()->characterCount() - 1 + (document()->blockCount() - 1);
}

int LineEditor::blockIndex() const { return textCursor().blockNumber(); }

int LineEditor::column() const { return textCursor().positionInBlock(); }

int LineEditor::blockCount() const { return document()->blockCount(); }

int LineEditor::blockLength(int block) const {
    QTextBlock b = document()->findBlockByNumber(block);
    return b.isValid() ? b.length() - 1 : 0;
}

bool LineEditor::centredAtCursor() const { return textCursor().blockFormat().alignment() & Qt::AlignHCenter; }

void LineEditor::setCentredAtCursor(bool centred) {
    QTextCursor c = textCursor();
    QTextBlockFormat f = c.blockFormat();
    f.setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
    c.setBlockFormat(f);
}

int LineEditor::markAtPosition(int position) const {
    QTextBlock block = document()->findBlock(position);
    if (!block.isValid()) return 0;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        QTextFragment f = it.fragment();
        if (position >= f.position() && position < f.position() + f.length()) return MarkOf(f.charFormat());
    }
    return 0;
}

int LineEditor::markAtPoint(const QPoint& viewportPoint) const {
    QTextCursor c = cursorForPosition(viewportPoint);
    QRect r = cursorRect(c);
    if (viewportPoint.y() < r.top() - 2 || viewportPoint.y() > r.bottom() + 2) return -1;
    int position = c.position();
    QRect next = cursorRect(c);
    if (viewportPoint.x() < next.left() && position > 0) --position;
    if (position >= document()->characterCount() - 1) return -1;
    if (document()->characterAt(position) == QChar::ParagraphSeparator) return -1;
    return markAtPosition(position);
}

int LineEditor::markAtCursor() const { return MarkOf(textCursor().charFormat()); }

QChar LineEditor::characterBeforeCursor() const {
    int p = textCursor().position();
    return p > 0 ? document()->characterAt(p - 1) : QChar();
}

bool LineEditor::canUndo() const { return document()->isUndoAvailable(); }

void LineEditor::resetTypingFormat() { setCurrentCharFormat(FormatForMark(0, base_)); }

void LineEditor::feedKey(int key, const QString& text) {
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

void LineEditor::selectWordAtCursor() {
    QTextCursor c = textCursor();
    QTextBlock block = c.block();
    const QString text = block.text();
    int col = c.positionInBlock();
    if (col >= text.size() && col > 0) --col;
    if (text.isEmpty() || text.at(col) == QLatin1Char(' ')) return;
    int base = block.position();
    int mark = markAtPosition(base + col);
    int start = col, end = col + 1;
    while (start > 0 && text.at(start - 1) != QLatin1Char(' ') && markAtPosition(base + start - 1) == mark) --start;
    while (end < text.size() && text.at(end) != QLatin1Char(' ') && markAtPosition(base + end) == mark) ++end;
    c.setPosition(base + start);
    c.setPosition(base + end, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void LineEditor::mouseDoubleClickEvent(QMouseEvent* event) {
    setTextCursor(cursorForPosition(event->pos()));
    selectWordAtCursor();
}

QMimeData* LineEditor::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(textCursor().selectedText().replace(QChar::ParagraphSeparator, QStringLiteral("\r\n")));
    return data;
}

void LineEditor::insertFromMimeData(const QMimeData* source) {
    // Only plain text enters the line, without control characters.
    QString text = source->text();
    if (insertHandler_) return insertHandler_(text);
    QString clean;
    for (QChar ch : text)
        if (ch.unicode() >= 32) clean += ch;
    textCursor().insertText(clean);
}

} // namespace lt
