// The main window along the paths people take: message numbers, stepping between stored
// messages, New / Open / Save with their questions, recent files, the live display.

#include "LedDots.h"
#include "storage/WorkStore.h"
#include "support_window.h"
#include "ui/QtUserPort.h"
#include "ui/widgets/SimulationDisplay.h"

using namespace lt;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void saveOfANewFileGoesThroughSaveAs() {
        test::WindowFixture f;
        f.type("NEW");
        f.dir.write("taken.src", "old");
        f.ui.files = {f.dir.file("taken.src"), f.dir.file("fresh.src")};
        f.ui.answers = {Answer::No};
        f.w->mnuFile[2]->trigger();
        QCOMPARE(f.ui.boxes[0].text, "The file " + f.dir.file("taken.src") +
                                         " already exists on disk.\r\nDo you want to replace it.");
        QCOMPARE(f.ui.boxes[0].title, std::string("File Save Message"));
        QCOMPARE(f.dir.read("taken.src"), std::string("old"));
        QVERIFY(f.dir.has("fresh.src"));
        QCOMPARE(f.w->windowTitle(), QStringLiteral("Lumatext 7700 - fresh.src"));
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("NEW"));
        QVERIFY(!WorkStore(f.s).IsModified());
    }

    void recentFilesReorder() {
        test::WindowFixture f;
        for (const char* name : {"a.src", "b.src", "c.src", "d.src", "e.src"}) {
            f.ui.files.push_back(f.writeScript(name, {{1, name}}));
            f.w->mnuFile[1]->trigger();
        }
        auto captions = [&] {
            QStringList c;
            for (int k = 1; k <= 4; ++k)
                if (f.w->mnuFileArray[k]->isVisible()) c << QFileInfo(f.w->mnuFileArray[k]->text()).fileName();
            return c;
        };
        QCOMPARE(captions(), (QStringList{"e.src", "d.src", "c.src", "b.src"}));
        f.w->mnuFileArray[3]->trigger();
        QCOMPARE(captions(), (QStringList{"c.src", "e.src", "d.src", "b.src"}));
        QCOMPARE(f.w->windowTitle(), QStringLiteral("Lumatext 7700 - c.src"));
        QCOMPARE(f.ui.fileDialogs.size(), size_t(5)); // the recent entry shows no dialog
    }

    // The rows are drawn as the unit's dots across the whole panel: a centred line sits in
    // the middle at every window size; clicking a row picks its line. (The soak checks that
    // pointing at a row names its line, on both units.)
    void displayDrawsTheUnitsDots() {
        test::WindowFixture f;
        f.type("WELCOME");
        f.w->cmdCenter->click();
        f.w->vsbLine->setValue(2);
        f.type("CENTRE");
        f.w->cmdCenter->click();
        QCOMPARE(f.w->frameDisplay->row(1)->text(), QStringLiteral("      WELCOME"));
        auto rowDots = [&](int row) {
            QApplication::processEvents();
            const QImage panel = f.w->frameDisplay->panel()->grab().toImage();
            return test::PanelRow(test::ReadLedDots(panel, f.w->frameDisplay->panelGeometry()), row);
        };
        // The middle of the lit dot columns of a row; they run 0..118, the middle is 59.
        auto litMiddle = [&](int row) {
            size_t first = std::string::npos, last = 0;
            for (const std::string& line : rowDots(row)) {
                first = std::min(first, line.find('#'));
                if (line.rfind('#') != std::string::npos) last = std::max(last, line.rfind('#'));
            }
            return (static_cast<double>(first) + static_cast<double>(last)) / 2;
        };
        for (QSize size : {QSize(760, 560), QSize(1300, 640), QSize(900, 900)}) {
            f.w->resize(size);
            // An even length is centred to the dot. An odd one has one blank more on the
            // right, as the unit pads it: half a cell, three dots, left of the middle.
            QCOMPARE(litMiddle(2), 59.0);
            QCOMPARE(litMiddle(1), 56.0);
            const QRectF panel = f.w->frameDisplay->panelGeometry().panel();
            const QSizeF room = f.w->frameDisplay->panel()->size();
            QVERIFY(qFuzzyCompare(panel.width(), room.width()) || qFuzzyCompare(panel.height(), room.height()));
        }
        QTest::mouseClick(f.w->frameDisplay->row(1), Qt::LeftButton);
        QCOMPARE(f.w->vsbLine->value(), 1);
        QVERIFY(f.w->txtEdit->hasFocus());

        f.w->mnuPrg7740->trigger(); // rows 1 and 4 show no dots; line 1 moves to row 2
        QCOMPARE(f.w->frameDisplay->title(), QStringLiteral("7740 Display"));
        QCOMPARE(f.w->vsbLine->maximum(), 2);
        QCOMPARE(rowDots(1), std::vector<std::string>(7, std::string(119, ' ')));
        QCOMPARE(litMiddle(2), 56.0);
    }

    // The Program, File and Edit menus are set as they open: checks, the address, what the
    // message and the focus allow.
    void menusFollowTheState() {
        test::WindowFixture f;
        f.s.settings.UnitAddress = "12";
        f.w->txtEdit->setFocus();
        QVERIFY(f.openMenu(Qt::Key_P, f.w->mnuProgram));
        QCOMPARE(f.w->mnuPrgAdr->text(), QStringLiteral("&Address 12..."));
        QVERIFY(f.w->mnuPrg7780->isChecked() && !f.w->mnuPrg7740->isChecked());
        QVERIFY(f.w->mnuPrgCom[1]->isChecked() && f.w->mnuPrgBaud[7]->isChecked());
        QVERIFY(f.w->mnuPrgStart->isEnabled()); // a new, empty, unnamed file
        QVERIFY(!f.w->mnuEditSynt->isEnabled());
        QCOMPARE(f.w->lblStatBar->text(), QStringLiteral("Press F1 in order to get help on commands from Program Menu."));
        f.closeMenu();
        QVERIFY(f.openMenu(Qt::Key_F, f.w->mnuFileBase));
        QVERIFY(!f.w->mnuFile[6]->isEnabled());
        f.closeMenu();

        f.w->txtMsg->setFocus();
        QVERIFY(f.openMenu(Qt::Key_E, f.w->mnuEdit));
        for (QAction* a : {f.w->mnuEditCut, f.w->mnuEditCopy, f.w->mnuEditPaste, f.w->mnuEditUndo, f.w->mnuEditSynt})
            QVERIFY(!a->isEnabled());
        QVERIFY(f.w->mnuEditDel->isEnabled()); // a new file counts 1023 stored messages
        f.closeMenu();
        f.type("AB");
        f.press(Qt::Key_Home, Qt::ShiftModifier);
        QVERIFY(f.openMenu(Qt::Key_E, f.w->mnuEdit));
        QVERIFY(f.w->mnuEditCopy->isEnabled() && f.w->mnuEditUndo->isEnabled());
        QVERIFY(!f.w->mnuEditSynt->isEnabled());
        f.closeMenu();
        QVERIFY(f.openMenu(Qt::Key_P, f.w->mnuProgram));
        QVERIFY(!f.w->mnuPrgStart->isEnabled());
        f.closeMenu();
    }

    // Over a control, the tooltip is the text the status bar shows there.
    void tooltipsAreTheStatusTexts() {
        test::WindowFixture f;
        f.type("AB");
        for (QWidget* c : {static_cast<QWidget*>(f.w->txtMsg), static_cast<QWidget*>(f.w->cmdBlink),
                           f.w->txtEdit->viewport(), static_cast<QWidget*>(f.w->lblAttribute)}) {
            const QPoint at(4, c->height() / 2);
            QMouseEvent move(QEvent::MouseMove, at, c->mapToGlobal(at), Qt::NoButton, {}, {});
            QApplication::sendEvent(c, &move);
            const QString status = f.w->lblStatBar->text();
            QVERIFY2(!status.isEmpty(), qPrintable(c->objectName()));
            QHelpEvent help(QEvent::ToolTip, at, c->mapToGlobal(at));
            QApplication::sendEvent(c, &help);
            QCOMPARE(QToolTip::text(), status);
        }
    }

    // A long prompt wraps: the input box stays about as wide as its text needs.
    void inputBoxesWrapLongPrompts() {
        QtUserPort port(nullptr, nullptr);
        const QString prompt = QStringLiteral("Please enter the address of the 7700 unit. This address must be between 0 and 255.");
        int width = 0, promptWidth = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!box) return;
            width = box->width();
            promptWidth = box->fontMetrics().horizontalAdvance(prompt);
            QTest::keyClicks(box->focusWidget(), QStringLiteral("12"));
            QTest::keyClick(box->focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(port.inputBox(prompt.toStdString(), "Lumatext 7700", ""), std::optional<std::string>("12"));
        QVERIFY2(width > 0 && width < promptWidth * 3 / 4, qPrintable(QString("%1 of %2").arg(width).arg(promptWidth)));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
