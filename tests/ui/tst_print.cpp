// Printing through the window's menu to a PDF file chosen in the (scripted) print dialog,
// checked with pdftotext.
#include <QAction>
#include <QProcess>
#include <QtTest>
#include <filesystem>

#include "FakeUserPort.h"
#include "Session.h"
#include "TempDir.h"
#include "ui/main/frmQuick.h"

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
    TempDir tmp;
    PosixFileSystem fs;
    FakeUserPort ui;
    Session s{fs, ui};
    std::filesystem::create_directories(tmp.file("prog"));
    s.run.ProgramDir = tmp.dir() + "prog/";
    frmQuick w(s);
    w.files().NewFile();
    s.msg.LineRtf[1] = "\\sb90\\sa90 \\f0 \\cf0 GOOD MORNING";
    s.msg.LineRtf[2] = "\\sb90\\sa90 \\f0 \\cf0 SAY \"HI\"";
    const std::string rtf = s.msg.LineRtf[2];

    // Cancelling the print dialog prints nothing.
    w.mnuPrintMsgTextOnly->trigger();
    QCOMPARE(ui.printDialogs, 1);

    ui.printers.push_back(PrintChoice{1, "", tmp.file("text.pdf")});
    w.mnuPrintMsgTextOnly->trigger();
    QVERIFY(tmp.has("text.pdf"));
    const QString text = PdfText(tmp.file("text.pdf"));
    if (text.isEmpty()) QSKIP("pdftotext is not installed (./dev setup installs poppler-utils)");
    QVERIFY2(text.contains(QStringLiteral("Brelmo Industries 7740 Message Script Printout")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Filename: New")));
    QVERIFY(text.contains(QStringLiteral("Message= 0")));
    QVERIFY(text.contains(QStringLiteral("LINE1:")));
    QVERIFY(text.contains(QStringLiteral("GOOD MORNING")));
    QVERIFY(text.contains(QStringLiteral("SAY \"HI\"")));
    QVERIFY(!text.contains(QStringLiteral("PRINT")));
    QVERIFY(!text.contains(QStringLiteral("CURSOR")));
    // The message is read back as it was.
    QCOMPARE(s.msg.LineRtf[2], rtf);

    // The current message alone, as script.
    ui.printers.push_back(PrintChoice{1, "", tmp.file("message.pdf")});
    w.mnuFile[5]->trigger();
    const QString script = PdfText(tmp.file("message.pdf"));
    QVERIFY(script.contains(QStringLiteral("SUB 0(TASK=0)")));
    QVERIFY(script.contains(QStringLiteral("PRINT\"GOOD MORNING\";")));
    QVERIFY(script.contains(QStringLiteral("END SUB")));
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
