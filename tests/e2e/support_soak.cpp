#include "support_soak.h"

#include <QtWidgets>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>

#include "../ui/support_window.h"
#include "quickedit/RichText.h"
#include "settings/ProgramMenu.h"
#include "storage/FileCommands.h"
#include "storage/LineReader.h"
#include "storage/PathUtil.h"
#include "storage/WorkStore.h"
#include "support_invariant.h"

namespace lt::soak {

namespace {

const char* const kOpNames[] = {"Type", "Key", "Shortcut", "Click", "Hover", "Menu", "Paste", "Drop",
                                "MsgNumber", "LineNumber", "TaskNumber", "HandEdit", "New", "Save", "SaveAs", "Open"};

struct KeyDef {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
};
constexpr auto kShift = Qt::ShiftModifier;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kAlt = Qt::AltModifier;
const KeyDef kKeys[] = {
    {"Delete", Qt::Key_Delete, {}},   {"Backspace", Qt::Key_Backspace, {}}, {"Home", Qt::Key_Home, {}},
    {"End", Qt::Key_End, {}},         {"Left", Qt::Key_Left, {}},           {"Right", Qt::Key_Right, {}},
    {"Up", Qt::Key_Up, {}},           {"Down", Qt::Key_Down, {}},           {"PageUp", Qt::Key_PageUp, {}},
    {"PageDown", Qt::Key_PageDown, {}}, {"Enter", Qt::Key_Return, {}},      {"Tab", Qt::Key_Tab, {}},
    {"Shift+Left", Qt::Key_Left, kShift}, {"Shift+Right", Qt::Key_Right, kShift},
    {"Shift+Home", Qt::Key_Home, kShift}, {"Escape", Qt::Key_Escape, {}},
    {"Ctrl+Up", Qt::Key_Up, kCtrl},   {"Ctrl+Down", Qt::Key_Down, kCtrl},   {"Ctrl+Plus", Qt::Key_Plus, kCtrl},
    {"Ctrl+Minus", Qt::Key_Minus, kCtrl}};
// The keys that change text; the others only move about, which a script may receive without harm.
const std::set<std::string> kEditingKeys = {"Delete", "Backspace", "Enter", "Tab"};
// Command keys, pressed as the key sequences they name.
const char* const kShortcuts[] = {"Ctrl+X", "Ctrl+C", "Ctrl+Z", "Ctrl+Y", "Ctrl+P", "Alt+B", "Alt+V", "Alt+O",
                                  "Alt+X",  "Alt+Z",  "Alt+N",  "Alt+R",  "Alt+S",  "Alt+C", "Alt+D", "Alt+G"};
const char* const kControls[] = {"cmdAdvEdit", "txtMsg",    "vsbMsg",       "Label2",        "vsbTask",
                                 "txtTask",    "Label1",    "lblLine",      "vsbLine",       "txtLine",
                                 "txtEdit",    "cmdBlink",  "cmdVar",       "lblAttribute",  "cmdFont",
                                 "cmdCenter",  "cmdScroll", "cmdClrScreen", "cmdRelay",      "cmdStart",
                                 "cmdWait",    "cmdSend",   "lblDisplay(1)", "lblDisplay(2)", "lblDisplay(3)",
                                 "lblDisplay(4)", "Label4", "txtAdvEdit"};
const int kControlCount = static_cast<int>(std::size(kControls));
const char* const kMenus[] = {"File", "Edit", "Program", "Advanced", "Help"};  // opened by Alt and their first letter
const char* const kFiles[] = {"soak0.src", "soak1.src", "soak2.src"};
const char* const kLeftovers[] = {"TMP$$$.TMP", "TMP1$$.TMP", "TMPFLN.TMP", "TST&&&.TMP", "TST$$$.TST"};
const char* const kSaveQuestion = "Do you want to save the changes?";
const char* const kPasteTooLong =
    "The text to be pasted is too long to fit in 20 characters line. You may want to create a continuous "
    "scrolling message.";
const char* const kScrollTooLong = "You cant have more than 155 characters on continuous scrolling line";

// Boxes that answer what a person typed or chose; anything else is a fault.
bool allowedBox(const std::string& t) {
    static const std::set<std::string> exact = {
        "You have already a scrolling line. If you want to create another on the same screen search help on Scroll.",
        kPasteTooLong, kScrollTooLong,
        "This text is too long to fit in 20 characters block. You may want to create a another block.",
        "There is no text to be blinked.",
        "You have to enter positive decimal value in Play message times box or choose Play until next message option."};
    auto starts = [&](const char* p) { return t.rfind(p, 0) == 0; };
    auto ends = [&](const std::string& e) { return t.size() >= e.size() && t.compare(t.size() - e.size(), e.size(), e) == 0; };
    auto has = [&](const char* p) { return t.find(p) != std::string::npos; };
    return exact.count(t) || starts("Character combination #") || starts("No variable place holder character ") ||
           ends(" is the current message. You cannot call the current message.") ||
           ends(" is smaller than the minimum message number 0.") ||
           ends(" is bigger than the maximum message number 1023.") ||
           (starts("You cannot start message ") && ends(" more than once.")) || has(" is not a valid message number.") ||
           has(" is not a valid line number.") || has(" is not a valid task number.") ||
           starts("No syntax errors found in message ");
}

// A block as the file and the work store keep it: a script the person left without its
// END SUB line runs on to the blank line that separates it from the next block.
std::string kept(std::string block) {
    while (block.size() >= 4 && block.compare(block.size() - 4, 4, "\r\n\r\n") == 0) block.resize(block.size() - 2);
    return block;
}

std::string asciiOnly(const std::string& text) {
    std::string out;
    for (unsigned char c : text)
        if (c >= 32 && c < 127) out += static_cast<char>(c);
    return out;
}

} // namespace

std::map<long long, int> BlockCounts(const std::string& text) {
    std::map<long long, int> copies;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (auto h = ParseHeaderLine(line)) ++copies[h->number];
    }
    return copies;
}


Step Named(Op op, const std::string& name, std::vector<std::string> plan) {
    auto index = [&](const auto& table, auto nameOf) {
        for (int k = 0; k < static_cast<int>(std::size(table)); ++k)
            if (name == nameOf(table[k])) return k;
        throw std::invalid_argument("no step named " + name);
    };
    const auto plain = [](const char* c) { return c; };
    const int value = op == Op::Key        ? index(kKeys, [](const KeyDef& k) { return k.name; })
                      : op == Op::Shortcut ? index(kShortcuts, plain)
                                           : index(kControls, plain);
    return Step{op, value, {}, 96, std::move(plan)};
}

std::string Describe(const Step& step) {
    std::string d = kOpNames[static_cast<int>(step.op)];
    const std::string choice = " (" + std::to_string(step.choice) + ")";
    switch (step.op) {
    case Op::Type: case Op::Paste: case Op::Drop: d += " \"" + step.text + "\""; break;
    case Op::Key: d += std::string(" ") + kKeys[step.value].name; break;
    case Op::Shortcut: d += std::string(" ") + kShortcuts[step.value] + choice; break;
    case Op::Click: case Op::Hover: d += std::string(" ") + kControls[step.value] + choice; break;
    case Op::Menu: d += std::string(" ") + kMenus[step.value] + choice; break;
    case Op::MsgNumber: case Op::LineNumber: case Op::TaskNumber:
        d += " " + step.text + (step.choice % 2 ? " Tab" : " Enter");
        break;
    case Op::SaveAs: case Op::Open: case Op::Save: d += std::string(" ") + kFiles[step.value]; break;
    default: break;
    }
    for (const std::string& entry : step.plan) d += " [" + entry + "]";
    return d;
}

