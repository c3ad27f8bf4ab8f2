// The Variable dialog offscreen: check marks, assigning, refusing, fill, removing.
#include <QTableWidget>
#include <QtTest>

#include "support_dialogs.h"
#include "ui/dialogs/frmVar.h"
#include "ui/widgets/LineEditor.h"

using namespace lt;
using namespace lt::test;

class TestVariableDialog : public QObject {
    Q_OBJECT
private slots:
    void assignsAndGeneratesPrintUsing() {
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
        QVERIFY(dlg.cellChecked(3));
        QVERIFY(!dlg.cellChecked(4));
        QCOMPARE(dlg.lblStatus->text(), QStringLiteral("Variable  3, leading spaces."));
        dlg.cmdOk->click();
        QCOMPARE(h.m.LineRtf[2], std::string("\\sb90\\sa90 \\f0 \\cf0 TEMP \\f3 \\cf4 ^^.^\\f0 \\cf0  X"));
        QCOMPARE(h.showEdits, 1);
        SaveShot(dlg, "frmVar");
    }

    void fillBlinkingAndRemoval() {
        DialogHarness h;
        h.m.LineRtf[1] = "\\sb90\\sa90 \\f0 \\cf0 N=\\f65 \\cf0 ^^^^";
        frmVar dlg(h.ctx);
        dlg.optOn->click();
        Select(dlg.txtEdit, 2, 6);
        dlg.optZero->setChecked(true);
        emit dlg.grdSend->cellDoubleClicked(1, 7);
        QCOMPARE(QString::fromStdString(dlg.txtEdit->lineRtf()),
                 QStringLiteral("\\sb90\\sa90 \\f0 \\cf0 N=\\f64 \\cf4 ^^^^"));
        dlg.grdSend->setCurrentCell(1, 7);
        dlg.optSpace->click();
        QCOMPARE(QString::fromStdString(dlg.txtEdit->lineRtf()),
                 QStringLiteral("\\sb90\\sa90 \\f0 \\cf0 N=\\f32 \\cf4 ^^^^"));
        QCOMPARE(dlg.lblStatus->text(), QStringLiteral("Variable  16, leading spaces, blinking."));
        dlg.cmdClear->click();
        QVERIFY(!dlg.cellChecked(16));
        QCOMPARE(QString::fromStdString(dlg.txtEdit->lineRtf()),
                 QStringLiteral("\\sb90\\sa90 \\f0 \\cf0 N=\\f65 \\cf0 ^^^^"));

        // Off and OK drops every field of the line.
        h.m.LineRtf[1] = Line("A") + "\\f7 \\cf4 ^^";
        frmVar off(h.ctx);
        QVERIFY(off.optOn->isChecked());
        QVERIFY(off.cellChecked(7));
        off.optOff->click();
        QVERIFY(!off.grdSend->isEnabled());
        off.cmdOk->click();
        QCOMPARE(h.m.LineRtf[1], std::string("\\sb90\\sa90 \\f0 \\cf0 A^^"));
    }
};

QTEST_MAIN(TestVariableDialog)
#include "tst_dlg_var.moc"
