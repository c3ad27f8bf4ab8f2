// One message typed in the real main window reaches an emulated unit: typed into txtEdit,
// saved through Save As, compiled from the Program menu (the result window driven by its
// buttons), programmed into unit7700 on COM 1, and called up from the Advanced menu.
// No mocks but the person: the real lexmill.exe, binmill.exe, 7700.exe and emulator run.
// A second message, opened from a file, shows the same LED dots in the simulation display
// and in the emulator's window.
//
// With LT_E2E_SCREENSHOT=PNG and an X display (xvfb-run, QT_QPA_PLATFORM=xcb) the editor
// stands beside the emulator's LED window and the screen is saved as PNG once the typed
// message is up: docs/editor-and-unit.png is made this way.
#include <filesystem>

#include "../ui/support_window.h"
#include "LedDots.h"
#include "ui/toolchain/frmShow.h"
#include "ui/widgets/SimulationDisplay.h"

using namespace lt;

namespace {

const std::string kBin = std::string(LT_BIN_DIR) + "/";

// unit7700 on a pseudo-terminal, with COM 1 pointed at it while it runs.
struct EmulatedUnit {
    QProcess process;

    bool start(const test::TempDir& dir, QStringList options) {
        options << "--device-file" << QString::fromStdString(dir.file("device")) << "--display-file"
                << QString::fromStdString(dir.file("display"));
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QString::fromStdString(kBin + "unit7700"), options);
        if (!process.waitForStarted(30000) ||
            !QTest::qWaitFor([&] { return dir.has("device") && !dir.read("device").empty(); }, 30000))
            return false;
        qputenv("LUMATEXT7700_COM1", QByteArray::fromStdString(dir.read("device")).trimmed());
        return true;
    }
    ~EmulatedUnit() {
        process.terminate();
        process.waitForFinished(30000);
        qunsetenv("LUMATEXT7700_COM1");
    }
};

// Compiles the open file from the Program menu and programs it from the result window;
// empty when the flash was programmed and verified, else what went wrong. The result
// window's buttons are pressed once it is up ("&Program" after the compile, then "&Close");
// whatever happens, it is closed so that its modal loop ends.
std::string CompileAndProgram(test::WindowFixture& f, const std::string& image) {
    std::string failure, caption, programText;
    QTimer::singleShot(0, [&] {
        frmShow* show = nullptr;
        if (!QTest::qWaitFor([&] { return (show = qobject_cast<frmShow*>(QApplication::activeModalWidget())); },
                             60000)) {
            failure = "the result window did not open";
            return;
        }
        if (!QTest::qWaitFor([&] { return show->cmdProgram->isVisible(); }, 120000)) {
            failure = "the compile did not end";
        } else if ((caption = show->cmdProgram->text().toStdString()) == "&Program") {
            show->cmdProgram->click(); // runs the version check and 7700.exe "p"
            (void)QTest::qWaitFor([&] { return !f.s.tools.busy; }, 120000);
            programText = show->text();
        }
        show->cmdClose->click();
        if (show->isVisible()) show->done(0);
    });
    f.w->mnuPrgCompile->trigger(); // returns when the result window has closed
    if (!failure.empty()) return failure;
    if (caption != "&Program") return "the compile failed: " + caption;
    if (!f.dir.has(image) || std::filesystem::file_size(f.dir.file(image)) != 32768) return "no image " + image;
    if (programText.find("Flash programmed and verified: 32,768 bytes") == std::string::npos) return programText;
    if (!f.ui.boxes.empty()) return "a question on the way: " + f.ui.lastText(); // none expected
    return {};
}

// Calls a message up from the Advanced menu.
void CallUp(test::WindowFixture& f, int n) {
    f.ui.inputs.push_back(std::to_string(n));
    f.w->mnuAdvCall->trigger();
}

} // namespace

class TestTypedMessage : public QObject {
    Q_OBJECT
private slots:
    void typedAndOpenedMessagesShowOnTheEmulatedUnit();
};