std::vector<Step> MakeSteps(unsigned seed, int count) {
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const std::vector<std::pair<Op, int>> weights = {
        {Op::Type, 24}, {Op::Key, 14},       {Op::Shortcut, 7},   {Op::Click, 16},     {Op::Hover, 8},
        {Op::Menu, 5},  {Op::Paste, 3},      {Op::Drop, 2},       {Op::MsgNumber, 6},  {Op::LineNumber, 3},
        {Op::TaskNumber, 2}, {Op::HandEdit, 2}, {Op::New, 1},     {Op::Save, 3},       {Op::SaveAs, 2},
        {Op::Open, 2}};
    int total = 0;
    for (const auto& w : weights) total += w.second;
    auto text = [&](int lo, int hi) {
        static const char* const letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefgh0123456789 .^#\\\"";
        std::string t;
        for (int c = pick(lo, hi); c > 0; --c) t += letters[pick(0, 49)];
        // Now and then a character the unit has no glyph for.
        if (pick(0, 29) == 0) t += "\xc3\xa9";
        return t;
    };
    std::vector<Step> steps;
    for (int k = 0; k < count; ++k) {
        auto weight = weights.begin();
        for (int r = pick(0, total - 1); r >= weight->second; ++weight) r -= weight->second;
        Step step;
        step.op = weight->first;
        step.choice = static_cast<unsigned>(pick(0, 1 << 30));
        switch (step.op) {
        case Op::Type: step.text = text(1, 6); break;
        case Op::Key: step.value = pick(0, static_cast<int>(std::size(kKeys)) - 1); break;
        case Op::Shortcut: step.value = pick(0, static_cast<int>(std::size(kShortcuts)) - 1); break;
        case Op::Click: {
            // Half the clicks go to the attribute buttons, whose dialogs hold most of the rules.
            static const int buttons[] = {11, 12, 14, 15, 16, 17, 18, 19, 20, 21};
            step.value = pick(0, 1) ? buttons[pick(0, 9)] : pick(0, kControlCount - 1);
            break;
        }
        case Op::Hover: step.value = pick(0, kControlCount - 1); break;
        case Op::Menu: step.value = pick(0, 4); break;
        case Op::Paste: case Op::Drop:
            step.text = text(1, pick(0, 3) ? 8 : 30);
            if (pick(0, 5) == 0) step.text.insert(step.text.size() / 2, "\r\n");
            break;
        // Mostly low numbers so that messages are met again; now and then the far end or a
        // number out of range.
        case Op::MsgNumber:
            step.text = std::to_string(pick(0, 9) ? pick(0, 12) : pick(0, 1) ? pick(1000, 1023) : pick(1024, 9999));
            if (pick(0, 15) == 0) step.text = "00" + step.text.substr(0, 2);
            break;
        case Op::LineNumber: case Op::TaskNumber: step.text = std::to_string(pick(0, 5)); break;
        case Op::Save: case Op::SaveAs: case Op::Open: step.value = pick(0, 2); break;
        default: break;
        }
        steps.push_back(step);
    }
    return steps;
}

namespace {

class SoakRun : public QObject {
public:
    explicit SoakRun(int lineCount) : f_(lineCount == 2 ? "7740" : "7780") {
        f_.s.settings.ToolsPath = WithTrailingSeparator(LT_BIN_DIR);
        qApp->installEventFilter(this);
    }
    ~SoakRun() override { qApp->removeEventFilter(this); }

