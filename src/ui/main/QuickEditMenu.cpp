// The Edit menu: Undo, Cut, Copy and Paste for the two editors (paste into the message
// line keeps the line's length limits), and Delete message.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "common/NumberText.h"
#include "quickedit/Read.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"

namespace lt {

void frmQuick::setupEditCommands() {
    // A middle-click paste of the selection and a drop follow the paste rules too.
    txtEdit->setInsertHandler([this](const QString& text) { pasteText(text); });
    // Undo and Cut change the text box that has the focus; what they leave in the message
    // line keeps the line's limits, as after a key.
    auto changing = [this](void (QPlainTextEdit::*script)(), void (QTextEdit::*line)()) {
        return [this, script, line] {
            if (QApplication::focusWidget() == txtAdvEdit) {
                (txtAdvEdit->*script)();
            } else if (QApplication::focusWidget() == txtEdit) {
                (txtEdit->*line)();
                writeBackLine();
                normaliseLine();
            }
        };
    };
    connect(mnuEditUndo, &QAction::triggered, this, changing(&QPlainTextEdit::undo, &QTextEdit::undo));
    connect(mnuEditCopy, &QAction::triggered, this, [this] {
        if (QApplication::focusWidget() == txtAdvEdit) txtAdvEdit->copy();
        else if (QApplication::focusWidget() == txtEdit) txtEdit->copy();
    });
    connect(mnuEditCut, &QAction::triggered, this, changing(&QPlainTextEdit::cut, &QTextEdit::cut));
    connect(mnuEditPaste, &QAction::triggered, this, [this] {
        if (QApplication::focusWidget() == txtAdvEdit) txtAdvEdit->paste();
        else if (QApplication::focusWidget() == txtEdit) pasteIntoLine();
    });
    connect(mnuEditDel, &QAction::triggered, this, &frmQuick::deleteMessage);
}

void frmQuick::pasteIntoLine() {
    QClipboard* clipboard = QApplication::clipboard();
    const QString text = clipboard->text();
    clipboard->setText(text);
    pasteText(text);
}

void frmQuick::pasteText(const QString& text) {
    if (s_.run.ScriptEditMode || s_.msg.ScriptOnly) return;
    QString refused;
    const QString paste = UnitCharacters(text, &refused);
    const QTextCursor c = txtEdit->textCursor();
    const int selected = c.selectionEnd() - c.selectionStart();
    switch (lineKind()) {
    case LineKind::Plain:
        if (txtEdit->textLength() - selected + paste.size() > 20) {
            s_.ui.messageBox(Box("The text to be pasted is too long to fit in 20 characters line. You may want to "
                                 "create a continuous scrolling message."));
            return;
        }
        break;
    case LineKind::Block:
        if (txtEdit->blockLength(txtEdit->blockIndex()) - selected + paste.size() > 20) {
            s_.ui.messageBox(Box("This text is too long to fit in 20 characters block. You may want to create a "
                                 "another block."));
            return;
        }
        break;
    case LineKind::Continuous:
        if (txtEdit->textLength() - selected + paste.size() > 155) {
            s_.ui.messageBox(Box("You cant have more than 155 characters on continuous scrolling line"));
            return;
        }
        break;
    }
    QTextCursor insert = txtEdit->textCursor();
    insert.insertText(paste);
    txtEdit->setTextCursor(insert);
    writeBackLine();
    normaliseLine();
    UpdateSimulation();
    if (!refused.isEmpty()) setStatus(RefusedCharactersText(refused));
}

void frmQuick::deleteMessage() {
    const int n = s_.msg.CurrentMessage;
    MessageBox question = Box("Delete message " + Str(n) + " ?", Buttons::OkCancel, Icon::Exclamation);
    question.defaultAnswer = Answer::Cancel;
    if (s_.ui.messageBox(question) != Answer::Ok) return;
    s_.msg.MessageTask[n] = 0;
    s_.index.MessageState[n] = 0;
    s_.msg.BlockText.clear();
    s_.run.HeaderChanged = true;
    WorkStore store(s_);
    const int next = n >= 1 ? store.PreviousMessage(n) : store.NextMessage(0);
    s_.msg.CurrentMessage = next;
    store.LoadMessage(next);
    bool old = SuppressEvents;
    SuppressEvents = true;
    vsbMsg->setValue(next);
    vsbTask->setValue(s_.msg.MessageTask[next]);
    txtTask->setText(QString::number(s_.msg.MessageTask[next]));
    --s_.index.StoredMessageCount;
    if (!s_.run.ScriptEditMode) {
        ReadFields(s_);
        SuppressEvents = old;
        setLine(1);
        UpdateSimulation();
    } else {
        txtMsg->setText(QString::number(next));
        if (s_.msg.BlockText.empty()) s_.msg.BlockText = EmptyBlock(s_);
        SuppressEvents = old;
        setAdvText(s_.msg.BlockText);
    }
}

} // namespace lt
