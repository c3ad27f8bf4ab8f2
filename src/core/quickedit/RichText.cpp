#include "quickedit/RichText.h"

#include <exception>

#include "Session.h"
#include "quickedit/RichScan.h"
#include "storage/Rescue.h"

namespace lt {

std::string EscapeRich(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 4);
    for (char c : text) {
        if (c == '\\') out += "\\\\";
        else out.push_back(c);
    }
    return out;
}

std::string GetText(const std::string& fragment) {
    std::string out;
    out.reserve(fragment.size());
    size_t pos = RichBodyStart(fragment);
    RichToken t;
    while (NextRichToken(fragment, pos, t))
        if (t.kind == RichToken::Text && IsKeptChar(t.ch)) out.push_back(t.ch);
    return out;
}

std::string ChkLine(const std::string& statement, const std::string& keyword, char open, char close) {
    size_t k = statement.find(keyword);
    if (k == std::string::npos) return {};
    size_t o = statement.find(open, k + keyword.size());
    if (o == std::string::npos) return {};
    if (open == close) {
        for (size_t i = o + 1; i < statement.size(); ++i) {
            if (statement[i] == '\\' && i + 1 < statement.size()) {
                ++i; // an escaped quote or backslash stays inside the text
                continue;
            }
            if (statement[i] == close) return statement.substr(o + 1, i - o - 1);
        }
        return {};
    }
    int depth = 0;
    for (size_t i = o; i < statement.size(); ++i) {
        if (statement[i] == open) ++depth;
        else if (statement[i] == close && --depth == 0) return statement.substr(o + 1, i - o - 1);
    }
    return {};
}

bool HasControlWord(const std::string& fragment, const std::string& word) {
    size_t pos = 0;
    RichToken t;
    while (NextRichToken(fragment, pos, t))
        if (t.kind == RichToken::ControlWord && t.word == word) return true;
    return false;
}

std::vector<std::string> SplitParagraphs(const std::string& fragment) {
    std::vector<std::string> out;
    size_t pos = 0, start = 0;
    RichToken t;
    while (NextRichToken(fragment, pos, t)) {
        if (t.kind == RichToken::ControlWord && t.word == "par" && t.end - t.begin == 4 &&
            fragment.compare(t.end, 2, "\r\n") == 0) {
            out.push_back(fragment.substr(start, t.begin - start));
            pos = t.end + 2;
            start = pos;
        }
    }
    out.push_back(fragment.substr(start));
    return out;
}

std::string BlinkText(const std::string& fragment) {
    std::string out;
    out.reserve(fragment.size());
    size_t pos = RichBodyStart(fragment);
    int mark = 0;
    RichToken t;
    while (NextRichToken(fragment, pos, t)) {
        if (t.kind == RichToken::ControlWord) {
            if (t.word == "f") mark = FontMark(t);
            continue;
        }
        if (!IsKeptChar(t.ch)) continue;
        bool lineBreak = t.ch == '\r' || t.ch == '\n';
        out.push_back(IsBlinkingMark(mark) && !lineBreak ? ' ' : t.ch);
    }
    return out;
}

std::string BlinkText(Session& s, const std::string& fragment) {
    try {
        return BlinkText(fragment);
    } catch (const std::exception&) {
        s.ui.messageBox(Box("Unexpected error in module Blink Text. Blinking text may appear not blinking in "
                            "message simulation display."));
        return GetText(fragment);
    }
}

bool CheckBlink(const std::string& fragment) {
    size_t pos = RichBodyStart(fragment);
    int mark = 0;
    RichToken t;
    while (NextRichToken(fragment, pos, t)) {
        if (t.kind == RichToken::ControlWord) {
            if (t.word == "f") mark = FontMark(t);
        } else if (IsBlinkingMark(mark) && IsKeptChar(t.ch) && t.ch != '\r' && t.ch != '\n') {
            return true;
        }
    }
    return false;
}

