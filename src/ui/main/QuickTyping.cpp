// Typing in txtEdit: what each kind of line accepts, the keys that do something other
// than insert a character, and the write-back of the line after every key.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "attributes/LineBlocks.h"
#include "common/NumberText.h"
#include "quickedit/EditState.h"
#include "quickedit/RichText.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"

namespace lt {

namespace {
constexpr int kPlainLimit = kBlockWidth;
} // namespace

QString RefusedCharactersText(const QString& characters) {
    return QStringLiteral("The unit cannot show ") + characters +
           QStringLiteral(": only the characters of the keyboard's ASCII range (codes 32 to 126) can be typed.");
}

QString UnitCharacters(const QString& text, QString* refused) {
    QString kept;
    for (QChar ch : text) {
        if (ch.unicode() > kLastUnitCharacter) {
            if (refused && !refused->contains(ch)) *refused += ch;
        } else if (ch.unicode() >= 32) {
            kept += ch;
        }
    }
    return kept;
}

frmQuick::LineKind frmQuick::lineKind() const {
    const int l = currentLine_;
    if (!s_.msg.LineScroll[l].empty()) return LineKind::Continuous;
    if (!s_.msg.LineRepeat[l].empty()) return LineKind::Block;
    return LineKind::Plain;
}

bool frmQuick::messageScrolls() const {
    for (int i = 1; i <= s_.msg.LineCount; ++i)
        if (!s_.msg.LineScroll[i].empty() || !s_.msg.LineRepeat[i].empty()) return true;
    return false;
}

void frmQuick::setupTyping() {
    connect(txtEdit, &QTextEdit::cursorPositionChanged, this, [this] {
        if (!SuppressEvents) refreshCenterCaption();
        refreshPosition();
    });
}

void frmQuick::refreshCenterCaption() {
    if (lineKind() == LineKind::Continuous || s_.msg.ScriptOnly) return;
    s_.msg.CenterMode = txtEdit->centredAtCursor();
    cmdCenter->setText(s_.msg.CenterMode ? QStringLiteral("Center te&xt ON") : QStringLiteral("Center te&xt OFF"));
}

void frmQuick::refreshPosition() {
    lblAttribute->setText(
        QString::fromStdString(PositionText(s_, currentLine_, txtEdit->blockIndex() + 1, txtEdit->column())));
}

// A character about to be inserted; true when it is dropped.
bool frmQuick::keyPressDropped(QKeyEvent* e) {
    int ch = 0;
    // Delete removes a character like Backspace does; it is not a typed character.
    if (e->key() == Qt::Key_Delete) return false;
    if (e->key() == Qt::Key_Backspace) ch = 8;
    else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) ch = 13;
    else if (e->key() == Qt::Key_Tab) ch = 9;
    else if (!e->text().isEmpty()) ch = e->text().at(0).unicode();
    else return false; // not a character: cursor keys and the like
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    if (ch > kLastUnitCharacter) {
        // The unit has no such character and the script cannot hold it: what the line shows
        // must be what is saved, so it is not taken.
        refusedStatus_ = RefusedCharactersText(e->text());
        setStatus(refusedStatus_);
        return true;
    }

    const QChar before = txtEdit->characterBeforeCursor();
    if ((ch == '#' || (ch >= 63 && ch <= 95)) && before == QLatin1Char('#')) {
        s_.ui.messageBox(Box("Character combination #" + std::string(1, static_cast<char>(ch)) +
                             " is illegal in Quick Edit. Please refer to the 7700 PC User's Manual on Literal Control "
                             "Characters which can be entered in Script Edit."));
        return true;
    }
    if (ch == 9) {
        cmdBlink->setFocus(Qt::TabFocusReason);
        return true;
    }
    const int length = txtEdit->textLength();
    const QTextCursor cursor = txtEdit->textCursor();
    if (length >= kPlainLimit && cursor.position() == 0 && !cursor.hasSelection() && ch != 13) return true;
    if (ch < 32 && ch != 8 && ch != 13) return true;
    const LineKind kind = lineKind();
    if (ch == 13 && kind != LineKind::Block) return true;
    if (ch != 8 && length >= kPlainLimit && !messageScrolls()) {
        openLongMessageDialog();
        return true;
    }
    if (ch != 8 && kind == LineKind::Plain && length >= kPlainLimit) {
        s_.ui.messageBox(Box("You have already a scrolling line. If you want to create another on the same screen "
                             "search help on Scroll."));
        return true;
    }
    if (kind == LineKind::Continuous && length >= kPlainLimit && ch != 8 &&
        (length >= kContinuousLimit || txtEdit->column() >= kContinuousLimit))
        return true;
    if (kind == LineKind::Block && ch != 13 && ch != 8) {
        if (txtEdit->column() >= kPlainLimit) {
            // At the end of a full block the character starts the next block. The break is
            // made here rather than fed as an Enter keystroke: keys typed faster than the
            // fed ones would be handled first and land in the full block.
            QTextCursor c = txtEdit->textCursor();
            c.insertBlock();
            txtEdit->setTextCursor(c);
        } else if (txtEdit->blockLength(txtEdit->blockIndex()) >= kPlainLimit && !cursor.hasSelection()) {
            refusedStatus_ = QStringLiteral("A block holds 20 characters. Type at the end of the block to start "
                                            "the next one, or press Enter.");
            setStatus(refusedStatus_);
            return true;
        }
    }
    if (IsVariableMark(txtEdit->markAtCursor()) && ch != '.' &&
        QString(QChar(ch)).toStdString() != s_.settings.VarChar) {
        if (cursor.atEnd()) txtEdit->resetTypingFormat();
        else return true; // a variable field holds only its placeholders and a decimal point
    }
    return false;
}

