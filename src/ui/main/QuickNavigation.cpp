// Moving between messages, lines and tasks. A message change runs in a fixed order:
// build the block, store it, fetch the new one, read it, refresh.
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "common/NumberText.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"

namespace lt {

namespace {

// Writes a value into a control without running its change handling.
struct Suppress {
    explicit Suppress(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~Suppress() { flag_ = old_; }
    bool& flag_;
    bool old_;
};

QString number(int n) { return QString::number(n); }

} // namespace

void frmQuick::focusEditor() {
    if (txtEdit->isEnabled() && txtEdit->isVisibleTo(this)) txtEdit->setFocus();
    else if (txtAdvEdit->isEnabled() && txtAdvEdit->isVisibleTo(this)) txtAdvEdit->setFocus();
    // A script-only message has no text box to type into: the keyboard stays in the window,
    // on the button that goes back to its script, instead of going nowhere.
    else if (cmdAdvEdit->isEnabled()) cmdAdvEdit->setFocus();
    else txtMsg->setFocus();
}

void frmQuick::changeMessage(int n) {
    if (n < 0 || n >= kMessageCount) return;
    if (changingMessage_) {
        // A box of the change in progress runs its own event loop, in which the message
        // scroll bar keeps repeating the click whose release the box received: that
        // repeat stops here instead of starting a change inside the change.
        vsbMsg->stopRepeat();
        Suppress guard(SuppressEvents);
        vsbMsg->setValue(s_.msg.CurrentMessage);
        return;
    }
    changingMessage_ = true;
    changeMessageNow(n);
    changingMessage_ = false;
    // A button released while a box was up (the box took the release) ends the repeat.
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
        vsbMsg->stopRepeat();
}

void frmQuick::changeMessageNow(int n) {
    s_.ui.setBusy(true);
    WorkStore store(s_);
    if (!s_.run.ScriptEditMode) SubMake(s_);
    if (!store.StoreMessage(s_.msg.CurrentMessage)) {
        // The block could not be kept: stay on this message with everything as it was.
        if (!s_.run.ScriptEditMode) ReadFields(s_);
        Suppress guard(SuppressEvents);
        vsbMsg->setValue(s_.msg.CurrentMessage);
        txtMsg->setText(number(s_.msg.CurrentMessage));
        s_.ui.setBusy(false);
        return;
    }
    s_.msg.CurrentMessage = n;
    store.LoadMessage(n);
    if (s_.run.ScriptEditMode) {
        if (s_.msg.BlockText.empty()) {
            s_.msg.BlockText = EmptyBlock(s_);
            s_.msg.ScriptOnly = false;
        } else {
            CheckCrc(s_);
        }
        setAdvEditCaption(s_.msg.ScriptOnly ? QStringLiteral("&Script Edit Only") : QStringLiteral("&Go to Quick Edit"));
        setAdvText(s_.msg.BlockText);
    } else {
        s_.msg.ScriptOnly = false;
        ReadFields(s_);
        setLine(1);
        UpdateSimulation();
    }
    {
        Suppress guard(SuppressEvents);
        txtMsg->setText(number(n));
        vsbMsg->setValue(n);
        txtTask->setText(number(s_.msg.MessageTask[n]));
        vsbTask->setValue(s_.msg.MessageTask[n]);
    }
    clearSyntaxErrors();
    focusEditor();
    s_.ui.setBusy(false);
}

void frmQuick::setLine(int line) {
    currentLine_ = line;
    {
        Suppress guard(SuppressEvents);
        vsbLine->setValue(line);
        txtLine->setText(number(s_.msg.LineNumber[line]));
    }
    ShowEdit();
}

void frmQuick::onMsgScroll(int value) {
    if (SuppressEvents) return;
    const int current = s_.msg.CurrentMessage;
    if (value == current) return;
    WorkStore store(s_);
    int n = value > current ? store.NextMessage(current) : store.PreviousMessage(current);
    {
        Suppress guard(SuppressEvents);
        vsbMsg->setValue(n);
    }
    changeMessage(n);
}

void frmQuick::onMsgReturn() {
    const QString text = txtMsg->text();
    if (text.isEmpty() || !IsNumeric(text.toStdString())) return;
    const long long n = ValInt(text.toStdString());
    Suppress guard(SuppressEvents);
    txtMsg->setText(QString::number(n));
    if (n >= 0 && n < kMessageCount) {
        SuppressEvents = false;
        changeMessage(static_cast<int>(n));
    } else {
        txtMsg->setText(number(s_.msg.CurrentMessage));
    }
}

bool frmQuick::validateMsg() {
    const std::string text = txtMsg->text().toStdString();
    if (!IsNumeric(text)) {
        s_.ui.messageBox(Box(text + " is not a valid message number."));
        QTimer::singleShot(0, txtMsg, [this] { txtMsg->setFocus(); });
        return false;
    }
    const double v = Val(text);
    if (v < 0 || v > 1023) {
        s_.ui.messageBox(Box(text + " is not a valid message number.  The value must be between 0 and 1023."));
        QTimer::singleShot(0, txtMsg, [this] { txtMsg->setFocus(); });
        return false;
    }
    if (static_cast<int>(ValInt(text)) != s_.msg.CurrentMessage) onMsgReturn();
    return true;
}

void frmQuick::onLineText() {
    if (SuppressEvents) return;
    const std::string text = txtLine->text().toStdString();
    if (!IsNumeric(text)) return;
    const long long typed = ValInt(text);
    for (int i = 1; i <= s_.msg.LineCount; ++i)
        if (s_.msg.LineNumber[i] == typed) currentLine_ = i;
    if (typed >= 0 && typed <= s_.msg.LineCount) {
        Suppress guard(SuppressEvents);
        txtLine->setText(number(s_.msg.LineNumber[currentLine_]));
    }
    {
        Suppress guard(SuppressEvents);
        vsbLine->setValue(currentLine_);
    }
    ShowEdit();
    focusEditor();
}

bool frmQuick::validateLine() {
    const std::string text = txtLine->text().toStdString();
    const bool four = s_.settings.UnitType == "7780";
    std::string message;
    if (!IsNumeric(text)) message = text + " is not a valid line number.";
    else if (double v = Val(text); v < 1 || v > (four ? 4 : 2))
        message = text + (four ? " is not a valid line number.  The value must be between 1 and 4."
                               : " is not a valid line number.  The value must be between 1 and 2.");
    if (message.empty()) return true;
    s_.ui.messageBox(Box(message));
    QTimer::singleShot(0, txtLine, [this] { txtLine->setFocus(); });
    return false;
}

void frmQuick::onLineScroll(int value) {
    if (SuppressEvents) return;
    if (value >= 1 && value <= s_.msg.LineCount) {
        setLine(value);
    } else {
        Suppress guard(SuppressEvents);
        vsbLine->setValue(currentLine_);
    }
    focusEditor();
}

void frmQuick::onTaskText() {
    if (SuppressEvents) return;
    const std::string text = txtTask->text().toStdString();
    const int n = s_.msg.CurrentMessage;
    if (IsNumeric(text) && Val(text) >= 0 && Val(text) <= 3) {
        s_.msg.MessageTask[n] = static_cast<int>(ValInt(text));
        Suppress guard(SuppressEvents);
        vsbTask->setValue(s_.msg.MessageTask[n]);
    } else {
        Suppress guard(SuppressEvents);
        txtTask->setText(number(s_.msg.MessageTask[n]));
    }
    focusEditor();
}

bool frmQuick::validateTask() {
    const std::string text = txtTask->text().toStdString();
    std::string message;
    if (!IsNumeric(text)) message = text + " is not a valid task number.";
    else if (Val(text) < 0 || Val(text) > 3) message = text + " is not a valid task number.  The value must be between 0 and 3.";
    if (message.empty()) return true;
    s_.ui.messageBox(Box(message));
    QTimer::singleShot(0, txtTask, [this] { txtTask->setFocus(); });
    return false;
}

void frmQuick::onTaskScroll(int value) {
    if (SuppressEvents) return;
    {
        Suppress guard(SuppressEvents);
        txtTask->setText(number(value));
    }
    s_.msg.MessageTask[s_.msg.CurrentMessage] = value;
    focusEditor();
}

} // namespace lt

namespace lt {

void frmQuick::clearSyntaxErrors() {
    s_.tools.errors.clear();
    s_.tools.errorCursor = 0;
}

} // namespace lt
