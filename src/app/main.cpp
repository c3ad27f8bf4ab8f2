// Lumatext 7700: the editor's entry point.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "app/EditorApp.h"
#include "storage/NativeFileSystem.h"
#include "ui/style/EditorStyle.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new lt::EditorStyle); // the application owns it
    lt::NativeFileSystem fs;
    lt::EditorApp editor(fs, lt::DesktopStartupOptions());
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
        else editor.openFile(QDir::toNativeSeparators(QDir(args.at(i)).absolutePath()).toStdString());
    }
    int code = QApplication::exec();
    editor.shutdown();
    return code;
}