// Keys that act before any character: Ctrl+V, and the block keys of block lines.
bool frmQuick::keyDownHandled(QKeyEvent* e) {
    if ((e->modifiers() & Qt::ControlModifier) && e->key() == Qt::Key_V) {
        pasteIntoLine();
        return true;
    }
    if (lineKind() != LineKind::Block) return false;
    if (e->key() == Qt::Key_Backspace && txtEdit->column() == 0 && txtEdit->textCursor().position() > 0 &&
        !txtEdit->textCursor().hasSelection())
        return true; // Backspace does not join a block to the one before it
    if (e->key() == Qt::Key_Delete && !txtEdit->textCursor().hasSelection() &&
        txtEdit->column() == txtEdit->blockLength(txtEdit->blockIndex()) &&
        txtEdit->blockIndex() + 1 < txtEdit->blockCount())
        return true; // nor Delete the next block to this one
    if (e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown) {
        QScrollBar* bar = txtEdit->verticalScrollBar();
        int step = txtEdit->fontMetrics().lineSpacing() + 8;
        bar->setValue(bar->value() + (e->key() == Qt::Key_PageUp ? -step : step));
        return true;
    }
    return false;
}

void frmQuick::keyReleased(QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_Tab) return;
    if (lineKind() != LineKind::Block) {
        if (key == Qt::Key_PageUp && s_.msg.CurrentMessage < 1023) vsbMsg->setValue(s_.msg.CurrentMessage + 1);
        else if (key == Qt::Key_PageDown && s_.msg.CurrentMessage > 0) vsbMsg->setValue(s_.msg.CurrentMessage - 1);
        else if (key == Qt::Key_Up && currentLine_ < s_.msg.LineCount) vsbLine->setValue(currentLine_ + 1);
        else if (key == Qt::Key_Down && currentLine_ > 1) vsbLine->setValue(currentLine_ - 1);
    } else if (key == Qt::Key_Backspace || key == Qt::Key_Return || key == Qt::Key_Left || key == Qt::Key_Right) {
        txtEdit->ensureCursorVisible();
    }
    if (s_.run.ScriptEditMode || s_.msg.ScriptOnly) return;
    writeBackLine();
    normaliseLine();
    UpdateSimulation();
    refreshPosition();
    if (!refusedStatus_.isEmpty()) {
        // The refused key's reason stays in view until the next key.
        refusedStatus_.clear();
        return;
    }
    setStatus(QStringLiteral("Length of current line is ") + QString::fromStdString(Str(txtEdit->textLength())) +
              QStringLiteral(" characters."));
}

void frmQuick::normaliseLine() {
    if (lineKind() == LineKind::Block) return splitLongBlocks();
    if (lineKind() != LineKind::Plain) return;
    std::string& rtf = s_.msg.LineRtf[currentLine_];
    bool breaks = rtf.find("\\par\r\n") != std::string::npos;
    bool tooLong = GetText(rtf).size() > static_cast<size_t>(kPlainLimit);
    if (!breaks && !tooLong) return;
    const QTextCursor kept = txtEdit->textCursor();
    bool old = SuppressEvents;
    SuppressEvents = true;
    QTextCursor c(txtEdit->document());
    c.beginEditBlock();
    // One paragraph: the breaks go, the text stays.
    while (txtEdit->document()->blockCount() > 1) {
        c.setPosition(txtEdit->document()->firstBlock().length() - 1);
        c.deleteChar();
    }
    if (txtEdit->document()->characterCount() - 1 > kPlainLimit) {
        c.setPosition(kPlainLimit);
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    }
    c.endEditBlock();
    QTextCursor restore = txtEdit->textCursor();
    restore.setPosition(std::min(kept.anchor(), txtEdit->document()->characterCount() - 1));
    restore.setPosition(std::min(kept.position(), txtEdit->document()->characterCount() - 1), QTextCursor::KeepAnchor);
    txtEdit->setTextCursor(restore);
    SuppressEvents = old;
    rtf = txtEdit->lineRtf();
    refreshCenterCaption(); // the paragraphs were joined: the cursor's one may have another alignment
}

// A selection removed across a block break (Delete, Cut, typing over it) joins two blocks:
// a block longer than the display is split again, nothing of its text lost.
void frmQuick::splitLongBlocks() {
    std::string& rtf = s_.msg.LineRtf[currentLine_];
    const std::string split = SplitLongBlocks(rtf);
    if (split == rtf) return;
    rtf = split;
    const int position = txtEdit->textCursor().position();
    bool old = SuppressEvents;
    SuppressEvents = true;
    txtEdit->setLineRtf(rtf);
    QTextCursor c = txtEdit->textCursor();
    c.setPosition(std::min(position, txtEdit->document()->characterCount() - 1));
    txtEdit->setTextCursor(c);
    SuppressEvents = old;
    refreshCenterCaption();
}

bool frmQuick::editorEvent(QEvent* event) {
    // A key pressed here whose release went elsewhere (Tab moves the focus on the press)
    // leaves nothing pending for the next release that arrives.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) keyPending_ = false;
    if (event->type() == QEvent::KeyPress) {
        auto* e = static_cast<QKeyEvent*>(event);
        keyPending_ = true;
        if (keyDownHandled(e)) return true;
        bool dropped = keyPressDropped(e);
        refreshPosition();
        return dropped;
    }
    if (event->type() == QEvent::KeyRelease) {
        auto* e = static_cast<QKeyEvent*>(event);
        if (!keyPending_ || e->isAutoRepeat()) return false;
        keyPending_ = false;
        keyReleased(e);
    }
    return false;
}

} // namespace lt
