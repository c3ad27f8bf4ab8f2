#include "support_invariant.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <sstream>

#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "Session.h"
#include "lexmill/Compiler.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "quickedit/RichText.h"
#include "storage/ScriptFile.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"

namespace lt::soak {

namespace {

std::string withoutBlanks(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

std::string rtrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// The text of a line with the marks and alignment that govern each character, in a form
// that does not depend on how the control words are grouped. A centred paragraph of 20 or
// more characters, or on a continuously scrolling line, is shown as it is printed: flush left.
std::string lineView(const std::string& rtf, bool continuous) {
    int paragraphs = 0;
    const std::vector<RichRun> runs = SplitRuns(rtf, &paragraphs);
    std::vector<size_t> length(static_cast<size_t>(paragraphs) + 1, 0);
    for (const RichRun& r : runs) length[static_cast<size_t>(r.paragraph)] += r.text.size();
    std::string out;
    int lastParagraph = -1, lastMark = -1;
    for (const RichRun& r : runs) {
        const bool centred = r.centred && !continuous && length[static_cast<size_t>(r.paragraph)] < 20;
        if (r.paragraph != lastParagraph) out += "\n  [" + std::string(centred ? "centre" : "left") + "] ";
        if (r.paragraph != lastParagraph || r.mark != lastMark) out += "<" + std::to_string(r.mark) + ">";
        out += r.text;
        lastParagraph = r.paragraph;
        lastMark = r.mark;
    }
    return out;
}

// Everything of the record that its block carries.
std::string recordView(const QuickMessage& m) {
    std::ostringstream v;
    v << "task " << m.MessageTask[static_cast<size_t>(m.CurrentMessage)] << " cls=" << !m.ClearScreen.empty()
      << " relay=" << m.RelayMode << " other=" << withoutBlanks(m.StartOtherTask)
      << " same=" << withoutBlanks(m.StartSameTask) << " send=" << rtrim(m.SendText) << " lock=" << !m.LockBuffer.empty();
    bool repeats = false;
    for (int i = 1; i <= m.LineCount; ++i) {
        if (GetText(m.LineRtf[i]).find_first_not_of("\r\n") == std::string::npos) continue;  // shows nothing
        v << "\nline " << i << " row=" << m.LineNumber[i] << " font=" << m.LineFont[i] << " blink=" << m.LineBlink[i]
          << " scroll=" << m.LineScroll[i] << " repeat=" << m.LineRepeat[i]
          << lineView(m.LineRtf[i], !m.LineScroll[i].empty());
        repeats = repeats || !m.LineRepeat[i].empty();
    }
    if (repeats) v << "\nwait=" << m.WaitTime << " horizontal=" << m.HorizontalScrollMode;
    return v.str();
}

std::string limitsBroken(const QuickMessage& m) {
    for (int i = 1; i <= m.LineCount; ++i) {
        const std::string& rtf = m.LineRtf[i];
        const bool breaks = HasControlWord(rtf, "par");
        const size_t length = GetText(rtf).size();
        const std::string which = "line " + std::to_string(i);
        if (!m.LineScroll[i].empty()) {
            if (breaks) return which + " scrolls continuously but holds blocks";
            if (length > 155) return which + " scrolls continuously with " + std::to_string(length) + " characters";
        } else if (!m.LineRepeat[i].empty()) {
            for (const std::string& block : SplitParagraphs(rtf))
                if (GetText(block).size() > 20) return which + " has a block of " + std::to_string(GetText(block).size()) + " characters";
        } else {
            if (breaks) return which + " is a fixed line of several blocks";
            if (length > 20) return which + " is a fixed line of " + std::to_string(length) + " characters";
        }
    }
    return {};
}

bool says(const QPushButton* b, const char* word) { return b->text().contains(QLatin1String(word)); }

std::string captionsBroken(const QuickMessage& m, const frmQuick& w, int line) {
    auto wrong = [](const QPushButton* b) { return b->objectName().toStdString() + " reads \"" + b->text().toStdString() + "\""; };
    if (says(w.cmdBlink, "ON") != !m.LineBlink[line].empty()) return wrong(w.cmdBlink) + " with blink \"" + m.LineBlink[line] + "\"";
    if (says(w.cmdSend, "ON") != !m.SendText.empty()) return wrong(w.cmdSend) + " with send text \"" + m.SendText + "\"";
    if ((says(w.cmdStart, "On") || says(w.cmdStart, "ON")) != !(m.StartOtherTask + m.StartSameTask).empty())
        return wrong(w.cmdStart);
    if (says(w.cmdClrScreen, "ON") != !m.ClearScreen.empty()) return wrong(w.cmdClrScreen);
    if (says(w.cmdVar, "ON") != CheckVariable(m.LineRtf[line])) return wrong(w.cmdVar);
    const bool relayOk = m.RelayMode == "ON"    ? w.cmdRelay->text() == "Turn &Relay ON"
                         : m.RelayMode == "OFF" ? w.cmdRelay->text() == "Turn &Relay OFF"
                                                : w.cmdRelay->text() == "No &Relay";
    if (!relayOk) return wrong(w.cmdRelay) + " with relay \"" + m.RelayMode + "\"";
    if (says(w.cmdFont, "OFF") != m.LineFont[line].empty()) return wrong(w.cmdFont);
    const bool horizontal = !m.LineScroll[line].empty() || (!m.LineRepeat[line].empty() && m.HorizontalScrollMode);
    if (says(w.cmdScroll, "ON") != horizontal) return wrong(w.cmdScroll);
    const bool vertical = !m.LineRepeat[line].empty() && m.VerticalScrollMode && !m.HorizontalScrollMode;
    if (says(w.cmdWait, "ON") != vertical) return wrong(w.cmdWait);
    if (m.LineScroll[line].empty() && says(w.cmdCenter, "ON") != w.txtEdit->centredAtCursor())
        return wrong(w.cmdCenter) + " while the paragraph at the cursor is " +
               (w.txtEdit->centredAtCursor() ? "centred" : "not centred") + " (cursor at " +
               std::to_string(w.txtEdit->textCursor().position()) + " in " + m.LineRtf[line] + ")";
    return {};
}

} // namespace

std::string CurrentBlock(const Session& s) {
    const QuickMessage& m = s.msg;
    if (!s.run.ScriptEditMode && !m.ScriptOnly) return GenerateBlock(m);
    const int n = m.CurrentMessage;
    if (m.BlockText == EmptyBlock(n, m.MessageTask[static_cast<size_t>(n)], m.LineCount)) return {};
    return m.BlockText;
}

std::string CompileErrors(const std::string& unitType, const std::string& block) {
    lexmill::CompileOptions options;
    options.includeDir = LT_SOURCE_DIR "/data/";
    const auto result = lexmill::compileSource(ScriptHeader(unitType, "2") + block + "\r\n", "SOAK.SRC", options);
    return result.diagnostics.errorCount() == 0 ? std::string() : result.diagnostics.errorFileText();
}

std::string CheckInvariant(const Session& s, frmQuick& w, bool compileScript) {
    const QuickMessage& m = s.msg;
    for (int r = 1; r <= 4; ++r) {
        const std::string& shown = w.simulation().row(r);
        if (shown.size() > 20) return "simulation row " + std::to_string(r) + " is \"" + shown + "\"";
    }
    const std::string block = CurrentBlock(s);
    const bool generated = !s.run.ScriptEditMode && !m.ScriptOnly;
    if (!block.empty() && (generated || compileScript)) {
        const std::string errors = CompileErrors(s.settings.UnitType, block);
        if (!errors.empty()) return "the block does not compile:\n" + errors + block;
    }
    if (s.run.ScriptEditMode) {
        if (w.txtAdvEdit->toPlainText().toLatin1().replace("\n", "\r\n").toStdString() != m.BlockText)
            return "Script Edit shows another text than the block";
        return {};
    }
    if (m.ScriptOnly) return {};

    const int line = w.currentLine();
    QString shown = w.txtEdit->toPlainText();
    shown.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (shown.toStdString() != GetText(m.LineRtf[line]))
        return "txtEdit shows \"" + shown.toStdString() + "\", the record holds \"" + GetText(m.LineRtf[line]) + "\"";
    if (std::string broken = limitsBroken(m); !broken.empty()) return broken;
    if (std::string broken = captionsBroken(m, w, line); !broken.empty()) return broken;
    if (block.empty()) return {};

    test::MemoryFileSystem fs;
    test::FakeUserPort quiet;
    Session g(fs, quiet);
    g.settings = s.settings;
    g.msg.LineCount = m.LineCount;
    g.msg.CurrentMessage = m.CurrentMessage;
    g.msg.BlockText = block;
    ReadFields(g);
    if (g.msg.ScriptOnly) return "the generated block reads as edited by hand:\n" + block;
    const std::string before = recordView(m), after = recordView(g.msg);
    if (before != after) return "the block reads back as\n" + after + "\ninstead of\n" + before + "\n" + block;
    const std::string again = GenerateBlock(g.msg);
    if (again != block) return "the read-back record generates\n" + again + "instead of\n" + block;
    return {};
}

} // namespace lt::soak