bool CheckVariable(const std::string& fragment) {
    size_t pos = 0;
    RichToken t;
    while (NextRichToken(fragment, pos, t))
        if (t.kind == RichToken::ControlWord && t.word == "f" && t.hasNumber && t.number >= 1 && t.number <= 64)
            return true;
    return false;
}

int CountVariables(const std::string& fragment) {
    size_t pos = RichBodyStart(fragment);
    int count = 0;
    bool open = false; // a field mark waiting for its first character
    RichToken t;
    while (NextRichToken(fragment, pos, t)) {
        if (t.kind == RichToken::ControlWord) {
            if (t.word == "f") open = IsVariableMark(FontMark(t));
        } else if (open && IsKeptChar(t.ch)) {
            ++count;
            open = false;
        }
    }
    return count;
}

std::vector<RichRun> SplitRuns(const std::string& fragment, int* paragraphCount) {
    std::vector<RichRun> runs;
    std::vector<bool> centred{false};
    size_t pos = RichBodyStart(fragment);
    int mark = 0, paragraph = 0;
    bool align = false;
    bool startNew = true;
    RichToken t;
    while (NextRichToken(fragment, pos, t)) {
        if (t.kind == RichToken::ControlWord) {
            if (t.word == "f") {
                int m = FontMark(t);
                if (m != mark) startNew = true;
                mark = m;
            } else if (t.word == "qc") {
                align = true;
            } else if (t.word == "ql" || t.word == "pard") {
                align = false;
            } else if (t.word == "par") {
                centred[paragraph] = align;
                ++paragraph;
                centred.push_back(align);
                startNew = true;
                if (fragment.compare(pos, 2, "\r\n") == 0) pos += 2;
                else if (pos < fragment.size() && fragment[pos] == '\n') ++pos;
            }
            continue;
        }
        if (!IsKeptChar(t.ch)) continue;
        if (startNew || runs.empty()) {
            runs.push_back(RichRun{mark, std::string(), false, paragraph});
            startNew = false;
        }
        runs.back().text.push_back(t.ch);
    }
    centred[paragraph] = align;
    for (auto& r : runs) r.centred = centred[r.paragraph];
    if (paragraphCount) *paragraphCount = paragraph + 1;
    return runs;
}

namespace {

struct BlinkItem {
    bool text;
    int mark;
    std::string value; // raw control word(s), or unescaped text
};

bool allBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

int toggledMark(int mark, bool makeBlinking) {
    if (makeBlinking) {
        if (mark == 0) return kBlinkMark;
        if ((mark >= 1 && mark <= 16) || (mark >= 33 && mark <= 48)) return mark + 16;
        return mark;
    }
    if (mark == kBlinkMark) return 0;
    if ((mark >= 17 && mark <= 32) || (mark >= 49 && mark <= 64)) return mark - 16;
    return mark;
}

void pushText(std::vector<BlinkItem>& out, int mark, const std::string& text) {
    if (text.empty()) return;
    if (!out.empty() && out.back().text && out.back().mark == mark) out.back().value += text;
    else out.push_back(BlinkItem{true, mark, text});
}

} // namespace

