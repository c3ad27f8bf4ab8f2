// The program as `cmake --install` lays it out, used by a person who cannot write the
// install folders: the desktop files pass their validators, the editor starts from the
// install tree, compiles the sample kept there, keeps its settings and work in the user's
// folders, and the install tree stays exactly as it was.
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include "../ui/support_window.h"
#include "app/EditorApp.h"
#include "ui/toolchain/frmShow.h"

using namespace lt;

namespace {

constexpr uid_t kNobody = 65534;

// Every path below `root` with its size, mode and modification time.
QStringList snapshot(const QString& root) {
    QStringList r;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        struct stat st {};
        ::lstat(QFile::encodeName(it.filePath()).constData(), &st);
        r << QStringLiteral("%1 %2 %3 %4").arg(it.filePath()).arg(st.st_size).arg(st.st_mode, 0, 8).arg(st.st_mtime);
    }
    r.sort();
    return r;
}

QString run(const QString& program, const QStringList& args, const QProcessEnvironment& env = {},
            const QString& cwd = {}, int* exitCode = nullptr) {
    QProcess p;
    if (!env.isEmpty()) p.setProcessEnvironment(env);
    if (!cwd.isEmpty()) p.setWorkingDirectory(cwd);
    // Where the tests run as root, the person is "nobody": root writes through any mode.
    if (::geteuid() == 0 && !env.isEmpty())
        p.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(99);
        });
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(300000)) p.kill();
    if (exitCode) *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAll());
}

frmShow* resultWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* show = qobject_cast<frmShow*>(w); show && show->isVisible()) return show;
    return nullptr;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void installedProgramWritesOnlyInTheUsersFolders();
    void editorInTheInstallTree();
};

void TestInstall::installedProgramWritesOnlyInTheUsersFolders() {
    if (qEnvironmentVariableIsSet("LT_INSTALL_PREFIX")) QSKIP("the editor's own run");
    test::TempDir root;
    const QString prefix = QString::fromStdString(root.file("usr"));
    const QString home = QString::fromStdString(root.file("home"));
    int code = 0;
    QString out = run("cmake", {"--install", LT_BUILD_DIR, "--prefix", prefix}, {}, {}, &code);
    QVERIFY2(code == 0, qPrintable(out));
    const QString programDir = prefix + "/lib/lumatext7700/";
    for (const char* name : {"Lumatext7700", "lumatext", "lexmill.exe", "binmill.exe", "7700.exe", "unit7700",
                             "CTRLCODE.H", "Lumatext7700.hlp"})
        QVERIFY2(QFile::exists(programDir + name), name);
    QCOMPARE(QFileInfo(prefix + "/bin/Lumatext7700").symLinkTarget(), programDir + "Lumatext7700");

    out = run("desktop-file-validate", {prefix + "/share/applications/lumatext7700.desktop"}, {}, {}, &code);
    QVERIFY2(code == 0 && out.isEmpty(), qPrintable(out));
    out = run("update-mime-database", {"-V", prefix + "/share/mime"}, {}, {}, &code);
    QVERIFY2(code == 0 && !out.contains("rror") && !out.contains("arning"), qPrintable(out));

    QVERIFY(QDir().mkpath(home));
    QCOMPARE(run("chmod", {"-R", "a-w", prefix}), QString());
    const QStringList before = snapshot(prefix);
    QVERIFY(QFile::setPermissions(QString::fromStdString(root.dir()), QFile::ReadOwner | QFile::WriteOwner |
                                      QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)); // also the runtime folder
    if (::geteuid() == 0) QCOMPARE(::chown(QFile::encodeName(home).constData(), kNobody, kNobody), 0);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DOCUMENTS_DIR"})
        env.remove(name);
    env.insert("HOME", home);
    env.insert("XDG_RUNTIME_DIR", home);
    env.insert("XDG_DATA_DIRS", prefix + "/share:/usr/share");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LT_INSTALL_PREFIX", prefix);
    // The person runs a copy of this program: the build tree may lie in a folder that only
    // its owner can enter.
    const QString self = QString::fromStdString(root.file("tst_install"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), self));
    out = run(self, {"editorInTheInstallTree"}, env, programDir, &code);
    QVERIFY2(code == 0, qPrintable(out));

    // The installed program itself, started in its own folder with the sample: it reads the
    // settings the first run left in the user's folder and writes them back there.
    const QString data = home + "/.local/share/Brelmo Industries/Lumatext 7700/";
    const QString sample = prefix + "/share/doc/lumatext7700/examples/Demo.src";
    out = run(prefix + "/bin/Lumatext7700", {sample, "--quit-when-idle"}, env, programDir, &code);
    QVERIFY2(code == 0 && out.contains("idle"), qPrintable(out));
    const std::string ini = test::TempDir::readFile((data + "Lumatext7700.INI").toStdString());
    QVERIFY2(ini.find("\r\ntype=7780\r\n") != std::string::npos, ini.c_str());
    QVERIFY2(ini.find("\r\narrays1=" + sample.toStdString() + "\r\n") != std::string::npos, ini.c_str());
    QVERIFY2(ini.find("\r\ntools_path=" + programDir.toStdString() + "\r\n") != std::string::npos, ini.c_str());

    const QStringList after = snapshot(prefix);
    QCOMPARE(after, before);
    run("chmod", {"-R", "u+w", prefix}); // so that the temporary folder can be removed
}

