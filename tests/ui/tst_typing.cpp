// Typing into the message line, the Edit menu and the attribute buttons, with real keys.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "storage/WorkStore.h"
#include "support_dialogs.h"
#include "ui/widgets/LineEditor.h"
#include "ui/widgets/SimulationDisplay.h"

using namespace lt;

namespace {

std::string block(test::WindowFixture& f) {
    SubMake(f.s);
    std::string b = f.s.msg.BlockText;
    ReadFields(f.s);
    return b;
}

} // namespace

class TestTyping : public QObject {
    Q_OBJECT
private slots:
    void hashCombinations() {
        test::WindowFixture f;
        f.type("#A");
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("#"));
        QCOMPARE(f.ui.lastText(), std::string("Character combination #A is illegal in Quick Edit. Please refer to the "
                                              "7700 PC User's Manual on Literal Control Characters which can be "
                                              "entered in Script Edit."));
        QTest::keyClicks(f.w->txtEdit, "a");
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("#a"));
        QCOMPARE(f.ui.boxes.size(), size_t(1));
        QCOMPARE(f.w->lblStatBar->text(), QStringLiteral("Length of current line is  2 characters."));
        QTest::keyClick(f.w->txtEdit, Qt::Key_Return);
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("#a")); // Enter does nothing on a plain line
    }

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
        QTRY_COMPARE(f.w->txtEdit->blockCount(), 2);
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("ABCDEFGHIJKLMNOPQRST\nU"));
        QCOMPARE(f.w->lblAttribute->text(), QStringLiteral("Block  2,char  1"));
    }

    void variableFieldsAreProtected() {
        test::WindowFixture f;
        f.s.msg.LineRtf[1] = "\\sb90\\sa90 \\f0 \\cf0 T\\f3 \\cf4 ^^^^";
        f.w->setLine(1);
        f.w->txtEdit->setFocus();
        QTextCursor c = f.w->txtEdit->textCursor();
        c.setPosition(3);
        f.w->txtEdit->setTextCursor(c);
        QTest::keyClicks(f.w->txtEdit, "x.");
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("T^^.^^"));
        c.movePosition(QTextCursor::End);
        f.w->txtEdit->setTextCursor(c);
        QTest::keyClicks(f.w->txtEdit, "C");
        QCOMPARE(QString::fromStdString(f.s.msg.LineRtf[1]),
                 QStringLiteral("\\sb90\\sa90 \\f0 \\cf0 T\\f3 \\cf4 ^^.^^\\f0 \\cf0 C"));
    }

    void pasteLimits() {
        test::WindowFixture f;
        f.type("ABCDEFGHIJKLMNOPQRS"); // 19
        test::Select(f.w->txtEdit, 0, 3);
        QApplication::clipboard()->setText(QStringLiteral("12\r\n345"));
        f.w->mnuEditPaste->trigger();
        QCOMPARE(f.ui.lastText(), std::string("The text to be pasted is too long to fit in 20 characters line. You "
                                              "may want to create a continuous scrolling message."));
        QApplication::clipboard()->setText(QStringLiteral("1\r\n2"));
        f.w->mnuEditPaste->trigger();
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("12DEFGHIJKLMNOPQRS"));

        f.s.msg.LineScroll[2] = "25,0";
        f.s.msg.LineRtf[2] = test::Line(std::string(120, 'y'));
        f.w->setLine(2);
        f.w->txtEdit->setFocus();
        QApplication::clipboard()->setText(QString(40, QLatin1Char('z')));
        f.w->mnuEditPaste->trigger();
        QCOMPARE(f.ui.lastText(), std::string("You cant have more than 155 characters on continuous scrolling line"));
        QApplication::clipboard()->setText(QString(30, QLatin1Char('z')));
        f.w->mnuEditPaste->trigger();
        QCOMPARE(f.w->txtEdit->toPlainText().size(), 150);
    }

    void deleteMessageZeroMovesUp() {
        test::WindowFixture f;
        f.ui.files.push_back(f.writeScript("a.src", {{0, "ZERO"}, {4, "FOUR"}}));
        f.w->files().OpenFile();
        f.ui.answers = {Answer::Cancel};
        f.w->mnuEditDel->trigger();
        QCOMPARE(f.ui.lastText(), std::string("Delete message  0 ?"));
        QCOMPARE(f.ui.boxes.back().defaultAnswer, Answer::Cancel);
        QCOMPARE(f.s.msg.CurrentMessage, 0);
        f.ui.answers = {Answer::Ok};
        f.w->mnuEditDel->trigger();
        QCOMPARE(f.s.msg.CurrentMessage, 4);
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("FOUR"));
        QCOMPARE(f.s.index.StoredMessageCount, 0);
        QVERIFY(WorkStore(f.s).IsModified());
    }

    void togglesCycleBack() {
        test::WindowFixture f;
        for (int i = 0; i < 3; ++i) f.w->cmdRelay->click();
        QCOMPARE(f.w->cmdRelay->text(), QStringLiteral("No &Relay"));
        QVERIFY(f.s.msg.RelayMode.empty());
        f.s.msg.LineFont[2] = "SLAVIC";
        QStringList captions;
        for (int i = 0; i < 5; ++i) {
            f.w->cmdFont->click();
            captions << f.w->cmdFont->text();
        }
        QCOMPARE(captions, (QStringList{"English f&ont", "Katakana f&ont", "Slavic f&ont", "Cyrillic f&ont",
                                        "Change F&ont OFF"}));
        QVERIFY(f.s.msg.LineFont[1].empty());
        QCOMPARE(f.s.msg.LineFont[2], std::string("SLAVIC"));
        f.w->cmdClrScreen->click();
        QCOMPARE(f.w->cmdClrScreen->text(), QStringLiteral("Clear scree&n ON"));
        f.w->cmdBlink->click();
        QCOMPARE(f.ui.lastText(), std::string("There is no text to be blinked."));
        f.w->cmdVar->click();
        QCOMPARE(f.ui.lastText(), std::string("No variable place holder character \"^\" found. You have to enter exact "
                                              "length for desired variable. You can also change current place holder "
                                              "by clicking on Edit menu and then choosing Preferences submenu."));
    }

    void centredBlinkingMessageSurvivesSaveAndOpen() {
        test::WindowFixture f;
        f.type("HELLO");
        f.w->cmdCenter->click();
        f.w->vsbLine->setValue(2);
        f.type("FIRE EXIT");
        test::Select(f.w->txtEdit, 0, 4);
        f.w->cmdBlink->click();
        QCOMPARE(f.w->cmdBlink->text(), QStringLiteral("&Blink ON"));
        QCOMPARE(f.s.msg.LineBlink[2], std::string("25,ON"));
        QCOMPARE(f.s.msg.LineRtf[2], std::string("\\sb90\\sa90 \\f65 \\cf0 FIRE\\f0 \\cf0  EXIT"));
        QCOMPARE(f.w->frameDisplay->row(1)->text(), QStringLiteral("       HELLO"));
        QStringList phases;
        for (int i = 0; i < 2; ++i) {
            f.w->onTimer2();
            phases << f.w->frameDisplay->row(2)->text();
        }
        QVERIFY(phases.contains(QStringLiteral("FIRE EXIT")));
        QVERIFY(phases.contains(QStringLiteral("     EXIT")));
        const std::string before = block(f);
        f.ui.files = {f.dir.file("walk.src")};
        f.w->mnuFile[2]->trigger();
        f.w->mnuFile[0]->trigger();
        QCOMPARE(f.w->txtEdit->toPlainText(), QString());
        f.ui.files = {f.dir.file("walk.src")};
        f.w->mnuFile[1]->trigger();
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("HELLO"));
        QCOMPARE(f.w->cmdCenter->text(), QStringLiteral("Center te&xt ON"));
        QCOMPARE(block(f), before);
        QCOMPARE(f.ui.boxes.size(), size_t(0));
    }
};

QTEST_MAIN(TestTyping)
#include "tst_typing.moc"
