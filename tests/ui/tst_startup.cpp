// Start-up and shut-down as main() runs them: the first start, the settings file, a
// second instance.
#include <QDialog>
#include <QLabel>
#include <QtTest>

#include "TempDir.h"
#include "app/EditorApp.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/SimulationDisplay.h"

using namespace lt;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void firstStartShowsAboutAndWritesEverySetting() {
        test::TempDir dir;
        PosixFileSystem fs;
        QStringList shown;
        StartupOptions o{dir.dir(), dir.dir(), dir.dir(), [&](QDialog& d) { shown << d.objectName(); }};
        {
            EditorApp app(fs, o);
            QVERIFY(app.start());
            QCOMPARE(shown, QStringList{"frmAbout"});
            QCOMPARE(app.window()->windowTitle(), QStringLiteral("Lumatext 7700 - New"));
            QCOMPARE(app.session().settings.ToolsPath, dir.dir());
            QCOMPARE(app.session().msg.LineCount, 2);
            QCOMPARE(app.window()->frameDisplay->title(), QStringLiteral("7740 Display"));
            app.session().settings.UnitType = "7780";
            app.shutdown();
        }
        const std::string ini = dir.read("Lumatext7700.INI");
        QVERIFY(ini.rfind("[preferences]\r\nport=1\r\ntop=", 0) == 0);
        QVERIFY(ini.find("\r\ntype=7780\r\nrate=19200\r\naddress=0\r\nedit_type=\r\nedit_path=\r\nstart_char=<\r\n"
                         "stop_char=>\r\narrays1=\r\narrays2=\r\narrays3=\r\narrays4=\r\nvarchar=^\r\nversion=2\r\n"
                         "esc_file=no\r\ntools_path=" + dir.dir() + "\r\n") != std::string::npos);

        shown.clear();
        EditorApp again(fs, o);
        QVERIFY(again.start());
        QVERIFY(shown.isEmpty()); // the settings file exists now
        QCOMPARE(again.session().msg.LineCount, 4);
        QCOMPARE(again.window()->frameDisplay->title(), QStringLiteral("7780 Display"));
    }

    void aSecondInstanceIsRefused() {
        test::TempDir dir;
        PosixFileSystem fs;
        QStringList shown;
        QString infoText;
        StartupOptions o{dir.dir(), dir.dir(), dir.dir(), [&](QDialog& d) {
                             shown << d.objectName();
                             if (auto* l = d.findChild<QLabel*>(QStringLiteral("lblInfo"))) infoText = l->text();
                         }};
        EditorApp first(fs, o);
        QVERIFY(first.start());
        EditorApp second(fs, o);
        QVERIFY(!second.start());
        QCOMPARE(shown.last(), QStringLiteral("frmInfo"));
        QCOMPARE(infoText, QStringLiteral("Brelmo Industries\nLumatext") + QChar(0x00AE) +
                               QStringLiteral(" 7700 is running already. Press Alt-Tab until program name and logo appear."));

        // Where no lock file can be made at all, the editor starts without one.
        StartupOptions noLockDir = o;
        noLockDir.lockDir = dir.dir() + "missing/";
        EditorApp third(fs, noLockDir);
        QVERIFY(third.start());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
