// The attribute dialogs offscreen (Blink, Start and Send message, the horizontal and
// vertical scroll dialogs, Variable): opening from the model, the controls and their sample
// animations, the refusals, the editing rules and what OK writes into the model.

#include "quickedit/RichText.h"
#include "support_dialogs.h"
#include "ui/dialogs/frmBlink.h"
#include "ui/dialogs/frmScroll.h"
#include "ui/dialogs/frmSelect.h"
#include "ui/dialogs/frmSend.h"
#include "ui/dialogs/frmStart.h"
#include "ui/dialogs/frmVar.h"
#include "ui/dialogs/frmWait.h"
#include "ui/widgets/LineEditor.h"

using namespace lt;
using namespace lt::test;

class TestAttributeDialogs : public QObject {
    Q_OBJECT
private slots:
    void blinkMarksSelectionsAndAllOff() {
        DialogHarness h;
        h.m.LineRtf[1] = Line("FIRE EXIT");
        h.m.LineBlink[3] = "25,1";
        h.m.LineRtf[3] = Line("X");
        frmBlink dlg(h.ctx);
        dlg.optOn->click();
        Select(dlg.txtEdit, 0, 4);
        dlg.cmdSecOn->click();
        QCOMPARE(QString::fromStdString(dlg.txtEdit->lineRtf()),
                 QStringLiteral("\\sb90\\sa90 \\f65 \\cf0 FIRE\\f0 \\cf0  EXIT"));
        // The preview hides the marked characters every other tick.
        dlg.timer1Tick();
        QVERIFY(dlg.previewHidden() && dlg.txtEdit->extraSelections().size() == 1);
        dlg.timer1Tick();
        QCOMPARE(dlg.txtEdit->extraSelections().size(), 0);

        dlg.hsbBlink->setValue(1);
        QCOMPARE(dlg.lblBlink->text(), QStringLiteral("SLOWEST"));
        dlg.cmdOk->click();
        QCOMPARE(h.m.LineBlink[1] + " " + h.m.LineBlink[3], std::string("100,1 100,1"));
        QCOMPARE(std::make_pair(h.showEdits, h.simulations), std::make_pair(1, 1));
        SaveShot(dlg, "frmBlink");

        // All off on a line of two blocks leaves no blink; Cancel after All on changes nothing.
        h.m.LineRtf[1] = "\\sb90\\sa90 \\f65 \\cf0 ON\\par\r\n\\f65 \\cf0 TWO";
        frmBlink off(h.ctx);
        QVERIFY(off.txtEdit->height() > off.txtEdit->fontMetrics().lineSpacing() * 2);
        off.cmdAllOff->click();
        off.cmdOk->click();
        QCOMPARE(h.m.LineBlink[1], std::string());
        QCOMPARE(h.m.LineRtf[1], std::string("\\sb90\\sa90 \\f0 \\cf0 ON\\par\r\n\\f0 \\cf0 TWO"));
        h.m.LineBlink[1] = "25,1";
        frmBlink cancel(h.ctx);
        cancel.cmdAllOn->click();
        cancel.cmdCancel->click();
        QCOMPARE(h.m.LineBlink[1], std::string("25,1"));
        QCOMPARE(h.showEdits, 2);

        // A word selected at the cursor stops where the marks change.
        LineEditor e;
        e.setLineRtf("\\sb90\\sa90 \\f0 \\cf0 ab\\f65 \\cf0 cd\\f0 \\cf0  ef");
        Select(&e, 3, 3);
        e.selectWordAtCursor();
        QCOMPARE(e.textCursor().selectedText(), QStringLiteral("cd"));
        QCOMPARE(QString::fromStdString(e.selectedLineRtf()), QStringLiteral("\\sb90\\sa90 \\f65 \\cf0 cd"));
    }

