// The main window's Preferences, print commands and help: the Help menu entries, F1 on
// controls and menu items (their helpContext property), and the help viewer it owns.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "print/PrintJob.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmPref.h"
#include "ui/help/HelpViewer.h"
#include "ui/main/frmQuick.h"
#include "ui/print/QtPrintSurface.h"
#include "ui/widgets/LineEditor.h"

namespace lt {

namespace {

// Catches F1 in the open menus, where the window's own shortcut does not reach.
class MenuHelpFilter : public QObject {
public:
    explicit MenuHelpFilter(frmQuick* window) : QObject(window), window_(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override { return window_->helpKeyEvent(watched, event); }

private:
    frmQuick* window_;
};

} // namespace

void frmQuick::setupHelp() {
    auto* f1 = new QAction(this);
    f1->setObjectName(QStringLiteral("helpKey"));
    f1->setShortcut(QKeySequence(Qt::Key_F1));
    f1->setShortcutContext(Qt::WindowShortcut);
    addAction(f1);
    connect(f1, &QAction::triggered, this, [this] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
            helpKeyEvent(menu, &key);
            return;
        }
        showHelp(focusedHelpContext());
    });
    // The attribute buttons lead to the topics of their attributes.
    const std::pair<QWidget*, int> topics[] = {{cmdBlink, 3000}, {cmdVar, 3100},     {cmdFont, 3200},
                                               {cmdCenter, 3300}, {cmdScroll, 3400},  {cmdClrScreen, 3500},
                                               {cmdRelay, 3500},  {cmdStart, 3800},   {cmdWait, 3900},
                                               {cmdSend, 4100},   {txtEdit, kQuickEditTopic}};
    for (const auto& [widget, topic] : topics) widget->setProperty("helpContext", topic);
    auto* filter = new MenuHelpFilter(this);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) menu->installEventFilter(filter);

    connect(mnuHelpSelect[0], &QAction::triggered, this, [this] { showHelp(kHelpContentsTopic); });
    connect(mnuHelpSelect[1], &QAction::triggered, this, [this] { helpViewer()->showSearch(); });
    connect(mnuHelpSelect[2], &QAction::triggered, this, [this] { showHelp(kHowToUseHelpTopic); });
    connect(mnuHelpSelect[4], &QAction::triggered, this, [this] { showHelp(kQuickEditTopic); });
    connect(mnuHelpSelect[5], &QAction::triggered, this, [this] { showHelp(kScriptLanguageTopic); });
    connect(this, &frmQuick::aboutRequested, this, [this] {
        frmAbout about(this);
        about.exec();
    });

    connect(mnuEditPref, &QAction::triggered, this, &frmQuick::showPreferences);
    connect(mnuFile[5], &QAction::triggered, this, &frmQuick::printMessage);
    connect(mnuPrintMsgTextOnly, &QAction::triggered, this, [this] { printFile(1); });
    connect(mnuPrintCompleteScript, &QAction::triggered, this, [this] { printFile(2); });
}

HelpViewer* frmQuick::helpViewer() {
    // The help file named at start-up, else the one in the program directory.
    std::string path = s_.run.HelpFilePath;
    if (path.empty()) path = s_.run.ProgramDir + "Lumatext7700.hlp";
    if (!help_) help_ = new HelpViewer(QString::fromStdString(path), this);
    else help_->setHelpFile(QString::fromStdString(path));
    return help_;
}

void frmQuick::showHelp(int context) { helpViewer()->showTopic(context); }

int frmQuick::focusedHelpContext() const {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const int n = w->property("helpContext").toInt();
        if (n > 0) return n;
        if (w == this) break;
    }
    return s_.run.ScriptEditMode ? 4200 : kQuickEditTopic;
}

bool frmQuick::helpKeyEvent(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) return false;
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu) return false;
    int context = 0;
    if (QAction* active = menu->activeAction()) context = active->property("helpContext").toInt();
    if (context == 0) context = menu->menuAction()->property("helpContext").toInt();
    if (context == 0) context = kHelpContentsTopic;
    // Close the open menus first, so the help window comes up in front.
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    showHelp(context);
    return true;
}

void frmQuick::showPreferences() {
    frmPref dialog(s_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!s_.run.ScriptEditMode) {
        ShowEdit();
        UpdateSimulation();
    }
}

void frmQuick::printFile(int mode) {
    PrintFile(s_, mode == 2 ? PrintMode::CompleteScript : PrintMode::TextOnly, &QtPrintSurface::create);
}

void frmQuick::printMessage() { PrintMessage(s_, &QtPrintSurface::create); }

} // namespace lt
