// Start-up and shut-down as main() runs them: the first start, the settings file, a
// second instance.
#include <QtTest>
#include <QtWidgets>

#include "TempDir.h"
#include "app/EditorApp.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"
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
            // The first keys typed go into the message text.
            QCOMPARE(app.window()->focusWidget(), static_cast<QWidget*>(app.window()->txtEdit));
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

    // A saved position is kept while the window fits on a screen; otherwise the window is
    // moved, and shrunk if it must be, onto the nearest screen. Checked on two screens
    // (1920 x 1080 and 1280 x 1024 beside it) at the scale factors 1.5 and 2.0, each in a run
    // of this program started with that factor.
    void savedPositionStaysOnScreen() {
        const QByteArray factor = qgetenv("LT_PLACEMENT_FACTOR");
        if (factor.isEmpty()) {
            test::TempDir dir;
            dir.write("screens.json", R"({"screens": [{"name": "left", "x": 0, "y": 0, "width": 1920, "height": 1080},
                                                      {"name": "right", "x": 1920, "y": 0, "width": 1280, "height": 1024}]})");
            for (const char* scale : {"1.5", "2.0"}) {
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert("QT_SCALE_FACTOR", scale);
                env.insert("QT_QPA_PLATFORM", QString::fromStdString("offscreen:configfile=" + dir.file("screens.json")));
                env.insert("LT_PLACEMENT_FACTOR", scale);
                QProcess run;
                run.setProcessEnvironment(env);
                run.setProcessChannelMode(QProcess::MergedChannels);
                run.start(QCoreApplication::applicationFilePath(), {"savedPositionStaysOnScreen"});
                QVERIFY(run.waitForFinished(120000));
                QVERIFY2(run.exitCode() == 0, run.readAll().constData());
            }
            return;
        }
        const QList<QScreen*> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        const QRect left = screens[0]->availableGeometry(), right = screens[1]->availableGeometry();
        QCOMPARE(left.width(), qRound(1920 / factor.toDouble())); // the factor is in force
        // A saved position and the screen the window must be on: fitting at 1.5 and too tall
        // at 2.0, off the bottom, beyond the right screen, beyond the left screen.
        for (const auto& [saved, screen] : {std::pair{left.topLeft() + QPoint(40, 30), left},
                                            std::pair{QPoint(left.left() + 200, left.bottom() - 150), left},
                                            std::pair{right.topRight() + QPoint(3000, 100), right},
                                            std::pair{QPoint(-2000, -600), left}}) {
            test::TempDir dir;
            dir.write("Lumatext7700.INI", "[preferences]\r\ntop=" + std::to_string(saved.y() * 15) + "\r\nleft=" +
                                              std::to_string(saved.x() * 15) + "\r\ntype=7780\r\n");
            PosixFileSystem fs;
            EditorApp app(fs, StartupOptions{dir.dir(), dir.dir(), dir.dir(), [](QDialog&) {}});
            QVERIFY(app.start());
            const QWidget& w = *app.window();
            const QRect frame(w.pos(), w.frameGeometry().size());
            const QByteArray where = QStringLiteral("saved %1,%2: window %3,%4 %5x%6 at scale %7")
                                         .arg(saved.x()).arg(saved.y()).arg(frame.x()).arg(frame.y())
                                         .arg(frame.width()).arg(frame.height()).arg(QString::fromLatin1(factor))
                                         .toLatin1();
            QVERIFY2(screen.contains(frame), where.constData());
            if (screen.contains(QRect(saved, QSize(760, 560 + 40))))
                QVERIFY2(w.pos() == saved, where.constData()); // it fitted: the position is kept
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
