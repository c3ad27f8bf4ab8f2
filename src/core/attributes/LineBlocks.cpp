#include "attributes/LineBlocks.h"

#include <cctype>

#include "quickedit/QuickMessage.h"
#include "quickedit/RichScan.h"
#include "quickedit/RichText.h"

namespace lt {

namespace {

// Replaces the control word `word` (with the blank that belongs to it) by `with`.
std::string replaceControlWord(const std::string& rtf, const std::string& word, const std::string& with) {
    std::string out;
    size_t i = 0;
    const std::string key = "\\" + word;
    while (i < rtf.size()) {
        if (rtf[i] == '\\' && i + 1 < rtf.size() && rtf[i + 1] == '\\') {
            out += "\\\\";
            i += 2;
            continue;
        }
        if (rtf.compare(i, key.size(), key) == 0) {
            size_t end = i + key.size();
            bool wordEnds = end >= rtf.size() || !std::isalnum(static_cast<unsigned char>(rtf[end]));
            if (wordEnds) {
                if (end < rtf.size() && rtf[end] == ' ') ++end;
                out += with;
                i = end;
                continue;
            }
        }
        out += rtf[i++];
    }
    return out;
}

// True when the fragment has a visible character; stops at the first one.
bool hasVisible(const std::string& rtf) {
    size_t pos = RichBodyStart(rtf);
    RichToken t;
    while (NextRichToken(rtf, pos, t))
        if (t.kind == RichToken::Text && IsKeptChar(t.ch)) return true;
    return false;
}

std::string withoutLineStart(const std::string& rtf) {
    const std::string start = kLineStart;
    if (rtf.compare(0, start.size(), start) == 0) return rtf.substr(start.size());
    if (rtf.compare(0, start.size() - 1, start, 0, start.size() - 1) == 0) return rtf.substr(start.size() - 1);
    return rtf;
}

} // namespace

bool HasParagraphBreak(const std::string& rtf) { return rtf.find(kParagraphBreak) != std::string::npos; }

int PlainLength(const std::string& rtf) { return static_cast<int>(GetText(rtf).size()); }

std::string SplitIntoBlocks(const std::string& rtf) {
    std::string rest = rtf;
    std::string result;
    bool first = true;
    // Each round takes at least one visible character, so the loop ends.
    while (!rest.empty() && (first || hasVisible(rest))) {
        std::string head = TruncateText(rest, kBlockWidth);
        if (!first) result += kParagraphBreak;
        result += head;
        first = false;
    }
    if (result.find("\\sb90\\sa90") == std::string::npos) result = std::string(kLineStart) + "\\f0 \\cf0 " + result;
    return result;
}

std::string JoinBlocks(const std::string& rtf, int limit) {
    std::string text = replaceControlWord(rtf, "qc", " ");
    for (size_t at; (at = text.find(kParagraphBreak)) != std::string::npos;)
        text.replace(at, std::string(kParagraphBreak).size(), " ");
    return TruncateText(text, limit);
}

std::string SplitLongBlocks(const std::string& rtf) {
    std::string result;
    bool first = true;
    for (std::string rest : SplitParagraphs(rtf)) {
        // Each round takes at least one visible character, so the loop ends.
        while (true) {
            std::string head;
            if (PlainLength(rest) <= kBlockWidth) head.swap(rest);
            else head = TruncateText(rest, kBlockWidth);
            if (!first) result += kParagraphBreak;
            result += head;
            first = false;
            if (rest.empty() || !hasVisible(rest)) break;
        }
    }
    return result;
}

std::string FirstParagraph(const std::string& rtf) {
    size_t at = rtf.find(kParagraphBreak);
    return at == std::string::npos ? rtf : rtf.substr(0, at);
}

void MergeLinesIntoFirst(QuickMessage& m) {
    std::string& first = m.LineRtf[1];
    for (int i = 2; i <= m.LineCount && i <= kMaxLines; ++i) {
        if (GetText(m.LineRtf[i]).empty()) continue;
        if (GetText(first).empty()) {
            first = m.LineRtf[i];
        } else {
            std::string body = withoutLineStart(m.LineRtf[i]);
            // Alignment carries over paragraph breaks: a left-aligned line stays left-aligned.
            if (HasControlWord(first, "qc") && !HasControlWord(body, "qc") && !HasControlWord(body, "ql"))
                body = "\\ql " + body;
            first += kParagraphBreak + body;
        }
        m.LineRtf[i].clear();
        m.LineScroll[i].clear();
        m.LineRepeat[i].clear();
    }
    // A continuous line brought in is one paragraph of up to 155 characters: the merged
    // line scrolls in blocks of 20.
    first = SplitLongBlocks(first);
}

} // namespace lt
