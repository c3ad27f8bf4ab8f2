#include "support_soak.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <random>
#include <sstream>

#include "../ui/support_window.h"
#include "quickedit/Read.h"
#include "quickedit/RichText.h"
#include "settings/ProgramMenu.h"
#include "storage/LineReader.h"
#include "storage/PathUtil.h"
#include "storage/WorkStore.h"
#include "ui/widgets/LineEditor.h"

namespace lt::soak {

namespace {

const char* const kOpNames[] = {"Type", "Backspace", "Relay", "Font", "ClearScreen", "Line", "Task", "MsgScroll",
                                "MsgNumber", "Delete", "New", "Save", "SaveAs", "Open", "Recent"};
const char* const kFiles[] = {"soak0.src", "soak1.src", "soak2.src"};
const char* const kNoMessages =
    "This file has no messages. It will be easier to select New file, create the messages and then save it under "
    "the same name.";
const char* const kLeftovers[] = {"TMP$$$.TMP", "TMP1$$.TMP", "TMPFLN.TMP", "TST&&&.TMP", "TST$$$.TST"};

// The value after `value` in a button's cycle, which starts and ends with "".
std::string Next(const std::vector<std::string>& cycle, const std::string& value) {
    const size_t k = std::find(cycle.begin(), cycle.end(), value) - cycle.begin();
    return k + 1 < cycle.size() ? cycle[k + 1] : cycle[0];
}
const std::vector<std::string> kFontCycle = {"", "ENGLISH", "KATAKANA", "SLAVIC", "CYRILLIC"};
const std::vector<std::string> kRelayCycle = {"", "ON", "OFF"};

RefMessage FromRecord(const Session& s, int n, int lineCount) {
    RefMessage m;
    for (int i = 1; i <= lineCount; ++i) {
        m.text[i] = GetText(s.msg.LineRtf[i]);
        m.font[i] = s.msg.LineFont[i];
    }
    m.relay = s.msg.RelayMode;
    m.clear = s.msg.ClearScreen == "CLS";
    m.task = s.msg.MessageTask[n];
    return m;
}

std::string Show(const Messages& messages) {
    std::ostringstream out;
    for (const auto& [n, m] : messages) out << n << ":" << m.key() << " ";
    return out.str();
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

bool RefMessage::blank() const {
    for (int i = 1; i <= 4; ++i)
        if (!text[i].empty()) return false;
    return relay.empty() && !clear;
}

std::string RefMessage::key() const {
    if (blank()) return {};
    std::string k = "task" + std::to_string(task) + (clear ? " CLS" : "") + " relay=" + relay;
    // A line without text makes no statements, so its font is not kept.
    for (int i = 1; i <= 4; ++i) k += " [" + (text[i].empty() ? std::string() : font[i]) + "|" + text[i] + "]";
    return k;
}

std::string Describe(const Step& step) {
    std::string d = kOpNames[static_cast<int>(step.op)];
    if (step.op == Op::Type) return d + " \"" + step.text + "\"";
    switch (step.op) {
    case Op::Line: case Op::Task: case Op::MsgScroll: case Op::MsgNumber:
    case Op::Save: case Op::SaveAs: case Op::Open: case Op::Recent:
        return d + " " + std::to_string(step.value);
    default:
        return d;
    }
}

std::vector<Step> MakeSteps(unsigned seed, int count) {
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    // Weights: mostly typing and moving about, now and then a file command.
    const std::vector<std::pair<Op, int>> weights = {
        {Op::Type, 30}, {Op::Backspace, 8}, {Op::Relay, 3}, {Op::Font, 3}, {Op::ClearScreen, 3},
        {Op::Line, 8}, {Op::Task, 3}, {Op::MsgScroll, 10}, {Op::MsgNumber, 12}, {Op::Delete, 2},
        {Op::New, 1}, {Op::Save, 3}, {Op::SaveAs, 2}, {Op::Open, 2}, {Op::Recent, 2}};
    int total = 0;
    for (const auto& w : weights) total += w.second;
    std::vector<Step> steps;
    for (int k = 0; k < count; ++k) {
        int r = pick(0, total - 1);
        Step step;
        for (const auto& w : weights) {
            if (r < w.second) { step.op = w.first; break; }
            r -= w.second;
        }
        switch (step.op) {
        case Op::Type:
            for (int c = pick(1, 4); c > 0; --c) step.text += "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[pick(0, 35)];
            break;
        case Op::Line: step.value = pick(1, 4); break;
        case Op::Task: step.value = pick(0, 3); break;
        case Op::MsgScroll: step.value = pick(0, 1) ? 1 : -1; break;
        // Mostly low numbers so that messages are met again; now and then the far end.
        case Op::MsgNumber: step.value = pick(0, 9) ? pick(0, 12) : pick(1000, 1023); break;
        case Op::Save: case Op::SaveAs: case Op::Open: step.value = pick(0, 2); break;
        case Op::Recent: step.value = pick(1, 4); break;
        default: break;
        }
        steps.push_back(step);
    }
    return steps;
}

namespace {

class SoakRun {
public:
    explicit SoakRun(int lineCount) : f_(lineCount == 2 ? "7740" : "7780"), lines_(lineCount) {}

    std::optional<Failure> run(const std::vector<Step>& steps) {
        for (size_t k = 0; k < steps.size() && !failed_; ++k) {
            step_ = k;
            performed_ = true;
            perform(steps[k]);
            if (performed_) {
                ++stats_.performed;
                ++stats_.byOp[kOpNames[static_cast<int>(steps[k].op)]];
            }
            if (!failed_) checkWindow();
        }
        if (failed_) return Failure{step_, what_};
        return std::nullopt;
    }
    Stats stats_;

private:
    // --- checks -------------------------------------------------------------------
    bool check(bool ok, const std::string& what) {
        if (!ok && !failed_) {
            failed_ = true;
            what_ = what;
        }
        return ok;
    }

    RefMessage& current() { return model_[cur_]; }
    RefMessage currentOrBlank() const { return currentOrBlankAt(cur_); }
    Messages nonBlank(const Messages& m) const {
        Messages out;
        for (const auto& [n, msg] : m)
            if (!msg.blank()) out[n] = msg;
        return out;
    }
    bool modified() const {
        return headerChanged_ || stored_ || currentOrBlank().key() != loaded_;
    }

    void checkWindow() {
        Session& s = f_.s;
        check(f_.ui.unscripted == 0, "a box nobody expected: " + f_.ui.lastText());
        check(f_.ui.answers.empty() && f_.ui.files.empty(), "a scripted answer was not asked for");
        check(s.msg.CurrentMessage == cur_, "current message " + std::to_string(s.msg.CurrentMessage) +
                                                ", expected " + std::to_string(cur_));
        check(f_.w->currentLine() == line_, "current line " + std::to_string(f_.w->currentLine()) + ", expected " +
                                                std::to_string(line_));
        const RefMessage want = currentOrBlank();
        const std::string shown = f_.w->txtEdit->toPlainText().toStdString();
        check(shown == want.text[line_], "txtEdit shows \"" + shown + "\", expected \"" + want.text[line_] + "\"");
        RefMessage have = FromRecord(s, cur_, lines_);
        have.text[line_] = want.text[line_];
        check(have.key() == want.key(), "record of message " + std::to_string(cur_) + " is " + have.key() +
                                            ", expected " + want.key());
        f_.ui.clear();
    }

    // The work file never holds two copies of a message that is stored in it (a deleted
    // message's old block is left behind unreferenced, and may be met again).
    void checkWorkFile() {
        const std::string path = f_.s.index.WorkFilePath;
        if (path.empty() || !f_.s.fs.exists(path)) return;
        std::map<long long, int> copies = BlockCounts(test::TempDir::readFile(path));
        for (int n = 0; n < kMessageCount; ++n) {
            if (f_.s.index.MessageState[n] != 2 || deletedSinceReset_.count(n)) continue;
            // A message emptied after it was stored is kept as an empty text: no block.
            const int want = currentOrBlankAt(n).blank() ? 0 : 1;
            check(copies[n] == want, "the work file holds " + std::to_string(copies[n]) + " copies of message " +
                                         std::to_string(n) + ", expected " + std::to_string(want) + ":\n" +
                                         test::TempDir::readFile(path));
        }
    }

    // The file on disk re-opens, in a session of its own, to exactly these messages.
    void checkFile(const std::string& path, const Messages& expected) {
        ++stats_.fileChecks;
        std::map<long long, int> copies = BlockCounts(test::TempDir::readFile(path));
        for (const auto& [n, c] : copies)
            check(c == 1, FileNamePart(path) + " holds " + std::to_string(c) + " blocks of message " + std::to_string(n));
        PosixFileSystem disk;
        test::FakeUserPort quiet;
        Session g(disk, quiet);
        g.settings.UnitType = f_.s.settings.UnitType;
        ApplyUnitType(g);
        g.index.CurrentFilePath = path;
        ScanScriptFile(g, path);
        WorkStore store(g);
        Messages found;
        for (int n = 0; n < kMessageCount; ++n) {
            if (g.index.MessageState[n] != 1) continue;
            g.msg.CurrentMessage = n;
            store.LoadMessage(n);
            ReadFields(g);
            RefMessage m = FromRecord(g, n, lines_);
            if (!m.blank()) found[n] = m;
        }
        if (!quiet.boxes.empty() && expected.empty() && quiet.boxes[0].text == kNoMessages)
            quiet.boxes.erase(quiet.boxes.begin());
        check(quiet.boxes.empty(), "re-opening " + FileNamePart(path) + " said: " + quiet.lastText() + "\n  expected " +
                                       Show(expected));
        check(found.size() == expected.size() && Show(found) == Show(expected),
              FileNamePart(path) + " re-opens to " + Show(found) + "\n  expected " + Show(expected));
    }

    void checkNoLeftovers() {
        for (const char* name : kLeftovers) check(!f_.dir.has(name), std::string(name) + " left behind");
    }

    bool editorModified() {
        SubMake(f_.s);
        return WorkStore(f_.s).IsModified();
    }

    // --- the model's side of a message change -----------------------------------------
    void leaveCurrent() {
        if (currentOrBlank().key() != loaded_) stored_ = true;
    }
    // The record was read back from the block: the fonts of lines without text are gone.
    void normalize() {
        auto it = model_.find(cur_);
        if (it == model_.end()) return;
        for (int i = 1; i <= 4; ++i)
            if (it->second.text[i].empty()) it->second.font[i].clear();
    }
    void arrive(int n) {
        cur_ = n;
        normalize();
        line_ = 1;
        loaded_ = currentOrBlank().key();
    }
    void reset(const Messages& messages, const std::string& path) {
        model_ = messages;
        path_ = path;
        headerChanged_ = stored_ = false;
        deletedSinceReset_.clear();
    }

    // The messages the window may pass over when it steps from one message to another.
    void checkSkipped(int from, int to) {
        for (int n = std::min(from, to) + 1; n < std::max(from, to); ++n)
            check(currentOrBlankAt(n).blank(), "stepping from " + std::to_string(from) + " to " + std::to_string(to) +
                                                   " passed over message " + std::to_string(n));
    }
    RefMessage currentOrBlankAt(int n) const {
        auto it = model_.find(n);
        return it == model_.end() ? RefMessage{} : it->second;
    }

    void askIfModified() {
        // The save-changes question comes exactly when the model says there are changes.
        if (modified()) f_.ui.answers.push_back(Answer::No);
        expectQuestion_ = modified();
    }
    void checkQuestion() {
        const bool asked = !f_.ui.boxes.empty() && f_.ui.boxes[0].text == "Do you want to save the changes?";
        check(asked == expectQuestion_, expectQuestion_ ? "unsaved changes were not noticed"
                                                        : "asked to save a file without changes");
        if (asked) f_.ui.boxes.erase(f_.ui.boxes.begin());
    }

    // --- the steps --------------------------------------------------------------------
    void skip() { performed_ = false; }

    void perform(const Step& step) {
        frmQuick& w = *f_.w;
        switch (step.op) {
        case Op::Type: {
            std::string& text = current().text[line_];
            const std::string typed = step.text.substr(0, 20 - std::min<size_t>(20, text.size()));
            if (typed.empty()) return skip();
            QTest::keyClick(w.txtEdit, Qt::Key_End);
            QTest::keyClicks(w.txtEdit, QString::fromStdString(typed));
            // A font chosen on a line without text is not part of the block, so any read-back
            // of the record (a save, a store refused, a question) may have dropped it.
            std::string& font = current().font[line_];
            if (text.empty() && f_.s.msg.LineFont[line_].empty()) font.clear();
            text += typed;
            return;
        }
        case Op::Backspace: {
            std::string& text = current().text[line_];
            if (text.empty()) return skip();
            QTest::keyClick(w.txtEdit, Qt::Key_End);
            QTest::keyClick(w.txtEdit, Qt::Key_Backspace);
            text.pop_back();
            return;
        }
        case Op::Relay:
            if (!w.cmdRelay->isEnabled()) return skip();
            w.cmdRelay->click();
            current().relay = Next(kRelayCycle, current().relay);
            return;
        case Op::Font:
            if (!w.cmdFont->isEnabled()) return skip();
            w.cmdFont->click();
            current().font[line_] = Next(kFontCycle, current().font[line_]);
            return;
        case Op::ClearScreen:
            if (!w.cmdClrScreen->isEnabled()) return skip();
            w.cmdClrScreen->click();
            current().clear = !current().clear;
            return;
        case Op::Line:
            if (step.value > lines_) return skip();
            w.vsbLine->setValue(step.value);
            line_ = step.value;
            return;
        case Op::Task:
            // Setting the scroll bar to the value it already shows changes nothing.
            if (w.vsbTask->value() == step.value) return skip();
            w.vsbTask->setValue(step.value);
            current().task = step.value;
            return;
        case Op::MsgScroll: {
            const int to = cur_ + step.value;
            if (to < 0 || to >= kMessageCount) return skip();
            leaveCurrent();
            const int from = cur_;
            w.vsbMsg->setValue(to);
            const int landed = f_.s.msg.CurrentMessage;
            check(step.value > 0 ? landed > from : landed < from,
                  "the scroll bar moved from " + std::to_string(from) + " to " + std::to_string(landed));
            checkSkipped(from, landed);
            arrive(landed);
            checkWorkFile();
            return;
        }
        case Op::MsgNumber:
            leaveCurrent();
            w.txtMsg->setFocus();
            w.txtMsg->setText(QString::number(step.value));
            QTest::keyClick(w.txtMsg, Qt::Key_Return);
            arrive(step.value);
            checkWorkFile();
            return;
        case Op::Delete: {
            emit w.mnuEdit->aboutToShow();
            if (!w.mnuEditDel->isEnabled()) return skip();
            f_.ui.answers.push_back(Answer::Ok);
            const int gone = cur_;
            w.mnuEditDel->trigger();
            check(!f_.ui.boxes.empty() && f_.ui.boxes[0].text == "Delete message  " + std::to_string(gone) + " ?",
                  "no delete question: " + f_.ui.lastText());
            f_.ui.clear();
            model_.erase(gone);
            headerChanged_ = true;
            deletedSinceReset_.insert(gone);
            const int landed = f_.s.msg.CurrentMessage;
            checkSkipped(gone, landed);
            arrive(landed);
            checkWorkFile();
            return;
        }
        case Op::New:
            askIfModified();
            w.mnuFile[0]->trigger();
            checkQuestion();
            reset({}, "");
            cur_ = 0;
            line_ = 1;
            loaded_.clear();
            return;
        case Op::Save:
            if (path_.empty()) return saveAs(step.value, [&] { w.mnuFile[2]->trigger(); });
            {
                const bool writes = modified();  // an unchanged file is not written again
                w.mnuFile[2]->trigger();
                saved(path_, writes);
            }
            return;
        case Op::SaveAs:
            return saveAs(step.value, [&] { w.mnuFile[3]->trigger(); });
        case Op::Open:
        case Op::Recent: {
            std::string path;
            if (step.op == Op::Open) {
                path = f_.dir.file(kFiles[step.value]);
                if (!files_.count(path)) return skip();
                f_.ui.files.push_back(path);
            } else {
                if (step.value > RecentFileCount(f_.s.settings)) return skip();
                path = f_.s.settings.RecentFiles[step.value];
                check(files_.count(path) == 1, "recent file " + path + " was never saved");
                if (failed_) return;
            }
            askIfModified();
            if (step.op == Op::Open) w.mnuFile[1]->trigger();
            else w.mnuFileArray[step.value]->trigger();
            checkQuestion();
            // A file without blocks says so; the person clicks OK.
            if (!f_.ui.boxes.empty() && f_.ui.boxes[0].text == kNoMessages && files_[path].empty()) {
                f_.ui.boxes.erase(f_.ui.boxes.begin());
                --f_.ui.unscripted;
            }
            check(f_.s.index.CurrentFilePath == path, "opened " + f_.s.index.CurrentFilePath + ", expected " + path);
            reset(files_[path], path);  // every task is 0 again but those of the blocks
            const int first = f_.s.msg.CurrentMessage;
            check(model_.empty() || first <= model_.begin()->first,
                  "open showed message " + std::to_string(first) + " before the first one");
            cur_ = first;
            line_ = 1;
            loaded_ = currentOrBlank().key();
            check(!editorModified(), "a file just opened counts as modified");
            checkFile(path, files_[path]);
            return;
        }
        }
    }

    template <class Trigger>
    void saveAs(int file, Trigger trigger) {
        const std::string path = f_.dir.file(kFiles[file]);
        f_.ui.files.push_back(path);
        const bool exists = f_.dir.has(kFiles[file]);
        const bool writes = path != path_ || modified();
        if (exists) f_.ui.answers.push_back(Answer::Yes);
        trigger();
        if (exists)
            check(!f_.ui.boxes.empty() && f_.ui.boxes[0].text == "The file " + path +
                                                                    " already exists on disk.\r\nDo you want to replace it.",
                  "no replace question");
        f_.ui.clear();
        // Another open file with this name is replaced: its saved contents are these now.
        saved(path, writes);
    }

    // After a save that wrote the file nothing of the work store is left beside it; a save
    // that had nothing to write leaves the directory as it was (a stale work file of a
    // discarded edit goes at the next store).
    void saved(const std::string& path, bool wrote) {
        check(f_.s.index.CurrentFilePath == path, "saved as " + f_.s.index.CurrentFilePath + ", expected " + path);
        path_ = path;
        normalize();
        files_[path] = nonBlank(model_);
        headerChanged_ = stored_ = false;
        deletedSinceReset_.clear();
        loaded_ = currentOrBlank().key();
        if (wrote) checkNoLeftovers();
        check(!editorModified(), "a file just saved counts as modified");
        checkFile(path, files_[path]);
    }

    test::WindowFixture f_;
    int lines_;
    Messages model_;
    std::map<std::string, Messages> files_;  // what each saved file holds
    std::string path_;
    int cur_ = 0;
    int line_ = 1;
    std::string loaded_;        // key of the current message when it was fetched
    bool stored_ = false;       // a changed message went into the work file since the last save
    bool headerChanged_ = false;
    std::set<int> deletedSinceReset_;
    bool expectQuestion_ = false;
    size_t step_ = 0;
    bool performed_ = false;
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

std::vector<Step> Shrink(std::vector<Step> steps, const Failure& failure, int budget, int lineCount) {
    steps.resize(std::min(steps.size(), failure.step + 1));
    auto sameFailure = [&](const std::vector<Step>& candidate) {
        auto f = RunSteps(candidate, lineCount);
        return f && f->what == failure.what;
    };
    for (size_t chunk = steps.size() / 2; chunk >= 1 && budget > 0; chunk /= 2) {
        for (size_t start = 0; start < steps.size() && budget > 0;) {
            std::vector<Step> candidate(steps.begin(), steps.begin() + start);
            candidate.insert(candidate.end(), steps.begin() + std::min(steps.size(), start + chunk), steps.end());
            --budget;
            if (!candidate.empty() && sameFailure(candidate)) steps = candidate;
            else start += chunk;
        }
        if (chunk == 1) break;
    }
    return steps;
}

} // namespace lt::soak
