// The menu bar: one small setup function per menu, and the refresh each menu runs
// when it opens.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>

#include "settings/ProgramMenu.h"
#include "storage/PathUtil.h"
#include "storage/SaveFile.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"

namespace lt {

namespace {

QAction* item(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& shortcut = {},
              int helpContext = 0) {
    auto* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    if (helpContext) a->setProperty("helpContext", helpContext);
    return a;
}

QAction* separator(QMenu* menu, const QString& name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(name);
    return a;
}

QMenu* topMenu(QMenuBar* bar, const QString& name, const QString& caption, int helpContext) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    m->menuAction()->setProperty("helpContext", helpContext);
    return m;
}

const char* const kBaudRates[] = {"", "300", "600", "1200", "2400", "4800", "9600", "19200", "38400"};

} // namespace

void frmQuick::setupMenus() {
    setupFileMenu();
    setupEditMenu();
    setupProgramMenu();
    setupAdvancedMenu();
    setupHelpMenu();
}

void frmQuick::setupFileMenu() {
    mnuFileBase = topMenu(menuBar(), "mnuFileBase", "&File", 1800);
    mnuFile[0] = item(mnuFileBase, "mnuFile(0)", "&New", QKeySequence("Ctrl+N"), 1800);
    mnuFile[1] = item(mnuFileBase, "mnuFile(1)", "&Open...", QKeySequence("Ctrl+O"), 1800);
    mnuFile[2] = item(mnuFileBase, "mnuFile(2)", "&Save", QKeySequence("Ctrl+S"), 1800);
    mnuFile[3] = item(mnuFileBase, "mnuFile(3)", "Save &As...", QKeySequence("Ctrl+A"), 1800);
    mnuFile[4] = separator(mnuFileBase, "mnuFile(4)");
    mnuFile[5] = item(mnuFileBase, "mnuFile(5)", "Print Current &Message...", QKeySequence("Ctrl+P"), 1800);
    mnuPrint = mnuFileBase->addMenu(QStringLiteral("&Print..."));
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    mnuFile[6] = mnuPrint->menuAction();
    mnuFile[6]->setObjectName(QStringLiteral("mnuFile(6)"));
    mnuFile[6]->setProperty("helpContext", 1800);
    mnuPrintMsgTextOnly = item(mnuPrint, "mnuPrintMsgTextOnly", "Message &Text Only");
    mnuPrintCompleteScript = item(mnuPrint, "mnuPrintCompleteScript", "Complete &Script");
    mnuFileArray[0] = separator(mnuFileBase, "mnuFileArray(0)");
    mnuFileArray[0]->setVisible(false);
    for (int k = 1; k <= 4; ++k) {
        mnuFileArray[k] = item(mnuFileBase, QStringLiteral("mnuFileArray(%1)").arg(k), QString());
        mnuFileArray[k]->setVisible(false);
        connect(mnuFileArray[k], &QAction::triggered, this, [this, k] { openRecent(k); });
    }
    mnuFileNull = separator(mnuFileBase, "mnuFileNull");
    mnuFileQuit = item(mnuFileBase, "mnuFileQuit", "E&xit", QKeySequence("Ctrl+Q"), 1800);
    connect(mnuFileBase, &QMenu::aboutToShow, this, &frmQuick::refreshFileMenu);
    connect(mnuFile[0], &QAction::triggered, this, [this] { files_.NewFile(); });
    connect(mnuFile[1], &QAction::triggered, this, [this] { files_.OpenFile(); });
    connect(mnuFile[2], &QAction::triggered, this, [this] { files_.Save(); });
    connect(mnuFile[3], &QAction::triggered, this, [this] { files_.SaveFileAs(true); });
    connect(mnuFileQuit, &QAction::triggered, this, &QWidget::close);
}

void frmQuick::setupEditMenu() {
    mnuEdit = topMenu(menuBar(), "mnuEdit", "&Edit", 1900);
    mnuEditUndo = item(mnuEdit, "mnuEditUndo", "&Undo", QKeySequence("Ctrl+Z"));
    mnuEditUndo->setEnabled(false);
    separator(mnuEdit, "mnuEditNull1");
    mnuEditCut = item(mnuEdit, "mnuEditCut", "Cu&t", QKeySequence("Ctrl+X"), 1900);
    mnuEditCopy = item(mnuEdit, "mnuEditCopy", "&Copy", QKeySequence("Ctrl+C"), 1900);
    mnuEditPaste = item(mnuEdit, "mnuEditPaste", "&Paste", QKeySequence("Ctrl+V"), 1900);
    separator(mnuEdit, "mnuEditNull4");
    mnuEditDel = item(mnuEdit, "mnuEditDel", "&Delete message", {}, 1900);
    separator(mnuEdit, "mnuEditNull5");
    mnuEditPref = item(mnuEdit, "mnuEditPref", "P&references...", {}, 1900);
    connect(mnuEdit, &QMenu::aboutToShow, this, &frmQuick::refreshEditMenu);
}

