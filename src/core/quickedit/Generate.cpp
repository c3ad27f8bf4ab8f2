#include "quickedit/Generate.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "Session.h"
#include "common/NumberText.h"
#include "quickedit/Guard.h"
#include "quickedit/Read.h"
#include "quickedit/RichScan.h"
#include "quickedit/RichText.h"
#include "storage/Crc.h"

namespace lt {

RescueSteps QuickEditRescue(Session& s) {
    RescueSteps steps;
    steps.buildBlock = [&s] { SubMake(s); };
    steps.readBlock = [&s] { ReadFields(s); };
    return steps;
}

namespace {

const char* const kCrlf = "\r\n";

std::string num(long long n) { return std::to_string(n); }

bool shortText(size_t length) { return length >= 1 && length <= 19; }

// The alignment in force at the end of a paragraph, starting from the one it inherits: the
// last of "qc" (centred), "ql" or "pard" (left) wins, and an empty paragraph still hands its
// alignment on to the next one.
bool AlignmentAfter(const std::string& paragraph, bool inherited) {
    size_t pos = 0;
    RichToken t;
    while (NextRichToken(paragraph, pos, t)) {
        if (t.kind != RichToken::ControlWord) continue;
        if (t.word == "qc") inherited = true;
        else if (t.word == "ql" || t.word == "pard") inherited = false;
    }
    return inherited;
}

std::string centringPadding(size_t length) {
    return "\\f0 \\cf0 " + std::string((20 - length) / 2, ' ');
}

// Text inside the quotes of a print statement.
std::string escapeForPrint(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 4);
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        if (c == '"') out += "\\\"";
        else if (c == '\\') out += "\\\\";
        else if (c == ' ' || (u >= 33 && u <= 127)) out.push_back(c);
    }
    return out;
}

// Runs for generation: a group of control words followed by text; the mark that governs
// the text is the last font mark met (carried over groups without one).
struct GenRun {
    int mark;
    std::string text; // kept characters, unescaped
};

std::vector<GenRun> generationRuns(const std::string& fragment) {
    std::vector<GenRun> runs;
    size_t pos = RichBodyStart(fragment);
    int mark = 0;
    bool afterWord = true;
    RichToken t;
    while (NextRichToken(fragment, pos, t)) {
        if (t.kind == RichToken::ControlWord) {
            if (t.word == "f") mark = FontMark(t);
            afterWord = true;
            continue;
        }
        if (afterWord || runs.empty()) runs.push_back(GenRun{mark, std::string()});
        afterWord = false;
        if (IsKeptChar(t.ch)) runs.back().text.push_back(t.ch);
    }
    return runs;
}

void appendTextStatementsImpl(std::string& out, const std::string& fragment, const std::string& blinkArgument) {
    bool blinking = false;
    for (const GenRun& run : generationRuns(fragment)) {
        std::string statements;
        if (IsVariableMark(run.mark)) {
            const size_t length = run.text.size();
            if (length == 0) continue;
            const int v = VariableOfMark(run.mark);
            const bool zeros = IsLeadingZerosMark(run.mark);
            size_t dot = run.text.find('.');
            if (dot == std::string::npos) {
                long long width = zeros ? -static_cast<long long>(length) : static_cast<long long>(length);
                statements = "    PRINT VAR(" + num(v) + "," + Str(width) + ");" + kCrlf;
            } else {
                size_t decimals = length - dot - 1;
                size_t f = 16 * decimals + length;
                statements = "    LET A=VAR(" + num(v) + ")" + kCrlf + "    PRINT USING(" + num(f) +
                             (zeros ? ",2);A;" : ",0);A;") + kCrlf;
            }
        } else {
            std::string quoted = escapeForPrint(run.text);
            if (quoted.empty()) continue;
            statements = "    PRINT\"" + quoted + "\";" + kCrlf;
        }
        const bool runBlinks = IsBlinkingMark(run.mark);
        if (runBlinks && !blinking) out += "    CALL BLINK(" + blinkArgument + ")" + kCrlf;
        if (!runBlinks && blinking) out += std::string("    CALL BLINK(-1)") + kCrlf;
        blinking = runBlinks;
        out += statements;
    }
    if (blinking) out += std::string("    CALL BLINK(-1)") + kCrlf;
}

// The text statements of a fragment (MakeDoLine).
void appendTextStatements(std::string& out, const std::string& fragment, const std::string& blinkArgument) {
    Tagged("MakeDoLine", [&] { appendTextStatementsImpl(out, fragment, blinkArgument); });
}

