#include "quickedit/Simulation.h"

#include <exception>

#include "Session.h"
#include "common/NumberText.h"
#include "quickedit/RichScan.h"
#include "quickedit/RichText.h"

namespace lt {

namespace {

const std::string kEmpty;
const std::string kParagraphBreak = "\\par\r\n";

// Blink-off text; a failure is reported once and the plain text is shown instead.
std::string blinkOff(const Session& s, const std::string& rtf) {
    try {
        return BlinkText(rtf);
    } catch (const std::exception&) {
        s.ui.messageBox(Box("Unexpected error in module Blink Text. Blinking text may appear not blinking in "
                            "message simulation display."));
        return GetText(rtf);
    }
}

std::string centringPad(size_t length) { return length < 20 ? std::string((20 - length) / 2, ' ') : std::string(); }

// Value before / after the comma of an "a,b" argument.
long long before(const std::string& argument) { return ValInt(argument.substr(0, argument.find(','))); }
long long after(const std::string& argument) {
    size_t comma = argument.find(',');
    return comma == std::string::npos ? 0 : ValInt(argument.substr(comma + 1));
}

// Paragraphs of a plain text: its line breaks plus one, an empty last one not counted.
int paragraphCount(const std::string& plain) {
    int breaks = 0;
    for (char c : plain) breaks += c == '\n';
    bool emptyLast = !plain.empty() && plain.back() == '\n';
    return breaks + 1 - (emptyLast ? 1 : 0);
}

// Position of the first "\par" control word followed by CR LF, or npos.
size_t findParagraphBreak(const std::string& rtf) {
    size_t pos = 0;
    RichToken t;
    while (NextRichToken(rtf, pos, t))
        if (t.kind == RichToken::ControlWord && t.word == "par" && t.end - t.begin == 4 &&
            rtf.compare(t.end, 2, "\r\n") == 0)
            return t.begin;
    return std::string::npos;
}

std::string withoutTrailingLineEnds(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

} // namespace

const std::string& SimulationModel::row(int r) const { return r >= 1 && r <= 4 ? rows_[r] : kEmpty; }

bool SimulationModel::rowVisible(int r) const { return r >= 1 && r <= 4 && visible_[r]; }

int SimulationModel::rowForLine(const Session& s, int line) {
    const QuickMessage& m = s.msg;
    if (line < 1 || line > kMaxLines) return 0;
    int number = m.LineNumber[line] == 0 ? line : m.LineNumber[line];
    if (m.LineCount == 2) return number >= 1 && number <= 2 ? number + 1 : 0; // rows 1 and 4 stay empty
    return number >= 1 && number <= 4 ? number : 0;
}

int SimulationModel::lineForRow(const Session& s, int row) {
    for (int i = 1; i <= s.msg.LineCount && i <= kMaxLines; ++i)
        if (rowForLine(s, i) == row) return i;
    return 0;
}

int SimulationModel::clickTarget(const Session& s, int row, int currentLine) {
    const QuickMessage& m = s.msg;
    if (currentLine >= 1 && currentLine <= kMaxLines && m.VerticalScrollMode && !m.LineRepeat[currentLine].empty())
        return 0;
    int line = lineForRow(s, row);
    return line == currentLine ? 0 : line;
}

std::string SimulationModel::rowStatusText(const Session& s, int row) {
    int shown = s.msg.LineCount == 2 ? row - 1 : row;
    return "Simulation display line " + std::to_string(shown);
}

void SimulationModel::clearAnimation() {
    animationText_.clear();
    animationSource_.clear();
    currentParagraph_.clear();
    scrollWindow_.clear();
    scrollWindowOff_.clear();
}

void SimulationModel::showStaticLine(const Session& s, int line, bool off) {
    const std::string& rtf = s.msg.LineRtf[line];
    std::string text = off ? blinkOff(s, rtf) : GetText(rtf);
    if (HasControlWord(rtf, "qc")) text = centringPad(GetText(rtf).size()) + text;
    int r = rowForLine(s, line);
    if (r) rows_[r] = text;
}

void SimulationModel::UpdateSimulation(const Session& s) {
    const QuickMessage& m = s.msg;
    const bool four = m.LineCount == 4;
    visible_ = {false, four, true, true, four};
    if (m.ScriptOnly) {
        clearAnimation();
        timer1Enabled_ = false;
        timer2Enabled_ = false;
        rows_ = {};
        visible_ = {};
        return;
    }
    s.ui.setStatus("Updating simulation display ");
    timer2Enabled_ = true;
    bool animated = false;
    const int lines = m.LineCount >= 1 && m.LineCount <= kMaxLines ? m.LineCount : 0;
    for (int i = 1; i <= lines; ++i) {
        const std::string& rtf = m.LineRtf[i];
        const std::string plain = GetText(rtf);
        if (!m.LineScroll[i].empty()) {
            animated = true;
            animatedLine_ = i;
            animationText_ = plain;
            animationSource_ = blinkOff(s, rtf);
            scrollWindow_ = std::string(20, ' ');
            scrollWindowOff_ = scrollWindow_;
            long long repeat = after(m.LineScroll[i]);
            stepCount_ = static_cast<int>(repeat > 0 ? repeat * static_cast<long long>(plain.size()) + 1 : repeat);
            timer1Interval_ = static_cast<int>(before(m.LineScroll[i]) * 10);
            timer1Enabled_ = true;
            if (int r = rowForLine(s, i)) rows_[r].clear();
        } else if (!m.LineRepeat[i].empty()) {
            animated = true;
            animatedLine_ = i;
            animationText_ = plain;
            animationSource_ = rtf;
            // A trailing empty paragraph is no frame of its own.
            while (EndsWith(animationSource_, kParagraphBreak))
                animationSource_.resize(animationSource_.size() - kParagraphBreak.size());
            stepCount_ = static_cast<int>(after(m.LineRepeat[i]) * 4 * paragraphCount(plain));
            timer1Interval_ = static_cast<int>(ValInt(m.WaitTime) * 25);
            timer1Enabled_ = true;
            // The first tick shows the first paragraph, so each is shown `repeat` times.
            tickCounter_ = 3;
            currentParagraph_.clear();
            centring_ = false;
            if (m.HorizontalScrollMode)
                if (int r = rowForLine(s, i)) rows_[r].clear();
        } else {
            if (!animated) {
                timer1Enabled_ = false;
                clearAnimation();
            }
            showStaticLine(s, i, blinkPhase_ && !m.LineBlink[i].empty());
        }
    }
    if (stepCount_ < 0) stepCount_ = 0;
    s.ui.setStatus("");
}

void SimulationModel::Timer2Tick(const Session& s) {
    if (!timer2Enabled_) return;
    try {
        blinkPhase_ = !blinkPhase_;
        const QuickMessage& m = s.msg;
        for (int i = 1; i <= m.LineCount && i <= kMaxLines; ++i)
            if (!m.LineBlink[i].empty() && m.LineScroll[i].empty() && m.LineRepeat[i].empty())
                showStaticLine(s, i, blinkPhase_);
    } catch (const std::exception&) {
        // The display resumes with the next tick.
    }
}

void SimulationModel::Timer1Tick(const Session& s) {
    if (!timer1Enabled_) return;
    try {
        if (stepCount_ >= 2) {
            --stepCount_;
        } else if (stepCount_ == 1) {
            timer1Enabled_ = false;
            return;
        }
        const QuickMessage& m = s.msg;
        const int line = animatedLine_;
        if (line < 1 || line > kMaxLines) return;
        const int r = rowForLine(s, line);
        const bool on = !blinkPhase_;
        if (!m.LineScroll[line].empty()) {
            if (!animationText_.empty() && !animationSource_.empty()) {
                scrollWindow_ = scrollWindow_.substr(1) + animationText_[0];
                scrollWindowOff_ = scrollWindowOff_.substr(1) + animationSource_[0];
                animationText_ = animationText_.substr(1) + animationText_[0];
                animationSource_ = animationSource_.substr(1) + animationSource_[0];
            }
            if (r) rows_[r] = on ? scrollWindow_ : scrollWindowOff_;
        } else if (!m.LineRepeat[line].empty()) {
            const bool horizontal = m.HorizontalScrollMode;
            if (tickCounter_ == 3) {
                std::string paragraph;
                size_t cut = findParagraphBreak(animationSource_);
                if (cut == std::string::npos) {
                    paragraph = animationSource_;
                } else {
                    paragraph = animationSource_.substr(0, cut);
                    animationSource_ = animationSource_.substr(cut + kParagraphBreak.size()) + kParagraphBreak + paragraph;
                }
                if (HasControlWord(paragraph, "sb")) centring_ = false;
                if (!centring_ && HasControlWord(paragraph, "qc")) centring_ = true;
                else if (centring_ && HasControlWord(paragraph, "ql")) centring_ = false;
                std::string pad = centring_ ? centringPad(GetText(paragraph).size()) : std::string();
                currentParagraph_ = withoutTrailingLineEnds(pad + paragraph);
                if (!horizontal) {
                    const int lines = m.LineCount < kMaxLines ? m.LineCount : kMaxLines;
                    for (int k = 1; k < lines; ++k) rowText_[k] = rowText_[k + 1];
                    if (lines >= 1) rowText_[lines] = currentParagraph_;
                }
            }
            if (horizontal) {
                if (r) rows_[r] = withoutTrailingLineEnds(on ? GetText(currentParagraph_) : blinkOff(s, currentParagraph_));
            } else {
                const int offset = m.LineCount == 2 ? 1 : 0;
                for (int k = 1; k <= m.LineCount && k + offset <= 4; ++k)
                    rows_[k + offset] = withoutTrailingLineEnds(on ? GetText(rowText_[k]) : blinkOff(s, rowText_[k]));
            }
        }
        blinkPhase_ = !blinkPhase_;
        tickCounter_ = (tickCounter_ + 1) % 4;
    } catch (const std::exception&) {
        // The display resumes with the next tick.
    }
}

} // namespace lt
