// The X11 selection pasted with a middle click follows the paste rules of the message line.
// Runs on a real X server (xvfb-run, the xcb platform): only there does a middle click paste.

#include "quickedit/RichText.h"
#include "support_window.h"

using namespace lt;

class TestX11Selection : public QObject {
    Q_OBJECT
private slots:
    void middleClickPastesWithinTheLimit() {
        QVERIFY2(QGuiApplication::clipboard()->supportsSelection(), "needs the X11 selection (xcb platform)");
        test::WindowFixture f;
        f.type("ABCDEFGHIJKLMNO");
        QWidget* port = f.w->txtEdit->viewport();
        const QPoint end(port->width() - 4, port->height() / 2);
        QGuiApplication::clipboard()->setText(QStringLiteral("0123456789"), QClipboard::Selection);
        QTest::mouseClick(port, Qt::MiddleButton, {}, end);
        QCOMPARE(f.ui.texts(), std::vector<std::string>{"The text to be pasted is too long to fit in 20 characters "
                                                        "line. You may want to create a continuous scrolling message."});
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("ABCDEFGHIJKLMNO"));

        f.ui.clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("XY\nZ"), QClipboard::Selection);
        QTest::mouseClick(port, Qt::MiddleButton, {}, end);
        QVERIFY(f.ui.boxes.empty());
        QCOMPARE(f.w->txtEdit->toPlainText(), QStringLiteral("ABCDEFGHIJKLMNOXYZ"));
        QCOMPARE(GetText(f.s.msg.LineRtf[1]), std::string("ABCDEFGHIJKLMNOXYZ"));
        QCOMPARE(f.w->simulation().row(1), std::string("ABCDEFGHIJKLMNOXYZ"));
    }
};

QTEST_MAIN(TestX11Selection)
#include "tst_x11_selection.moc"
