// Bringing the controls in line with the model: the edit controls of the current line
// and the simulation display with its two timers.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "attributes/BlinkSettings.h"
#include "quickedit/EditState.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"
#include "ui/widgets/SimulationDisplay.h"

namespace lt {

namespace {
void apply(QPushButton* button, const ButtonState& state) {
    button->setText(QString::fromStdString(state.caption));
    button->setEnabled(state.enabled);
}
} // namespace

void frmQuick::ShowEdit() {
    if (!s_.msg.ScriptOnly) SyncLineBlink(s_.msg);
    EditControlState st = ShowEditState(s_, currentLine_);
    {
        bool old = SuppressEvents;
        SuppressEvents = true;
        txtMsg->setText(QString::number(s_.msg.CurrentMessage));
        txtLine->setText(QString::number(s_.msg.LineNumber[currentLine_]));
        txtTask->setText(QString::number(s_.msg.MessageTask[s_.msg.CurrentMessage]));
        SuppressEvents = old;
    }
    setAdvEditCaption(QString::fromStdString(st.cmdAdvEdit.caption));
    cmdAdvEdit->setEnabled(st.cmdAdvEdit.enabled);
    for (auto [button, state] : {std::pair{cmdCenter, &st.cmdCenter}, {cmdBlink, &st.cmdBlink}, {cmdVar, &st.cmdVar},
                                 {cmdScroll, &st.cmdScroll}, {cmdWait, &st.cmdWait}, {cmdFont, &st.cmdFont},
                                 {cmdRelay, &st.cmdRelay}, {cmdStart, &st.cmdStart}, {cmdClrScreen, &st.cmdClrScreen},
                                 {cmdSend, &st.cmdSend}})
        apply(button, *state);
    vsbLine->setEnabled(st.vsbLineEnabled);
    txtLine->setEnabled(st.txtLineEnabled);
    vsbTask->setEnabled(st.vsbTaskEnabled);
    txtTask->setEnabled(st.txtTaskEnabled);
    txtEdit->setEnabled(st.txtEditEnabled);
    lblLine->setText(QString::fromStdString(st.lblLine));
    {
        bool old = SuppressEvents;
        SuppressEvents = true;
        txtEdit->setLineRtf(st.editRtf);
        SuppressEvents = old;
    }
    // The Center button tells about the paragraph the cursor is in (the last one, where
    // loading leaves the cursor), so its first click changes that paragraph.
    refreshCenterCaption();
    // A line of several blocks gets a taller area; one block keeps the one-line height.
    txtEdit->setFixedHeight(st.multiParagraph ? 96 : 38);
    txtEdit->setVerticalScrollBarPolicy(st.multiParagraph ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    lblAttribute->setText(QString::fromStdString(
        PositionText(s_, currentLine_, txtEdit->blockIndex() + 1, txtEdit->column())));
    s_.ui.setStatus("");
}

void frmQuick::writeBackLine() {
    if (SuppressEvents || s_.msg.ScriptOnly || s_.run.ScriptEditMode) return;
    s_.msg.LineRtf[currentLine_] = txtEdit->lineRtf();
    // Text typed after a blinking character blinks too; deleting the last blinking
    // character ends the line's blinking.
    if (SyncLineBlink(s_.msg))
        cmdBlink->setText(s_.msg.LineBlink[currentLine_].empty() ? QStringLiteral("&Blink OFF...")
                                                                 : QStringLiteral("&Blink ON..."));
    // An edit can change the alignment under the cursor without moving it (Enter in an
    // empty centred block gives the block the plain format).
    refreshCenterCaption();
    UpdateSimulation();
}

void frmQuick::UpdateSimulation() {
    sim_.UpdateSimulation(s_);
    showRows();
    if (sim_.timer1Enabled()) {
        Timer1->setInterval(std::max(1, sim_.timer1Interval()));
        Timer1->start();
    } else {
        Timer1->stop();
    }
    if (sim_.timer2Enabled()) {
        if (!Timer2->isActive()) Timer2->start();
    } else {
        Timer2->stop();
    }
}

void frmQuick::showRows() {
    for (int r = 1; r <= 4; ++r) {
        frameDisplay->setRowVisible(r, sim_.rowVisible(r));
        frameDisplay->setRow(r, QString::fromLatin1(sim_.row(r).c_str()));
    }
}

void frmQuick::onTimer1() {
    sim_.Timer1Tick(s_);
    if (!sim_.timer1Enabled()) Timer1->stop();
    showRows();
}

void frmQuick::onTimer2() {
    sim_.Timer2Tick(s_);
    showRows();
}

void frmQuick::onDisplayRowClicked(int row) {
    const int line = SimulationModel::lineForRow(s_, row);
    if (line < 1 || line == currentLine_) return;
    if (s_.msg.VerticalScrollMode && !s_.msg.LineRepeat[currentLine_].empty()) return;
    vsbLine->setValue(line);
    if (txtEdit->isEnabled() && txtEdit->isVisible()) txtEdit->setFocus();
}

} // namespace lt
