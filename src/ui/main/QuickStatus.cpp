// Status-bar help: one event filter catches focus and mouse events of the window's
// controls and asks statusTextFor() for the text. The same filter handles the number
// boxes' keys and validation and the label clicks.
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>

#include "quickedit/EditState.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"
#include "ui/widgets/SimulationDisplay.h"

namespace lt {

namespace {

QString markStatusText(int mark) {
    auto var = [](int n) { return QStringLiteral("This is variable ") + QString::fromStdString(std::to_string(n)).prepend(QLatin1Char(' ')); };
    if (mark < 0) return QStringLiteral("Text editing window - all text changes should be done here");
    if (mark == 0) return QStringLiteral("This is plain text.");
    if (mark <= 16) return var(mark) + QStringLiteral(", leading spaces.");
    if (mark <= 32) return var(mark - 16) + QStringLiteral(", leading spaces, blinking.");
    if (mark <= 48) return var(mark - 32) + QStringLiteral(", leading zeros.");
    if (mark <= 64) return var(mark - 48) + QStringLiteral(", leading zeros, blinking");
    if (mark == 65) return QStringLiteral("This is blinked text.");
    return QStringLiteral("Text editing window - all text changes shoud be done here");
}

} // namespace

void frmQuick::installStatusHelp() {
    const QList<QWidget*> controls = {cmdAdvEdit, txtMsg, vsbMsg, vsbTask, txtTask, vsbLine, txtLine, lblAttribute,
                                      cmdBlink, cmdVar, cmdFont, cmdCenter, cmdScroll, cmdClrScreen, cmdRelay,
                                      cmdStart, cmdWait, cmdSend, txtAdvEdit, pnlQuick, Label4, Label5};
    for (QWidget* w : controls) {
        w->installEventFilter(this);
        w->setMouseTracking(true);
    }
    txtEdit->viewport()->installEventFilter(this);
    txtEdit->viewport()->setMouseTracking(true);
    // The script box's mouse moves arrive at its viewport.
    txtAdvEdit->viewport()->installEventFilter(this);
    txtAdvEdit->viewport()->setMouseTracking(true);
    txtMsg->setProperty("helpContext", 1100);
    vsbMsg->setProperty("helpContext", 1100);
    txtTask->setProperty("helpContext", 1200);
    vsbTask->setProperty("helpContext", 1200);
    txtLine->setProperty("helpContext", 1400);
    vsbLine->setProperty("helpContext", 1400);
    txtAdvEdit->setProperty("helpContext", 4200);
    cmdAdvEdit->setProperty("helpContext", 4200);
}

QString frmQuick::statusTextFor(QObject* control) const {
    const int line = currentLine_;
    if (control == txtMsg || control == vsbMsg)
        return QStringLiteral("Enter a message number for fast access or creating a new message");
    if (control == txtTask || control == vsbTask) return QStringLiteral("Displays task number of current message.");
    if (control == txtLine || control == vsbLine) return QStringLiteral("Displays current line number to be edited.");
    if (control == lblAttribute)
        return s_.msg.LineRepeat[line].empty()
                   ? QStringLiteral("Dispays the line and character number at the current cursor position.")
                   : QStringLiteral("Dispays the block and character number at the current cursor position.");
    if (control == txtEdit) return QStringLiteral("Text editing window - all text changes should be done here");
    if (control == cmdAdvEdit) {
        if (!s_.settings.EditorType.empty())
            return QStringLiteral("Click on this button or press Alt-G to start previously selected Script Editor with "
                                  "the current message.");
        return s_.run.ScriptEditMode
                   ? QStringLiteral("Click on this button or press Alt-G to return to Quick Edit window with the current "
                                    "message.")
                   : QStringLiteral("Click on this button or press Alt-G to open Script Edit window with the current "
                                    "message.");
    }
    if (control == txtAdvEdit)
        return QStringLiteral("Total length of this script is ") + QString::number(s_.msg.BlockText.size()).prepend(QLatin1Char(' ')) +
               QStringLiteral(" bytes. Max. possible  30000 bytes.");
    for (QPushButton* b : {cmdBlink, cmdVar, cmdFont, cmdCenter, cmdScroll, cmdClrScreen, cmdRelay, cmdStart, cmdWait, cmdSend}) {
        if (control != b) continue;
        bool selected = txtEdit->textCursor().hasSelection();
        return QString::fromStdString(ButtonStatusText(s_, line, b->objectName().toStdString(), selected, b->underMouse()));
    }
    return QString();
}

bool frmQuick::windowShortcutWins(const QKeyEvent* key) const {
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* a : findChildren<QAction*>()) {
        // The text boxes keep their own undo and clipboard keys: the Edit menu does the same.
        if (a == mnuEditUndo || a == mnuEditCut || a == mnuEditCopy || a == mnuEditPaste) continue;
        if (!a->shortcut().isEmpty() && a->shortcut().matches(pressed) == QKeySequence::ExactMatch) return true;
    }
    return false;
}

