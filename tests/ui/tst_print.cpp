// Printing through the window's menu to a PDF file chosen in the (scripted) print dialog,
// checked with pdftotext.

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
    void longLinesWrapInEveryMode();
};

// The longest lines the generator writes (the lock comment, a long scrolling text) are
// wider than the page: every mode wraps them, so their last words are on the page.
void TestPrint::longLinesWrapInEveryMode() {
    WindowFixture f("7780");
    QuickMessage& m = f.s.msg;
    m.LockBuffer = "ON";
    m.ClearScreen = "CLS";
    m.RelayMode = "ON";
    m.LineRtf[1] = Line("NEWS OF THE DAY FROM THE FRONT OFFICE AND THE FACTORY FLOOR ALIKE WITH ALL THE SHIFT TIMES "
                        "AND THE MENU OF THE CANTEEN LASTWORD");
    m.LineScroll[1] = "4,0";
    m.HorizontalScrollMode = true;
    SubMake(f.s);
    // Cancelling the print dialog prints nothing.
    f.w->mnuPrintMsgTextOnly->trigger();
    QCOMPARE(f.ui.printDialogs, 1);
    const std::string rtf = m.LineRtf[1];
    size_t longest = 0;
    std::string longestLine;
    for (size_t start = 0, end; start < m.BlockText.size(); start = end + 2) {
        end = m.BlockText.find("\r\n", start);
        if (end - start > longest) longestLine = m.BlockText.substr(start, longest = end - start);
    }
    QVERIFY2(longest > 110, longestLine.c_str());
    const QString tail = QString::fromStdString(longestLine.substr(longestLine.rfind(' ') + 1));

    using Mode = std::tuple<QAction*, const char*, QString>; // the menu entry, the PDF, its last word
    for (const auto& [action, pdf, lastWord] : {Mode{f.w->mnuPrintCompleteScript, "script.pdf", tail},
                                                Mode{f.w->mnuFile[5], "message.pdf", tail},
                                                Mode{f.w->mnuPrintMsgTextOnly, "text.pdf", "LASTWORD"}}) {
        f.ui.printers.push_back(PrintChoice{1, "", f.dir.file(pdf)});
        action->trigger();
        const QString text = PdfText(f.dir.file(pdf));
        if (text.isEmpty()) QSKIP("pdftotext is not installed (./dev setup installs poppler-utils)");
        QVERIFY2(text.contains(lastWord), qPrintable(lastWord + QStringLiteral(" missing in\n") + text));
    }
    QCOMPARE(m.LineRtf[1], rtf); // printing reads the message back as it was
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
