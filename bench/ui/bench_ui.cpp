// The editor's figures: start-up against a Qt window showing one line of text, and a
// message change through the window against the same change in the core plus one load
// of the line editor.
#include <QApplication>
#include <QProcess>
#include <QScrollBar>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Bench.h"
#include "FakeUserPort.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "storage/FileSystem.h"
#include "storage/SaveFile.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"

using namespace lt;

namespace {

std::string FullFile(const std::string& dir) {
    PosixFileSystem fs;
    test::FakeUserPort ui;
    Session s(fs, ui);
    s.settings.UnitType = "7780";
    s.msg.LineCount = 4;
    s.run.ProgramDir = dir;
    std::string text = ScriptHeader("7780", "2");
    for (int n = 0; n < kMessageCount; ++n) {
        s.msg.CurrentMessage = n;
        s.msg.LineRtf[1] = "\\sb90\\sa90 \\qc \\f0 \\cf0 Message " + std::to_string(n);
        s.msg.LineRtf[2] = "\\sb90\\sa90 \\f0 \\cf0 Temp \\f3 \\cf4 ^^.^\\f0 \\cf0  C";
        s.msg.LineRtf[3] = "\\sb90\\sa90 \\f0 \\cf0 Doors \\f65 \\cf0 OPEN";
        s.msg.LineBlink[3] = "25,1";
        s.msg.LineRtf[4] = "\\sb90\\sa90 \\f0 \\cf0 Lumatext 7700 unit";
        s.msg.ClearScreen = "CLS";
        SubMake(s);
        text += s.msg.BlockText + "\r\n";
    }
    return text;
}

// From starting a program to its "idle" line: the window is shown and the event loop waits
// for input. Ending the program afterwards is not part of the figure.
double secondsToIdle(const QString& program, const QStringList& args, const QString& dir) {
    QProcess p;
    p.setWorkingDirectory(dir);
    auto start = std::chrono::steady_clock::now();
    p.start(program, args);
    double seconds = 1e30; // a program that never reports idle fails the figure
    while (p.waitForReadyRead(60000)) {
        if (p.readAllStandardOutput().contains("idle")) {
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            break;
        }
    }
    p.waitForFinished(60000);
    return seconds;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string dir = std::filesystem::temp_directory_path().string() + "/lt-bench-ui/";
    std::filesystem::create_directories(dir);
    {
        std::ofstream(dir + "full.src", std::ios::binary) << FullFile(dir);
        std::ofstream(dir + "Lumatext7700.INI", std::ios::binary) << "[preferences]\r\ntype=7780\r\n";
    }
    bench::Results results;
    const QString bin = QCoreApplication::applicationDirPath();
    const QString work = QString::fromStdString(dir);
    // Interleaved runs, best of each: the machine's load drifts between runs. The floor is a
    // window that shows one line of text, which loads fonts as any window with text must;
    // the empty window is context only.
    double editor = 1e30, bare = 1e30, label = 1e30;
    for (int round = 0; round < 15; ++round) {
        label = std::min(label, secondsToIdle(bin + "/lt_bare_qt", {QStringLiteral("--label")}, work));
        editor = std::min(editor, secondsToIdle(bin + "/Lumatext7700", {QStringLiteral("--quit-when-idle")}, work));
        bare = std::min(bare, secondsToIdle(bin + "/lt_bare_qt", {}, work));
    }
    auto ms = [](double seconds) { return std::to_string(static_cast<int>(seconds * 1000 + 0.5)) + " ms"; };
    char bareRatio[16];
    std::snprintf(bareRatio, sizeof bareRatio, "%.2f", editor / bare);
    results.report("startup", editor / label, 1.3,
                   "to shown and idle: " + ms(editor) + " vs " + ms(label) + " (a window with one label); an empty "
                   "window: " + ms(bare) + " (" + bareRatio + ")");

    PosixFileSystem fs;
    test::FakeUserPort ui;
    Session s(fs, ui);
    s.run.ProgramDir = dir;
    s.settings.UnitType = "7780";
    s.msg.LineCount = 4;
    frmQuick w(s);
    w.applyUnitType();
    w.files().OpenPath(dir + "full.src");
    w.show();
    QApplication::processEvents();
    int target = 1022;
    double window = bench::bestSeconds([&] {
        target = target == 1022 ? 1023 : 1022;
        w.vsbMsg->setValue(target);
    }, 9, 20);

    Session c(fs, ui);
    c.run.ProgramDir = dir;
    c.settings.UnitType = "7780";
    c.msg.LineCount = 4;
    WorkStore store(c);
    c.index.CurrentFilePath = dir + "full.src";
    ScanScriptFile(c, c.index.CurrentFilePath);
    c.msg.CurrentMessage = 1022;
    store.LoadMessage(1022);
    ReadFields(c);
    int other = 1023;
    LineEditor editor2;
    double core = bench::bestSeconds([&] {
        SubMake(c);
        store.StoreMessage(c.msg.CurrentMessage);
        c.msg.CurrentMessage = other;
        store.LoadMessage(other);
        CheckCrc(c);
        ReadFields(c);
        other = other == 1022 ? 1023 : 1022;
    }, 9, 20);
    double load = bench::bestSeconds([&] { editor2.setLineRtf(c.msg.LineRtf[1]); }, 9, 20);
    char note[96];
    std::snprintf(note, sizeof note, "window %.0f us, core %.0f us + editor load %.0f us", window * 1e6, core * 1e6,
                  load * 1e6);
    results.report("switch_ui", window / (core + load), 2.0, note);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return results.failed == 0 ? 0 : 1;
}
