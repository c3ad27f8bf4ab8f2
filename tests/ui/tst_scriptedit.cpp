// Script Edit inside the main window and the external editor: the switch both ways,
// txtAdvEdit's keys and status texts, and editor runs with small shell scripts.
#include "quickedit/RichText.h"
#include "support_window.h"
#include "toolchain/ToolContext.h"
#include "ui/toolchain/QtProcessRunner.h"
#include "ui/toolchain/ToolWaitDialog.h"
#include "ui/widgets/ScriptHighlighter.h"

using namespace lt;
using namespace lt::test;

namespace {

// A 7740 window whose program directory is a folder of its own, with a variable on line 1.
struct Env : WindowFixture {
    Env() : WindowFixture("7740") {
        std::filesystem::create_directories(dir.file("prog"));
        s.run.ProgramDir = dir.dir() + "prog/";
        s.msg.LineRtf[1] = Line("HELLO \\f3 \\cf4 ^^");
        w->setLine(1);
        ui.clear();
    }
    QString status() const { return w->lblStatBar->text(); }
    std::string editor(const std::string& body) {
        dir.write("editor.sh", "#!/bin/sh\n" + body);
        std::filesystem::permissions(dir.file("editor.sh"), std::filesystem::perms::owner_all);
        return dir.file("editor.sh");
    }
};

} // namespace

class TestScriptEdit : public QObject {
    Q_OBJECT
private slots:
    void twoClicksReturnTheMessageUnchanged();
    void altKeypadCodesAndStatusTexts();
    void syntaxErrorSteppingAndMessageKeys();
    void externalEditorRoundTrip();
    void externalEditorFailures();
    void externalEditorLeavesTheUsersSubSrcAlone();
    void syntaxCheckWithACompilerThatNeverEnds();
};