    std::optional<Failure> run(const std::vector<Step>& steps) {
        for (size_t k = 0; k < steps.size() && !failed_; ++k) {
            stepIndex_ = k;
            begin(steps[k]);
            stepping_ = true;
            perform(steps[k]);
            settle();
            stepping_ = false;
            if (step_.performed) {
                ++stats_.performed;
                ++stats_.byOp[kOpNames[static_cast<int>(steps[k].op)]];
            }
            if (!failed_) afterStep();
            if (trace_)
                std::fprintf(stderr, "%zu %s -> message %d, focus %s (%s), active %s, status \"%s\"\n", k + 1,
                             Describe(steps[k]).c_str(), s().msg.CurrentMessage,
                             focus()->objectName().toLatin1().constData(), focus()->metaObject()->className(),
                             QApplication::activeWindow() ? QApplication::activeWindow()->objectName().toLatin1().constData() : "-",
                             w().lblStatBar->text().toLatin1().constData());
            const std::string dialog = step_.dialogs.empty() ? "" : step_.dialogs.back();
            if (trace_ > 1)
                std::fprintf(stderr, "   %s | centred %d | %s | dialogs:%s\n%s", w().txtEdit->lineRtf().c_str(),
                             w().txtEdit->centredAtCursor(), w().cmdCenter->text().toLatin1().constData(),
                             dialog.c_str(), CurrentBlock(s()).c_str());
        }
        if (failed_) return Failure{stepIndex_, what_};
        return std::nullopt;
    }
    Stats stats_;
    int trace_ = qEnvironmentVariableIntValue("LT_SOAK_TRACE");

protected:
    // Every modal dialog that opens during a step is worked once its event loop runs.
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A message change can come in the middle of a step (a number left in the message box
        // is acted upon when a click takes the focus away): the arrival is checked before the
        // step goes on to change the new message.
        if (stepping_ && !step_.fileStep && !failed_ && !f_.w->changingMessage() &&
            s().msg.CurrentMessage != cur_)
            messageChanged();
        auto* dialog = event->type() == QEvent::Show ? qobject_cast<QDialog*>(watched) : nullptr;
        if (dialog && dialog->isModal())
            QTimer::singleShot(0, this, [this, d = QPointer<QDialog>(dialog)] {
                if (d && d->isVisible()) workDialog(d);
            });
        return false;
    }

private:
    // --- small helpers --------------------------------------------------------------------
    Session& s() { return f_.s; }
    frmQuick& w() { return *f_.w; }
    // Keeps the first failed check.
    bool check(bool ok, const std::string& what) {
        if (!ok && !failed_) what_ = what;
        failed_ = failed_ || !ok;
        return ok;
    }
    void skip() { step_.performed = false; }
    // Everything the step set in motion (posted events, zero timers, deferred focus) is done.
    static void settle() {
        for (int i = 0; i < 8; ++i) {
            QCoreApplication::sendPostedEvents();
            QApplication::processEvents();
        }
    }
    QWidget* focus() { return QApplication::focusWidget() ? QApplication::focusWidget() : f_.w.get(); }
    QWidget* control(int id) { return w().findChild<QWidget*>(QString::fromLatin1(kControls[id])); }
    bool usable(QWidget* c) { return c && c->isVisibleTo(f_.w.get()) && c->isVisible() && c->isEnabled(); }
    static QPoint spot(QWidget* c, unsigned choice) {
        if (qobject_cast<QScrollBar*>(c)) return QPoint(c->width() / 2, choice % 2 ? c->height() - 3 : 3);
        return QPoint(std::max(1, static_cast<int>((choice % 97) * c->width() / 97)), c->height() / 2);
    }
    // Input goes through the window system, as a person's does: keys to the window with the
    // keyboard (an open popup, else a modal dialog, else the main window), which hands them
    // to its focus widget; mouse events to the window under the pointer.
    QWindow* keyWindow() {
        QWidget* top = QApplication::activePopupWidget();
        if (!top) top = QApplication::activeModalWidget();
        if (!top) top = f_.w.get();
        return top->window()->windowHandle();
    }
    // The release goes where the keyboard is after the press: a menu the press opened
    // grabs the keyboard, as it does on a desktop.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) {
        if (k == Qt::Key_Delete && mods == Qt::NoModifier) {
            // An X11 keyboard's Delete carries the DEL character as its text.
            for (const auto action : {QTest::Press, QTest::Release})
                QTest::sendKeyEvent(action, keyWindow(), k, QString(QChar(0x7f)), mods);
            return;
        }
        QTest::keyPress(keyWindow(), k, mods);
        QTest::keyRelease(keyWindow(), k, mods);
        // A button's access key presses it as a click the button animates for 100 ms; on a
        // busy machine the release comes later still.
        if (mods == kAlt) {
            QTest::qWait(120);
            for (int waited = 0; waited < 3000 && buttonDown(); waited += 10) QTest::qWait(10);
        }
    }
    static bool buttonDown() {
        for (QWidget* top : QApplication::topLevelWidgets())
            for (QAbstractButton* b : top->findChildren<QAbstractButton*>())
                if (b->isDown()) return true;
        return false;
    }
    // Stops when the keys would go into the script (a blank may press the Script Edit button):
    // the random person edits scripts only with whole statements (HandEdit).
    void keys(const QString& text, bool intoScript = false) {
        for (QChar c : text) {
            QApplication::processEvents();
            if (!intoScript && QApplication::focusWidget() == w().txtAdvEdit) return;
            const Qt::Key code = c == QLatin1Char('\n') ? Qt::Key_Return : static_cast<Qt::Key>(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, keyWindow(), code, QString(c), {});
        }
    }
    static QPoint at(QWidget* c, QPoint p) { return c->mapTo(c->window(), p); }
    void mouseClick(QWidget* c, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        pointer_ = c->window() == f_.w.get() ? at(c, p) : QPoint(-1000, -1000);
        QTest::mouseClick(c->window()->windowHandle(), button, {}, at(c, p));
    }
    // Option buttons and check boxes take clicks on their mark and caption only, which
    // stand at the left of a box the layout may have made wide.
    void mouseClick(QWidget* c) {
        const bool marked = qobject_cast<QRadioButton*>(c) || qobject_cast<QCheckBox*>(c);
        mouseClick(c, marked ? QPoint(std::min(8, c->width() / 2), c->height() / 2) : c->rect().center());
    }
    void click(QWidget* c, unsigned choice) {
        QWidget* target = c == w().txtEdit ? w().txtEdit->viewport() : c;
        if (auto* edit = qobject_cast<QPlainTextEdit*>(c)) target = edit->viewport();
        mouseClick(target, spot(target, choice));
    }
    // Boxes the step asked for on purpose are left out of the checks.
    void forget(const std::function<bool(const MessageBox&)>& asked) {
        auto& b = f_.ui.boxes;
        b.erase(std::remove_if(b.begin(), b.end(), asked), b.end());
    }
    bool quickEditing() { return !s().run.ScriptEditMode && !s().msg.ScriptOnly; }
    bool lineIsPlain(int l) { return s().msg.LineScroll[l].empty() && s().msg.LineRepeat[l].empty(); }
    bool lineIsPlain() { return lineIsPlain(w().currentLine()); }
    int pickIn(std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    // --- dialogs ----------------------------------------------------------------------------
    // Closes a dialog the way a person does: "ok" or "cancel" clicks the button, "escape" presses Escape.
    void closeWith(QDialog* d, const std::string& way) {
        if (way == "escape") return key(Qt::Key_Escape);
        if (auto* b = d->findChild<QPushButton*>(QString::fromLatin1(way == "ok" ? "cmdOk" : "cmdCancel")))
            mouseClick(b);
    }
    // A dialog the person is done with: one still open is rejected, and the outcome is kept.
    void done(QDialog* d, const std::string& outcome) {
        if (d->isVisible()) d->reject();
        step_.dialogs.push_back(d->objectName().toStdString() + " " + outcome);
        if (outcome == "ok") step_.anyDialogOk = true;
    }

    // The planned actions of one dialog: clicks, typing, then the way it is closed.
    void followPlan(QDialog* d, const std::string& entry) {
        std::istringstream words(entry);
        std::string outcome;
        for (std::string word; words >> word && d->isVisible();) {
            if (word == "ok" || word == "cancel" || word == "escape") {
                closeWith(d, outcome = word);
                continue;
            }
            const size_t eq = word.find('=');
            QWidget* c = d->findChild<QWidget*>(QString::fromStdString(word.substr(0, eq)));
            if (!check(c != nullptr, d->objectName().toStdString() + " has no " + word)) break;
            auto* plain = qobject_cast<QPlainTextEdit*>(c);
            mouseClick(eq != std::string::npos && plain ? plain->viewport() : c);
            if (eq == std::string::npos) continue;
            key(Qt::Key_End, kCtrl);
            key(Qt::Key_Home, kCtrl | kShift);
            keys(QString::fromStdString(word.substr(eq + 1)), true);
        }
        done(d, outcome);
    }

    void workDialog(QDialog* d) {
        ++stats_.dialogs;
        if (!step_.plan.empty()) {
            const std::string entry = step_.plan.front();
            step_.plan.erase(step_.plan.begin());
            return followPlan(d, entry);
        }
        std::mt19937 rng(step_.choice * 7919u + static_cast<unsigned>(step_.dialogDepth++));
        std::vector<QWidget*> parts;
        for (QWidget* c : d->findChildren<QWidget*>()) {
            const QString name = c->objectName();
            if (!c->isVisible() || !c->isEnabled() || name == "cmdOk" || name == "cmdCancel" || name == "cmdHelp")
                continue;
            if (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) || qobject_cast<QPlainTextEdit*>(c) ||
                qobject_cast<QTextEdit*>(c) || qobject_cast<QSlider*>(c) || qobject_cast<QTableWidget*>(c) ||
                qobject_cast<QScrollBar*>(c))
                parts.push_back(c);
        }
        for (int k = pickIn(rng, 0, 6); k > 0 && !parts.empty() && d->isVisible(); --k)
            workPart(parts[static_cast<size_t>(pickIn(rng, 0, static_cast<int>(parts.size()) - 1))], rng);
        if (!d->isVisible()) return;
        const int end = pickIn(rng, 0, 99);
        std::string outcome;
        if (end < 60) closeWith(d, outcome = "ok");
        if (d->isVisible() && end < 85) closeWith(d, outcome = "cancel");
        if (d->isVisible()) closeWith(d, outcome = "escape");
        done(d, outcome);
    }

