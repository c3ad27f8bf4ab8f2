#include "ui/dialogs/frmPref.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "ui/help/HelpViewer.h"

namespace lt {

bool DelimiterKeyAccepted(int code) {
    return code == 8 || (code >= 33 && code <= 42) || code == 47 || code == 60 || code == 62 || code == 64 ||
           (code >= 91 && code <= 96) || (code >= 123 && code <= 126);
}

bool PlaceholderKeyAccepted(int code) {
    return code == 8 || (code >= 33 && code <= 126 && code != 46 && code != 35);
}

namespace {
bool EmptyOrBlank(const std::string& t) { return t.empty() || t == " "; }

void Rebuild(Session& s) {
    if (s.run.ScriptEditMode) return;
    SubMake(s);
    ReadFields(s);
}
} // namespace

void ApplyPreferences(Session& s, const PrefValues& v) {
    s.settings.EditorType = v.external ? "1" : "";
    s.run.PreviousEditorType = s.settings.EditorType;
    s.settings.EditorPath = v.editorPath;
    s.settings.StartChar = EmptyOrBlank(v.start) ? "<" : v.start;
    s.settings.StopChar = EmptyOrBlank(v.stop) ? ">" : v.stop;
    const std::string& t = v.varChar;
    if (EmptyOrBlank(t)) {
        if (s.settings.VarChar != "^") {
            s.settings.VarChar = "^";
            Rebuild(s);
        }
    } else if (t != s.settings.VarChar) {
        Answer a = s.ui.messageBox(Box("Current variable placeholder " + s.settings.VarChar +
                                           " will be replaced with the new one " + t +
                                           " only in places which have variable attribute assigned already, i.e. "
                                           "appeared in red color.",
                                       Buttons::OkCancel, Icon::Information));
        if (a == Answer::Ok) {
            s.settings.VarChar = t;
            Rebuild(s);
        }
    }
}

frmPref::frmPref(Session& session, QWidget* parent) : QDialog(parent), s_(session) {
    setObjectName(QStringLiteral("frmPref"));
    setWindowTitle(QStringLiteral("Preferences"));
    auto named = [](auto* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    auto* editorFrame = new QGroupBox(QStringLiteral("Script Editor"), this);
    optInternal = named(new QRadioButton(QStringLiteral("Internal"), editorFrame), "optInternal");
    optExternal = named(new QRadioButton(QStringLiteral("External"), editorFrame), "optExternal");
    txtPrompt = named(new QLineEdit(editorFrame), "txtPrompt");
    cmdBrowse = named(new QPushButton(QStringLiteral("&Browse"), editorFrame), "cmdBrowse");
    auto* editorLayout = new QGridLayout(editorFrame);
    editorLayout->addWidget(optInternal, 0, 0);
    editorLayout->addWidget(optExternal, 1, 0);
    editorLayout->addWidget(txtPrompt, 1, 1);
    editorLayout->addWidget(cmdBrowse, 1, 2);
    editorLayout->setColumnStretch(1, 1);

    txtVarChar = named(new QLineEdit(this), "txtVarChar");
    auto* delimiterFrame = new QGroupBox(QStringLiteral("Control Code Delimiters"), this);
    txtStart = named(new QLineEdit(delimiterFrame), "txtStart");
    txtStop = named(new QLineEdit(delimiterFrame), "txtStop");
    auto* delimiterLayout = new QHBoxLayout(delimiterFrame);
    delimiterLayout->addWidget(new QLabel(QStringLiteral("Start"), delimiterFrame));
    delimiterLayout->addWidget(txtStart);
    delimiterLayout->addWidget(new QLabel(QStringLiteral("Stop"), delimiterFrame));
    delimiterLayout->addWidget(txtStop);
    for (QLineEdit* box : {txtVarChar, txtStart, txtStop}) {
        box->setFixedWidth(40);
        box->installEventFilter(this);
    }

    cmdOk = named(new QPushButton(QStringLiteral("&OK"), this), "cmdOk");
    cmdCancel = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    cmdHelp = named(new QPushButton(QStringLiteral("&Help"), this), "cmdHelp");
    cmdOk->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {cmdOk, cmdCancel, cmdHelp}) buttons->addWidget(b);

    auto* placeholder = new QHBoxLayout;
    placeholder->addWidget(new QLabel(QStringLiteral("Variable placeholder character"), this));
    placeholder->addWidget(txtVarChar);
    placeholder->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(editorFrame);
    layout->addLayout(placeholder);
    layout->addWidget(delimiterFrame);
    layout->addLayout(buttons);

    (s_.settings.EditorType.empty() ? optInternal : optExternal)->setChecked(true);
    txtPrompt->setText(QString::fromStdString(s_.settings.EditorPath));
    txtStart->setText(QString::fromStdString(s_.settings.StartChar));
    txtStop->setText(QString::fromStdString(s_.settings.StopChar));
    txtVarChar->setText(QString::fromStdString(s_.settings.VarChar));
    // One character each; a longer value from the settings file is kept as it is.
    for (QLineEdit* box : {txtVarChar, txtStart, txtStop}) box->setMaxLength(qMax(1, int(box->text().size())));

    connect(cmdBrowse, &QPushButton::clicked, this, &frmPref::browse);
    connect(cmdOk, &QPushButton::clicked, this, &frmPref::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, kPrefHelpContext); });
    setProperty("helpContext", kPrefHelpContext);
    if (parent) move(parent->geometry().center() - rect().center());
}

PrefValues frmPref::values() const {
    PrefValues v;
    v.external = optExternal->isChecked();
    v.editorPath = txtPrompt->text().toStdString();
    v.start = txtStart->text().toStdString();
    v.stop = txtStop->text().toStdString();
    v.varChar = txtVarChar->text().toStdString();
    return v;
}

bool frmPref::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !(watched == txtStart || watched == txtStop || watched == txtVarChar))
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape ||
        key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        return false;
    const QString text = key->text();
    if (text.isEmpty() || (key->modifiers() & Qt::ControlModifier)) return false;
    const int code = key->key() == Qt::Key_Backspace ? 8 : text.at(0).unicode();
    const bool accepted = watched == txtVarChar ? PlaceholderKeyAccepted(code) : DelimiterKeyAccepted(code);
    return !accepted;
}

void frmPref::browse() {
    FileDialog d;
    d.title = "Browse";
    d.filter = "Programs |*.exe;*.com;*.bat;*.pif|All files (*.*)|*.*";
    if (auto path = s_.ui.chooseOpenFile(d)) txtPrompt->setText(QString::fromStdString(*path));
}

void frmPref::ok() {
    ApplyPreferences(s_, values());
    accept();
}

} // namespace lt
