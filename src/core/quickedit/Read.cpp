#include "quickedit/Read.h"

#include <cstdlib>
#include <string_view>
#include <stdexcept>
#include <vector>

#include "Session.h"
#include "common/NumberText.h"
#include "quickedit/Guard.h"
#include "quickedit/RichScan.h"
#include "quickedit/RichText.h"
#include "storage/Crc.h"

namespace lt {

namespace {

// Longest picture a field can have; no line holds more than 155 characters.
constexpr long long kMaxPicture = 255;

// The lines of a text, each with its line break.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        size_t end = nl == std::string::npos ? text.size() : nl + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

// What a statement says from its fifth character on (after the four-blank indent). A
// statement is recognised by what starts there, so a PRINT text that happens to hold a
// keyword is still a PRINT statement.
std::string_view statementHead(std::string_view line) {
    size_t b = line.find_first_not_of(' ');
    return b == std::string_view::npos ? std::string_view() : line.substr(b);
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// Argument of a statement that starts with keyword + "("; false when the statement is of
// another kind or cut off (no closing parenthesis), which sets nothing.
bool argumentOf(std::string_view statement, std::string_view keyword, std::string& argument) {
    const std::string_view head = statementHead(statement);
    if (!startsWith(head, keyword) || head.size() <= keyword.size() || head[keyword.size()] != '(') return false;
    if (head.find(')', keyword.size()) == std::string_view::npos) return false;
    argument = ChkLine(std::string(head), std::string(keyword), '(', ')');
    return true;
}

bool endsWithParagraphBreak(const std::string& rtf) { return EndsWith(TrimRight(rtf), "\\par\r\n"); }

// Quoted PRINT text back into rich text: "\"" is a quote, "\\" stays the escaped backslash.
std::string unquote(const std::string& quoted) {
    std::string out;
    out.reserve(quoted.size());
    for (size_t i = 0; i < quoted.size(); ++i) {
        char c = quoted[i];
        if (c == '\\' && i + 1 < quoted.size() && quoted[i + 1] == '"') {
            out.push_back('"');
            ++i;
        } else if (c == '\\' && i + 1 < quoted.size() && quoted[i + 1] == '\\') {
            out += "\\\\";
            ++i;
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

long long clampPicture(long long n) {
    if (n > kMaxPicture) return kMaxPicture;
    if (n < -kMaxPicture) return -kMaxPicture;
    return n;
}

std::string emptyMessageBody(int lineCount) {
    std::string body = "\r\n";
    for (int n = 1; n <= lineCount; ++n) body += "LINE" + std::to_string(n) + ":\r\n\r\n";
    return body;
}

void appendToList(std::string& list, const std::string& entry) {
    if (!list.empty()) list += ",";
    list += entry;
}

void readLinesImpl(Session& s, int i);

void readDoLineImpl(Session& s) {
    QuickMessage& m = s.msg;
    const std::string varChar = s.settings.VarChar.empty() ? std::string("^") : s.settings.VarChar.substr(0, 1);
    std::string out;
    std::string state;
    long long variable = 0, width = 0;
    const std::string source = m.WorkText;
    size_t start = 0;
    while (start < source.size()) {
        size_t cr = source.find('\r', start);
        std::string statement = source.substr(start, cr == std::string::npos ? std::string::npos : cr - start);
        start = cr == std::string::npos ? source.size() : cr + 1;
        if (start < source.size() && source[start] == '\n') ++start;
        if (!statement.empty() && statement[0] == '\n') statement.erase(0, 1);

        const std::string head(statementHead(statement));
        const bool blinking = state == "1" || state == "ON";
        const bool steady = state.empty() || state == "-1" || state == "OFF";
        std::string argument;
        auto writeField = [&](const std::string& picture, long long w) {
            if (w == 0 || !(blinking || steady)) return;
            long long n = variable + (w < 0 ? (blinking ? 48 : 32) : (blinking ? 16 : 0));
            out += "\\f" + std::to_string(n) + " \\cf4 " + EscapeRich(picture);
        };
        auto repeat = [&](long long count) {
            std::string r;
            for (long long k = 0; k < count; ++k) r += varChar;
            return r;
        };
        if (argumentOf(statement, "CALL BLINK", argument)) {
            size_t comma = argument.find(',');
            state = Trim(comma == std::string::npos ? argument : argument.substr(comma + 1));
        } else if (StartsWith(head, "LET") && !ChkLet(statement).empty()) {
            std::string let = ChkLet(statement);
            size_t comma = let.find(',');
            if (comma == std::string::npos) {
                variable = ValInt(let);
            } else {
                variable = ValInt(let.substr(0, comma));
                width = clampPicture(ValInt(let.substr(comma + 1)));
            }
        } else if (StartsWith(head, "PRINT USING") &&
                   ChkLine(head, "PRINT USING", '(', ')').find(',') != std::string::npos) {
            std::string arg = ChkLine(head, "PRINT USING", '(', ')');
            size_t comma = arg.find(',');
            long long f = ValInt(arg.substr(0, comma));
            long long w = (f & 15) - 1;
            long long d = clampPicture(f / 16);
            if (Trim(arg.substr(comma + 1)) == "2") w = -w;
            width = w;
            long long whole = std::llabs(w) - d;
            writeField(repeat(whole < 0 ? 0 : whole) + "." + repeat(d < 0 ? 0 : d), w);
        } else if (StartsWith(head, "PRINT VAR") &&
                   ChkLine(head, "PRINT VAR", '(', ')').find(',') != std::string::npos) {
            std::string arg = ChkLine(head, "PRINT VAR", '(', ')');
            size_t comma = arg.find(',');
            variable = ValInt(arg.substr(0, comma));
            width = clampPicture(ValInt(arg.substr(comma + 1)));
            writeField(repeat(std::llabs(width)), width);
        } else if (StartsWith(head, "PRINT")) {
            std::string text = ChkLine(head, "PRINT", '"', '"');
            if (!text.empty() && (blinking || steady)) out += (blinking ? "\\f65 \\cf0 " : "\\f0 \\cf0 ") + unquote(text);
        }
    }
    m.WorkText = out;
}

std::string getCenterImpl(Session& s, const std::string& text, bool centred, int line, bool& state) {
    if (GetText(text).empty()) return text;
    const bool isCentred = centred && s.msg.LineScroll.at(line).empty();
    std::vector<RichToken> tokens;
    size_t pos = 0;
    RichToken t;
    while (NextRichToken(text, pos, t)) tokens.push_back(t);
    int target = -1, firstVisible = -1;
    for (size_t k = 0; k < tokens.size() && firstVisible < 0; ++k)
        if (tokens[k].kind == RichToken::Text && IsKeptChar(tokens[k].ch)) firstVisible = static_cast<int>(k);
    // The padding generation put in front of a centred paragraph is a run of its own that
    // holds nothing but blanks, as many as centring the rest needs: (20 - rest) \ 2. Blanks
    // the person typed at the start of the paragraph come after it and stay.
    size_t dropUntil = 0; // tokens before this index that are blanks are padding
    if (isCentred && firstVisible >= 0) {
        int visible = 0, padding = 0;
        size_t runEnd = static_cast<size_t>(firstVisible);
        bool blanksOnly = true;
        for (size_t k = 0; k < tokens.size(); ++k) {
            const RichToken& x = tokens[k];
            if (x.kind != RichToken::Text || !IsKeptChar(x.ch) || x.ch == '\r' || x.ch == '\n') continue;
            ++visible;
        }
        for (size_t k = static_cast<size_t>(firstVisible); k < tokens.size() && tokens[k].kind == RichToken::Text; ++k) {
            if (!IsKeptChar(tokens[k].ch)) continue;
            if (tokens[k].ch != ' ') blanksOnly = false;
            ++padding;
            runEnd = k + 1;
        }
        if (blanksOnly && padding == (20 - (visible - padding)) / 2) dropUntil = runEnd;
    }
    // The alignment mark opens the paragraph's own text.
    target = firstVisible;
    if (dropUntil > 0) {
        target = -1;
        for (size_t k = dropUntil; k < tokens.size() && target < 0; ++k)
            if (tokens[k].kind == RichToken::Text && IsKeptChar(tokens[k].ch)) target = static_cast<int>(k);
    }
    std::string mark;
    if (isCentred && !state) {
        mark = "\\qc ";
        state = true;
    } else if (!isCentred && state) {
        mark = "\\ql ";
        state = false;
    }
    std::string out;
    out.reserve(text.size() + 4);
    for (size_t k = 0; k < tokens.size(); ++k) {
        const RichToken& x = tokens[k];
        if (static_cast<int>(k) == target) out += mark;
        if (k < dropUntil && x.kind == RichToken::Text && x.ch == ' ') continue;
        out.append(text, x.begin, x.end - x.begin);
    }
    return out;
}

void readLinesImpl(Session& s, int i) {
    QuickMessage& m = s.msg;
    const std::string script = m.LineScript.at(i);
    std::string rtf = "\\sb90\\sa90 ";
    bool state = false, centred = false, cursor = false;
    m.WorkText.clear();
    auto setOnce = [](std::string& field, const std::string& statement, const char* keyword) {
        std::string argument;
        if (argumentOf(statement, keyword, argument) && field.empty()) field = argument;
    };
    auto closeParagraph = [&] {
        Tagged("ReadDoLine", [&] { readDoLineImpl(s); });
        rtf += getCenterImpl(s, m.WorkText, centred, i, state);
        m.WorkText.clear();
        centred = false;
    };
    size_t start = 0;
    while (true) {
        size_t nl = script.find('\n', start);
        if (nl == std::string::npos) break; // no further complete statement
        const std::string statement = script.substr(start, nl + 1 - start);
        start = nl + 1;
        setOnce(m.LineFont.at(i), statement, "CALL FONT_SET");
        setOnce(m.LineBlink.at(i), statement, "CALL BLINK");
        setOnce(m.LineScroll.at(i), statement, "CALL SCROLL");
        setOnce(m.WaitTime, statement, "CALL WAIT");
        setOnce(m.LineRepeat.at(i), statement, "CALL GOTO_MARKER");
        std::string argument;
        if (argumentOf(statement, "CALL CURSOR", argument)) cursor = true;
        if (statement.compare(0, 9, "// Center") == 0) centred = true;
        m.WorkText += statement;
        if (startsWith(statementHead(statement), "CALL WAIT(")) {
            closeParagraph();
            if (!endsWithParagraphBreak(rtf)) rtf += "\\par\r\n";
        }
    }
    closeParagraph();
    if (endsWithParagraphBreak(rtf)) rtf = TrimRight(rtf).substr(0, TrimRight(rtf).size() - 6);
    m.LineRtf.at(i) = rtf;
    if (!m.LineRepeat.at(i).empty()) {
        m.HorizontalScrollMode = cursor;
        m.VerticalScrollMode = !cursor;
    }
}

void checkCrcImpl(Session& s) {
    QuickMessage& m = s.msg;
    s.ui.setStatus("Performing CRC check on message " + Str(m.CurrentMessage));
    std::string body;
    bool inBody = false;
    for (const std::string& line : linesOf(m.BlockText)) {
        if (!inBody) {
            if (!StartsWith(line, "SUB")) continue;
            inBody = true;
            size_t task = line.find("TASK=");
            if (task != std::string::npos) {
                long long value = ValInt(line.substr(task + 5));
                m.MessageTask.at(m.CurrentMessage) = value >= 0 && value <= 3 ? static_cast<int>(value) : 0;
            }
            const std::string key = "CRC value =";
            size_t crc = line.find(key);
            if (crc != std::string::npos) {
                std::string rest = line.substr(crc + key.size());
                while (!rest.empty() && (rest.back() == '\n' || rest.back() == '\r')) rest.pop_back();
                m.StoredCrc = ValInt(Trim(rest));
            }
            continue;
        }
        if (StartsWith(line, "END SUB")) break;
        body += line;
    }
    const long long computed = body == emptyMessageBody(m.LineCount) ? 0 : CalcCrc(body);
    m.ScriptOnly = computed != 0 && computed != m.StoredCrc;
    s.ui.setStatus("");
}

void readFieldsImpl(Session& s) {
    QuickMessage& m = s.msg;
    if (m.LineCount < 1 || m.LineCount > kMaxLines) throw std::out_of_range("line count");
    ClearMessageAttributes(m);
    checkCrcImpl(s);
    if (m.ScriptOnly) return;
    s.ui.setBusy(true);
    s.ui.setStatus("Reading message " + Str(m.CurrentMessage));
    m.SendText = ChkDevice(m.BlockText);
    int current = 0;
    bool inBlock = false, barrier = false;
    for (const std::string& line : linesOf(m.BlockText)) {
        if (StartsWith(line, "SUB")) {
            inBlock = true;
            continue;
        }
        if (!inBlock) continue;
        if (StartsWith(line, "END SUB")) break;
        if (StartsWith(line, "LINE")) {
            barrier = true;
            long long n = ValInt(line.substr(4));
            current = n >= 1 && n <= m.LineCount ? static_cast<int>(n) : -1;
            if (current > 0) m.LineNumber.at(current) = current;
        }
        if (current >= 1) m.LineScript.at(current) += line;
        const std::string_view head = line.size() > 4 ? std::string_view(line).substr(4) : std::string_view();
        std::string argument;
        if (startsWith(head, "CLS")) {
            if (m.ClearScreen.empty()) m.ClearScreen = "CLS";
            barrier = true;
        } else if (startsWith(head, "CALL RELAY(")) {
            if (argumentOf(head, "CALL RELAY", argument) && m.RelayMode.empty()) m.RelayMode = argument;
            barrier = true;
        } else if (startsWith(head, "CALL OUTPUT_DEVICE(")) {
            barrier = true;
        } else if (startsWith(head, "CALL LOCK_BUFFER(")) {
            if (argumentOf(head, "CALL LOCK_BUFFER", argument) && m.LockBuffer.empty()) m.LockBuffer = argument;
        } else if (argumentOf(head, "CALL START_SCRIPT", argument)) {
            appendToList(barrier ? m.StartSameTask : m.StartOtherTask, argument);
        }
    }
    for (int i = 1; i <= m.LineCount; ++i)
        if (m.LineNumber.at(i) == 0) m.LineNumber.at(i) = i;
    for (int i = 1; i <= m.LineCount; ++i) Tagged("ReadLines", [&] { readLinesImpl(s, i); });
    s.ui.setStatus("");
    s.ui.setBusy(false);
}

} // namespace

void ReadFields(Session& s) { Reported(s, "ReadFields", [&] { readFieldsImpl(s); }); }

void CheckCrc(Session& s) { Reported(s, "CheckCrc", [&] { checkCrcImpl(s); }); }

std::string ChkDevice(const std::string& block) {
    const std::vector<std::string> lines = linesOf(block);
    auto findStatement = [&](const std::string& statement) -> int {
        for (size_t k = 0; k < lines.size(); ++k)
            if (startsWith(statementHead(lines[k]), statement)) return static_cast<int>(k);
        return -1;
    };
    int serial = findStatement("CALL OUTPUT_DEVICE(SERIAL)");
    if (serial >= 0) {
        if (static_cast<size_t>(serial) + 1 >= lines.size()) return {};
        std::string rest;
        for (size_t k = static_cast<size_t>(serial) + 1; k < lines.size(); ++k) rest += lines[k];
        rest = TrimLeft(rest);
        size_t display = rest.find("CALL OUTPUT_DEVICE(DISPLAY)");
        if (display == std::string::npos) return {};
        std::string print = TrimRight(rest.substr(0, display));
        if (print.size() < 6) return {};
        print = print.substr(6);
        size_t quote = print.find('"');
        return TrimRight(quote == std::string::npos ? print : print.substr(0, quote));
    }
    if (findStatement("CALL OUTPUT_DEVICE(HOST)") >= 0) return "HOST";
    return {};
}

void ReadLines(Session& s, int line) {
    Reported(s, "ReadLines", [&] { readLinesImpl(s, line); });
}

void ReadDoLine(Session& s) {
    Reported(s, "ReadDoLine", [&] { readDoLineImpl(s); });
}

std::string GetCenter(Session& s, const std::string& text, bool centred, int line, bool& centringState) {
    std::string out = text;
    Reported(s, "GetCenter", [&] { out = getCenterImpl(s, text, centred, line, centringState); });
    return out;
}

std::string ChkLet(const std::string& statement) {
    size_t let = statement.find("LET");
    if (let == std::string::npos) return {};
    size_t var = statement.find("VAR", let + 3);
    if (var == std::string::npos) return {};
    size_t open = statement.find('(', var + 3);
    if (open == std::string::npos) return {};
    size_t close = statement.find(')', open + 1);
    if (close == std::string::npos) return {};
    return statement.substr(open + 1, close - open - 1);
}

} // namespace lt