    void workPart(QWidget* c, std::mt19937& rng) {
        if (auto* slider = qobject_cast<QSlider*>(c)) {
            mouseClick(slider);
            key(pickIn(rng, 0, 1) ? Qt::Key_Right : Qt::Key_Left);
        } else if (auto* table = qobject_cast<QTableWidget*>(c)) {
            QTableWidgetItem* item = table->item(pickIn(rng, 0, table->rowCount() - 1), pickIn(rng, 0, table->columnCount() - 1));
            if (!item) return;
            const QPoint where = table->visualItemRect(item).center();
            mouseClick(table->viewport(), where);
            QTest::mouseDClick(table->window()->windowHandle(), Qt::LeftButton, {}, at(table->viewport(), where));
        } else if (auto* bar = qobject_cast<QScrollBar*>(c)) {
            click(bar, static_cast<unsigned>(pickIn(rng, 0, 1)));
        } else if (qobject_cast<QAbstractButton*>(c)) {
            mouseClick(c);
        } else if (auto* line = qobject_cast<QLineEdit*>(c)) {
            if (line->isReadOnly()) return click(line, 5);
            mouseClick(line);
            key(Qt::Key_End);
            key(Qt::Key_Home, kShift);
            const int n = pickIn(rng, 0, 3);
            // Numbers mostly: a repeat count or a message number, now and then with zeros in front.
            QString typed = n == 0 ? QString() : QString::number(pickIn(rng, 0, n == 3 ? 1100 : 12));
            if (pickIn(rng, 0, 7) == 0) typed.prepend(QStringLiteral("00"));
            keys(typed);
        } else if (auto* edit = qobject_cast<QTextEdit*>(c)) {
            mouseClick(edit->viewport(), spot(edit->viewport(), static_cast<unsigned>(pickIn(rng, 0, 96))));
            for (int k = pickIn(rng, 0, 8); k > 0; --k) key(Qt::Key_Right, kShift);
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(c)) {
            mouseClick(plain->viewport());
            static const char* const pieces[] = {"AB", " ", "<CR>", "<13>", "<xyz>", "<", "\"Q\"", "12", "<0Dh>"};
            if (pickIn(rng, 0, 4) == 0) {
                key(Qt::Key_End, kCtrl);
                for (int k = 0; k < 40; ++k) key(Qt::Key_Backspace);
            }
            for (int k = pickIn(rng, 0, 4); k > 0; --k) keys(QString::fromLatin1(pieces[pickIn(rng, 0, 8)]));
        }
    }

    // --- the model ----------------------------------------------------------------------------
    std::string modelBlock(int n) const { return blocks_.count(n) ? blocks_.at(n) : std::string(); }
    bool modified() { return headerChanged_ || stored_ || CurrentBlock(s()) != loaded_; }

    // The block of message n as the work store gives it now.
    std::string storedBlock(int n) {
        test::FakeUserPort quiet;
        Session g(f_.disk, quiet);
        g.settings = s().settings;
        g.index = s().index;
        g.msg.LineCount = s().msg.LineCount;
        WorkStore(g).LoadMessage(n);
        if (g.msg.BlockText == EmptyBlock(n, s().msg.MessageTask[static_cast<size_t>(n)], g.msg.LineCount)) return {};
        return g.msg.BlockText;
    }

    void arrive(int n, const std::string& how) {
        const std::string want = modelBlock(n), have = CurrentBlock(s());
        check(kept(have) == kept(want), how + " message " + std::to_string(n) + " shows\n" + have + "\ninstead of\n" + want);
        cur_ = n;
        loaded_ = have;
    }

    // The model takes block b for message n (none when empty).
    void keep(int n, const std::string& b) {
        if (b.empty()) blocks_.erase(n);
        else blocks_[n] = b;
    }

    // The file on disk re-opens, in a session of its own, to exactly these blocks.
    void checkFile(const std::string& path, const std::map<int, std::string>& expected) {
        ++stats_.fileChecks;
        PosixFileSystem disk;
        test::FakeUserPort quiet;
        Session g(disk, quiet);
        g.settings.UnitType = s().settings.UnitType;
        ApplyUnitType(g);
        g.index.CurrentFilePath = path;
        ScanScriptFile(g, path);
        std::map<int, std::string> found;
        for (int n = 0; n < kMessageCount; ++n) {
            if (g.index.MessageState[n] == 0) continue;
            WorkStore(g).LoadMessage(n);
            found[n] = g.msg.BlockText;
        }
        for (const auto& [n, block] : expected)
            if (!check(found.count(n) && kept(found[n]) == kept(block), FileNamePart(path) + " holds for message " + std::to_string(n) + "\n" +
                                                                (found.count(n) ? found[n] : "nothing") + "\ninstead of\n" + block))
                return;
        for (const auto& [n, block] : found)
            if (!check(expected.count(n), FileNamePart(path) + " holds message " + std::to_string(n) + " that was never made"))
                return;
    }

    void saved(const std::string& path, bool wrote) {
        check(s().index.CurrentFilePath == path, "saved as " + s().index.CurrentFilePath + ", expected " + path);
        path_ = path;
        files_[path] = blocks_;
        headerChanged_ = stored_ = false;
        loaded_ = CurrentBlock(s());
        if (wrote)
            for (const char* name : kLeftovers) check(!f_.dir.has(name), std::string(name) + " left behind");
        checkFile(path, blocks_);
    }

    // The save question comes exactly when something changed; the person says No.
    // Now and then the person cancels; then nothing happens.
    void expectSaveQuestion() {
        expectQuestion_ = modified();
        cancelled_ = expectQuestion_ && step_.choice % 5 == 0;
        if (expectQuestion_) f_.ui.answers.push_back(cancelled_ ? Answer::Cancel : Answer::No);
    }
    // The save question came as expected; whether the command went on (a cancelled one changed nothing).
    bool wentOn(bool unchanged, const std::string& command) {
        const bool asked = !f_.ui.boxes.empty() && f_.ui.boxes[0].text == kSaveQuestion;
        std::string why;
        if (asked && !expectQuestion_) {
            why = s().run.HeaderChanged ? " (the header changed)" : "";
            for (int n = 0; n < kMessageCount; ++n)
                if (s().index.MessageState[n] == 2) why += " (message " + std::to_string(n) + " in the work file)";
            why += "\nstored:\n" + storedBlock(cur_) + "\nshown:\n" + CurrentBlock(s()) + "\nloaded:\n" + loaded_;
        }
        check(asked == expectQuestion_,
              expectQuestion_ ? "unsaved changes were not noticed" : "asked to save a file without changes" + why);
        if (asked) {
            check(f_.ui.boxes[0].buttons == Buttons::YesNoCancel, "the save question lacks Cancel");
            f_.ui.boxes.erase(f_.ui.boxes.begin());
        }
        if (cancelled_)
            check(unchanged && CurrentBlock(s()) == step_.blockBefore, "a cancelled " + command + " went on");
        return !cancelled_;
    }
    void loaded(const std::string& path, const std::string& how) {
        // A file saved with no messages says so when it opens; the person clicks OK.
        const std::string none = "This file has no messages. It will be easier to select New file, create the "
                                 "messages and then save it under the same name.";
        if (files_[path].empty()) forget([&](const MessageBox& b) { return b.text == none; });
        check(s().index.CurrentFilePath == path, how + " " + s().index.CurrentFilePath + ", expected " + path);
        path_ = path;
        blocks_ = files_[path];
        headerChanged_ = stored_ = false;
        arrive(s().msg.CurrentMessage, how);
        checkFile(path, blocks_);
    }

