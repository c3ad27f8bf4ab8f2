// The main window: Quick Edit (one line of the current message at a time, with the
// attribute buttons and the simulation display) and Script Edit (the raw block).
// Split by concern over several .cpp files: controls and layout (frmQuick.cpp), menus
// (QuickMenus.cpp), status texts (QuickStatus.cpp), navigation (QuickNavigation.cpp),
// file and program commands (QuickCommands.cpp), refreshes (QuickRefresh.cpp).
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>

#include "Session.h"
#include "quickedit/Simulation.h"
#include "storage/FileCommands.h"
#include "toolchain/ProcessRunner.h"
#include "ui/help/HelpViewer.h"
#include "ui/widgets/StepScrollBar.h"

class QAction;
class QKeyEvent;
class QEvent;
class QFrame;
class QKeyEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QShortcut;
class QTimer;

namespace lt {

// The highest character code the unit shows; the script holds nothing above it.
inline constexpr int kLastUnitCharacter = 126;
// "The unit cannot show é: ..." for characters a line does not take.
QString RefusedCharactersText(const QString& characters);
// The characters of text a line takes: control characters and characters above the unit's
// range are removed; the latter are added to *refused.
QString UnitCharacters(const QString& text, QString* refused);

class LineEditor;
class ScriptHighlighter;
class SimulationDisplay;
class QtProcessRunner;
struct ToolContext;
struct DialogContext;

class frmQuick : public QMainWindow, public FileCommandsView, public HelpHost {
    Q_OBJECT
public:
    explicit frmQuick(Session& session, QWidget* parent = nullptr);
    // The help viewer, made on first use.
    HelpViewer* helpViewer() override;
    ~frmQuick() override;

    Session& session() { return s_; }

    // What the window does around the file commands.
    void setTitle(const std::string& title) override;
    void showNavigation() override;
    void showMessage() override;
    void showReadBack() override;
    void updateRecentMenu() override;
    void applyUnitType() override;
    FileCommands& files() { return files_; }
    SimulationModel& simulation() { return sim_; }
    int currentLine() const { return currentLine_; }
    ToolContext& tools() { return *tools_; }

    // Moves to another message in the fixed order: build, store, fetch, read, refresh.
    void changeMessage(int n);
    bool changingMessage() const { return changingMessage_; }
    // The edit controls for the current line (captions, enabled states, txtEdit).
    void ShowEdit();
    void UpdateSimulation();
    // The display timers' ticks: Timer1 scrolls, Timer2 blinks.
    void onTimer1();
    void onTimer2();
    // txtEdit's content becomes LineRtf of the current line.
    void writeBackLine();
    // Status-bar help text of a control (empty for controls without one).
    QString statusTextFor(QObject* control) const;
    // The help text of a watched control (or text box viewport) for a point in it: what the
    // status bar shows on a mouse move there, and the control's tooltip.
    QString helpTextAt(QObject* watched, QPoint pos) const;
    void setStatus(const QString& text);

