// Script Edit: the raw block of the current message in txtAdvEdit instead of the Quick
// Edit controls, the special keys of that box (Alt + keypad character codes, stepping
// through the syntax errors, message changes), and the external script editor.
#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTextBlock>

#include "common/NumberText.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "storage/EditorTempFile.h"
#include "storage/PathUtil.h"
#include "storage/ScriptFile.h"
#include "ui/main/frmQuick.h"
#include "ui/toolchain/QtProcessRunner.h"
#include "ui/widgets/LineEditor.h"
#include "ui/widgets/ScriptHighlighter.h"

namespace lt {

namespace {

// Passes txtAdvEdit's key events to the window; installed after the status-help filter,
// so it sees them first.
class ScriptEditFilter : public QObject {
public:
    explicit ScriptEditFilter(frmQuick* window) : QObject(window), window_(window) {}
    bool eventFilter(QObject*, QEvent* event) override { return window_->scriptEditEvent(event); }

private:
    frmQuick* window_;
};

// The script box shows line feeds; the block keeps CR LF line ends.
QString ToView(const std::string& block) {
    QString text = QString::fromLatin1(block.data(), static_cast<qsizetype>(block.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string FromView(const QString& text) {
    QByteArray bytes = text.toLatin1();
    bytes.replace("\n", "\r\n");
    return bytes.toStdString();
}

// The digit of a keypad key, with Num Lock on or off; -1 for any other key.
int KeypadDigit(const QKeyEvent* key) {
    if (!(key->modifiers() & Qt::KeypadModifier)) return -1;
    const int k = key->key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return k - Qt::Key_0;
    switch (k) {
    case Qt::Key_Insert: return 0;
    case Qt::Key_End: return 1;
    case Qt::Key_Down: return 2;
    case Qt::Key_PageDown: return 3;
    case Qt::Key_Left: return 4;
    case Qt::Key_Clear: return 5;
    case Qt::Key_Right: return 6;
    case Qt::Key_Home: return 7;
    case Qt::Key_Up: return 8;
    case Qt::Key_PageUp: return 9;
    default: return -1;
    }
}

QString LengthStatus(size_t length, bool focus) {
    return QStringLiteral("Total length of this script is ") + QString::fromStdString(Str(static_cast<long long>(length))) +
           (focus ? QStringLiteral(" bytes. Max. possible  30000 bytes.")
                  : QStringLiteral(" bytes. Max. possible 30000 bytes."));
}

} // namespace

void frmQuick::setupScriptEdit() {
    editorRunner_ = std::make_unique<QtProcessRunner>();
    highlighter_ = new ScriptHighlighter(txtAdvEdit->document());
    txtAdvEdit->installEventFilter(new ScriptEditFilter(this));
    connect(txtAdvEdit, &QPlainTextEdit::textChanged, this, &frmQuick::advEditChanged);
    connect(cmdAdvEdit, &QPushButton::clicked, this, &frmQuick::cmdAdvEditClick);
    // "&Script Edit Only" has no G of its own; this key stands in for it.
    altG_ = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_G), this);
    altG_->setEnabled(false);
    connect(altG_, &QShortcut::activated, cmdAdvEdit, &QPushButton::click);
    setupHelp();
}

void frmQuick::setEditorRunner(std::unique_ptr<ProcessRunner> runner) { editorRunner_ = std::move(runner); }

void frmQuick::cmdAdvEditClick() {
    if (s_.settings.EditorType.empty()) switchScriptEdit();
    else runExternalEditor();
}

void frmQuick::setAdvText(const std::string& text) {
    const bool old = SuppressEvents;
    SuppressEvents = true;
    txtAdvEdit->setPlainText(ToView(text));
    SuppressEvents = old;
}

void frmQuick::setAdvEditCaption(const QString& caption) {
    cmdAdvEdit->setText(caption);
    altG_->setEnabled(!caption.contains(QLatin1String("&G")));
}

void frmQuick::advEditChanged() {
    if (SuppressEvents) return;
    s_.msg.BlockText = FromView(txtAdvEdit->toPlainText());
}

void frmQuick::showScriptView() {
    if (!scriptFontSet_) {
        // Chosen here rather than at start-up, which then need not load a third font size.
        QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        mono.setPointSize(11);
        txtAdvEdit->setFont(mono);
        // One tab stop every 16 dialog units (4 average characters).
        txtAdvEdit->setTabStopDistance(QFontMetricsF(mono).averageCharWidth() * 4);
        scriptFontSet_ = true;
    }
    if (!s_.msg.ScriptOnly) setAdvEditCaption(QStringLiteral("&Go to Quick Edit"));
    // Out of the Tab order, so that Tab types a tab character into the script.
    const std::array<QWidget*, 3> skipped = {txtMsg, vsbMsg, cmdAdvEdit};
    for (size_t i = 0; i < skipped.size(); ++i) {
        if (savedFocus_[i] < 0) savedFocus_[i] = skipped[i]->focusPolicy();
        skipped[i]->setFocusPolicy(Qt::ClickFocus);
    }
    Line1->setVisible(false);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdBlink, cmdVar, cmdFont, cmdCenter, cmdScroll, cmdClrScreen,
                                                      cmdRelay, cmdStart, cmdWait, cmdSend, vsbLine, txtLine, vsbTask,
                                                      txtTask, txtEdit})
        w->setEnabled(false);
    txtEdit->setVisible(false);
    pnlQuick->setVisible(false);
    txtAdvEdit->setEnabled(true);
    txtAdvEdit->setVisible(true);
}

