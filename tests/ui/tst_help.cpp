// The help viewer: F1 on controls and menu items, the Help menu entries, every help
// context number in use has its topic, back / forward and search.

#include "support_window.h"
#include "ui/dialogs/DialogContext.h"
#include "ui/dialogs/frmBlink.h"
#include "ui/dialogs/frmPref.h"
#include "ui/dialogs/frmScroll.h"
#include "ui/dialogs/frmWait.h"
#include "ui/help/HelpViewer.h"

using namespace lt;
using namespace lt::test;

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void f1AndTheHelpMenuOpenTheirTopics();
    void everyContextHasATopicAndTheViewerNavigates();
};

namespace {
struct Env : WindowFixture {
    Env() { s.run.HelpFilePath = LT_SOURCE_DIR "/data/Lumatext7700.hlp"; }
    HelpViewer* viewer() { return w->findChild<HelpViewer*>(QStringLiteral("helpViewer")); }
};
} // namespace

void TestHelp::f1AndTheHelpMenuOpenTheirTopics() {
    Env e;
    e.w->txtMsg->setFocus();
    QTest::keyClick(e.w->txtMsg, Qt::Key_F1);
    QVERIFY(e.viewer() && e.viewer()->isVisible());
    QCOMPARE(e.viewer()->currentTopic(), 1100);
    QVERIFY(e.viewer()->browser->toPlainText().contains(QStringLiteral("Message number")));
    if (qEnvironmentVariableIsSet("LT_SCREENSHOT_DIR")) {
        e.viewer()->showTopic(4200);
        QTest::qWait(50);
        e.viewer()->grab().save(qEnvironmentVariable("LT_SCREENSHOT_DIR") + QStringLiteral("/help.png"));
        e.viewer()->showTopic(1100);
    }

    // F1 in an open menu opens the highlighted item's topic.
    e.w->mnuProgram->popup(e.w->mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(e.w->mnuProgram->isVisible());
    e.w->mnuProgram->setActiveAction(e.w->mnuPrg7780);
    QTest::keyClick(e.w->mnuProgram, Qt::Key_F1);
    QCOMPARE(e.viewer()->currentTopic(), 2400);
    QTRY_VERIFY(!e.w->mnuProgram->isVisible());

    const std::pair<int, int> entries[] = {{0, 2600}, {2, 100}, {4, 200}, {5, 4400}};
    for (auto [item, topic] : entries) {
        e.w->mnuHelpSelect[item]->trigger();
        QCOMPARE(e.viewer()->currentTopic(), topic);
    }
    e.w->mnuHelpSelect[1]->trigger();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e.viewer()->searchBox));

    e.viewer()->close();
    e.w->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(e.w.get()));
    e.w->cmdClrScreen->setFocus();
    QTest::keyClick(e.w->cmdClrScreen, Qt::Key_F1);
    QCOMPARE(e.viewer()->currentTopic(), 3500);

    // A dialog's Help button (the dialog not modal here) uses the same viewer.
    frmPref pref(e.s, e.w.get());
    QTest::mouseClick(pref.cmdHelp, Qt::LeftButton);
    QCOMPARE(e.viewer()->currentTopic(), kPrefHelpContext);
    // The attribute dialogs are modal: each Help button opens a viewer of the dialog's own
    // at the dialog's topic.
    DialogContext ctx{e.s, e.w.get(), [] { return 1; }, [](int) {}, [] {}, [] {}};
    auto helpTopic = [](QDialog&& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdHelp")), Qt::LeftButton);
        auto* own = dialog.findChild<HelpViewer*>(QStringLiteral("dialogHelpViewer"));
        return own && own->isVisible() ? own->currentTopic() : -1;
    };
    QCOMPARE(helpTopic(frmBlink(ctx)), 3000);
    QCOMPARE(helpTopic(frmScroll(ctx)), 3400);
    QCOMPARE(helpTopic(frmWait(ctx)), 3900);
}

void TestHelp::everyContextHasATopicAndTheViewerNavigates() {
    Env e;
    HelpViewer* v = e.w->helpViewer();
    v->showTopic(kHelpContentsTopic);
    QList<int> used = {kHowToUseHelpTopic, kQuickEditTopic, kScriptLanguageTopic, kPrefHelpContext,
                       3000, 3100, 3400, 3800, 3900, 4000, 4100};
    for (QObject* o : e.w->findChildren<QObject*>())
        if (int n = o->property("helpContext").toInt()) used << n;
    for (int n : used) QVERIFY2(v->topics().contains(n), qPrintable(QString::number(n)));
    QCOMPARE(v->contents->count(), v->topics().size());
    QCOMPARE(v->contents->item(0)->text(), QStringLiteral("Lumatext 7700 Help \u2013 Contents"));

    // Each topic of a window or command gives its steps and an example; no access-key "&"
    // shows; the whole is enough to learn the program from, starting with "Getting started".
    int words = 0;
    for (auto it = v->topicTexts().begin(); it != v->topicTexts().end(); ++it) {
        const QString& text = it.value();
        const QByteArray title = v->topics().value(it.key()).toUtf8();
        words += text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size();
        QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("&\\w"))), title.constData());
        if (it.key() == kHelpContentsTopic || v->topics().value(it.key()) == QStringLiteral("Getting started")) continue;
        QVERIFY2(text.contains(QStringLiteral("Steps")) && text.contains(QStringLiteral("Example.")), title.constData());
    }
    QVERIFY2(words >= 3500, qPrintable(QString::number(words)));
    QVERIFY(v->topics().values().contains(QStringLiteral("Getting started")));

    v->showTopic(1100);
    v->showTopic(1200);
    QTest::mouseClick(v->backButton, Qt::LeftButton);
    QCOMPARE(v->currentTopic(), 1100);
    QTest::mouseClick(v->forwardButton, Qt::LeftButton);
    QCOMPARE(v->currentTopic(), 1200);
    v->showTopic(12345);  // unknown: the contents
    QCOMPARE(v->currentTopic(), kHelpContentsTopic);

    v->searchBox->setText(QStringLiteral("katakana"));
    QTest::keyClick(v->searchBox, Qt::Key_Return);
    QCOMPARE(v->contents->count(), 1);
    QCOMPARE(v->currentTopic(), 3200);
    QCOMPARE(v->browser->textCursor().selectedText().toLower(), QStringLiteral("katakana"));
    v->search(QStringLiteral("zzzz-not-there"));
    QCOMPARE(v->contents->item(0)->text(), QStringLiteral("No topic contains \"zzzz-not-there\"."));

    // A missing help file says so instead of showing nothing.
    HelpViewer missing(QStringLiteral("/nonexistent/Lumatext7700.hlp"));
    missing.showTopic(1100);
    QCOMPARE(missing.currentTopic(), 0);
    QVERIFY(missing.browser->toPlainText().startsWith(QStringLiteral("The help file ")));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