void TestScriptEdit::twoClicksReturnTheMessageUnchanged() {
    Env e;
    frmQuick& w = *e.w;
    SubMake(e.s);
    const std::string block = e.s.msg.BlockText;
    const std::string rtf = e.s.msg.LineRtf[1];
    const Qt::FocusPolicy barFocus = w.vsbMsg->focusPolicy(), boxFocus = w.txtMsg->focusPolicy();

    QTest::mouseClick(w.cmdAdvEdit, Qt::LeftButton);
    QCOMPARE(w.cmdAdvEdit->text(), QStringLiteral("&Go to Quick Edit"));
    QVERIFY(w.txtAdvEdit->isVisible() && w.txtAdvEdit->isEnabled());
    QVERIFY(!w.txtEdit->isVisible() && !w.txtEdit->isEnabled() && !w.Line1->isVisible());
    for (QWidget* off : std::initializer_list<QWidget*>{w.cmdBlink, w.cmdSend, w.vsbLine, w.txtLine, w.vsbTask, w.txtTask})
        QVERIFY(!off->isEnabled());
    QCOMPARE(w.txtMsg->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(e.s.msg.BlockText, block);
    QCOMPARE(w.txtAdvEdit->toPlainText(), QString::fromStdString(block).replace("\r\n", "\n"));
    QCOMPARE(ScriptHighlighter::kindAt(w.txtAdvEdit->document()->firstBlock(), 0), QStringLiteral("header"));
    QCOMPARE(e.status(), QString());
    if (qEnvironmentVariableIsSet("LT_SCREENSHOT_DIR")) {
        w.resize(760, 560);
        QTest::qWait(50);
        w.grab().save(qEnvironmentVariable("LT_SCREENSHOT_DIR") + QStringLiteral("/script-edit.png"));
    }

    QTest::mouseClick(w.cmdAdvEdit, Qt::LeftButton);
    QCOMPARE(e.s.msg.LineRtf[1], rtf);
    QCOMPARE(w.cmdAdvEdit->text(), QStringLiteral("&Go to Script Edit")); // neither Script Edit nor script-only
    QVERIFY(!w.txtAdvEdit->isVisible() && !w.txtAdvEdit->isEnabled());
    QVERIFY(w.txtEdit->isVisible() && w.txtEdit->isEnabled() && w.Line1->isVisible() && w.cmdBlink->isEnabled());
    QCOMPARE(w.txtMsg->focusPolicy(), boxFocus);
    QCOMPARE(w.vsbMsg->focusPolicy(), barFocus);
    SubMake(e.s);
    QCOMPARE(e.s.msg.BlockText, block);

    // An empty message shows its empty block and comes back empty.
    e.s.msg.LineRtf[1].clear();
    w.setLine(1);
    w.switchScriptEdit();
    QCOMPARE(e.s.msg.BlockText, std::string("SUB 0(TASK=0)\r\n\r\nLINE1:\r\n\r\nLINE2:\r\n\r\nEND SUB\r\n"));
    w.switchScriptEdit();
    QVERIFY(!e.s.msg.ScriptOnly);
    QCOMPARE(GetText(e.s.msg.LineRtf[1]), std::string());

    // A hand edit inside the block makes the message script-only.
    e.s.msg.LineRtf[1] = rtf;
    w.setLine(1);
    w.switchScriptEdit();
    w.txtAdvEdit->moveCursor(QTextCursor::Start);
    w.txtAdvEdit->moveCursor(QTextCursor::Down);
    QTest::keyClicks(w.txtAdvEdit, "REM");
    QVERIFY(e.s.msg.BlockText.find("\r\nREM") != std::string::npos);
    w.switchScriptEdit();
    QCOMPARE(w.cmdAdvEdit->text(), QStringLiteral("&Script Edit Only"));
    QVERIFY(!w.txtEdit->isEnabled());
}

void TestScriptEdit::altKeypadCodesAndStatusTexts() {
    Env e;
    frmQuick& w = *e.w;
    w.switchScriptEdit();  // empty status right after the switch: twoClicksReturnTheMessageUnchanged
    w.txtMsg->setFocus();
    w.txtAdvEdit->setFocus();
    const std::string before = e.s.msg.BlockText;
    QCOMPARE(e.status(), QStringLiteral("Total length of this script is  %1 bytes. Max. possible  30000 bytes.")
                             .arg(before.size()));
    w.txtAdvEdit->moveCursor(QTextCursor::Start);
    const auto altPad = Qt::AltModifier | Qt::KeypadModifier;
    QTest::keyPress(w.txtAdvEdit, Qt::Key_1, altPad);
    QTest::keyPress(w.txtAdvEdit, Qt::Key_End, altPad);   // keypad 1 with Num Lock off
    QTest::keyRelease(w.txtAdvEdit, Qt::Key_Alt);
    QCOMPARE(e.s.msg.BlockText, "\x0b" + before);
    for (Qt::Key k : {Qt::Key_1, Qt::Key_2}) QTest::keyPress(w.txtAdvEdit, k, altPad);
    QTest::keyRelease(w.txtAdvEdit, Qt::Key_Alt);
    QCOMPARE(e.s.msg.BlockText, "\x0b\x0c" + before);
    QCOMPARE(e.status(), QStringLiteral("Total length of this script is  %1 bytes. Max. possible 30000 bytes.")
                             .arg(before.size() + 2));
    // Codes 0 and above 255 insert nothing; the next typed character is kept.
    for (Qt::Key k : {Qt::Key_0, Qt::Key_2, Qt::Key_5, Qt::Key_6}) QTest::keyPress(w.txtAdvEdit, k, altPad);
    QTest::keyRelease(w.txtAdvEdit, Qt::Key_Alt);
    QTest::keyPress(w.txtAdvEdit, Qt::Key_0, altPad);
    QTest::keyRelease(w.txtAdvEdit, Qt::Key_Alt);
    QTest::keyClick(w.txtAdvEdit, 'x');
    QCOMPARE(e.s.msg.BlockText, "\x0b\x0cx" + before);
}

void TestScriptEdit::syntaxErrorSteppingAndMessageKeys() {
    Env e;
    frmQuick& w = *e.w;
    w.switchScriptEdit();
    w.txtAdvEdit->setFocus();
    QTest::keyClick(w.txtAdvEdit, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(e.status(), QStringLiteral("There are no errors or Syntax check haven't been done on this message."));

    e.s.tools.errors = {{"3", "Undefined label", 3}, {"99", "Missing END SUB", 99}};
    QTest::keyClick(w.txtAdvEdit, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(e.status(), QStringLiteral("Undefined label"));
    QCOMPARE(w.txtAdvEdit->textCursor().selectedText(), w.txtAdvEdit->document()->findBlockByNumber(2).text());
    QTest::keyClick(w.txtAdvEdit, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(e.status(), QStringLiteral("Missing END SUB"));  // past the end: the last line
    QCOMPARE(w.txtAdvEdit->textCursor().blockNumber(), w.txtAdvEdit->document()->blockCount() - 1);
    QTest::keyClick(w.txtAdvEdit, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(e.status(), QStringLiteral("Undefined label"));
    for (int i = 0; i < 2; ++i) QTest::keyClick(w.txtAdvEdit, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(e.status(), QStringLiteral("There are no more errors."));

    // Ctrl+Up moves to the next message, which shows its own (empty) block.
    const QString text = w.txtAdvEdit->toPlainText();
    QTest::keyClick(w.txtAdvEdit, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(e.s.msg.CurrentMessage, 1);
    QVERIFY(w.txtAdvEdit->toPlainText().startsWith(QStringLiteral("SUB 1(TASK=0)")));
    QCOMPARE(w.txtAdvEdit->toPlainText().count(QLatin1Char('\r')), 0);
    QTest::keyClick(w.txtAdvEdit, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(e.s.msg.CurrentMessage, 0);
    QCOMPARE(w.txtAdvEdit->toPlainText(), text);
}

void TestScriptEdit::externalEditorRoundTrip() {
    Env e;
    frmQuick& w = *e.w;
    // The editor gets the file as its one argument and appends a line to it.
    e.s.settings.EditorType = "1";
    e.s.settings.EditorPath = e.editor("printf 'REM EDITED\\r\\n' >> \"$1\"\necho \"$#\" > \"$(dirname \"$1\")/argc\"\n");
    SubMake(e.s);
    const std::string block = e.s.msg.BlockText;
    QTest::mouseClick(w.cmdAdvEdit, Qt::LeftButton);
    QCOMPARE(e.s.msg.BlockText, block + "\r\nREM EDITED\r\n");
    QCOMPARE(e.dir.read("prog/argc"), std::string("1\n"));
    QVERIFY(!e.dir.has("prog/Sub.src") && w.isEnabled());
    // A line after "END SUB" leaves the message's own script as it was: still Quick Edit.
    QCOMPARE(w.cmdAdvEdit->text(), QStringLiteral("&Go to Script Edit"));
    QVERIFY(e.ui.boxes.empty());
    // An edit inside the block makes the message script-only.
    e.s.settings.EditorPath = e.editor("sed -i 's/HELLO/HOWDY/' \"$1\"\n");
    w.cmdAdvEditClick();
    QVERIFY(e.s.msg.BlockText.find("HOWDY") != std::string::npos);
    QCOMPARE(w.cmdAdvEdit->text(), QStringLiteral("&Script Edit Only"));

    // With a file open and unsaved changes the user is asked first; No still edits, and the
    // temporary file lies beside the script file.
    Env f;
    f.s.settings.EditorType = "1";
    f.s.settings.EditorPath = f.editor("cp \"$1\" \"$(dirname \"$1\")/seen.src\"\n");
    f.s.index.CurrentFilePath = f.dir.file("demo.src");
    f.s.index.MessageState[4] = 2;
    f.ui.answers = {Answer::No};
    f.w->runExternalEditor();
    QCOMPARE(f.ui.texts(), std::vector<std::string>{"Would you like to save the current changes before launching "
                                                    "the external editor?"});
    QCOMPARE(f.ui.boxes[0].buttons, Buttons::YesNo);
    QCOMPARE(f.ui.boxes[0].icon, Icon::Exclamation);
    QVERIFY(f.dir.has("seen.src") && !f.dir.has("Sub.src"));
    QVERIFY(!f.s.msg.ScriptOnly);  // unchanged by the editor: still Quick Edit
}

void TestScriptEdit::externalEditorFailures() {
    Env e;
    frmQuick& w = *e.w;
    e.s.settings.EditorType = "1";
    e.s.settings.EditorPath = e.dir.file("no-such-editor");
    const std::string rtf = e.s.msg.LineRtf[1];
    w.cmdAdvEditClick();
    QCOMPARE(e.ui.texts(), std::vector<std::string>{"Can't read temporary source file " + e.s.run.ProgramDir +
                                                    "Sub.src. Please chek your External Script Editor setings."});
    QCOMPARE(e.ui.boxes[0].icon, Icon::None);
    QVERIFY(w.isEnabled() && !e.s.run.ScriptEditMode && !e.dir.has("prog/Sub.src"));
    QCOMPARE(e.s.msg.LineRtf[1], rtf);

    // From Script Edit, a directory that cannot be written: the create message.
    e.ui.clear();
    e.s.settings.EditorType.clear();
    w.switchScriptEdit();
    e.s.settings.EditorType = "1";
    e.s.run.ProgramDir = e.dir.file("missing/");
    w.cmdAdvEditClick();
    QCOMPARE(e.ui.lastText(), "Can't create temporary source file " + e.dir.file("missing/") +
                                  "Sub.src. Please chek your working directory setings.");
    QVERIFY(w.isEnabled() && !w.txtAdvEdit->isVisible());
    QCOMPARE(e.s.msg.LineRtf[1], rtf);
    QCOMPARE(w.cmdAdvEdit->text(), QStringLiteral("&Go to Script Edit"));
}

// The editor's temporary "Sub.src" never replaces or removes a file of the person's:
// not when the open file is itself named so, nor when one lies beside it.
void TestScriptEdit::externalEditorLeavesTheUsersSubSrcAlone() {
    for (const char* open : {"Sub.src", "demo.src"}) {
        Env e;
        e.s.settings.EditorType = "1";
        e.s.settings.EditorPath = e.editor("echo \"$1\" > \"" + e.dir.file("seen") + "\"\nprintf 'REM X\\r\\n' >> \"$1\"\n");
        e.dir.write("Sub.src", "MY OWN SCRIPT\r\n");
        e.dir.write("prog/Sub.src", "ANOTHER ONE\r\n");
        e.s.index.CurrentFilePath = e.dir.file(open);
        SubMake(e.s);
        const std::string block = e.s.msg.BlockText;
        e.w->runExternalEditor();
        const std::string seen = e.dir.read("seen");
        QVERIFY2(seen.rfind(e.dir.dir(), 0) != 0, seen.c_str());
        QCOMPARE(e.dir.read("Sub.src"), std::string("MY OWN SCRIPT\r\n"));
        QCOMPARE(e.dir.read("prog/Sub.src"), std::string("ANOTHER ONE\r\n"));
        QCOMPARE(e.s.msg.BlockText, block + "\r\nREM X\r\n");
        QVERIFY(!std::filesystem::exists(seen.substr(0, seen.size() - 1)));
    }
}

// A compiler that never ends and ignores the request to end: the window shows what it
// waits for, "&End Program" ends it (forced after a grace), the check says so instead of
// reading an old error file, and the script typed before is still there.
void TestScriptEdit::syntaxCheckWithACompilerThatNeverEnds() {
    Env e;
    frmQuick& w = *e.w;
    e.dir.write("lexmill.exe", "#!/bin/sh\ntrap '' TERM\nexec sleep 600\n");
    std::filesystem::permissions(e.dir.file("lexmill.exe"), std::filesystem::perms::owner_all);
    e.dir.write("prog/sub.err", "SUB.SRC 3: an old error\r\n");
    static_cast<QtProcessRunner&>(w.tools().runner).setGraces(200, 300);
    QTest::mouseClick(w.cmdAdvEdit, Qt::LeftButton);
    QTest::keyClick(w.txtAdvEdit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(w.txtAdvEdit, "REM TYPED");
    const std::string typed = e.s.msg.BlockText;
    QString waitText;
    QTimer clicker;
    connect(&clicker, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* wait = qobject_cast<ToolWaitDialog*>(top);
            if (!wait || !wait->isVisible() || !wait->cmdEnd->isEnabled()) continue;
            waitText = wait->lblWait->text();
            QTest::mouseClick(wait->cmdEnd, Qt::LeftButton);
        }
    });
    clicker.start(50);
    w.mnuProgram->popup(w.mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(w.mnuProgram->isVisible());
    QVERIFY(w.mnuEditSynt->isEnabled());
    QTest::keyClick(w.mnuProgram, Qt::Key_S);
    clicker.stop();
    QCOMPARE(waitText, QStringLiteral("Waiting for lexmill.exe to finish..."));
    QCOMPARE(e.ui.texts(), std::vector<std::string>{"The program lexmill.exe was ended before it finished."});
    QVERIFY(e.s.tools.errors.empty());
    QCOMPARE(e.s.msg.BlockText, typed);
    QVERIFY(typed.find("REM TYPED") != std::string::npos);
    QVERIFY(w.isEnabled());
}

QTEST_MAIN(TestScriptEdit)
#include "tst_scriptedit.moc"
