// The Blink dialog offscreen: opening state, marking, preview, OK into the model and block.
#include <QtTest>

#include "support_dialogs.h"
#include "ui/dialogs/frmBlink.h"
#include "ui/widgets/LineEditor.h"

using namespace lt;
using namespace lt::test;

class TestBlinkDialog : public QObject {
    Q_OBJECT
private slots:
    void opensFromTheLine() {
        DialogHarness h;
        h.line = 2;
        h.m.LineRtf[2] = Line("ALARM");
        h.m.LineRepeat[2] = "0,0";
        frmBlink dlg(h.ctx);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Blink on line  2"));
        QCOMPARE(dlg.frameLine->title(), QStringLiteral("Blink block"));
        QVERIFY(dlg.optOff->isChecked());
        QVERIFY(!dlg.hsbBlink->isEnabled());
        QCOMPARE(dlg.lblBlink->text(), QStringLiteral("NORMAL"));

        h.m.LineBlink[2] = "8,1";
        frmBlink on(h.ctx);
        QVERIFY(on.optOn->isChecked());
        QCOMPARE(on.hsbBlink->value(), 6);
        QCOMPARE(on.lblBlink->text(), QStringLiteral("FASTER"));
        QCOMPARE(on.Timer1->interval(), 80);
        QVERIFY(on.Timer1->isActive());
    }

    void marksSelectionAndWritesTheModel() {
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
        QVERIFY(dlg.previewHidden());
        QCOMPARE(dlg.txtEdit->extraSelections().size(), 1);
        dlg.timer1Tick();
        QCOMPARE(dlg.txtEdit->extraSelections().size(), 0);

        dlg.hsbBlink->setValue(1);
        QCOMPARE(dlg.lblBlink->text(), QStringLiteral("SLOWEST"));
        dlg.cmdOk->click();
        QCOMPARE(h.m.LineBlink[1], std::string("100,1"));
        QCOMPARE(h.m.LineBlink[3], std::string("100,1"));
        QCOMPARE(h.showEdits, 1);
        QCOMPARE(h.simulations, 1);
        SaveShot(dlg, "frmBlink");
    }

    void allOffAndNothingMarkedLeavesNoBlink() {
        DialogHarness h;
        h.m.LineRtf[1] = "\\sb90\\sa90 \\f65 \\cf0 ON\\par\r\n\\f65 \\cf0 TWO";
        h.m.LineBlink[1] = "25,1";
        frmBlink dlg(h.ctx);
        QVERIFY(dlg.txtEdit->height() > dlg.txtEdit->fontMetrics().lineSpacing() * 2);
        dlg.cmdAllOff->click();
        dlg.cmdOk->click();
        QCOMPARE(h.m.LineBlink[1], std::string());
        QCOMPARE(h.m.LineRtf[1], std::string("\\sb90\\sa90 \\f0 \\cf0 ON\\par\r\n\\f0 \\cf0 TWO"));

        h.m.LineBlink[1] = "25,1";
        frmBlink cancel(h.ctx);
        cancel.cmdAllOn->click();
        cancel.cmdCancel->click();
        QCOMPARE(h.m.LineBlink[1], std::string("25,1"));
        QCOMPARE(h.showEdits, 1);
    }
};

QTEST_MAIN(TestBlinkDialog)
#include "tst_dlg_blink.moc"
