// One message typed in the real main window reaches an emulated unit: typed into txtEdit,
// saved through Save As, compiled from the Program menu (the result window driven by its
// buttons), programmed into unit7700 on COM 1, and called up from the Advanced menu.
// No mocks but the person: the real lexmill.exe, binmill.exe, 7700.exe and emulator run.
//
// With LT_E2E_SCREENSHOT=PNG and an X display (xvfb-run, QT_QPA_PLATFORM=xcb) the emulator
// also shows its LED window, the editor stands beside it, and the screen is saved as PNG
// once the message is up: docs/editor-and-unit.png is made this way.
#include <QScreen>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "../ui/support_window.h"
#include "ui/toolchain/frmShow.h"
#include "ui/widgets/LineEditor.h"
#include "ui/widgets/SimulationDisplay.h"

using namespace lt;

namespace {

const std::string kBin = std::string(LT_BIN_DIR) + "/";

std::string missingTool() {
    for (auto name : {"lexmill.exe", "binmill.exe", "7700.exe", "unit7700", "CTRLCODE.H"})
        if (!std::filesystem::exists(kBin + name)) return name;
    return {};
}

// Presses the result window's buttons once it is up: "&Program" after the compile, then
// "&Close". Whatever happens, the window is closed so the modal loop ends.
struct ResultWindowDriver {
    const Session& s;
    std::string programText, programCaption, failure;

    void run() {
        frmShow* show = nullptr;
        if (!QTest::qWaitFor([&] { return (show = qobject_cast<frmShow*>(QApplication::activeModalWidget())); },
                             60000)) {
            failure = "the result window did not open";
            return;
        }
        if (!QTest::qWaitFor([&] { return show->cmdProgram->isVisible(); }, 120000)) {
            failure = "the compile did not end";
        } else {
            programCaption = show->cmdProgram->text().toStdString();
            if (programCaption == "&Program") {
                show->cmdProgram->click(); // runs the version check and 7700.exe "p"
                (void)QTest::qWaitFor([&] { return !s.tools.busy; }, 120000);
                programText = show->text();
            }
        }
        show->cmdClose->click();
        if (show->isVisible()) show->done(0);
    }
};

} // namespace

class TestTypedMessage : public QObject {
    Q_OBJECT
private slots:
    void typedMessageShowsOnTheEmulatedUnit();
};

void TestTypedMessage::typedMessageShowsOnTheEmulatedUnit() {
    const std::string missing = missingTool();
    if (!missing.empty()) QFAIL(("build the tools first: " + kBin + missing + " is missing").c_str());
    test::WindowFixture f;
    f.s.settings.ToolsPath = kBin;

    const QString screenshot = qEnvironmentVariable("LT_E2E_SCREENSHOT");
    QStringList options = {"--device-file", QString::fromStdString(f.dir.file("device")), "--display-file",
                           QString::fromStdString(f.dir.file("display"))};
    if (!screenshot.isEmpty()) options << "--window";
    QProcess unit;
    unit.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    unit.start(QString::fromStdString(kBin + "unit7700"), options);
    QVERIFY(unit.waitForStarted(30000));
    QTRY_VERIFY_WITH_TIMEOUT(f.dir.has("device") && !f.dir.read("device").empty(), 30000);
    std::string device = f.dir.read("device");
    device.pop_back(); // its line end
    qputenv("LUMATEXT7700_COM1", QByteArray::fromStdString(device));

    // Typed on line 1 of message 0; the simulation shows it at once.
    f.w->txtEdit->setFocus();
    QTest::keyClicks(f.w->txtEdit, "HELLO 7700!");
    QCOMPARE(f.w->frameDisplay->row(1)->text(), QStringLiteral("HELLO 7700!"));

    f.ui.files.push_back(f.dir.file("typed.src"));
    f.w->mnuFile[3]->trigger(); // Save As...
    QCOMPARE(f.s.index.CurrentFilePath, f.dir.file("typed.src"));
    QVERIFY(f.dir.read("typed.src").find("    PRINT\"HELLO 7700!\";") != std::string::npos);

    ResultWindowDriver driver{f.s, {}, {}, {}};
    QTimer::singleShot(0, [&] { driver.run(); });
    f.w->mnuPrgCompile->trigger(); // returns when the result window has closed
    QVERIFY2(driver.failure.empty(), driver.failure.c_str());
    QCOMPARE(driver.programCaption, std::string("&Program"));
    QCOMPARE(std::filesystem::file_size(f.dir.file("typed.bin")), uintmax_t(32768));
    QVERIFY2(driver.programText.find("Flash programmed and verified: 32,768 bytes") != std::string::npos,
             driver.programText.c_str());
    QCOMPARE(f.ui.boxes.size(), size_t(0)); // no question on the way

    f.ui.inputs.push_back(std::string("0"));
    f.w->mnuAdvCall->trigger();
    QCOMPARE(f.ui.prompts.back(), std::string("Enter message number and variable string if necessary. PLEASE "
                                              "separate message number and variable string with a space or put "
                                              "variable string in double quotes."));
    QVERIFY2(f.ui.lastText().find("Message 0 called up") != std::string::npos, f.ui.lastText().c_str());
    const std::string blank = std::string(20, ' ') + "\n";
    const std::string want = "HELLO 7700!" + std::string(9, ' ') + "\n" + blank + blank + blank;
    QTRY_COMPARE_WITH_TIMEOUT(f.dir.read("display").substr(0, want.size()), want, 30000); // the four rows

    if (!screenshot.isEmpty()) {
        f.w->move(630, 0); // the LED window sits at the top left corner
        f.w->raise();
        QTest::qWait(1500); // both windows repaint; the picture is for people, not a check
        QVERIFY(f.w->screen()->grabWindow(0).save(screenshot));
    }
    unit.terminate();
    QVERIFY(unit.waitForFinished(30000));
    qunsetenv("LUMATEXT7700_COM1");
}

QTEST_MAIN(TestTypedMessage)
#include "tst_typed_message.moc"