// Message 1 of a file (a centred line, a variable field with no value set, so its picture
// shows, and a blinking word) is opened; "HELLO 7700!" is typed into message 0 and the file
// is saved as another one, compiled, programmed and both messages are called up. Message 0
// fills the unit's first row; for message 1 the emulator's window, caught in its snapshots,
// shows exactly the dots of the simulation display, in the blink's on and off phases.
void TestTypedMessage::typedAndOpenedMessagesShowOnTheEmulatedUnit() {
    for (const std::string name : {"lexmill.exe", "binmill.exe", "7700.exe", "unit7700", "CTRLCODE.H"})
        if (!std::filesystem::exists(kBin + name))
            QFAIL(("build the tools first: " + kBin + name + " is missing").c_str());
    test::WindowFixture f;
    f.s.settings.ToolsPath = kBin;
    {
        Session g(f.disk, f.ui);
        g.settings.UnitType = "7780";
        g.msg.LineCount = 4;
        g.msg.CurrentMessage = 1;
        g.msg.LineRtf[1] = "\\sb90\\sa90 \\qc \\f0 \\cf0 WELCOME";
        g.msg.LineRtf[2] = "\\sb90\\sa90 \\f0 \\cf0 TEMP \\f3 \\cf4 ^^.^\\f0 \\cf0  C";
        g.msg.LineRtf[3] = "\\sb90\\sa90 \\f0 \\cf0 DOORS \\f65 \\cf0 OPEN";
        g.msg.LineBlink[3] = "25,ON";
        g.msg.LineRtf[4] = "\\sb90\\sa90 \\f0 \\cf0 Lumatext 7700 unit";
        g.msg.ClearScreen = "CLS";
        g.msg.RelayMode = "ON";
        SubMake(g);
        f.dir.write("shown.src", ScriptHeader("7780", "2") + g.msg.BlockText + "\r\n");
    }
    f.w->resize(760, 560); // as the editor starts
    EmulatedUnit unit;
    QVERIFY(unit.start(f.dir, {"--window", "--snapshot", QString::fromStdString(f.dir.file("unit.png"))}));
    f.ui.files.push_back(f.dir.file("shown.src"));
    f.press(Qt::Key_O, Qt::ControlModifier); // Open...
    QCOMPARE(f.w->frameDisplay->row(1)->text(), QStringLiteral("      WELCOME"));

    // Typed on line 1 of message 0; the simulation shows it at once.
    f.goTo(0);
    f.w->txtEdit->setFocus();
    QTest::keyClicks(f.w->txtEdit, "HELLO 7700!");
    QCOMPARE(f.w->frameDisplay->row(1)->text(), QStringLiteral("HELLO 7700!"));
    f.ui.files.push_back(f.dir.file("typed.src"));
    f.press(Qt::Key_A, Qt::ControlModifier); // Save As...
    QCOMPARE(f.s.index.CurrentFilePath, f.dir.file("typed.src"));
    QVERIFY(f.dir.read("typed.src").find("    PRINT\"HELLO 7700!\";") != std::string::npos);

    const std::string failure = CompileAndProgram(f, "typed.bin");
    QVERIFY2(failure.empty(), failure.c_str());
    CallUp(f, 0);
    QCOMPARE(f.ui.prompts.back(), std::string("Enter message number and variable string if necessary. PLEASE "
                                              "separate message number and variable string with a space or put "
                                              "variable string in double quotes."));
    QVERIFY2(f.ui.lastText().find("Message 0 called up") != std::string::npos, f.ui.lastText().c_str());
    const std::string blank = std::string(20, ' ') + "\n";
    const std::string want = "HELLO 7700!" + std::string(9, ' ') + "\n" + blank + blank + blank;
    QTRY_COMPARE_WITH_TIMEOUT(f.dir.read("display").substr(0, want.size()), want, 30000); // the four rows
    const QString screenshot = qEnvironmentVariable("LT_E2E_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        f.w->move(630, 0); // the LED window sits at the top left corner
        f.w->raise();
        QTest::qWait(1500); // both windows repaint; the picture is for people, not a check
        QVERIFY(f.w->screen()->grabWindow(0).save(screenshot));
    }

    f.goTo(1);
    CallUp(f, 1);
    QTRY_VERIFY_WITH_TIMEOUT(f.dir.read("display").find("TEMP ^^.^ C") != std::string::npos, 30000);

    // The simulation's dots in both phases of its blink timer.
    std::vector<std::string> on, off;
    QImage windowOn, unitOn; // for the pictures of the documents
    QVERIFY(QTest::qWaitFor([&] {
        const auto dots = test::ReadLedDots(f.w->frameDisplay->panel()->grab().toImage(), f.w->frameDisplay->panelGeometry());
        const bool blinkOn = f.w->frameDisplay->row(3)->text().contains(QStringLiteral("OPEN"));
        if (blinkOn && on.empty()) windowOn = f.w->grab().toImage();
        (blinkOn ? on : off) = dots;
        return !on.empty() && !off.empty();
    }, 5000));
    QVERIFY(on != off);
    // The unit's snapshots until both phases have been seen.
    bool seenOn = false, seenOff = false;
    std::vector<std::string> last;
    (void)QTest::qWaitFor([&] {
        const QImage snapshot(QString::fromStdString(f.dir.file("unit.png")));
        if (snapshot.isNull()) return false;
        last = test::ReadLedDots(snapshot, led::LedGeometry::forWidth(snapshot.width(), 4));
        if (last == on) unitOn = snapshot;
        seenOn = seenOn || last == on;
        seenOff = seenOff || last == off;
        return seenOn && seenOff;
    }, 15000);
    auto rows = [](const std::vector<std::string>& dots) {
        std::string text;
        for (const std::string& line : dots) text += line + "\n";
        return text;
    };
    const std::string shown = "the unit's last snapshot:\n" + rows(last) + "the simulation, blink on:\n" +
                              rows(on) + "the simulation, blink off:\n" + rows(off);
    QVERIFY2(seenOn && seenOff, ("the unit's dots differ from the simulation's. " + shown).c_str());

    // LT_SCREENSHOT_DIR=DIR: the pictures of README.md and docs/emulator.md, the window at
    // the scale factor of the run (QT_SCALE_FACTOR) and, at 1, the unit's window.
    const QString shots = qEnvironmentVariable("LT_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        const int percent = qRound(windowOn.devicePixelRatio() * 100);
        QVERIFY(windowOn.save(shots + (percent == 100 ? QStringLiteral("/main-window.png")
                                                       : QStringLiteral("/main-window-%1.png").arg(percent))));
        if (percent == 100) QVERIFY(unitOn.save(shots + QStringLiteral("/emulator-window.png")));
    }
}

QTEST_MAIN(TestTypedMessage)
#include "tst_typed_message.moc"