namespace {

// Blinking on or off over a fragment; `direction` < 0 lets the first run with visible
// text decide (toggling), 0 makes everything steady, 1 everything blinking.
std::string SetBlinking(const std::string& fragment, int direction) {
    const size_t body = RichBodyStart(fragment);
    std::vector<BlinkItem> items;
    size_t pos = body;
    int mark = 0;
    int firstMark = -1, firstTextMark = -1;
    RichToken t;
    while (NextRichToken(fragment, pos, t)) {
        if (t.kind == RichToken::ControlWord) {
            if (t.word == "f") {
                mark = FontMark(t);
                if (firstMark < 0) firstMark = mark;
            } else if (t.word != "cf" && !t.word.empty()) {
                // A lone backslash means nothing and is dropped rather than glued to a mark.
                items.push_back(BlinkItem{false, 0, fragment.substr(t.begin, t.end - t.begin)});
            }
            continue;
        }
        if (t.ch == '\r' || t.ch == '\n') {
            items.push_back(BlinkItem{false, 0, std::string(1, t.ch)});
            continue;
        }
        if (firstTextMark < 0 && t.ch != ' ') firstTextMark = mark;
        if (!items.empty() && items.back().text && items.back().mark == mark) items.back().value.push_back(t.ch);
        else items.push_back(BlinkItem{true, mark, std::string(1, t.ch)});
    }
    // The first run with visible text decides the direction: a selection that starts with
    // a blank left steady by an earlier toggle still toggles its blinking text back.
    int decider = firstTextMark >= 0 ? firstTextMark : (firstMark >= 0 ? firstMark : 0);
    const bool makeBlinking = direction < 0 ? !IsBlinkingMark(decider) : direction == 1;

    std::vector<BlinkItem> out;
    for (const auto& item : items) {
        if (!item.text) {
            out.push_back(item);
            continue;
        }
        if (allBlank(item.value)) {
            pushText(out, item.mark, item.value);
            continue;
        }
        int target = toggledMark(item.mark, makeBlinking);
        if (makeBlinking && item.mark == 0) {
            // Blanks never blink: they stay ordinary text around the blinking core.
            size_t first = item.value.find_first_not_of(' ');
            size_t last = item.value.find_last_not_of(' ');
            pushText(out, 0, item.value.substr(0, first));
            pushText(out, target, item.value.substr(first, last - first + 1));
            pushText(out, 0, item.value.substr(last + 1));
        } else {
            pushText(out, target, item.value);
        }
    }
    std::string result = fragment.substr(0, body);
    for (const auto& item : out) {
        if (item.text) result += MarkPrefix(item.mark) + EscapeRich(item.value);
        else result += item.value;
    }
    return result;
}

} // namespace

std::string MakeBlink(const std::string& fragment) { return SetBlinking(fragment, -1); }

std::string MakeSteady(const std::string& fragment) {
    return CheckBlink(fragment) ? SetBlinking(fragment, 0) : fragment;
}

std::string TruncateText(std::string& text, int n) {
    struct Visible {
        size_t begin, end;
        char ch;
    };
    std::vector<Visible> chars;
    const std::string source = text;
    size_t pos = RichBodyStart(source);
    RichToken t;
    while (NextRichToken(source, pos, t))
        if (t.kind == RichToken::Text && IsKeptChar(t.ch)) chars.push_back(Visible{t.begin, t.end, t.ch});
    if (n < 0) n = 0;
    if (static_cast<int>(chars.size()) <= n) {
        text.clear();
        return source;
    }
    // Cut at the last blank at or before position n + 1 (1-based), else after n characters.
    int head = n;
    for (int k = n + 1; k >= 1; --k) {
        if (chars[k - 1].ch == ' ') {
            head = k - 1;
            while (head > 0 && chars[head - 1].ch == ' ') --head;
            break;
        }
    }
    size_t cut = head > 0 ? chars[head - 1].end : (chars.empty() ? source.size() : chars[0].begin);
    std::string headText = source.substr(0, cut);
    // The marks in effect at the cut go in front of the rest.
    int mark = 0;
    bool centred = false;
    pos = RichBodyStart(source);
    while (pos < cut && NextRichToken(source, pos, t)) {
        if (t.kind != RichToken::ControlWord) continue;
        if (t.word == "f") mark = FontMark(t);
        else if (t.word == "qc") centred = true;
        else if (t.word == "ql" || t.word == "pard") centred = false;
    }
    std::string rest = (centred ? "\\qc " : "") + MarkPrefix(mark);
    pos = cut;
    bool leading = true;
    while (NextRichToken(source, pos, t)) {
        if (leading && t.kind == RichToken::Text && t.ch == ' ') continue;
        if (t.kind == RichToken::Text && IsKeptChar(t.ch)) leading = false;
        rest.append(source, t.begin, t.end - t.begin);
    }
    text = rest;
    return headText;
}

std::string TruncateText(Session& s, std::string& text, int n) {
    try {
        return TruncateText(text, n);
    } catch (const std::exception&) {
        ReportUnexpectedError(s, "TruncateText");
        return {};
    }
}

} // namespace lt
