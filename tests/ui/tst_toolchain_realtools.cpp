// The result window and the syntax check with the real compiler and assembler from the
// build's bin directory; skipped while those tools are not built.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "support_tools.h"
#include "support_window.h"
#include <QTextBrowser>
#include "ui/toolchain/TextFileDialog.h"
#include "toolchain/SyntaxCheck.h"
#include "ui/toolchain/QtProcessRunner.h"
#include "ui/toolchain/frmShow.h"

using namespace lt;
using namespace lt::test;

namespace {

const std::string kBin = std::string(LT_BIN_DIR) + "/";

const std::string kHeader = "#define Display_type (7740)\r\n#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n\r\n";
const std::string kGoodScript = kHeader +
    "SUB 0(TASK=0)\r\n\r\nLINE1:\r\n\r\nLINE2:\r\n\r\nEND SUB\r\n\r\n";
const char* const kBadBlock = "SUB 0(TASK=0)\r\n\r\nLINE1:\r\n    NO_SUCH_STATEMENT 1,2,3\r\nEND SUB\r\n";

bool toolsBuilt() {
    for (auto name : {"lexmill.exe", "binmill.exe", "CTRLCODE.H"})
        if (!std::filesystem::exists(kBin + name)) return false;
    return true;
}

struct Env : ToolEnv<QtProcessRunner> {
    Env() : ToolEnv(kBin) {}
};

} // namespace

class TestToolchainRealTools : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (!toolsBuilt()) QSKIP("lexmill.exe / binmill.exe are not built yet");
    }
    void compileMakesTheImageBesideTheFile();
    void errorsLeadToViewErrorsAndTheSyntaxCheckFindsTheLine();
    void anErrorLinkLeadsToItsMessageAndLine();
};

void TestToolchainRealTools::compileMakesTheImageBesideTheFile() {
    Env env;
    env.tmp.write("demo.src", kGoodScript);
    frmShow window(env.ctx);
    QCOMPARE(window.windowTitle(), QString("Lumatext 7700"));
    QCOMPARE(window.lblElapsed->text(), QString("Elapsed Time:"));
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(window.cmdProgram->isVisible(), 60000);
    QCOMPARE(window.cmdProgram->text(), QString("&Program"));
    QVERIFY(!window.lblElapsed->isVisible());
    // Both tools' logs, one after the other.
    const QString shown = window.txtShow->toPlainText();
    QVERIFY2(shown.indexOf("Messages compiled: 1") < shown.indexOf("Image file: demo.bin, 32768 bytes"), qPrintable(shown));
    QVERIFY(shown.contains("Messages compiled: 1"));
    QVERIFY2(shown.contains(QRegularExpression("Code bytes: \\d+ of 28640 available")), qPrintable(shown));
    QCOMPARE(std::filesystem::file_size(env.tmp.file("demo.bin")), uintmax_t(32768));
    QVERIFY(!env.tmp.has("demo.err"));
    QVERIFY(!env.tmp.has("demo.lst"));
    QVERIFY(!env.tmp.has("demo.log"));
    QVERIFY(!env.tmp.has("demo.esc"));
    // The run has ended: Escape closes the window.
    QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

void TestToolchainRealTools::errorsLeadToViewErrorsAndTheSyntaxCheckFindsTheLine() {
    Env env;
    env.tmp.write("bad.src", kHeader + kBadBlock);
    env.session.index.CurrentFilePath = env.tmp.file("bad.src");
    {
        frmShow window(env.ctx);
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(window.cmdProgram->isVisible(), 60000);
        QCOMPARE(window.cmdProgram->text(), QString("&View Errors"));
        QVERIFY(env.tmp.has("bad.err"));
    }
    env.session.run.ScriptEditMode = true;
    SyntaxCheck(env.ctx, kBadBlock, 0);
    QCOMPARE(env.ui.lastText(), std::string("Errors encountered. Press Ctrl-Plus (forward) or Ctrl-Minus (backward) "
                                            "to scroll through the errors line by line."));
    ErrorStep step = NextSyntaxError(env.session.tools);
    QVERIFY(step.hasError);
    QCOMPARE(step.scriptLine, 4);  // the line of NO_SUCH_STATEMENT in the block
}

// Compile from the menu, "&View Errors", then the error's link, by keyboard: Script Edit
// shows the message of the error with the wrong line selected.
void TestToolchainRealTools::anErrorLinkLeadsToItsMessageAndLine() {
    WindowFixture f("7740");
    f.s.settings.ToolsPath = kBin;
    const std::string path = f.writeScript("bad.src", {{3, "FIRST"}, {7, "SEVENTH"}});
    std::string text = f.dir.read("bad.src");
    const size_t line1 = text.find("LINE1:\r\n", text.find("SUB 7("));
    QVERIFY(line1 != std::string::npos);
    text.insert(line1 + 8, "    NO_SUCH_STATEMENT 1\r\n");
    f.dir.write("bad.src", text);
    f.ui.files.push_back(path);
    QTest::keyClick(f.w.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.s.index.CurrentFilePath, path);
    QVERIFY(f.s.msg.CurrentMessage != 7);

    QString errors;
    QTimer::singleShot(0, [&] {
        frmShow* result = nullptr;
        (void)QTest::qWaitFor([&] {
            result = qobject_cast<frmShow*>(QApplication::activeModalWidget());
            return result && result->cmdProgram->isVisible();
        }, 60000);
        if (!result) return;
        QTimer::singleShot(0, [&] {
            auto* viewer = qobject_cast<TextFileDialog*>(QApplication::activeModalWidget());
            if (!viewer) return;
            errors = viewer->txtView->toPlainText();
            QTest::keyClick(viewer->txtView, Qt::Key_Tab);
            QTest::keyClick(viewer->txtView, Qt::Key_Return);
            if (viewer->isVisible()) viewer->reject();
        });
        result->cmdProgram->click(); // "&View Errors"
        if (result->isVisible()) result->closeWindow();
    });
    QTest::keyClick(f.w.get(), Qt::Key_M, Qt::ControlModifier); // "&Compile..."
    QVERIFY2(errors.startsWith("BAD.SRC ") || errors.startsWith("bad.src "), qPrintable(errors));
    QVERIFY(f.s.run.ScriptEditMode);
    QCOMPARE(f.s.msg.CurrentMessage, 7);
    QCOMPARE(f.w->txtMsg->text(), QStringLiteral("7"));
    QCOMPARE(f.w->txtAdvEdit->textCursor().selectedText(), QStringLiteral("    NO_SUCH_STATEMENT 1"));
    QCOMPARE(f.w->focusWidget(), static_cast<QWidget*>(f.w->txtAdvEdit));
}

QTEST_MAIN(TestToolchainRealTools)
#include "tst_toolchain_realtools.moc"