    // --- one step ---------------------------------------------------------------------------
    void begin(const Step& step) {
        // Letters typed while the menu bar has the keyboard open its menus; the person closes
        // the menu the keys opened before doing the next thing.
        for (int i = 0; i < 4 && QApplication::activePopupWidget(); ++i) {
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            settle();
        }
        const QString shown = QString::number(s().msg.CurrentMessage);
        const bool pending = focus() == w().txtMsg && w().txtMsg->text() != shown;
        f_.ui.clear();
        step_ = StepState(step, CurrentBlock(s()), pending);
    }

    void afterStep() {
        for (const MessageBox& box : f_.ui.boxes) stats_.boxes.push_back(box.text);
        stats_.status = w().lblStatBar->text().toStdString();
        // The window manager gives the keyboard back to the main window when a dialog closes.
        if (!QApplication::activeModalWidget() && !QApplication::activePopupWidget() &&
            QApplication::activeWindow() != f_.w.get()) {
            f_.w->activateWindow();
            QApplication::setActiveWindow(f_.w.get());
            settle();
        }
        for (const MessageBox& box : f_.ui.boxes)
            if (!check(allowedBox(box.text), "a box nobody expected: " + box.text)) return;
        if (!check(f_.ui.answers.empty() && f_.ui.files.empty(), "a scripted answer was not asked for")) return;
        if (!check(QApplication::activeModalWidget() == nullptr, "a dialog stayed open")) return;
        if (QApplication::activeWindow() == f_.w.get() && !QApplication::activePopupWidget())
            if (!check(focus() != nullptr && focus() != f_.w.get(), "the keyboard went nowhere")) return;
        if (step_.expectMessage >= 0 && !check(s().msg.CurrentMessage == step_.expectMessage,
                                               "typing " + std::to_string(step_.expectMessage) +
                                                   " into the message box went to message " +
                                                   std::to_string(s().msg.CurrentMessage)))
            return;
        // A script changed by keys other than whole statements may be anything the person made,
        // and stays what they made when it is stored, saved and opened again; a whole
        // statement added to it does not mend it.
        const std::string now = Bare(CurrentBlock(s()));
        const bool script = s().run.ScriptEditMode || s().msg.ScriptOnly;
        if (script && s().msg.CurrentMessage == cur_ && now != Bare(step_.blockBefore) &&
            (step_.op != Op::HandEdit || garbled_.count(Bare(step_.blockBefore))))
            garbled_.insert(now);
        const std::string broken = CheckInvariant(s(), w(), !script || !garbled_.count(now));
        if (!check(broken.empty(), broken)) return;
        if (!step_.fileStep && s().msg.CurrentMessage != cur_) messageChanged();
        keep(cur_, CurrentBlock(s()));
    }

    // The message left is in the work store as the model has it; the one arrived at shows
    // what the model has for it.
    void messageChanged() {
        const int left = cur_;
        const std::string stored = storedBlock(left);
        // After a change the step made before a pending number moved the window on, the
        // message left is as the store has it.
        if (step_.pendingNumber) keep(left, stored);
        check(kept(stored) == kept(modelBlock(left)),
              "message " + std::to_string(left) + " was stored as\n" + stored + "\ninstead of\n" + modelBlock(left));
        if (modelBlock(left) != loaded_) stored_ = true;
        arrive(s().msg.CurrentMessage, "arriving at");
        step_.blockBefore = CurrentBlock(s());  // what the rest of the step starts from
    }

    void perform(const Step& step) {
        switch (step.op) {
        case Op::Type: return type(step);
        case Op::Key: return pressKey(kKeys[step.value]);
        case Op::Shortcut: return shortcut(step);
        case Op::Click: return clickControl(step);
        case Op::Hover: return hover(step);
        case Op::Menu: return menu(step);
        case Op::Paste: return paste(step);
        case Op::Drop: return drop(step);
        case Op::MsgNumber: return number(w().txtMsg, step);
        case Op::LineNumber: return number(w().txtLine, step);
        case Op::TaskNumber: return number(w().txtTask, step);
        case Op::HandEdit: return handEdit();
        case Op::New: {
            step_.fileStep = true;
            expectSaveQuestion();
            const std::string before = s().index.CurrentFilePath;
            key(Qt::Key_N, kCtrl);
            if (!wentOn(s().index.CurrentFilePath == before, "New")) return;
            check(s().index.CurrentFilePath.empty(), "New kept the file name");
            blocks_.clear();
            path_.clear();
            headerChanged_ = stored_ = false;
            arrive(s().msg.CurrentMessage, "after New");
            return;
        }
        case Op::Save: {
            if (path_.empty()) return saveAs(step.value, Qt::Key_S);
            step_.fileStep = true;
            const bool writes = modified();
            key(Qt::Key_S, kCtrl);
            return saved(path_, writes);
        }
        case Op::SaveAs: return saveAs(step.value, Qt::Key_A);
        case Op::Open: {
            const std::string path = f_.dir.file(kFiles[step.value]);
            if (!files_.count(path)) return skip();
            step_.fileStep = true;
            f_.ui.files.push_back(path);
            expectSaveQuestion();
            if (cancelled_) f_.ui.files.clear();  // no dialog after a cancelled question
            key(Qt::Key_O, kCtrl);
            if (!wentOn(f_.ui.fileDialogs.empty(), "Open")) return;
            check(f_.ui.fileDialogs.size() == 1 && f_.ui.fileDialogs[0].title == "Open Script File",
                  "Ctrl+O showed no open dialog");
            loaded(path, "opened");
            return;
        }
        }
    }

    bool messageScrolls() {
        for (int i = 1; i <= s().msg.LineCount; ++i)
            if (!lineIsPlain(i)) return true;
        return false;
    }

    // The typing rules at the end of a fixed line of a message without scrolling lines:
    // the line takes each character the unit shows up to 20, refuses "#" followed by "#" or
    // "?".."_" with its box, and refuses characters above the unit's range with a status text.
    void type(const Step& step) {
        QWidget* target = focus();
        if (target == w().txtAdvEdit) return skip();
        const int line = w().currentLine();
        const QTextCursor cursor = w().txtEdit->textCursor();
        const std::string old = GetText(s().msg.LineRtf[line]);
        const bool predictable = target == w().txtEdit && quickEditing() && lineIsPlain() && !messageScrolls() &&
                                 !cursor.hasSelection() && cursor.atEnd() &&
                                 (old + asciiOnly(step.text)).size() <= 20;
        keys(QString::fromUtf8(step.text.c_str()));
        if (!predictable) return;
        std::string want = old;
        std::vector<std::string> boxes;
        bool refusedOutside = false;
        for (unsigned char c : step.text) {
            if (c >= 0x80) {
                if ((c & 0xC0) == 0xC0) refusedOutside = true;  // one refusal per character
                continue;
            }
            if (want.size() >= 20) break;  // the long message dialog: left to the dialog worker
            if (!want.empty() && want.back() == '#' && (c == '#' || (c >= 63 && c <= 95))) {
                boxes.push_back(std::string("Character combination #") + static_cast<char>(c) +
                                " is illegal in Quick Edit. Please refer to the 7700 PC User's Manual on Literal "
                                "Control Characters which can be entered in Script Edit.");
                continue;
            }
            want += static_cast<char>(c);
        }
        const std::string now = GetText(s().msg.LineRtf[line]);
        check(now == want, "typing \"" + step.text + "\" after \"" + old + "\" gave \"" + now + "\"");
        check(f_.ui.texts() == boxes, "typing \"" + step.text + "\" showed other boxes: " + f_.ui.lastText());
        f_.ui.clear();
        if (refusedOutside && step.text.back() & 0x80)
            check(w().lblStatBar->text().startsWith(QStringLiteral("The unit cannot show ")),
                  "a refused character left the status \"" + w().lblStatBar->text().toStdString() + "\"");
    }