QString frmQuick::helpTextAt(QObject* watched, QPoint pos) const {
    if (watched == txtEdit->viewport()) return markStatusText(txtEdit->markAtPoint(pos));
    if (watched == txtAdvEdit->viewport()) return statusTextFor(txtAdvEdit);
    return statusTextFor(watched);
}

bool frmQuick::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The tooltip of a control is its status-bar help text.
    if (type == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = helpTextAt(watched, help->pos());
        if (text.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), text, qobject_cast<QWidget*>(watched));
        return true;
    }
    // A text box would take Ctrl+A as "select all" and Ctrl+Y as "redo": the menu commands
    // on those keys (Save As, Syntax check, ...) win, so the keys do what the menus say.
    if (type == QEvent::ShortcutOverride && windowShortcutWins(static_cast<QKeyEvent*>(event))) return true;
    if (watched == txtEdit && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) return editorEvent(event);
    if (watched == txtEdit && (type == QEvent::FocusIn || type == QEvent::FocusOut)) editorEvent(event);
    if (watched == txtEdit->viewport() && type == QEvent::MouseMove) {
        setStatus(helpTextAt(watched, static_cast<QMouseEvent*>(event)->position().toPoint()));
        return false;
    }
    if (watched == txtAdvEdit->viewport()) {
        if (type == QEvent::MouseMove || type == QEvent::Enter) setStatus(helpTextAt(watched, {}));
        return false;
    }
    if (watched == pnlQuick || watched == Label4 || watched == Label5) {
        if (type == QEvent::Enter || type == QEvent::MouseMove) setStatus(QString());
        return false;
    }
    if (type == QEvent::MouseButtonPress && (watched == Label1 || watched == Label2 || watched == lblLine)) {
        QLineEdit* box = watched == Label1 ? txtTask : watched == Label2 ? txtMsg : txtLine;
        if (box->isEnabled() && box->isVisible()) box->setFocus(Qt::MouseFocusReason);
        return false;
    }
    if (watched == txtMsg && type == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        const QString t = ke->text();
        bool control = ke->key() == Qt::Key_Backspace || ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter ||
                       ke->key() == Qt::Key_Left || ke->key() == Qt::Key_Right || ke->key() == Qt::Key_Delete ||
                       ke->key() == Qt::Key_Home || ke->key() == Qt::Key_End || ke->key() == Qt::Key_Tab ||
                       ke->key() == Qt::Key_Backtab || (ke->modifiers() & Qt::ControlModifier);
        if (!control && !(t.size() == 1 && t.at(0).isDigit())) return true;
        return false;
    }
    // A menu, a box or another window taking the keyboard for a while moves it away and
    // back without the person leaving the control: the menu's own text, or the command's
    // progress text ("Processing command Reboot."), stays.
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason ||
            reason == Qt::ActiveWindowFocusReason)
            return false;
    }
    if (type == QEvent::FocusIn || type == QEvent::Enter || type == QEvent::MouseMove) {
        QString text = statusTextFor(watched);
        if (!text.isEmpty() || type == QEvent::FocusIn) setStatus(text);
        return false;
    }
    if (type == QEvent::FocusOut) {
        // (A message box of the validation itself takes the focus from another window: not
        // a leave, passed over above.)
        if (watched == txtMsg || watched == txtLine || watched == txtTask) {
            setStatus(QString());
            if (watched == txtMsg) validateMsg();
            else if (watched == txtLine) validateLine();
            else validateTask();
            return false;
        }
        setStatus(QString());
        return false;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace lt