    void startBoxesToListsAndBack() {
        DialogHarness h;
        h.m.CurrentMessage = 8;
        frmStart dlg(h.ctx);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Current msg 8"));
        QCOMPARE(dlg.lblStatus->text(), QStringLiteral("Press On Radio button in order to start editing."));
        QVERIFY(dlg.optOff->isChecked() && !dlg.frame[0]->isEnabled());
        dlg.optOn->click();
        QTest::keyClicks(dlg.txtStart[0], "5");
        QCOMPARE(dlg.vsbStart[0]->value(), 5);
        dlg.optEnd[0]->click();
        dlg.vsbStart[2]->setValue(12);
        QCOMPARE(dlg.txtStart[2]->text(), QStringLiteral("12"));
        // Typing 0 moves the bar to 0, which empties the box.
        QTest::keyClicks(dlg.txtStart[1], "7");
        dlg.txtStart[1]->setText("0");
        QCOMPARE(dlg.txtStart[1]->text(), QString());

        dlg.txtStart[3]->setText("8");
        dlg.cmdOk->click();
        QCOMPARE(QString::fromStdString(h.ui.lastText()),
                 QStringLiteral("Message 8 is the current message. You cannot call the current message."));
        QCOMPARE(dlg.txtStart[3]->text(), QString());
        dlg.cmdOk->click();
        QCOMPARE(h.m.StartSameTask + "|" + h.m.StartOtherTask, std::string("5|12"));
        QCOMPARE(dlg.startCaption(), std::string("&Start msg On..."));
        QCOMPARE(h.showEdits, 1);

        // Opened from longer lists: the boxes show their entries; Off clears both lists.
        h.m.StartOtherTask = "3,4,5";
        h.m.StartSameTask = "6,7";
        frmStart lists(h.ctx);
        QVERIFY(lists.optOn->isChecked() && lists.optTop[2]->isChecked() && lists.optEnd[3]->isChecked());
        QCOMPARE(lists.txtStart[2]->text(), QStringLiteral("5"));
        QCOMPARE(lists.txtStart[3]->text(), QStringLiteral("6"));
        QCOMPARE(lists.vsbStart[3]->value(), 6);
        SaveShot(lists, "frmStart");
        lists.optOff->click();
        lists.cmdOk->click();
        QCOMPARE(h.m.StartOtherTask + h.m.StartSameTask, std::string());
        QCOMPARE(lists.startCaption(), std::string("&Start msg OFF..."));
    }

    void sendEncodesDelimitedNamesAndSlaveMode() {
        DialogHarness h;
        frmSend dlg(h.ctx);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Send"));
        QVERIFY(dlg.optOff->isChecked() && !dlg.txtSend->isEnabled());
        QCOMPARE(dlg.grdSend->item(5, 1)->text(), QStringLiteral("<CR>"));
        dlg.optOn->click();
        dlg.grdSend->setCurrentCell(0, 0);
        QCOMPARE(dlg.lblSend->text(), QStringLiteral("<NUL>         Key = ^@        Decimal = 0        Hex = 00h"));
        QTest::keyClicks(dlg.txtSend, "A<cr>B<13>C<0Dh>");
        dlg.pasteCell(3, 3);  // <ESC>
        QCOMPARE(dlg.txtSend->toPlainText(), QStringLiteral("A<cr>B<13>C<0Dh><ESC>"));
        // Backspace stops at a delimiter; a click selects the whole name.
        QTest::keyClick(dlg.txtSend, Qt::Key_Backspace);
        QCOMPARE(dlg.txtSend->toPlainText(), QStringLiteral("A<cr>B<13>C<0Dh><ESC>"));
        Select(dlg.txtSend, 18, 18);
        QTest::mouseRelease(dlg.txtSend->viewport(), Qt::LeftButton, {}, dlg.txtSend->cursorRect().center());
        QCOMPARE(dlg.txtSend->textCursor().selectedText(), QStringLiteral("<ESC>"));
        QTest::keyClick(dlg.txtSend, Qt::Key_Delete);
        dlg.cmdOk->click();
        QCOMPARE(h.m.SendText, std::string("A#MB#MC#M"));
        QCOMPARE(dlg.sendCaption(), std::string("Sen&d msg ON..."));

        frmSend again(h.ctx);
        QVERIFY(again.optOn->isChecked());
        QCOMPARE(again.txtSend->toPlainText(), QStringLiteral("A<CR>B<CR>C<CR>"));
        SaveShot(again, "frmSend");

        // Slave mode, blank text and a line break after 31 characters without a blank.
        h.m.SendText = "Host";
        frmSend slave(h.ctx);
        QVERIFY(slave.optSlave->isChecked());
        slave.optOn->click();
        slave.txtSend->setPlainText("   ");
        slave.cmdOk->click();
        QCOMPARE(h.m.SendText, std::string());
        QCOMPARE(slave.sendCaption(), std::string("Sen&d msg OFF..."));
        QCOMPARE(h.showEdits, 2);  // the main window's caption follows; the dialog stays open
        slave.txtSend->setPlainText(QString(26, 'X'));
        slave.txtSend->moveCursor(QTextCursor::End);
        slave.pasteCell(2, 0);  // <STX> makes 31 characters without a blank
        QCOMPARE(slave.txtSend->toPlainText(), QString(26, 'X') + "<STX>\n");
        slave.cmdOk->click();
        QCOMPARE(h.m.SendText, std::string(26, 'X') + "#B");
        slave.optSlave->click();
        slave.cmdOk->click();
        QCOMPARE(h.m.SendText, std::string("HOST"));
    }