    // Ctrl+V into a fixed or continuous line takes the characters the unit shows, when they
    // fit; too long a text is refused whole with the line's box.
    void paste(const Step& step) {
        QWidget* target = focus();
        if (target == w().txtAdvEdit) return skip();
        QApplication::clipboard()->setText(QString::fromUtf8(step.text.c_str()));
        const int line = w().currentLine();
        const bool plain = lineIsPlain(), continuous = !s().msg.LineScroll[line].empty();
        // Positions are taken now: a QTextCursor copy follows the document's later edits.
        const QTextCursor cursor = w().txtEdit->textCursor();
        const size_t start = static_cast<size_t>(cursor.selectionStart()), end = static_cast<size_t>(cursor.selectionEnd());
        const std::string old = w().txtEdit->toPlainText().toStdString();
        const bool predictable = target == w().txtEdit && quickEditing() && (plain || continuous) &&
                                 w().txtEdit->document()->blockCount() == 1 && end <= old.size();
        key(Qt::Key_V, kCtrl);
        if (!predictable) return;
        const std::string clean = asciiOnly(step.text);
        const size_t selected = end - start;
        std::string want = old;
        std::vector<std::string> boxes;
        if (old.size() - selected + clean.size() > (plain ? 20u : 155u))
            boxes.push_back(plain ? kPasteTooLong : kScrollTooLong);
        else
            want.replace(start, selected, clean);
        const std::string now = GetText(s().msg.LineRtf[line]);
        check(now == want, "pasting \"" + step.text + "\" into \"" + old + "\" gave \"" + now + "\"");
        check(f_.ui.texts() == boxes, "pasting \"" + step.text + "\" showed other boxes: " + f_.ui.lastText());
        f_.ui.clear();
    }

    void pressKey(const KeyDef& k) {
        QWidget* target = focus();
        if (target == w().txtAdvEdit && kEditingKeys.count(k.name)) return skip();
        const int line = w().currentLine();
        const std::string old = GetText(s().msg.LineRtf[line]);
        const QTextCursor cursor = w().txtEdit->textCursor();
        const bool deleting = target == w().txtEdit && quickEditing() && std::string(k.name) == "Delete" &&
                              !cursor.hasSelection() && !cursor.atEnd() && lineIsPlain();
        key(k.key, k.mods);
        if (!deleting) return;
        const std::string now = GetText(s().msg.LineRtf[line]);
        check(now.size() + 1 == old.size(), "Delete on \"" + old + "\" left \"" + now + "\"");
    }

    // A script as compared for having been garbled: line by line, without the line ends and
    // trailing blanks that storing may change; a line end the person removed is a change.
    static std::string Bare(const std::string& b) {
        std::string out, line;
        std::istringstream in(b);
        while (std::getline(in, line)) {
            while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
            out += line + '\n';
        }
        while (out.size() > 1 && out[out.size() - 1] == '\n' && out[out.size() - 2] == '\n') out.pop_back();
        return out;
    }

    void shortcut(const Step& step) {
        const std::string name = kShortcuts[step.value];
        const QKeyCombination k = QKeySequence(QString::fromLatin1(kShortcuts[step.value]))[0];
        QWidget* target = focus();
        if (name == "Ctrl+X" && target == w().txtAdvEdit) return skip();
        const bool scriptEdit = s().run.ScriptEditMode;
        const bool onlyScript = s().msg.ScriptOnly && !scriptEdit;
        const bool syntax = name == "Ctrl+Y" && target == w().txtAdvEdit;
        const bool garbled = syntax && garbled_.count(Bare(s().msg.BlockText));
        const bool empty = s().msg.BlockText.empty();
        key(k.key(), k.keyboardModifiers());
        // The syntax check of a script the person garbled may find its errors.
        if (garbled)
            return forget([](const MessageBox& b) { return b.text.rfind("Errors encountered.", 0) == 0; });
        if (syntax && !empty) {
            const std::string want = "No syntax errors found in message " + std::to_string(s().msg.CurrentMessage);
            check(f_.ui.lastText() == want, "Ctrl+Y in Script Edit said \"" + f_.ui.lastText() + "\"");
            return;
        }
        if (name == "Alt+G" && s().settings.EditorType.empty() && (onlyScript || scriptEdit || quickEditing()))
            check(s().run.ScriptEditMode != scriptEdit, "Alt+G did not switch between Quick Edit and Script Edit");
        noChangeUnlessOk(name.rfind("Alt+", 0) == 0 && name != "Alt+G" && name != "Alt+N" && name != "Alt+R" &&
                         name != "Alt+O" && name != "Alt+X");
    }

    // A dialog that was cancelled changed nothing.
    void noChangeUnlessOk(bool opensDialog) {
        if (!opensDialog || step_.dialogs.empty() || step_.anyDialogOk) return;
        settle();
        check(CurrentBlock(s()) == step_.blockBefore, "cancelling " + step_.dialogs.front() +
                                                          " changed the message to\n" + CurrentBlock(s()) +
                                                          "\nfrom\n" + step_.blockBefore);
    }

    void clickControl(const Step& step) {
        QWidget* c = control(step.value);
        if (!c || !c->isVisible()) return skip();
        const std::string name = kControls[step.value];
        const bool enabled = c->isEnabled() && quickEditing();
        const std::string relay = s().msg.RelayMode, cls = s().msg.ClearScreen;
        const int line = w().currentLine();
        const std::string font = s().msg.LineFont[line];
        const bool centred = w().txtEdit->centredAtCursor();
        const int from = s().msg.CurrentMessage;
        click(c, step.choice);
        settle();
        // The message scroll bar steps to the next or previous message that has a block
        // (from wherever a number left in the message box took the window first).
        if (name == "vsbMsg" && c->isEnabled() && !step_.pendingNumber)
            for (int n = std::min(from, s().msg.CurrentMessage) + 1; n < std::max(from, s().msg.CurrentMessage); ++n)
                check(!blocks_.count(n), "the scroll bar passed over message " + std::to_string(n));
        // A label puts the focus into its box when the box can take it.
        static const std::map<std::string, std::string> labels = {{"Label2", "txtMsg"}, {"Label1", "txtTask"},
                                                                  {"lblLine", "txtLine"}};
        if (labels.count(name)) {
            QWidget* box = w().findChild<QWidget*>(QString::fromStdString(labels.at(name)));
            // (A number left in the message box changes the message as the focus leaves it,
            // and the new message puts the focus into its text.)
            if (usable(box) && f_.ui.boxes.empty() && !step_.pendingNumber)
                check(focus() == box, "a click on " + name + " left the focus elsewhere");
        }
        if (!enabled) return;
        // The toggles compare with the message the click began on: a number left in the
        // message box may have moved the window to another one as the focus left the box.
        const bool same = s().msg.CurrentMessage == from;
        if (same && name == "cmdFont") {
            static const std::vector<std::string> cycle = {"", "ENGLISH", "KATAKANA", "SLAVIC", "CYRILLIC", ""};
            const auto next = std::find(cycle.begin(), cycle.end(), font) + 1;
            check(s().msg.LineFont[line] == *next, "Font went from \"" + font + "\" to \"" + s().msg.LineFont[line] + "\"");
        }
        if (same && name == "cmdRelay")
            check(s().msg.RelayMode == (relay.empty() ? "ON" : relay == "ON" ? "OFF" : ""), "Relay went from \"" + relay + "\" to \"" + s().msg.RelayMode + "\"");
        if (same && name == "cmdClrScreen") check(s().msg.ClearScreen.empty() != cls.empty(), "Clear screen did not toggle");
        if (same && name == "cmdCenter" && s().msg.LineScroll[line].empty())
            check(w().txtEdit->centredAtCursor() != centred,
                  "Center text did not change the paragraph at the cursor");
        noChangeUnlessOk(name == "cmdBlink" || name == "cmdVar" || name == "cmdScroll" || name == "cmdWait" ||
                         name == "cmdStart" || name == "cmdSend");
    }

