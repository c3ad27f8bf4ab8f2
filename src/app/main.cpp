// Lumatext 7700: the editor's entry point.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lumatext 7700");
    QMainWindow window;
    window.setWindowTitle("Lumatext 7700 - New");
    window.resize(720, 540);
    window.show();
    return QApplication::exec();
}