void frmQuick::showQuickView() {
    txtAdvEdit->setEnabled(false);
    txtAdvEdit->setVisible(false);
    const std::array<QWidget*, 3> skipped = {txtMsg, vsbMsg, cmdAdvEdit};
    for (size_t i = 0; i < skipped.size(); ++i) {
        if (savedFocus_[i] >= 0) skipped[i]->setFocusPolicy(static_cast<Qt::FocusPolicy>(savedFocus_[i]));
        savedFocus_[i] = -1;
    }
    pnlQuick->setVisible(true);
    txtEdit->setVisible(true);
    Line1->setVisible(true);
}

void frmQuick::switchScriptEdit() {
    s_.ui.setBusy(true);
    s_.run.ScriptEditMode = !s_.run.ScriptEditMode;
    if (s_.run.ScriptEditMode) {
        showScriptView();
        SubMake(s_);
        if (s_.msg.BlockText.empty()) s_.msg.BlockText = EmptyBlock(s_);
        setAdvText(s_.msg.BlockText);
        if (txtAdvEdit->isEnabled() && txtAdvEdit->isVisibleTo(this)) txtAdvEdit->setFocus();
    } else {
        ReadFields(s_);
        showQuickView();
        if (currentLine_ > s_.msg.LineCount) currentLine_ = 1;
        setLine(currentLine_);
        UpdateSimulation();
        focusEditor();
    }
    s_.ui.setBusy(false);
    setStatus(QString());
}

void frmQuick::runExternalEditor() {
    if (s_.run.ScriptEditMode && txtAdvEdit->isVisibleTo(this)) {
        setAdvEditCaption(QStringLiteral("&Go to Script Edit"));
        showQuickView();
    } else {
        s_.run.ScriptEditMode = true;
        SubMake(s_);
    }
    setEnabled(false);
    // However the editor run ends, the window comes back to Quick Edit with the block read.
    auto finish = [this] {
        setEnabled(true);
        s_.run.ScriptEditMode = false;
        ReadFields(s_);
        if (currentLine_ > s_.msg.LineCount) currentLine_ = 1;
        setLine(currentLine_);
        UpdateSimulation();
        focusEditor();
    };
    if (s_.msg.BlockText.empty()) s_.msg.BlockText = EmptyBlock(s_);
    const std::string& current = s_.index.CurrentFilePath;
    // "Sub.src" never takes the place of a file of the person's; where both usual places
    // hold one, a fresh directory of this run's own takes it.
    std::string path = EditorTempFilePath(s_.fs, current, s_.run.ProgramDir);
    std::unique_ptr<QTemporaryDir> freshDir;
    if (path.empty()) {
        freshDir = std::make_unique<QTemporaryDir>();
        path = WithTrailingSeparator(freshDir->path().toStdString()) + kEditorTempName;
    }
    bool unsaved = false;
    for (int i = 0; i < kMessageCount && !unsaved; ++i) unsaved = s_.index.MessageState[i] == 2;
    if (!current.empty() && unsaved &&
        s_.ui.messageBox(Box("Would you like to save the current changes before launching the external editor?",
                             Buttons::YesNo, Icon::Exclamation)) == Answer::Yes)
        files_.Save();

    bool written = false;
    if (auto out = s_.fs.openWrite(path, false)) written = out->write(s_.msg.BlockText + "\r\n") && out->close();
    if (!written) {
        s_.fs.remove(path);
        s_.ui.messageBox(Box("Can't create temporary source file " + path +
                             ". Please chek your working directory setings."));
        finish();
        return;
    }

    ProcessResult run = editorRunner_->run(s_.settings.EditorPath, {path}, [this] { repaint(); });
    std::string text;
    bool read = false;
    if (run.started) {
        if (auto in = s_.fs.openRead(path)) {
            read = true;
            char buffer[65536];
            for (int64_t n; (n = in->read(buffer, sizeof buffer)) != 0;) {
                if (n < 0) {
                    read = false;
                    break;
                }
                text.append(buffer, static_cast<size_t>(n));
            }
        }
    }
    s_.fs.remove(path);
    if (!read) {
        s_.ui.messageBox(Box("Can't read temporary source file " + path +
                             ". Please chek your External Script Editor setings."));
        finish();
        return;
    }
    s_.msg.BlockText = text;
    finish();
}

