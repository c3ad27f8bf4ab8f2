// The result window and the flash window over a scripted runner, the QProcess runner
// with real programs, and an error of the real compiler followed to its line.
#include "../core/toolchain/ScriptedRunner.h"
#include "support_tools.h"
#include "support_window.h"
#include "ui/toolchain/QtProcessRunner.h"
#include "ui/toolchain/TextFileDialog.h"
#include "ui/toolchain/frmReadFlash.h"
#include "ui/toolchain/frmShow.h"

using namespace lt;
using namespace lt::test;

class TestToolchain : public QObject {
    Q_OBJECT
private slots:
    void closeOffersToEndAToolThatNeverEnds();
    void processRunnerWithRealPrograms();
    void viewErrorsWithoutAnEditorShowsTheErrorFile();
    void readFlashRefusesToCloseWhileBusy();
    void anErrorLinkLeadsToItsMessageAndLine();
};

// A compiler that writes its log, then never ends and ignores the request to end: "&Close"
// says the run is cancelled while the window stays up, then after a short grace comes the
// offer to end it; Yes ends it (forced when it does not go), the window closes and nothing
// of the cancelled run is left.
void TestToolchain::closeOffersToEndAToolThatNeverEnds() {
    ToolEnv<QtProcessRunner> env;
    env.tmp.write("tools/lexmill.exe",
                  "#!/bin/sh\ntrap '' TERM\necho compiled > '" + env.tmp.file("demo.log") + "'\nexec sleep 600\n");
    std::filesystem::permissions(env.tmp.file("tools/lexmill.exe"), std::filesystem::perms::owner_all);
    env.runner.setGraces(60000, 300);
    env.ui.answers = {Answer::Yes};
    frmShow window(env.ctx);
    window.setEndGrace(200);
    // The run goes on inside the window's first event; "&Close" is pressed while it waits.
    QString textAfterClose;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (!env.session.tools.busy || !env.tmp.has("demo.log") || !textAfterClose.isEmpty()) return;
        QTest::mouseClick(window.cmdClose, Qt::LeftButton);
        textAfterClose = window.isVisible() ? window.txtShow->toPlainText() : QStringLiteral("closed at once");
    });
    closer.start(50);
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 20000);
    QCOMPARE(textAfterClose, QStringLiteral("Canceled by the user!\nTerminating execution..."));
    QCOMPARE(env.ui.texts(), std::vector<std::string>{"The program lexmill.exe has not ended yet. Do you want to end it now?"});
    QCOMPARE(env.ui.boxes[0].buttons, Buttons::YesNo);
    QVERIFY(!env.session.tools.busy && !env.tmp.has("demo.lst") && !env.tmp.has("demo.log"));
}

void TestToolchain::processRunnerWithRealPrograms() {
    QtProcessRunner runner;
    int ticks = 0;
    ProcessResult r = runner.run("/bin/sleep", {"0.3"}, [&] { ++ticks; });
    QVERIFY(r.started && r.exitCode == 0 && ticks >= 1);
    QCOMPARE(runner.run("/bin/sh", {"-c", "exit 3"}, {}).exitCode, 3);
    // Arguments reach the program as they are, without a shell.
    TempDir tmp;
    runner.run("/bin/sh", {"-c", "printf '%s' \"$1\" > \"$2\"", "sh", "a b;$HOME", tmp.file("out")}, {});
    QCOMPARE(QString::fromStdString(tmp.read("out")), QString("a b;$HOME"));
    // A program that cannot be started says why (the result window's text for it:
    // ResultWindowFlowTest.FailedCompilesOfferNoErrorFileThatIsNotThere).
    r = runner.run(tmp.file("no-such-tool"), {}, {});
    QVERIFY2(!r.started && !r.errorText.empty(), r.errorText.c_str());
}

void TestToolchain::viewErrorsWithoutAnEditorShowsTheErrorFile() {
    ToolEnv<ScriptedRunner> env;
    env.runner.actions.push_back([&](const ToolCall&) {
        env.tmp.write("demo.log", "1 error");
        env.tmp.write("demo.err", "DEMO.SRC 3: unknown statement\r\n");
        return ProcessResult{true, 0, {}};
    });
    frmShow window(env.ctx);
    window.show();
    QTRY_VERIFY(window.cmdProgram->isVisible());
    QCOMPARE(window.cmdProgram->text(), QString("&View Errors"));
    QString title, shown;
    QTimer::singleShot(0, [&] {
        auto* viewer = qobject_cast<TextFileDialog*>(QApplication::activeModalWidget());
        if (!viewer) return;
        title = viewer->windowTitle();
        shown = viewer->txtView->toPlainText();
        QVERIFY(viewer->txtView->isReadOnly());
        viewer->reject();
    });
    window.cmdProgram->click();
    QCOMPARE(title, QString("demo.err"));
    QCOMPARE(shown, QString("DEMO.SRC 3: unknown statement"));
}

void TestToolchain::readFlashRefusesToCloseWhileBusy() {
    ToolEnv<ScriptedRunner> env;
    frmReadFlash window(env.ctx);
    QCOMPARE(window.windowTitle(), QString("Read / Program Flash"));
    window.show();
    env.ui.files.push_back(env.tmp.file("unit.bin"));
    bool busyDuringRun = false, visibleAfterClose = false;
    QString statusDuringRun;
    env.runner.ticksPerRun = 2;
    env.runner.onTick = [&](int) {
        busyDuringRun = window.busy();
        statusDuringRun = window.lblStatus->text();
        window.cmdClose->click();
        window.close();
        visibleAfterClose = window.isVisible();
    };
    env.runner.actions.push_back([&](const ToolCall&) {
        ScriptedRunner::writeFile(env.tmp.file("unit.log"), "ok");
        return ProcessResult{true, 0, {}};
    });
    window.cmdProgram->click();
    QVERIFY(busyDuringRun && visibleAfterClose);
    QCOMPARE(statusDuringRun, QString("00:00"));
    QCOMPARE(window.lblStatus->text(), QString("Unit has been successfully programmed."));
    QVERIFY(!window.busy());
    window.cmdClose->click();
    QVERIFY(!window.isVisible());
}

// With the real compiler: compile from the menu, "&View Errors", then the error's link, by
// keyboard: Script Edit shows the message of the error with the wrong line selected.
void TestToolchain::anErrorLinkLeadsToItsMessageAndLine() {
    const std::string kBin = std::string(LT_BIN_DIR) + "/";
    QVERIFY2(std::filesystem::exists(kBin + "lexmill.exe"), "build the tools first: lexmill.exe is missing");
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

QTEST_MAIN(TestToolchain)
#include "tst_toolchain.moc"
