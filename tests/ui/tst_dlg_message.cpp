// The Start message and Send message dialogs offscreen: opening from the lists and the
// stored text, the boxes and scroll bars, the refusals, the grid, the editing rules and OK.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

#include "support_dialogs.h"
#include "ui/dialogs/frmSend.h"
#include "ui/dialogs/frmStart.h"

using namespace lt;
using namespace lt::test;

class TestMessageDialogs : public QObject {
    Q_OBJECT
private slots:
    void startBoxesToLists() {
        DialogHarness h;
        h.m.CurrentMessage = 8;
        frmStart dlg(h.ctx);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Current msg 8"));
        QVERIFY(dlg.optOff->isChecked());
        QCOMPARE(dlg.lblStatus->text(), QStringLiteral("Press On Radio button in order to start editing."));
        QVERIFY(!dlg.frame[0]->isEnabled());
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
        QCOMPARE(h.m.StartSameTask, std::string("5"));
        QCOMPARE(h.m.StartOtherTask, std::string("12"));
        QCOMPARE(dlg.startCaption(), std::string("&Start msg On..."));
        QCOMPARE(h.showEdits, 1);
    }

    void startOpensFromTheListsAndOffClears() {
        DialogHarness h;
        h.m.StartOtherTask = "3,4,5";
        h.m.StartSameTask = "6,7";
        frmStart dlg(h.ctx);
        QVERIFY(dlg.optOn->isChecked());
        QCOMPARE(dlg.txtStart[2]->text(), QStringLiteral("5"));
        QVERIFY(dlg.optTop[2]->isChecked());
        QCOMPARE(dlg.txtStart[3]->text(), QStringLiteral("6"));
        QVERIFY(dlg.optEnd[3]->isChecked());
        QCOMPARE(dlg.vsbStart[3]->value(), 6);
        SaveShot(dlg, "frmStart");
        dlg.optOff->click();
        dlg.cmdOk->click();
        QCOMPARE(h.m.StartOtherTask + h.m.StartSameTask, std::string());
        QCOMPARE(dlg.startCaption(), std::string("&Start msg OFF..."));
    }

    void sendEncodesDelimitedNames() {
        DialogHarness h;
        frmSend dlg(h.ctx);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Send"));
        QVERIFY(dlg.optOff->isChecked());
        QVERIFY(!dlg.txtSend->isEnabled());
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
        QTextCursor c = dlg.txtSend->textCursor();
        c.setPosition(18);
        dlg.txtSend->setTextCursor(c);
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
    }

    void sendSlaveBlankAndLineBreaks() {
        DialogHarness h;
        h.m.SendText = "Host";
        frmSend dlg(h.ctx);
        QVERIFY(dlg.optSlave->isChecked());
        dlg.optOn->click();
        dlg.txtSend->setPlainText("   ");
        dlg.cmdOk->click();
        QCOMPARE(h.m.SendText, std::string());
        QCOMPARE(dlg.sendCaption(), std::string("Sen&d msg OFF..."));
        QCOMPARE(h.showEdits, 1);  // the main window's caption follows; the dialog stays open
        dlg.txtSend->setPlainText(QString(26, 'X'));
        dlg.txtSend->moveCursor(QTextCursor::End);
        dlg.pasteCell(2, 0);  // <STX> makes 31 characters without a blank
        QCOMPARE(dlg.txtSend->toPlainText(), QString(26, 'X') + "<STX>\n");
        dlg.cmdOk->click();
        QCOMPARE(h.m.SendText, std::string(26, 'X') + "#B");
        dlg.optSlave->click();
        dlg.cmdOk->click();
        QCOMPARE(h.m.SendText, std::string("HOST"));
    }
};

QTEST_MAIN(TestMessageDialogs)
#include "tst_dlg_message.moc"
