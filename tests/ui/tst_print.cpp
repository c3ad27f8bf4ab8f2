// Printing through the window's menu to a PDF file chosen in the (scripted) print dialog,
// checked with pdftotext.
#include <QAction>
#include <QProcess>
#include <QtTest>

#include "support_window.h"

using namespace lt;
using namespace lt::test;

namespace {
QString PdfText(const std::string& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QString::fromStdString(pdf), QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private slots:
    void textOnlyOfANewFileToPdf();
};

void TestPrint::textOnlyOfANewFileToPdf() {
    WindowFixture f("7740");
    f.s.msg.LineRtf[1] = Line("GOOD MORNING");
    f.s.msg.LineRtf[2] = Line("SAY \"HI\"");
    const std::string rtf = f.s.msg.LineRtf[2];

    // Cancelling the print dialog prints nothing.
    f.w->mnuPrintMsgTextOnly->trigger();
    QCOMPARE(f.ui.printDialogs, 1);

    f.ui.printers.push_back(PrintChoice{1, "", f.dir.file("text.pdf")});
    f.w->mnuPrintMsgTextOnly->trigger();
    QVERIFY(f.dir.has("text.pdf"));
    const QString text = PdfText(f.dir.file("text.pdf"));
    if (text.isEmpty()) QSKIP("pdftotext is not installed (./dev setup installs poppler-utils)");
    QVERIFY2(text.contains(QStringLiteral("Brelmo Industries 7740 Message Script Printout")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("GOOD MORNING")));
    QVERIFY(!text.contains(QStringLiteral("PRINT")));
    // The message is read back as it was.
    QCOMPARE(f.s.msg.LineRtf[2], rtf);

    // The current message alone, as script.
    f.ui.printers.push_back(PrintChoice{1, "", f.dir.file("message.pdf")});
    f.w->mnuFile[5]->trigger();
    const QString script = PdfText(f.dir.file("message.pdf"));
    QVERIFY(script.contains(QStringLiteral("SUB 0(TASK=0)")));
    QVERIFY(script.contains(QStringLiteral("PRINT\"GOOD MORNING\";")));
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