    // The status bar tells about the control under the pointer.
    void hover(const Step& step) {
        QWidget* c = control(step.value);
        if (!usable(c) || QApplication::activePopupWidget()) return skip();
        const std::string name = kControls[step.value];
        QWidget* target = c == w().txtEdit ? w().txtEdit->viewport() : c;
        // The pointer moves over the control: within it when it is there already (after a
        // click), else from elsewhere onto it. A pointer that does not move tells nothing.
        QPoint to = at(target, spot(target, step.choice + 41));
        const QRect area(at(target, QPoint(0, 0)), target->size());
        if (to == pointer_) to += QPoint(to.x() > area.left() ? -1 : 1, 0);
        if (!area.contains(pointer_)) QTest::mouseMove(target->window()->windowHandle(), QPoint(1, 1));
        QTest::mouseMove(target->window()->windowHandle(), to);
        pointer_ = to;
        settle();
        const std::string shown = w().lblStatBar->text().toStdString();
        std::string want;
        const QuickMessage& m = s().msg;
        if (name == "txtMsg" || name == "vsbMsg") want = "Enter a message number for fast access or creating a new message";
        else if (name == "txtTask" || name == "vsbTask") want = "Displays task number of current message.";
        else if (name == "txtLine" || name == "vsbLine") want = "Displays current line number to be edited.";
        else if (name == "Label4") want = "";
        else if (name == "cmdRelay")
            want = m.RelayMode.empty() ? "Relay will not be affected from this msg. Click once to turn relay on when this msg is called."
                   : m.RelayMode == "ON" ? "Relay will turn on when this msg is called. Click once to turn the relay off when this msg is called."
                                         : "Relay will turn off when this msg is called. Click once and relay will not be affected from this msg.";
        else if (name == "cmdClrScreen")
            want = m.ClearScreen.empty() ? "Clear screen off - existing screen will be overwritten but not erased when this msg is called."
                                         : "Clear screen on - existing screen will be completely erased when this msg is called.";
        else if (name.rfind("lblDisplay(", 0) == 0) {
            const int row = name[11] - '0';
            const int line = m.LineCount == 4 ? row : row - 1;
            if (line < 1 || line > m.LineCount) return;
            want = "Simulation display line " + std::to_string(line);
        } else if (name == "txtEdit" || name == "Label2" || name == "Label1" || name == "lblLine") {
            return;
        } else {
            want = w().statusTextFor(c).toStdString();
        }
        check(shown == want, "the pointer over " + name + " shows \"" + shown + "\" instead of \"" + want + "\"");
    }