    // Controls, named as the product names them (also their objectName).
    QWidget* pnlQuick = nullptr;
    QPushButton* cmdAdvEdit = nullptr;
    QLineEdit* txtMsg = nullptr;
    StepScrollBar* vsbMsg = nullptr;
    QLabel* Label2 = nullptr;
    QScrollBar* vsbTask = nullptr;
    QLineEdit* txtTask = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblLine = nullptr;
    QScrollBar* vsbLine = nullptr;
    QLineEdit* txtLine = nullptr;
    LineEditor* txtEdit = nullptr;
    QGroupBox* SSFrame1 = nullptr;
    QPushButton* cmdBlink = nullptr;
    QPushButton* cmdVar = nullptr;
    QLabel* lblAttribute = nullptr;
    QPushButton* cmdFont = nullptr;
    QPushButton* cmdCenter = nullptr;
    QPushButton* cmdScroll = nullptr;
    QGroupBox* Frame3D4 = nullptr;
    QPushButton* cmdClrScreen = nullptr;
    QPushButton* cmdRelay = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdWait = nullptr;
    QPushButton* cmdSend = nullptr;
    SimulationDisplay* frameDisplay = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* lblStatBar = nullptr;
    QPlainTextEdit* txtAdvEdit = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // Menus and their items.
    QMenu* mnuFileBase = nullptr;
    std::array<QAction*, 7> mnuFile{};
    QMenu* mnuPrint = nullptr;
    QAction* mnuPrintMsgTextOnly = nullptr;
    QAction* mnuPrintCompleteScript = nullptr;
    std::array<QAction*, 5> mnuFileArray{};
    QAction* mnuFileNull = nullptr;
    QAction* mnuFileQuit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditCut = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditPaste = nullptr;
    QAction* mnuEditDel = nullptr;
    QAction* mnuEditPref = nullptr;
    QMenu* mnuProgram = nullptr;
    QAction* mnuEditSynt = nullptr;
    QAction* mnuPrgCompile = nullptr;
    QAction* mnuPrgStart = nullptr;
    QAction* mnuPrgVer1 = nullptr;
    QAction* mnuPrgVer2 = nullptr;
    QAction* mnuPrg7740 = nullptr;
    QAction* mnuPrg7780 = nullptr;
    QAction* mnuPrgAdr = nullptr;
    std::array<QAction*, 5> mnuPrgCom{};
    QMenu* mnuPrgBaudRate = nullptr;
    std::array<QAction*, 9> mnuPrgBaud{};
    QMenu* mnuAdvanced = nullptr;
    QAction* mnuAdvCall = nullptr;
    QAction* mnuAdvSend = nullptr;
    QAction* mnuAdvReboot = nullptr;
    QAction* mnuAdvErase = nullptr;
    QAction* mnuAdvRead = nullptr;
    QMenu* mnuHelp = nullptr;
    std::array<QAction*, 7> mnuHelpSelect{};
    QAction* mnuHelpAbout = nullptr;

    // Set while the program itself writes into the number boxes, scroll bars or the
    // Script Edit box, whose change handlers then do nothing.
    bool SuppressEvents = false;

signals:
    // The window's About box is wanted (Help menu).
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (frmQuick.cpp).
    void createControls();
    void layoutControls();
    void connectControls();
    // Menus (QuickMenus.cpp).
    void setupMenus();
    void setupFileMenu();
    void setupEditMenu();
    void setupProgramMenu();
    void setupAdvancedMenu();
    void setupHelpMenu();
    void refreshFileMenu();
    void refreshEditMenu();
    void refreshProgramMenu();
    bool contentTest() const;
    // Status texts (QuickStatus.cpp).
    void installStatusHelp();
    // True when a key is a menu command's shortcut that a text box must not take for itself.
    bool windowShortcutWins(const QKeyEvent* key) const;
    // Navigation (QuickNavigation.cpp).
    void onMsgChanged();
    void onMsgScroll(int value);
    void changeMessageNow(int n);
    bool changingMessage_ = false;
    void onMsgReturn();
    bool validateMsg();
    void onLineText();
    void onLineScroll(int value);
    bool validateLine();
    void onTaskText();
    void onTaskScroll(int value);
    bool validateTask();
    void focusEditor();
    void clearSyntaxErrors();
public:
    // Makes another line current and refreshes the edit controls for it.
    void setLine(int line);
private:
    // Commands (QuickCommands.cpp).
    void chooseUnitType(const std::string& type);
    void chooseVersion(const std::string& version);
    void chooseComPort(int port);
    void chooseBaud(int index);
    void openRecent(int k);
    // Refreshes (QuickRefresh.cpp).
    void showRows();
    void onDisplayRowClicked(int row);