std::string fontStatement(const std::string& font) {
    return font.empty() ? std::string() : Padded("    CALL FONT_SET(" + font + ")", "// Invoke specified font ");
}

std::string plainSection(const QuickMessage& m, int i, const std::string& label, size_t length) {
    const std::string n = num(m.LineNumber.at(i));
    const std::string& scroll = m.LineScroll.at(i);
    std::string rtf = m.LineRtf.at(i);
    const bool fits = shortText(length) && scroll.empty();
    std::string out = label + "    CALL CURSOR(" + n + ",1)" + kCrlf;
    if (fits && AlignmentAfter(rtf, false)) {
        out += std::string("// Center line") + kCrlf;
        rtf = centringPadding(length) + rtf;
    }
    out += fontStatement(m.LineFont.at(i));
    if (!scroll.empty()) out += Padded("    CALL SCROLL(" + scroll + ")", "// Turn the scroll on");
    appendTextStatements(out, rtf, m.LineBlink.at(i));
    if (fits) out += Padded("    CALL ERASE_TO_EOL(CURRENT,CURRENT)", "// Erase to the end of the line");
    if (!scroll.empty()) out += std::string("    EOT") + kCrlf;
    return out;
}

std::string repeatingSection(const QuickMessage& m, int i, const std::string& label) {
    std::string out = label;
    const bool horizontal = m.HorizontalScrollMode;
    if (!horizontal && !m.VerticalScrollMode) return out;
    const std::string n = num(m.LineNumber.at(i));
    out += fontStatement(m.LineFont.at(i));
    out += std::string("    CALL DROP_MARKER(0)") + kCrlf;

    struct Paragraph {
        std::string rtf;
        size_t length;
        bool centred;
    };
    std::vector<Paragraph> paragraphs;
    bool align = false;
    for (auto& p : SplitParagraphs(m.LineRtf.at(i))) {
        size_t length = GetText(p).size();
        align = AlignmentAfter(p, align);
        // Paragraphs without text add nothing; numbering counts the ones that print.
        if (length > 0) paragraphs.push_back(Paragraph{std::move(p), length, align});
    }
    const std::string pause =
        m.WaitTime.empty() ? std::string() : Padded("    CALL WAIT(" + m.WaitTime + ")", "// Pause program execution ");
    std::string comment;
    for (size_t k = 0; k < paragraphs.size(); ++k) {
        std::string rtf = paragraphs[k].rtf;
        const size_t length = paragraphs[k].length;
        const bool centring = paragraphs[k].centred;
        std::string erase;
        std::string thisComment = comment;
        if (shortText(length)) {
            erase = Padded("    CALL ERASE_TO_EOL(-1,-1)", "// Erase to the end of the line");
            if (centring) {
                rtf = centringPadding(length) + rtf;
                comment = "// Center block " + num(static_cast<long long>(k + 1)) + kCrlf;
            } else {
                comment = "// Don't center block " + num(static_cast<long long>(k + 1)) + kCrlf;
            }
            thisComment = comment;
        } else if (!horizontal && k + 1 < paragraphs.size()) {
            thisComment.clear();
        }
        if (horizontal) out += "    CALL CURSOR(" + n + ",1)" + kCrlf + thisComment;
        else out += thisComment + "    PRINT" + kCrlf;
        appendTextStatements(out, rtf, m.LineBlink.at(i));
        out += erase;
        out += pause;
    }
    out += "    CALL GOTO_MARKER(" + m.LineRepeat.at(i) + ")" + kCrlf;
    return out;
}

std::string lineSection(const QuickMessage& m, int i) {
    return Tagged("LineMake", [&]() -> std::string {
        const std::string text = GetText(m.LineRtf.at(i));
        // A line without characters (empty, or a scrolling line whose blocks were all
        // emptied) shows nothing and writes nothing.
        if (text.find_first_not_of("\r\n") == std::string::npos) return {};
        const size_t length = text.size();
        const std::string label = "LINE" + num(m.LineNumber.at(i)) + ":" + kCrlf;
        if (m.LineRepeat.at(i).empty()) return plainSection(m, i, label, length);
        return repeatingSection(m, i, label);
    });
}