void frmQuick::setupProgramMenu() {
    mnuProgram = topMenu(menuBar(), "mnuProgram", "&Program", 2200);
    mnuEditSynt = item(mnuProgram, "mnuEditSynt", "&Syntax check", QKeySequence("Ctrl+Y"), 2200);
    mnuPrgCompile = item(mnuProgram, "mnuPrgCompile", "&Compile...", QKeySequence("Ctrl+M"), 2200);
    mnuPrgStart = item(mnuProgram, "mnuPrgStart", "&Program...", QKeySequence("Ctrl+G"), 2200);
    separator(mnuProgram, "mnuPrgNull5");
    mnuPrgVer1 = item(mnuProgram, "mnuPrgVer1", "&Version 1", {}, 2200);
    mnuPrgVer2 = item(mnuProgram, "mnuPrgVer2", "Versio&n 2", {}, 2200);
    separator(mnuProgram, "mnuPrgNull4");
    mnuPrg7740 = item(mnuProgram, "mnuPrg7740", "77&40", QKeySequence("Ctrl+F4"), 2300);
    mnuPrg7780 = item(mnuProgram, "mnuPrg7780", "77&80", QKeySequence("Ctrl+F8"), 2400);
    separator(mnuProgram, "mnuPrgNull2");
    mnuPrgAdr = item(mnuProgram, "mnuPrgAdr", "&Address", {}, 2200);
    separator(mnuProgram, "mnuPrgNull1");
    for (int p = 1; p <= 4; ++p) {
        mnuPrgCom[p] = item(mnuProgram, QStringLiteral("mnuPrgCom%1").arg(p), QStringLiteral("COM &%1").arg(p), {}, 2200);
        mnuPrgCom[p]->setCheckable(true);
        connect(mnuPrgCom[p], &QAction::triggered, this, [this, p] { chooseComPort(p); });
    }
    separator(mnuProgram, "mnuPrgNull3");
    mnuPrgBaudRate = mnuProgram->addMenu(QStringLiteral("&Baud rate"));
    mnuPrgBaudRate->setObjectName(QStringLiteral("mnuPrgBaudRate"));
    mnuPrgBaudRate->menuAction()->setObjectName(QStringLiteral("mnuPrgBaudRate"));
    mnuPrgBaudRate->menuAction()->setProperty("helpContext", 2200);
    for (int i = 1; i <= 8; ++i) {
        mnuPrgBaud[i] = item(mnuPrgBaudRate, QStringLiteral("mnuPrgBaud(%1)").arg(i), QString::fromLatin1(kBaudRates[i]),
                             {}, 2200);
        mnuPrgBaud[i]->setCheckable(true);
        connect(mnuPrgBaud[i], &QAction::triggered, this, [this, i] { chooseBaud(i); });
    }
    for (QAction* a : {mnuPrgVer1, mnuPrgVer2, mnuPrg7740, mnuPrg7780}) a->setCheckable(true);
    connect(mnuProgram, &QMenu::aboutToShow, this, &frmQuick::refreshProgramMenu);
    // Syntax check works on the script box: its key (Ctrl+Y) works there whether or not a
    // menu has been opened since the focus came.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this) mnuEditSynt->setEnabled(now == txtAdvEdit);
    });
    connect(mnuPrgVer1, &QAction::triggered, this, [this] { chooseVersion("1"); });
    connect(mnuPrgVer2, &QAction::triggered, this, [this] { chooseVersion("2"); });
    connect(mnuPrg7740, &QAction::triggered, this, [this] { chooseUnitType("7740"); });
    connect(mnuPrg7780, &QAction::triggered, this, [this] { chooseUnitType("7780"); });
    connect(mnuPrgAdr, &QAction::triggered, this, [this] { AskAddress(s_); });
}

void frmQuick::setupAdvancedMenu() {
    mnuAdvanced = topMenu(menuBar(), "mnuAdvanced", "&Advanced", 2500);
    mnuAdvCall = item(mnuAdvanced, "mnuAdvCall", "&Call up...", QKeySequence("Ctrl+L"), 2500);
    mnuAdvSend = item(mnuAdvanced, "mnuAdvSend", "&Send Message...", QKeySequence("Ctrl+D"), 2500);
    separator(mnuAdvanced, "mnuAdvNull2");
    mnuAdvReboot = item(mnuAdvanced, "mnuAdvReboot", "Re&boot", QKeySequence("Ctrl+B"), 2500);
    mnuAdvErase = item(mnuAdvanced, "mnuAdvErase", "&Erase Flash...", QKeySequence("Ctrl+E"), 2500);
    mnuAdvRead = item(mnuAdvanced, "mnuAdvRead", "&Read Flash...", QKeySequence("Ctrl+R"), 2500);
    connect(mnuAdvanced, &QMenu::aboutToShow, this, [this] {
        setStatus(QStringLiteral("Press F1 in order to get help on commands from Advanced Menu."));
    });
}