    // Typing in txtEdit (QuickTyping.cpp).
    enum class LineKind { Plain, Continuous, Block };
    LineKind lineKind() const;
    bool messageScrolls() const;
    void setupTyping();
    void refreshPosition();
    // cmdCenter and CenterMode from the alignment of the paragraph at the cursor.
    void refreshCenterCaption();
    bool editorEvent(QEvent* event);
    bool keyPressDropped(QKeyEvent* event);
    bool keyDownHandled(QKeyEvent* event);
    void keyReleased(QKeyEvent* event);
    bool keyPending_ = false;
    QString refusedStatus_;  // why the last key was not taken, kept past its key-up
    // The Edit menu (QuickEditMenu.cpp).
    void setupEditCommands();
    void pasteIntoLine();
    // Text entering the line from the clipboard, the selection or a drop: the line's
    // length rules, then the write-back as after a key.
    void pasteText(const QString& text);
    void deleteMessage();
    // Attribute buttons (QuickButtons.cpp).
    void setupButtons();
    DialogContext dialogContext();
    template <class Dialog>
    void openDialog(const char* module);
    void onBlinkClicked();
public:
    // The long-message dialog for the current line, then the refreshes.
    void openLongMessageDialog();
    // A plain line stays one paragraph of at most 20 characters; a block line's blocks
    // hold at most 20 each.
    void normaliseLine();
    void splitLongBlocks();
public:
    // ---- Script Edit, external editor, Preferences, printing, help -------------------
    // (QuickScriptEdit.cpp: the Script Edit switch, txtAdvEdit's keys, the external
    //  editor; QuickHelp.cpp: Preferences, the print commands, help and F1.)
    // cmdAdvEdit: switches inside the window, or runs the chosen external editor.
    void cmdAdvEditClick();
    void switchScriptEdit();
    void runExternalEditor();
    // The runner that starts the external editor (a QProcess runner unless replaced).
    void setEditorRunner(std::unique_ptr<ProcessRunner> runner);
    void showPreferences();
    void printFile(int mode);
    void printMessage();
    // Opens the help viewer at the topic of a help context number.
    void showHelp(int context);
    bool scriptEditEvent(QEvent* event);
    bool helpKeyEvent(QObject* watched, QEvent* event);
    void setupScriptEdit();
    void setupHelp();
    void showScriptView();
    void showQuickView();
    void advEditChanged();
    void setAdvText(const std::string& text);
    // cmdAdvEdit's caption; Alt+G presses the button whatever its caption's access key.
    void setAdvEditCaption(const QString& caption);
    QShortcut* altG_ = nullptr;
    void stepSyntaxError(bool forward);
    // Selects line `line` (from 1; the last line when there are fewer) of the script box.
    void selectScriptLine(int line);
    // Where an error leads: message `message` in Script Edit with its line `line` selected.
    void showScriptLine(int message, int line);
    bool scriptEditKeyPress(QKeyEvent* key);
    void scriptEditKeyRelease(QKeyEvent* key);
    int focusedHelpContext() const;
    std::unique_ptr<ProcessRunner> editorRunner_;
    HelpViewer* help_ = nullptr;
    bool scriptFontSet_ = false; // txtAdvEdit's font, set when Script Edit first shows
    ScriptHighlighter* highlighter_ = nullptr;
    QString pendingCode_;          // digits typed on the keypad with Alt held
    int keyCounter_ = 1;
    bool keepStepStatus_ = false;  // the error text of Ctrl+Plus/Minus stays on key-up
    std::array<int, 3> savedFocus_{-1, -1, -1};  // Tab-order policies kept while in Script Edit
    // ---- end of Script Edit block ------------------------------------------------------
private:
    // The external tools (QuickTools.cpp).
    void setupTools();
    bool toolContent() const;
    std::unique_ptr<QtProcessRunner> runner_;
    std::unique_ptr<ToolContext> tools_;

    Session& s_;
    FileCommands files_;
    SimulationModel sim_;
    int currentLine_ = 1;
};

} // namespace lt
