// Lumatext 7700: the editor's entry point.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

#include "app/EditorApp.h"
#include "storage/NativeFileSystem.h"
#include "ui/style/EditorStyle.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new lt::EditorStyle); // the application owns it
    QApplication::setApplicationName(QStringLiteral("Lumatext 7700"));
    QApplication::setOrganizationName(QStringLiteral("Brelmo Industries"));
    lt::NativeFileSystem fs;
    lt::StartupOptions options;
    // Qt names paths with "/"; the program writes its platform's separator.
    auto native = [](const QString& path) { return QDir::toNativeSeparators(path).toStdString(); };
    options.programDir = native(QCoreApplication::applicationDirPath());
    options.currentDir = native(QDir::currentPath());
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    options.lockDir = native(runtime.isEmpty() ? QDir::tempPath() : runtime);
    lt::EditorApp editor(fs, options);
    if (!editor.start()) return 0;
    // A script file named on the command line is opened at once.
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        // --quit-when-idle reports "idle" on the standard output once start-up is complete
        // and the window waits for input, then ends the program (start-up timing).
        if (args.at(i) == QStringLiteral("--quit-when-idle"))
            QTimer::singleShot(0, &app, [] {
                std::fputs("idle\n", stdout);
                std::fflush(stdout);
                QApplication::quit();
            });
        else editor.openFile(native(QDir(args.at(i)).absolutePath()));
    }
    int code = QApplication::exec();
    editor.shutdown();
    return code;
}
