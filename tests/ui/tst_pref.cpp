// The Preferences dialog: its key filters, Browse, and the OK step with the placeholder
// question and the rebuild of the current message.

#include "support_dialogs.h"
#include "ui/dialogs/frmPref.h"

using namespace lt;
using namespace lt::test;

class TestPref : public QObject {
    Q_OBJECT
private slots:
    void keyFiltersAndLoad();
    void okAppliesInOrderWithThePlaceholderQuestion();
    void editMenuOpensTheDialogOverTheWindow();
};

void TestPref::editMenuOpensTheDialogOverTheWindow() {
    WindowFixture f;
    bool seen = false;
    OnNextModal([&](QWidget* modal) {
        auto* d = qobject_cast<frmPref*>(modal);
        seen = d && d->parentWidget() == f.w.get() && d->windowTitle() == QStringLiteral("Preferences");
        if (!d) return;
        d->txtStart->setText(QStringLiteral("["));
        QTest::mouseClick(d->cmdOk, Qt::LeftButton);
    });
    f.w->mnuEditPref->trigger();
    QVERIFY(seen);
    QCOMPARE(f.s.settings.StartChar, std::string("["));
    QVERIFY(f.ui.boxes.empty());
}

void TestPref::keyFiltersAndLoad() {
    MemoryFileSystem fs;
    FakeUserPort ui;
    Session s{fs, ui};
    s.settings.EditorType = "1";
    s.settings.EditorPath = "/usr/bin/vi";
    frmPref d(s);
    QVERIFY(d.optExternal->isChecked() && !d.optInternal->isChecked());
    QCOMPARE(d.txtPrompt->text(), QStringLiteral("/usr/bin/vi"));
    QCOMPARE(d.txtStart->text(), QStringLiteral("<"));
    QCOMPARE(d.txtVarChar->text(), QStringLiteral("^"));

    for (QLineEdit* box : {d.txtStart, d.txtStop, d.txtVarChar}) box->clear();
    QTest::keyClicks(d.txtStart, "aZ9.{");
    QCOMPARE(d.txtStart->text(), QStringLiteral("{"));
    QTest::keyClicks(d.txtStop, "+=,`");
    QCOMPARE(d.txtStop->text(), QStringLiteral("`"));
    QTest::keyClicks(d.txtVarChar, ".# a");
    QCOMPARE(d.txtVarChar->text(), QStringLiteral("a"));
    // Every accepted code, and only those.
    QString start, placeholder;
    for (int c = 1; c < 128; ++c) {
        if (DelimiterKeyAccepted(c)) start += QChar(c);
        if (!PlaceholderKeyAccepted(c)) placeholder += QChar(c);
    }
    QCOMPARE(start.mid(1), QStringLiteral("!\"#$%&'()*/<>@[\\]^_`{|}~"));
    QString refused;
    for (int c = 1; c <= 32; ++c)
        if (c != 8) refused += QChar(c);
    QCOMPARE(placeholder, refused + QStringLiteral("#.\x7f"));

    // Browse: title and filter; a cancelled dialog changes nothing.
    ui.files = {std::optional<std::string>("/opt/ed/ed.exe"), std::nullopt};
    QTest::mouseClick(d.cmdBrowse, Qt::LeftButton);
    QCOMPARE(d.txtPrompt->text(), QStringLiteral("/opt/ed/ed.exe"));
    QTest::mouseClick(d.cmdBrowse, Qt::LeftButton);
    QCOMPARE(d.txtPrompt->text(), QStringLiteral("/opt/ed/ed.exe"));
    QCOMPARE(ui.fileDialogs[0].title, std::string("Browse"));
    QCOMPARE(ui.fileDialogs[0].filter, std::string("Programs |*.exe;*.com;*.bat;*.pif|All files (*.*)|*.*"));
}

void TestPref::okAppliesInOrderWithThePlaceholderQuestion() {
    MemoryFileSystem fs;
    FakeUserPort ui;
    Session s{fs, ui};
    s.msg.LineRtf[1] = "\\sb90\\sa90 \\f0 \\cf0 T=\\f3 \\cf4 ^^";
    {
        frmPref d(s);
        d.optExternal->setChecked(true);
        d.txtPrompt->clear();
        d.txtStart->setText(QStringLiteral(" "));
        d.txtStop->setText(QStringLiteral("]"));
        d.txtVarChar->setText(QStringLiteral("~"));
        ui.answers = {Answer::Cancel};
        QTest::mouseClick(d.cmdOk, Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }
    QCOMPARE(ui.texts(), std::vector<std::string>{"Current variable placeholder ^ will be replaced with the new "
                                                  "one ~ only in places which have variable attribute assigned "
                                                  "already, i.e. appeared in red color."});
    QCOMPARE(ui.boxes[0].buttons, Buttons::OkCancel);
    QCOMPARE(ui.boxes[0].icon, Icon::Information);
    QCOMPARE((std::vector<std::string>{s.settings.VarChar, s.settings.EditorType, s.run.PreviousEditorType,
                                       s.settings.EditorPath, s.settings.StartChar, s.settings.StopChar}),
             (std::vector<std::string>{"^", "1", "1", "", "<", "]"}));

    // OK: the placeholder changes and the fields already marked take it.
    ui.clear();
    ui.answers = {Answer::Ok};
    ApplyPreferences(s, {false, "", "", "", "~"});
    QCOMPARE(s.settings.VarChar + "|" + s.settings.EditorType + "|" + s.settings.StopChar,
             std::string("~||>"));
    QCOMPARE(s.msg.LineRtf[1], std::string("\\sb90\\sa90 \\f0 \\cf0 T=\\f3 \\cf4 ~~"));
    // The same character again asks nothing; an empty box goes back to "^" without asking.
    ApplyPreferences(s, {false, "", "", "", "~"});
    ApplyPreferences(s, {false, "", "", "", ""});
    QCOMPARE(ui.boxes.size(), size_t(1));
    QCOMPARE(s.settings.VarChar, std::string("^"));
    QVERIFY(s.msg.LineRtf[1].find("^^") != std::string::npos);
}

QTEST_MAIN(TestPref)
#include "tst_pref.moc"