void frmQuick::setupHelpMenu() {
    mnuHelp = topMenu(menuBar(), "mnuHelp", "&Help", 2600);
    mnuHelpSelect[0] = item(mnuHelp, "mnuHelpSelect(0)", "&Contents", {}, 2600);
    mnuHelpSelect[1] = item(mnuHelp, "mnuHelpSelect(1)", "&Search for help on...", {}, 2600);
    mnuHelpSelect[2] = item(mnuHelp, "mnuHelpSelect(2)", "&How To Use Help", {}, 2600);
    mnuHelpSelect[3] = separator(mnuHelp, "mnuHelpSelect(3)");
    mnuHelpSelect[4] = item(mnuHelp, "mnuHelpSelect(4)", "&Quick Edit Help", {}, 200);
    mnuHelpSelect[5] = item(mnuHelp, "mnuHelpSelect(5)", "&7700 Scripting Language", {}, 2600);
    mnuHelpSelect[6] = separator(mnuHelp, "mnuHelpSelect(6)");
    mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", "&About Lumatext 7700 ...", {}, 2600);
    connect(mnuHelp, &QMenu::aboutToShow, this, [this] {
        setStatus(QStringLiteral("Press F1 in order to get help contents or select any item from the Help Menu."));
    });
    connect(mnuHelpAbout, &QAction::triggered, this, &frmQuick::aboutRequested);
}

bool frmQuick::contentTest() const { return !s_.index.CurrentFilePath.empty() || toolContent(); }

void frmQuick::refreshFileMenu() {
    setStatus(QStringLiteral("Press F1 in order to get help on commands from File Menu."));
    mnuFile[6]->setEnabled(contentTest());
}

void frmQuick::refreshEditMenu() {
    setStatus(QStringLiteral("Press F1 in order to get help on commands from Edit Menu."));
    mnuEditDel->setEnabled(s_.index.StoredMessageCount != 0);
    QWidget* focus = QApplication::focusWidget();
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    bool clipboardText = clip && clip->hasText();
    auto usable = [](const QString& selection) {
        return !selection.isEmpty() && selection != QStringLiteral("\r\n") && selection != QString(QChar::ParagraphSeparator);
    };
    if (focus == txtEdit) {
        bool sel = usable(txtEdit->textCursor().selectedText());
        mnuEditCopy->setEnabled(sel);
        mnuEditCut->setEnabled(sel);
        mnuEditPaste->setEnabled(clipboardText);
        mnuEditSynt->setEnabled(false);
        mnuEditUndo->setEnabled(txtEdit->canUndo());
    } else if (focus == txtAdvEdit) {
        bool sel = usable(txtAdvEdit->textCursor().selectedText());
        mnuEditCopy->setEnabled(sel);
        mnuEditCut->setEnabled(sel);
        mnuEditPaste->setEnabled(clipboardText);
        mnuEditSynt->setEnabled(true);
        mnuEditUndo->setEnabled(txtAdvEdit->document()->isUndoAvailable());
    } else {
        for (QAction* a : {mnuEditCopy, mnuEditCut, mnuEditPaste, mnuEditSynt, mnuEditUndo}) a->setEnabled(false);
    }
}

void frmQuick::refreshProgramMenu() {
    setStatus(QStringLiteral("Press F1 in order to get help on commands from Program Menu."));
    mnuPrgAdr->setText(QStringLiteral("&Address ") + QString::fromStdString(s_.settings.UnitAddress) +
                       QStringLiteral("..."));
    const Settings& st = s_.settings;
    for (int p = 1; p <= 4; ++p) mnuPrgCom[p]->setChecked(st.UnitPort == std::to_string(p));
    mnuPrg7740->setChecked(st.UnitType == "7740");
    mnuPrg7780->setChecked(st.UnitType == "7780");
    mnuPrgVer1->setChecked(st.FirmwareVersion == "1");
    mnuPrgVer2->setChecked(st.FirmwareVersion == "2");
    for (int i = 1; i <= 8; ++i) mnuPrgBaud[i]->setChecked(st.BaudRate == kBaudRates[i]);
    bool enable;
    if (s_.index.CurrentFilePath.empty()) enable = !contentTest();
    else enable = s_.fs.exists(BaseName(s_.index.CurrentFilePath) + ".bin");
    mnuPrgStart->setEnabled(enable);
    mnuEditSynt->setEnabled(QApplication::focusWidget() == txtAdvEdit);
}

void frmQuick::updateRecentMenu() {
    int n = RecentFileCount(s_.settings);
    if (n > 0) mnuFileArray[0]->setVisible(true);
    for (int k = 1; k <= 4; ++k) {
        bool used = k <= n;
        mnuFileArray[k]->setVisible(used);
        if (used) mnuFileArray[k]->setText(QString::fromStdString(s_.settings.RecentFiles[k]));
    }
}

} // namespace lt
