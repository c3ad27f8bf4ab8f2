// The horizontal and vertical scroll dialogs offscreen: opening, sample ticks, refusals,
// reshaping on OK, the long message dialog on "Off", and the generated blocks.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

#include "quickedit/RichText.h"
#include "support_dialogs.h"
#include "ui/dialogs/frmScroll.h"
#include "ui/dialogs/frmSelect.h"
#include "ui/dialogs/frmWait.h"

using namespace lt;
using namespace lt::test;

class TestScrollDialogs : public QObject {
    Q_OBJECT
private slots:
    void horizontalOpensContinuousAndAnimates() {
        DialogHarness h;
        h.m.LineRtf[1] = Line("NEWS");
        h.m.LineScroll[1] = "25,3";
        frmScroll dlg(h.ctx);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Horizontal scroll on line  1"));
        QVERIFY(dlg.optYes->isChecked());
        QCOMPARE(dlg.hsbRate->value(), 4);
        QCOMPARE(dlg.lblSpeed->text(), QStringLiteral("NORMAL"));
        QVERIFY(dlg.optRepeat->isChecked());
        QCOMPARE(dlg.txtRepeat->text(), QStringLiteral("3"));
        QCOMPARE(dlg.Timer1->interval(), 250);
        QVERIFY(dlg.Timer1->isActive());
        dlg.timer1Tick();
        dlg.timer1Tick();
        QCOMPARE(dlg.txtSample->text(), QString(18, ' ') + "Th");
        for (int i = 0; i < 14; ++i) dlg.timer1Tick();
        SaveShot(dlg, "frmScroll");
        dlg.optBlock->click();
        QCOMPARE(dlg.Timer1->interval(), 1000);
        dlg.timer1Tick();
        QCOMPARE(dlg.txtSample->text(), QStringLiteral("  Horizontal block"));
        dlg.optNonstop->click();
        QVERIFY(!dlg.chkLock->isEnabled());
        QVERIFY(!dlg.txtRepeat->isEnabled());
        dlg.optNo->click();
        QVERIFY(!dlg.Timer1->isActive());
        QVERIFY(!dlg.hsbRate->isEnabled());
    }

    void continuousToBlocksAndRefusal() {
        DialogHarness h;
        h.m.LineRtf[2] = Line("AAAAAAAAAAAAAAAAAAAABBBBBBBBBB");
        h.m.LineScroll[2] = "25,0";
        h.line = 2;
        frmScroll dlg(h.ctx);
        dlg.optBlock->click();
        dlg.optRepeat->click();
        dlg.txtRepeat->clear();
        dlg.cmdOk->click();
        QCOMPARE(QString::fromStdString(h.ui.lastText()),
                 QStringLiteral("You have to enter positive decimal value in Play message times box or choose Play "
                                "until next message option."));
        QCOMPARE(h.showEdits, 0);
        QTest::keyClicks(dlg.txtRepeat, "2x");
        QCOMPARE(dlg.txtRepeat->text(), QStringLiteral("2"));
        dlg.chkLock->setChecked(true);
        dlg.hsbRate->setValue(5);
        dlg.cmdOk->click();
        QCOMPARE(GetText(SplitParagraphs(h.m.LineRtf[2])[1]), std::string(10, 'B'));
        QCOMPARE(h.m.LineRepeat[2], std::string("0,2"));
        QCOMPARE(h.m.WaitTime, std::string("6"));
        QCOMPARE(h.m.LockBuffer, std::string("ON"));
        QCOMPARE(h.showEdits, 1);
        QCOMPARE(h.simulations, 1);
    }

    void offOnALongLineAsksTheLongMessageDialog() {
        DialogHarness h;
        h.m.LineRtf[1] = Line("ONE TWO THREE FOUR FIVE SIX");
        h.m.LineScroll[1] = "25,0";
        frmScroll dlg(h.ctx);
        dlg.optNo->click();
        QString prompt;
        OnNextModal([&](QWidget* modal) {
            auto* select = qobject_cast<frmSelect*>(modal);
            QVERIFY(select);
            prompt = select->lblPrompt->text();
            QVERIFY(!select->optSelect[3]->isVisibleTo(select));
            select->optSelect[0]->setChecked(true);
            select->cmdOk->click();
        });
        dlg.cmdOk->click();
        QVERIFY(prompt.startsWith("You just turned continuous scroll off."));
        QCOMPARE(GetText(h.m.LineRtf[1]), std::string("ONE TWO THREE FOUR"));
        QCOMPARE(h.m.LineScroll[1], std::string());
        QCOMPARE(h.showEdits, 1);
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
        dlg.timer1Tick();
        dlg.timer1Tick();
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
        QCOMPARE(h.m.LineRepeat[1], std::string("0,12"));
        QCOMPARE(h.m.WaitTime, std::string("30"));

        frmWait again(h.ctx);
        QVERIFY(again.optOn->isChecked());
        QCOMPARE(again.hsbRate->value(), 2);
        QCOMPARE(again.txtRepeat->text(), QStringLiteral("12"));
        again.timer1Tick();
        again.timer1Tick();
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

    void selectOpensTheScrollDialogAfterItsOk() {
        DialogHarness h;
        h.m.LineRtf[2] = Line(std::string(21, 'Z'));
        h.line = 2;
        frmSelect dlg(h.ctx);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Select"));
        QVERIFY(dlg.optSelect[3]->isVisibleTo(&dlg));
        QCOMPARE(dlg.lblSelect[0]->text(), QStringLiteral("Do not create long message"));
        SaveShot(dlg, "frmSelect");
        dlg.optSelect[1]->setChecked(true);
        bool sawScroll = false;
        OnNextModal([&](QWidget* modal) {
            auto* scroll = qobject_cast<frmScroll*>(modal);
            QVERIFY(scroll);
            sawScroll = scroll->optYes->isChecked();
            scroll->cmdCancel->click();
        });
        dlg.cmdOk->click();
        QVERIFY(sawScroll);
        QCOMPARE(h.m.LineScroll[2], std::string("25,0"));

        // Cancel never changes the model.
        DialogHarness c;
        c.m.LineRtf[1] = Line(std::string(30, 'Q'));
        c.m.LineScroll[1] = "25,0";
        frmSelect cancel(c.ctx);
        cancel.optSelect[1]->setChecked(true);
        cancel.cmdCancel->click();
        QCOMPARE(c.m.LineScroll[1], std::string("25,0"));
        QCOMPARE(c.m.LineRtf[1], Line(std::string(30, 'Q')));
    }
};

QTEST_MAIN(TestScrollDialogs)
#include "tst_dlg_scroll.moc"