    void horizontalAnimatesAndMakesBlocks() {
        DialogHarness h;
        h.m.LineRtf[1] = Line("NEWS");
        h.m.LineScroll[1] = "25,3";
        frmScroll dlg(h.ctx);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Horizontal scroll on line  1"));
        QVERIFY(dlg.optYes->isChecked() && dlg.optRepeat->isChecked());
        QCOMPARE(dlg.hsbRate->value(), 4);
        QCOMPARE(dlg.lblSpeed->text(), QStringLiteral("NORMAL"));
        QCOMPARE(dlg.txtRepeat->text(), QStringLiteral("3"));
        QVERIFY(dlg.Timer1->isActive() && dlg.Timer1->interval() == 250);
        for (int i = 0; i < 2; ++i) dlg.timer1Tick();
        QCOMPARE(dlg.txtSample->text(), QString(18, ' ') + "Th");
        for (int i = 0; i < 14; ++i) dlg.timer1Tick();
        SaveShot(dlg, "frmScroll");
        dlg.optBlock->click();
        QCOMPARE(dlg.Timer1->interval(), 1000);
        dlg.timer1Tick();
        QCOMPARE(dlg.txtSample->text(), QStringLiteral("  Horizontal block"));
        dlg.optNonstop->click();
        QVERIFY(!dlg.chkLock->isEnabled() && !dlg.txtRepeat->isEnabled());
        dlg.optNo->click();
        QVERIFY(!dlg.Timer1->isActive() && !dlg.hsbRate->isEnabled());

        // A continuous line of 30 characters made blocks; the refusal of an empty repeat box.
        h.m.LineRtf[2] = Line("AAAAAAAAAAAAAAAAAAAABBBBBBBBBB");
        h.m.LineScroll[2] = "25,0";
        h.line = 2;
        frmScroll blocks(h.ctx);
        blocks.optBlock->click();
        blocks.optRepeat->click();
        blocks.txtRepeat->clear();
        blocks.cmdOk->click();
        QCOMPARE(QString::fromStdString(h.ui.lastText()),
                 QStringLiteral("You have to enter positive decimal value in Play message times box or choose Play "
                                "until next message option."));
        QCOMPARE(h.showEdits, 0);
        QTest::keyClicks(blocks.txtRepeat, "2x");
        QCOMPARE(blocks.txtRepeat->text(), QStringLiteral("2"));
        blocks.chkLock->setChecked(true);
        blocks.hsbRate->setValue(5);
        blocks.cmdOk->click();
        QCOMPARE(GetText(SplitParagraphs(h.m.LineRtf[2])[1]), std::string(10, 'B'));
        QCOMPARE(h.m.LineRepeat[2] + "|" + h.m.WaitTime + "|" + h.m.LockBuffer, std::string("0,2|6|ON"));
        QCOMPARE(std::make_pair(h.showEdits, h.simulations), std::make_pair(1, 1));
    }

    void verticalMergesTheMessageIntoLineOne() {
        DialogHarness h;
        h.m.LineRtf[1] = Line("FIRST");
        h.m.LineRtf[2] = Line("SECOND");
        h.m.LineRtf[3] = Line("THIRD");
        h.line = 3;
        frmWait dlg(h.ctx);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Vertical scroll "));
        QVERIFY(dlg.optOff->isChecked());
        QCOMPARE(dlg.lblSpeed->text(), QStringLiteral("Speed  normal"));
        dlg.optOn->click();
        QVERIFY(dlg.Timer1->isActive());
        for (int i = 0; i < 2; ++i) dlg.timer1Tick();
        QCOMPARE(dlg.lblSample[0]->text(), QStringLiteral("This is sample text"));
        QCOMPARE(dlg.lblSample[1]->text(), QStringLiteral("for vertical scroll"));
        dlg.hsbRate->setValue(2);
        QCOMPARE(dlg.lblSpeed->text(), QStringLiteral("SLOWER"));
        QCOMPARE(dlg.Timer1->interval(), 3000);
        dlg.optRepeat->click();
        dlg.txtRepeat->setText("0");
        dlg.cmdOk->click();
        QCOMPARE(h.ui.boxes.size(), size_t(1));
        dlg.txtRepeat->setText("12");
        dlg.cmdOk->click();
        QCOMPARE(h.line, 1);
        QCOMPARE(SplitParagraphs(h.m.LineRtf[1]).size(), size_t(3));
        QCOMPARE(h.m.LineRepeat[1] + "|" + h.m.WaitTime, std::string("0,12|30"));

        frmWait again(h.ctx);
        QVERIFY(again.optOn->isChecked() && again.hsbRate->value() == 2);
        QCOMPARE(again.txtRepeat->text(), QStringLiteral("12"));
        for (int i = 0; i < 2; ++i) again.timer1Tick();
        SaveShot(again, "frmWait");
        // Off with three paragraphs: the long message dialog gives them back to the lines.
        again.optOff->click();
        OnNextModal([](QWidget* modal) {
            auto* select = qobject_cast<frmSelect*>(modal);
            QVERIFY(select);
            QCOMPARE(select->situation(), LongSituation::VerticalOff);
            select->cmdOk->click();
        });
        again.cmdOk->click();
        QCOMPARE(GetText(h.m.LineRtf[2]), std::string("SECOND"));
        QVERIFY(!h.m.VerticalScrollMode);
    }

