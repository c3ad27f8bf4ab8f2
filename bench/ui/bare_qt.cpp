// The start-up floor: a Qt program that shows one main window, reports "idle" on its
// standard output when its event loop first waits, and ends. With "--label" (the floor of
// the start-up figure) the window holds one line of text, so it loads fonts as any window
// with text must; without it the window is empty.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    const bool label = argc > 1 && std::strcmp(argv[1], "--label") == 0;
    QApplication app(argc, argv);
    QMainWindow window;
    if (label) window.setCentralWidget(new QLabel(QStringLiteral("Lumatext 7700")));
    window.resize(760, 560);
    window.show();
    QTimer::singleShot(0, &app, [] {
        std::fputs("idle\n", stdout);
        std::fflush(stdout);
        QApplication::quit();
    });
    return QApplication::exec();
}
