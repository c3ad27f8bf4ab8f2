// The File and Program menu commands as the window carries them out, and what the
// window does around the file commands of the core.
#include <QAction>
#include <QTextCursor>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "quickedit/Read.h"
#include "settings/ProgramMenu.h"
#include "storage/ScriptFile.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"
#include "ui/widgets/SimulationDisplay.h"

namespace lt {

void frmQuick::setTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }

void frmQuick::showNavigation() {
    bool old = SuppressEvents;
    SuppressEvents = true;
    currentLine_ = 1;
    const int n = s_.msg.CurrentMessage;
    vsbLine->setValue(1);
    vsbMsg->setValue(n);
    vsbTask->setValue(s_.msg.MessageTask[n]);
    txtMsg->setText(QString::number(n));
    txtLine->setText(QString::number(s_.msg.LineNumber[1]));
    txtTask->setText(QString::number(s_.msg.MessageTask[n]));
    SuppressEvents = old;
    clearSyntaxErrors();
}

void frmQuick::showMessage() {
    if (s_.run.ScriptEditMode) {
        setAdvEditCaption(s_.msg.ScriptOnly ? QStringLiteral("&Script Edit Only") : QStringLiteral("&Go to Quick Edit"));
        setAdvText(s_.msg.BlockText);
        return;
    }
    ShowEdit();
    UpdateSimulation();
}

void frmQuick::showReadBack() {
    const QTextCursor kept = txtEdit->textCursor();
    ShowEdit();
    UpdateSimulation();
    const int end = txtEdit->document()->characterCount() - 1;
    QTextCursor c = txtEdit->textCursor();
    c.setPosition(std::min(kept.anchor(), end));
    c.setPosition(std::min(kept.position(), end), QTextCursor::KeepAnchor);
    txtEdit->setTextCursor(c);
}

void frmQuick::applyUnitType() {
    const bool four = s_.settings.UnitType == "7780";
    const bool known = four || s_.settings.UnitType == "7740";
    frameDisplay->setTitle(QString::fromStdString(s_.settings.UnitType) + QStringLiteral(" Display"));
    if (!known) return;
    frameDisplay->setRowVisible(1, four);
    frameDisplay->setRowVisible(4, four);
    bool old = SuppressEvents;
    SuppressEvents = true;
    vsbLine->setMaximum(s_.msg.LineCount);
    SuppressEvents = old;
}

void frmQuick::chooseUnitType(const std::string& type) {
    if (!ChooseUnitType(s_, type)) return;
    applyUnitType();
    bool old = SuppressEvents;
    SuppressEvents = true;
    vsbLine->setValue(1);
    SuppressEvents = old;
    if (s_.run.ScriptEditMode) {
        showMessage();
    } else {
        if (currentLine_ > s_.msg.LineCount) setLine(1);
        UpdateSimulation();
    }
}

void frmQuick::chooseVersion(const std::string& version) { ChooseVersion(s_, version); }

void frmQuick::chooseComPort(int port) {
    for (int p = 1; p <= 4; ++p) mnuPrgCom[p]->setChecked(p == port);
    s_.settings.UnitPort = std::to_string(port);
}

void frmQuick::chooseBaud(int index) {
    static const char* const rates[] = {"", "300", "600", "1200", "2400", "4800", "9600", "19200", "38400"};
    if (index >= 1 && index <= 8) s_.settings.BaudRate = rates[index];
}

void frmQuick::openRecent(int k) { files_.OpenRecent(k); }

} // namespace lt
