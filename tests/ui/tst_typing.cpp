// Typing into the message line with real keys: the line limits and protected fields.

#include "support_dialogs.h"

using namespace lt;

class TestTyping : public QObject {
    Q_OBJECT
private slots:
    void twentyFirstCharacterOfAFixedLine() {
        test::WindowFixture f;
        f.type("ABCDEFGHIJKLMNOPQRST");
        QString seen;
        test::OnNextModal([&](QWidget* modal) {
            seen = modal->objectName();
            modal->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        });
        QTest::keyClicks(f.w->txtEdit, "U");
        QCOMPARE(seen, QStringLiteral("frmSelect"));
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        QVERIFY(f.s.msg.LineScroll[1].empty());

        f.s.msg.LineRepeat[3] = "0,0"; // another line scrolls
        f.s.msg.LineRtf[3] = test::Line("X");
        QTest::keyClicks(f.w->txtEdit, "U");
        QCOMPARE(f.ui.lastText(), std::string("You have already a scrolling line. If you want to create another on "
                                              "the same screen search help on Scroll."));
        QCOMPARE(f.w->txtEdit->toPlainText().size(), 20);
    }

    void continuousAndBlockLines() {
        test::WindowFixture f;
        f.s.msg.LineScroll[1] = "25,0";
        f.w->setLine(1);
        f.w->txtEdit->setFocus();
        QTest::keyClicks(f.w->txtEdit, QString(160, QLatin1Char('x')));
        QCOMPARE(f.w->txtEdit->toPlainText().size(), 155);
        QTest::keyClick(f.w->txtEdit, Qt::Key_Backspace);
        QCOMPARE(f.w->txtEdit->toPlainText().size(), 154);
        QCOMPARE(f.ui.boxes.size(), size_t(0));

        f.s.msg.LineScroll[1].clear();
        f.s.msg.LineRtf[2] = test::Line("");
        f.s.msg.LineRepeat[2] = "0,0";
        f.s.msg.HorizontalScrollMode = true;
        f.s.msg.WaitTime = "10";
        f.w->setLine(2);
        f.w->txtEdit->setFocus();
        QTest::keyClicks(f.w->txtEdit, "ABCDEFGHIJKLMNOPQRSTU");
        QTRY_COMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("ABCDEFGHIJKLMNOPQRST\nU"));
        QCOMPARE(f.w->lblAttribute->text(), QStringLiteral("Block  2,char  1"));
    }

    void variableFieldsAreProtected() {
        test::WindowFixture f;
        f.s.msg.LineRtf[1] = "\\sb90\\sa90 \\f0 \\cf0 T\\f3 \\cf4 ^^^^";
        f.w->setLine(1);
        f.w->txtEdit->setFocus();
        test::Select(f.w->txtEdit, 3, 3);
        QTest::keyClicks(f.w->txtEdit, "x.");
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("T^^.^^"));
        f.w->txtEdit->moveCursor(QTextCursor::End);
        QTest::keyClicks(f.w->txtEdit, "C");
        QCOMPARE(QString::fromStdString(f.s.msg.LineRtf[1]),
                 QStringLiteral("\\sb90\\sa90 \\f0 \\cf0 T\\f3 \\cf4 ^^.^^\\f0 \\cf0 C"));
    }
};

QTEST_MAIN(TestTyping)
#include "tst_typing.moc"
