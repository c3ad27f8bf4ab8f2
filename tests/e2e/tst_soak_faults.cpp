// The main window over a disk that fails: a message change whose store cannot be written
// stays on the message with the edit in place, and a later change keeps everything.
#include <QScrollBar>

#include "../ui/support_window.h"
#include "FaultyFileSystem.h"
#include "support_soak.h"
#include "ui/widgets/LineEditor.h"

using namespace lt;

namespace {

struct FaultyWindow : test::BasicWindowFixture<test::FaultyFileSystem> {
    // Fails the k-th disk write, flush or rename from now on.
    void failIn(int k) { disk.failAt = k ? disk.operations + k : 0; }
};

} // namespace

class TestSoakFaults : public QObject {
    Q_OBJECT
private slots:
    void messageChangeRefusesToLoseTheEdit() {
        for (int k = 1;; ++k) {
            QVERIFY(k < 8);
            FaultyWindow f;
            f.type("FIRST");
            f.goTo(3);                          // 0 goes into the work file
            QCOMPARE(f.s.msg.CurrentMessage, 3);
            f.type("THIRD");
            f.goTo(0);                          // 3 is appended
            f.type("MORE");                     // 0 changes again: the work file is rebuilt
            f.ui.clear();
            f.failIn(k);
            f.goTo(7);
            if (f.s.msg.CurrentMessage == 7) {
                QVERIFY(k > 1);
                QVERIFY(f.ui.boxes.empty());
                break;
            }
            // Refused: still on message 0 with the edit, the boxes show it, nothing lost.
            QCOMPARE(f.ui.texts(), std::vector<std::string>{"Can't write in file TMP$$$.TMP"});
            QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("FIRSTMORE"));
            QCOMPARE(f.w->txtMsg->text(), QStringLiteral("0"));
            QCOMPARE(f.w->vsbMsg->value(), 0);
            QVERIFY(!f.dir.has("TMP1$$.TMP"));
            const std::string work = f.dir.read("TMP$$$.TMP");
            QCOMPARE(soak::BlockCounts(work)[0], 1);
            QCOMPARE(soak::BlockCounts(work)[3], 1);

            // The disk is back: the same change goes through and both messages are kept.
            f.failIn(0);
            f.ui.clear();
            f.goTo(3);
            QCOMPARE(f.s.msg.CurrentMessage, 3);
            QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("THIRD"));
            f.goTo(0);
            QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("FIRSTMORE"));
            QVERIFY(f.ui.boxes.empty());
            QCOMPARE(soak::BlockCounts(f.dir.read("TMP$$$.TMP"))[0], 1);
        }
    }

    void firstStoreFailingKeepsTheNewMessage() {
        FaultyWindow f;
        f.type("NEW");
        f.failIn(1);                            // the work file cannot be opened
        f.goTo(9);
        QCOMPARE(f.ui.texts(), std::vector<std::string>{"Can't write in file TMP$$$.TMP"});
        QCOMPARE(f.s.msg.CurrentMessage, 0);
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("NEW"));
        QCOMPARE(f.s.index.MessageState[0], 0);
        f.failIn(0);
        f.goTo(9);
        f.goTo(0);
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("NEW"));
        QCOMPARE(soak::BlockCounts(f.dir.read("TMP$$$.TMP"))[0], 1);
    }

    // A box raised by a click on the message scroll bar runs its own event loop and takes the
    // button's release: the bar's click repeat must not go on raising boxes behind it.
    void scrollBarClickRaisesOneBox() {
        FaultyWindow f;
        f.type("FIRST");
        f.disk.failAll = true;
        QWidget box;  // where the person releases the button
        box.resize(80, 40);
        int shown = 0;
        f.ui.whileShown = [&](const MessageBox&) {
            if (++shown > 4) return;
            box.show();
            QTest::qWait(800);  // the repeat sets in after 500 ms
            QTest::mouseRelease(box.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
            box.hide();
        };
        QScrollBar* bar = f.w->vsbMsg;
        const QPoint downArrow = bar->mapTo(f.w.get(), QPoint(bar->width() / 2, bar->height() - 3));
        QTest::mousePress(f.w->windowHandle(), Qt::LeftButton, {}, downArrow);
        QTest::qWait(1200);
        QCOMPARE(shown, 1);
        QCOMPARE(f.ui.texts(), std::vector<std::string>{"Can't write in file TMP$$$.TMP"});
        QCOMPARE(f.s.msg.CurrentMessage, 0);
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("FIRST"));
    }
};

QTEST_MAIN(TestSoakFaults)
#include "tst_soak_faults.moc"
