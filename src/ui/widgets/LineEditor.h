// The rich-text line control: a QTextEdit that holds one line of a message (one or more
// blocks) and speaks LineRtf through LineRtfCodec. It answers the queries the typing
// rules need: block and column of the cursor, the mark under a point, the alignment at
// the cursor, can-undo, and feeding keystrokes to itself.
#pragma once

#include <QTextEdit>
#include <functional>
#include <string>

namespace lt {

class LineEditor : public QTextEdit {
    Q_OBJECT
public:
    explicit LineEditor(QWidget* parent = nullptr);

    void setLineRtf(const std::string& rtf);
    std::string lineRtf() const;
    // Rich text of the selection (the whole line form, with its spacing mark).
    std::string selectedLineRtf() const;
    void replaceSelectionWithLineRtf(const std::string& rtf);

    // Visible characters, paragraph breaks counted as a carriage return and line feed.
    int textLength() const;
    int blockIndex() const;
    int column() const;
    int blockCount() const;
    int blockLength(int block) const;
    bool centredAtCursor() const;
    void setCentredAtCursor(bool centred);
    int markAtPosition(int position) const;
    // Mark of the character under a viewport point; -1 when the point is over no text.
    int markAtPoint(const QPoint& viewportPoint) const;
    // Mark of the character left of the cursor (what typed text continues with).
    int markAtCursor() const;
    // Character left of the cursor, or 0 at the start.
    QChar characterBeforeCursor() const;
    bool canUndo() const;
    // Typed text continues as ordinary text.
    void resetTypingFormat();
    // Queues a keystroke to this control, handled after the current event.
    void feedKey(int key, const QString& text = QString());
    // Selects the word under the cursor: the characters between blanks with the same mark.
    void selectWordAtCursor();

    QTextCharFormat baseFormat() const { return base_; }
    // Takes over text that arrives by a drop or a middle-click paste; without a handler
    // the text (control characters removed) is inserted as it is.
    void setInsertHandler(std::function<void(const QString&)> handler) { insertHandler_ = std::move(handler); }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    // Copy and Cut put plain text on the clipboard.
    QMimeData* createMimeDataFromSelection() const override;

private:
    QTextCharFormat base_;
    std::function<void(const QString&)> insertHandler_;
};

} // namespace lt