bool frmQuick::scriptEditEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn: keyCounter_ = 1; return false;
    case QEvent::KeyPress: return scriptEditKeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: scriptEditKeyRelease(static_cast<QKeyEvent*>(event)); return false;
    default: return false;
    }
}

void frmQuick::stepSyntaxError(bool forward) {
    ErrorStep step = forward ? NextSyntaxError(s_.tools) : PreviousSyntaxError(s_.tools);
    if (step.hasError) {
        QTextDocument* doc = txtAdvEdit->document();
        QTextBlock block = doc->findBlockByNumber(step.scriptLine - 1);
        if (!block.isValid()) block = doc->lastBlock();
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        txtAdvEdit->setTextCursor(cursor);
    }
    if (step.hasError || !step.status.empty()) {
        setStatus(QString::fromStdString(step.status));
        keepStepStatus_ = true;
    }
}

bool frmQuick::scriptEditKeyPress(QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers();
    const bool alt = mods & Qt::AltModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const int k = key->key();
    keepStepStatus_ = false;
    if (alt && !ctrl) {
        const int digit = KeypadDigit(key);
        if (digit >= 0) {
            pendingCode_ += QChar('0' + digit);
            return true;
        }
    }
    if (ctrl && (k == Qt::Key_Plus || k == Qt::Key_Equal)) {
        stepSyntaxError(true);
        return true;
    }
    if (ctrl && (k == Qt::Key_Minus || k == Qt::Key_Underscore)) {
        stepSyntaxError(false);
        return true;
    }
    if (ctrl && k == Qt::Key_Up) {
        if (vsbMsg->value() < 1023) vsbMsg->setValue(vsbMsg->value() + 1);
        return true;
    }
    if (ctrl && k == Qt::Key_Down) {
        if (vsbMsg->value() >= 1) vsbMsg->setValue(vsbMsg->value() - 1);
        return true;
    }
    // The character phase of the key.
    const QString text = key->text();
    if (!text.isEmpty() && !ctrl) {
        keyCounter_ = keyCounter_ >= 10 ? 2 : keyCounter_ + 1;
        if (alt || keyCounter_ <= 1) return true;
    }
    return false;
}

void frmQuick::scriptEditKeyRelease(QKeyEvent* key) {
    if (key->isAutoRepeat()) return;
    if (key->key() == Qt::Key_Alt || key->key() == Qt::Key_AltGr) {
        if (!pendingCode_.isEmpty()) {
            bool ok = false;
            const int code = pendingCode_.toInt(&ok);
            if (ok && code >= 1 && code <= 255) txtAdvEdit->insertPlainText(QString(QChar(code)));
            // This platform produces no character of its own after an Alt code, so the
            // next typed character counts as an ordinary one.
            keyCounter_ = 1;
        }
        pendingCode_.clear();
    }
    if (keepStepStatus_) return;
    setStatus(LengthStatus(s_.msg.BlockText.size(), false));
}

} // namespace lt