// Started by the test above as the person who cannot write the install tree: the editor
// over the installed program folder, driven with keys.
void TestInstall::editorInTheInstallTree() {
    const QString prefix = qEnvironmentVariable("LT_INSTALL_PREFIX");
    if (prefix.isEmpty()) QSKIP("run by installedProgramWritesOnlyInTheUsersFolders");
    QVERIFY(::geteuid() != 0);
    const QString sample = prefix + "/share/doc/lumatext7700/examples/Demo.src";
    const QString script = "text/x-lumatext7700-script";
    QMimeDatabase mime;
    QCOMPARE(mime.mimeTypeForFile(sample).name(), script);
    QCOMPARE(mime.mimeTypeForFileNameAndData("other.src", QByteArray("#define Display_type (7740)\r\n")).name(), script);
    QCOMPARE(mime.mimeTypeForData(QByteArray("#define Display_type (7780)\r\n")).name(), script); // by content alone

    PosixFileSystem fs;
    test::FakeUserPort person;
    QStringList shown;
    StartupOptions o = DesktopStartupOptions();
    o.programDir = (prefix + "/lib/lumatext7700").toStdString();
    o.showModal = [&](QDialog& d) { shown << d.objectName(); };
    o.userPort = &person;
    const std::string data = QDir::homePath().toStdString() + "/.local/share/Brelmo Industries/Lumatext 7700/";
    QCOMPARE(o.appDataDir + "/", data);
    QCOMPARE(o.documentsDir, QDir::homePath().toStdString());
    EditorApp app(fs, o);
    QVERIFY(app.start());
    QCOMPARE(shown, QStringList{"frmAbout"}); // a first start: no settings yet
    frmQuick* w = app.window();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(app.session().run.SettingsFilePath, data + "Lumatext7700.INI");

    person.files.push_back(sample.toStdString());
    test::Press(w, Qt::Key_O, Qt::ControlModifier);
    QTRY_COMPARE(QString::fromStdString(app.session().index.CurrentFilePath), sample);
    QCOMPARE(QString::fromStdString(person.fileDialogs.at(0).initialDirectory), QDir::homePath() + "/");

    const std::string samples = (prefix + "/share/doc/lumatext7700/examples/").toStdString();
    test::Press(w, Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    // The result window is modal: it is read while it is up, then closed.
    QString button;
    QTimer::singleShot(0, [&] {
        (void)QTest::qWaitFor([] { return resultWindow() && resultWindow()->cmdProgram->isVisible(); }, 120000);
        if (frmShow* result = resultWindow()) {
            button = result->cmdProgram->text();
            result->close();
        }
    });
    test::Press(w, Qt::Key_C); // to the open menu
    QCOMPARE(button, QStringLiteral("&Program"));
    QCOMPARE(person.texts(), std::vector<std::string>{
        "Can't write in specified directory " + samples +
        ", in order to program the unit binary file will be created in directory - " + data});
    QVERIFY(QFile::exists(QString::fromStdString(data + "Demo.bin")));
    app.shutdown();
    QVERIFY(QFile::exists(QString::fromStdString(data + "Lumatext7700.INI")));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