    void variableAssignFillAndRemoval() {
        DialogHarness h;
        h.m.LineRtf[2] = Line("TEMP ^^.^ X");
        h.line = 2;
        frmVar dlg(h.ctx);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Variable on line  2"));
        QVERIFY(dlg.optOff->isChecked());
        QCOMPARE(dlg.grdSend->item(1, 7)->text(), QStringLiteral("16V"));
        dlg.optOn->click();

        Select(dlg.txtEdit, 3, 6);  // "P ^": a letter among the placeholders
        dlg.assignVariable(3);
        QCOMPARE(QString::fromStdString(h.ui.lastText()),
                 QStringLiteral("Selected area doesn't contain variable place holder ^ only."));

        Select(dlg.txtEdit, 5, 9);
        dlg.grdSend->setCurrentCell(0, 2);
        emit dlg.grdSend->cellDoubleClicked(0, 2);
        QVERIFY(dlg.cellChecked(3) && !dlg.cellChecked(4));
        QCOMPARE(dlg.lblStatus->text(), QStringLiteral("Variable  3, leading spaces."));
        dlg.cmdOk->click();
        QCOMPARE(h.m.LineRtf[2], std::string("\\sb90\\sa90 \\f0 \\cf0 TEMP \\f3 \\cf4 ^^.^\\f0 \\cf0  X"));
        QCOMPARE(h.showEdits, 1);
        SaveShot(dlg, "frmVar");

        // Zero fill on blinking placeholders, then leading spaces, then Clear.
        h.m.LineRtf[1] = "\\sb90\\sa90 \\f0 \\cf0 N=\\f65 \\cf0 ^^^^";
        h.line = 1;
        frmVar fill(h.ctx);
        fill.optOn->click();
        Select(fill.txtEdit, 2, 6);
        fill.optZero->setChecked(true);
        emit fill.grdSend->cellDoubleClicked(1, 7);
        QCOMPARE(QString::fromStdString(fill.txtEdit->lineRtf()),
                 QStringLiteral("\\sb90\\sa90 \\f0 \\cf0 N=\\f64 \\cf4 ^^^^"));
        fill.grdSend->setCurrentCell(1, 7);
        fill.optSpace->click();
        QCOMPARE(QString::fromStdString(fill.txtEdit->lineRtf()),
                 QStringLiteral("\\sb90\\sa90 \\f0 \\cf0 N=\\f32 \\cf4 ^^^^"));
        QCOMPARE(fill.lblStatus->text(), QStringLiteral("Variable  16, leading spaces, blinking."));
        fill.cmdClear->click();
        QVERIFY(!fill.cellChecked(16));
        QCOMPARE(QString::fromStdString(fill.txtEdit->lineRtf()),
                 QStringLiteral("\\sb90\\sa90 \\f0 \\cf0 N=\\f65 \\cf0 ^^^^"));

        // Off and OK drops every field of the line.
        h.m.LineRtf[1] = Line("A") + "\\f7 \\cf4 ^^";
        frmVar off(h.ctx);
        QVERIFY(off.optOn->isChecked() && off.cellChecked(7));
        off.optOff->click();
        QVERIFY(!off.grdSend->isEnabled());
        off.cmdOk->click();
        QCOMPARE(h.m.LineRtf[1], std::string("\\sb90\\sa90 \\f0 \\cf0 A^^"));
    }
};

QTEST_MAIN(TestAttributeDialogs)
#include "tst_dialogs.moc"