    void menu(const Step& step) {
        const std::string name = kMenus[step.value];
        const std::string text =
            name == "Help" ? "Press F1 in order to get help contents or select any item from the Help Menu."
                           : "Press F1 in order to get help on commands from " + name + " Menu.";
        key(static_cast<Qt::Key>(name[0]), kAlt);
        settle();
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!check(popup != nullptr, "Alt opened no " + name + " menu")) return;
        const std::string shown = w().lblStatBar->text().toStdString();
        check(shown == text, "the open " + name + " menu shows \"" + shown + "\"");
        QAction* item = nullptr;
        if (step.value == 1 && step.choice % 3 == 0) item = w().mnuEditDel;
        if (step.value == 0 && step.choice % 3 == 0) item = w().mnuFileArray[1 + step.choice / 3 % 4];
        if (!item || !item->isEnabled() || !item->isVisible()) {
            key(Qt::Key_Escape);
            settle();
            // The first Escape closes the menu and leaves the menu bar highlighted; the second
            // gives the keyboard back to the window.
            if (qobject_cast<QMenuBar*>(QApplication::focusWidget())) key(Qt::Key_Escape);
            settle();
            return;
        }
        if (item == w().mnuEditDel) return deleteMessage(popup, step.choice / 3 % 4 != 0);
        recent(popup, item);
    }

    void deleteMessage(QMenu* popup, bool ok) {
        step_.fileStep = true;
        const int gone = s().msg.CurrentMessage;
        f_.ui.answers.push_back(ok ? Answer::Ok : Answer::Cancel);
        mouseClick(popup, popup->actionGeometry(w().mnuEditDel).center());
        settle();
        if (!check(!f_.ui.boxes.empty() && f_.ui.boxes[0].text == "Delete message  " + std::to_string(gone) + " ?" &&
                       f_.ui.boxes[0].defaultAnswer == Answer::Cancel,
                   "no delete question: " + f_.ui.lastText()))
            return;
        f_.ui.boxes.erase(f_.ui.boxes.begin());
        if (!ok) {
            check(s().msg.CurrentMessage == gone && CurrentBlock(s()) == step_.blockBefore,
                  "a cancelled delete changed the message");
            return;
        }
        blocks_.erase(gone);
        headerChanged_ = true;
        // The window shows the nearest message below (the next one above after message 0),
        // or the number next to it when there is none.
        const auto next = gone == 0 ? blocks_.upper_bound(0) : blocks_.lower_bound(gone);
        const int want = gone == 0 ? (next == blocks_.end() ? 1 : next->first)
                                   : (next == blocks_.begin() ? gone - 1 : std::prev(next)->first);
        const int landed = s().msg.CurrentMessage;
        check(landed == want, "deleting message " + std::to_string(gone) + " went to " + std::to_string(landed) +
                                  ", not " + std::to_string(want));
        arrive(landed, "after deleting " + std::to_string(gone));
    }

    void recent(QMenu* popup, QAction* item) {
        step_.fileStep = true;
        const std::string path = item->text().toStdString();
        check(files_.count(path) == 1, "recent file " + path + " was never saved");
        expectSaveQuestion();
        const std::string before = s().index.CurrentFilePath;
        mouseClick(popup, popup->actionGeometry(item).center());
        settle();
        if (wentOn(s().index.CurrentFilePath == before, "reopen")) loaded(path, "reopened");
    }

    void saveAs(int file, Qt::Key key) {
        step_.fileStep = true;
        const std::string path = f_.dir.file(kFiles[file]);
        f_.ui.files.push_back(path);
        const bool exists = f_.dir.has(kFiles[file]);
        const bool writes = path != path_ || modified();
        if (exists) f_.ui.answers.push_back(Answer::Yes);
        this->key(key, kCtrl);
        if (!check(f_.ui.fileDialogs.size() == 1, std::string(key == Qt::Key_A ? "Ctrl+A" : "Ctrl+S") +
                                                       " showed no save dialog (focus on " +
                                                       focus()->objectName().toStdString() + ")"))
            return;
        const FileDialog& dialog = f_.ui.fileDialogs[0];
        check(dialog.title == "Save Script File" && dialog.filter == kScriptFilter, "the save dialog is " + dialog.title);
        if (exists)
            check(!f_.ui.boxes.empty() &&
                      f_.ui.boxes[0].text == "The file " + path + " already exists on disk.\r\nDo you want to replace it." &&
                      f_.ui.boxes[0].title == "File Save Message",
                  "no replace question");
        f_.ui.clear();
        saved(path, writes);
    }

    void drop(const Step& step) {
        LineEditor* edit = w().txtEdit;
        if (!usable(edit)) return skip();
        QWidget* port = edit->viewport();
        const QPoint at = spot(port, step.choice);
        QMimeData data;
        data.setText(QString::fromUtf8(step.text.c_str()));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        for (QEvent* e : std::initializer_list<QEvent*>{&enter, &move, &dropped})
            QApplication::sendEvent(port, e);
    }

    // A number typed into a number box: a valid one takes effect; leaving the box with one
    // out of range shows the box's range message and keeps the focus there.
    void number(QLineEdit* box, const Step& step) {
        if (!usable(box)) return skip();
        mouseClick(box);
        const bool clean = focus() == box && f_.ui.boxes.empty();
        key(Qt::Key_End);
        key(Qt::Key_Home, kShift);
        keys(QString::fromStdString(step.text));
        const bool tab = step.choice % 2;
        key(tab ? Qt::Key_Tab : Qt::Key_Return);
        settle();
        const long long n = std::stoll(step.text);
        const long long last = box == w().txtMsg ? 1023 : box == w().txtTask ? 3 : s().msg.LineCount;
        const long long first = box == w().txtLine ? 1 : 0;
        // A box left with a number it refused keeps the focus, and the digits go there.
        if (!clean) return;
        if (box == w().txtMsg && n <= last) step_.expectMessage = static_cast<int>(n);
        const std::string what = box == w().txtMsg ? "message" : box == w().txtTask ? "task" : "line";
        std::vector<std::string> boxes;
        // The task box puts the task back at once when a number is out of its range, and the
        // line box shows the current line's row again after every digit (the refresh of the
        // edit controls); only the message box keeps a number to refuse when it is left.
        if (tab && box == w().txtMsg && (n < first || n > last))
            boxes.push_back(step.text + " is not a valid " + what + " number.  The value must be between " +
                            std::to_string(first) + " and " + std::to_string(last) + ".");
        check(f_.ui.texts() == boxes, "typing " + step.text + " into the " + what + " box showed \"" +
                                          f_.ui.lastText() + "\"");
        if (!boxes.empty()) check(focus() == box, "the " + what + " box let the focus go with " + step.text);
        if (box == w().txtLine && n >= first && n <= last)
            check(w().currentLine() == n, "typing " + step.text + " into the line box left line " +
                                              std::to_string(w().currentLine()));
        f_.ui.clear();
    }

    // A comment line typed into the script before its END SUB line.
    void handEdit() {
        QPlainTextEdit* edit = w().txtAdvEdit;
        if (!usable(edit)) return skip();
        mouseClick(edit->viewport(), QPoint(5, 5));
        key(Qt::Key_End, kCtrl);
        key(Qt::Key_Up);
        key(Qt::Key_Home);
        keys(QStringLiteral("    // CHECKED ON SITE"), true);
        key(Qt::Key_Return);
    }

    test::WindowFixture f_;
    std::map<int, std::string> blocks_;                   // the block of every message that has one
    std::map<std::string, std::map<int, std::string>> files_; // what each saved file holds
    std::string path_;
    int cur_ = 0;
    std::string loaded_;        // the current message's block when it was fetched
    bool stored_ = false;       // a changed message went into the work file since the last save
    bool headerChanged_ = false;
    bool expectQuestion_ = false;
    bool cancelled_ = false;   // the person cancelled the save question
    std::set<std::string> garbled_;  // scripts the person changed key by key
    // The step in progress; begin() starts it afresh.
    struct StepState {
        StepState(const Step& s = {}, std::string b = {}, bool p = false)
            : choice(s.choice), op(s.op), plan(s.plan), blockBefore(std::move(b)), pendingNumber(p) {}
        unsigned choice = 0;               // seeds the random choices in its dialogs
        Op op = Op::Type;
        std::vector<std::string> plan;     // the planned dialogs not yet open
        std::string blockBefore;           // the current message's block before the step
        bool pendingNumber = false;        // left in the message box: acted upon when the focus leaves it
        std::vector<std::string> dialogs;  // each dialog worked, with its outcome
        bool anyDialogOk = false;
        int dialogDepth = 0;
        int expectMessage = -1;            // where a number typed into the message box goes
        bool fileStep = false;             // the model follows a file command, not the message change
        bool performed = true;
    } step_;
    bool stepping_ = false;
    QPoint pointer_;  // where the last mouse event put the pointer, in the main window
    size_t stepIndex_ = 0;
    bool failed_ = false;
    std::string what_;
};

} // namespace

std::optional<Failure> RunSteps(const std::vector<Step>& steps, int lineCount, Stats* stats) {
    SoakRun run(lineCount);
    auto failure = run.run(steps);
    if (stats) *stats = run.stats_;
    return failure;
}

std::vector<Step> Shrink(std::vector<Step> steps, const Failure& failure, int seconds, int lineCount) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    steps.resize(std::min(steps.size(), failure.step + 1));
    // The same kind of failure: its first line, without the numbers that shift as steps go.
    auto kind = [](const std::string& what) {
        std::string k = what.substr(0, what.find('\n'));
        k.erase(std::remove_if(k.begin(), k.end(), [](char c) { return c >= '0' && c <= '9'; }), k.end());
        return k;
    };
    auto sameFailure = [&](const std::vector<Step>& candidate) {
        auto f = RunSteps(candidate, lineCount);
        return f && kind(f->what) == kind(failure.what);
    };
    auto inTime = [&] { return std::chrono::steady_clock::now() < deadline; };
    for (size_t chunk = steps.size() / 2; chunk >= 1 && inTime(); chunk /= 2) {
        for (size_t start = 0; start < steps.size() && inTime();) {
            std::vector<Step> candidate(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(start));
            candidate.insert(candidate.end(), steps.begin() + static_cast<std::ptrdiff_t>(std::min(steps.size(), start + chunk)), steps.end());
            if (!candidate.empty() && sameFailure(candidate)) steps = candidate;
            else start += chunk;
        }
    }
    return steps;
}

} // namespace lt::soak