std::vector<std::string> startEntries(const std::string& list) {
    std::vector<std::string> entries;
    size_t start = 0;
    while (entries.size() < 4) {
        size_t comma = list.find(',', start);
        entries.push_back(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return entries;
}

std::string startStatements(const std::string& list, const char* comment) {
    std::string out;
    if (list.empty()) return out;
    for (const auto& e : startEntries(list))
        if (!e.empty()) out += Padded("    CALL START_SCRIPT(" + e + ")", comment);
    return out;
}

std::string deviceStatements(const std::string& send) {
    if (send.empty()) return {};
    if (send == "HOST")
        return Padded("    CALL OUTPUT_DEVICE(HOST)", "// Send current meaage to 7700 (Version 2 unit only) slave");
    return std::string("// Send specified text in PRINT command below through serial port out") + kCrlf +
           "    CALL OUTPUT_DEVICE(SERIAL)" + kCrlf + "    PRINT\"" + send + "\";" + kCrlf +
           "    CALL OUTPUT_DEVICE(DISPLAY)" + kCrlf;
}

std::string buildBlock(const QuickMessage& m, std::array<std::string, kMaxLines + 1>* scripts) {
    if (m.LineCount < 1 || m.LineCount > kMaxLines) throw std::out_of_range("line count");
    std::vector<std::string> sections(m.LineCount + 1);
    for (int i = 1; i <= m.LineCount; ++i) {
        sections[i] = lineSection(m, i);
        if (scripts) (*scripts)[i] = sections[i];
    }
    const std::string others = startStatements(m.StartOtherTask, "// Start message on different task ");
    const std::string same = startStatements(m.StartSameTask, "// Start message on same task ");
    const std::string cls =
        m.ClearScreen.empty() ? std::string() : Padded("    CLS", "// Clear entire screen upon starting this message");
    std::string relay;
    if (m.RelayMode == "ON") relay = Padded("    CALL RELAY(ON)", "// Turn relay on upon starting this message");
    else if (m.RelayMode == "OFF") relay = Padded("    CALL RELAY(OFF)", "// Turn relay off upon starting this message");
    // A scrolling or repeating line goes last, where the unit loops on it.
    const int last = m.LineCount;
    for (int i = 1; i <= last; ++i)
        if ((!m.LineRepeat.at(i).empty() || !m.LineScroll.at(i).empty()) && !sections[i].empty() && i != last)
            std::swap(sections[i], sections[last]);
    std::string lines;
    for (int i = 1; i <= last; ++i) lines += sections[i];
    const std::string device = deviceStatements(m.SendText);
    if (lines.empty() && others.empty() && same.empty() && device.empty() && relay.empty() && cls.empty())
        return {};
    std::string lockOn, lockOff;
    if (!m.LockBuffer.empty()) {
        lockOn = Padded("    CALL LOCK_BUFFER(ON)",
                        "// Lock the current message-can't be interrupted until completely executed");
        lockOff = Padded("    CALL LOCK_BUFFER(OFF)", "// Unlock the current message");
    }
    std::string body;
    body.reserve(256 + lines.size());
    body += kCrlf;
    body += "// Caution! Manually editing will prevent Quick Edit from loading this message.";
    body += kCrlf;
    body += kCrlf;
    body += others;
    body += device;
    body += lockOn;
    body += cls;
    body += relay;
    body += lines;
    body += lockOff;
    body += same;
    std::string block = "SUB " + num(m.CurrentMessage) + "(TASK=" + num(m.MessageTask.at(m.CurrentMessage)) +
                        ")    // CRC value =" + Str(CalcCrc(body)) + kCrlf;
    block.reserve(block.size() + body.size() + 10);
    block += body;
    block += "END SUB";
    block += kCrlf;
    return block;
}

} // namespace

std::string Padded(const std::string& statement, const std::string& comment) {
    const size_t width = kCommentColumn - 1;
    std::string out = statement;
    if (out.size() < width) out.append(width - out.size(), ' ');
    out += comment;
    out += kCrlf;
    return out;
}

std::string GenerateBlock(const QuickMessage& m) { return buildBlock(m, nullptr); }

void SubMake(Session& s) {
    QuickMessage& m = s.msg;
    if (m.ScriptOnly) return;
    s.ui.setBusy(true);
    s.ui.setStatus("Assembling message " + Str(m.CurrentMessage));
    bool ok = Reported(s, "SubMake", [&] { m.BlockText = buildBlock(m, &m.LineScript); });
    if (!ok) return;
    s.ui.setStatus("");
    s.ui.setBusy(false);
}

void LineMake(Session& s, int line) {
    Reported(s, "LineMake", [&] { s.msg.LineScript.at(line) = lineSection(s.msg, line); });
}

void MakeDoLine(Session& s, const std::string& fragment, int line) {
    Reported(s, "MakeDoLine", [&] {
        std::string& script = s.msg.LineScript.at(line);
        appendTextStatements(script, fragment, s.msg.LineBlink.at(line));
    });
}

} // namespace lt
