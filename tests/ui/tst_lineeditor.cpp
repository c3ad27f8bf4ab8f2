// The rich-text line control: LineRtf in and out, marks, queries.
#include <QApplication>
#include <QtTest>

#include "ui/widgets/LineEditor.h"

using lt::LineEditor;

class TestLineEditor : public QObject {
    Q_OBJECT
private slots:
    void roundTripsCanonicalRichText() {
        LineEditor e;
        const std::string samples[] = {
            "\\sb90\\sa90 \\f0 \\cf0 TEMP \\f3 \\cf4 ^^^^",
            "\\sb90\\sa90 \\qc \\f0 \\cf0 HELLO",
            "\\sb90\\sa90 \\f0 \\cf0 A\\\\B \\f65 \\cf0 BLINK\\f0 \\cf0  end",
            "\\sb90\\sa90 \\qc \\f0 \\cf0 one\\par\r\n\\f0 \\cf0 two\\par\r\n\\ql \\f49 \\cf4 ^^.^",
        };
        for (const auto& rtf : samples) {
            e.setLineRtf(rtf);
            QCOMPARE(QString::fromStdString(e.lineRtf()), QString::fromStdString(rtf));
        }
    }

    void readsForeignButValidForms() {
        LineEditor e;
        // Marks after the text's own control words, padding runs and an unknown word.
        e.setLineRtf("\\sb90\\sa90 \\f0 \\cf0 \\qc HI\\par\r\n\\f0 \\cf0 X\\fs30 Y");
        QCOMPARE(QString::fromStdString(e.lineRtf()),
                 QStringLiteral("\\sb90\\sa90 \\qc \\f0 \\cf0 HI\\par\r\n\\f0 \\cf0 XY"));
        QCOMPARE(e.blockCount(), 2);
        QCOMPARE(e.textLength(), 6); // HI, a paragraph break counted as CR LF, XY
    }

    void answersTheTypingQueries() {
        LineEditor e;
        e.setLineRtf("\\sb90\\sa90 \\f0 \\cf0 AB \\f65 \\cf0 CD\\par\r\n\\qc \\f5 \\cf4 ^^");
        QTextCursor c = e.textCursor();
        c.setPosition(4);
        e.setTextCursor(c);
        QCOMPARE(e.blockIndex(), 0);
        QCOMPARE(e.column(), 4);
        QCOMPARE(e.markAtCursor(), 65);
        QCOMPARE(e.markAtPosition(0), 0);
        QCOMPARE(e.characterBeforeCursor(), QChar('C'));
        QVERIFY(!e.centredAtCursor());
        c.setPosition(7);
        e.setTextCursor(c);
        QCOMPARE(e.blockIndex(), 1);
        QVERIFY(e.centredAtCursor());
        QCOMPARE(e.markAtPosition(7), 5);
        QVERIFY(!e.canUndo());
    }

    void selectsWordsWithoutCrossingAMarkChange() {
        LineEditor e;
        e.setLineRtf("\\sb90\\sa90 \\f0 \\cf0 ab\\f65 \\cf0 cd\\f0 \\cf0  ef");
        QTextCursor c = e.textCursor();
        c.setPosition(3);
        e.setTextCursor(c);
        e.selectWordAtCursor();
        QCOMPARE(e.textCursor().selectedText(), QStringLiteral("cd"));
        QCOMPARE(QString::fromStdString(e.selectedLineRtf()), QStringLiteral("\\sb90\\sa90 \\f65 \\cf0 cd"));
    }
};

QTEST_MAIN(TestLineEditor)
#include "tst_lineeditor.moc"
