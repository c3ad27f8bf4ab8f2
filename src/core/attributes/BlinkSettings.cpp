#include "attributes/BlinkSettings.h"

#include "attributes/SpeedScale.h"
#include "common/NumberText.h"
#include "quickedit/QuickMessage.h"
#include "quickedit/RichText.h"

namespace lt {

BlinkOpening OpenBlink(const QuickMessage& m, int line) {
    BlinkOpening o;
    o.caption = "Blink on line " + Str(line);
    o.frameLineCaption = m.LineRepeat[line].empty() ? "Blink line" : "Blink block";
    if (m.LineBlink[line].empty()) return o;
    o.on = true;
    std::string rateText;
    for (char c : BeforeComma(m.LineBlink[line]))
        if (c != ' ') rateText += c;
    double rate = Val(rateText);
    o.position = RatePosition(rate);
    // A rate outside the slider's range would stop or race the preview; such a rate shows
    // at the position the slider takes for it.
    o.interval = (rate >= 1 && rate < 255) ? static_cast<int>(rate * 10) : ContinuousInterval(o.position);
    return o;
}

std::string StripEditorHeader(const std::string& rtf) {
    size_t at = rtf.find("\\fs30");
    if (at == std::string::npos) return rtf;
    size_t from = at + 5;
    if (from < rtf.size() && rtf[from] == ' ') ++from;
    return rtf.substr(from);
}

void ApplyBlink(QuickMessage& m, int line, const std::string& editorRtf, bool on, int position) {
    m.LineRtf[line] = StripEditorHeader(editorRtf);
    const std::string rate = RateCode(position);
    if (!on) m.LineRtf[line] = MakeSteady(m.LineRtf[line]);
    if (!on || !CheckBlink(m.LineRtf[line])) {
        m.LineBlink[line].clear();
        return;
    }
    m.LineBlink[line] = rate + ",1";
    // The rate is common to the message.
    for (int i = 1; i <= kMaxLines; ++i) {
        if (i == line || m.LineBlink[i].empty()) continue;
        size_t comma = m.LineBlink[i].find(',');
        m.LineBlink[i] = rate + (comma == std::string::npos ? std::string(",") : m.LineBlink[i].substr(comma));
    }
}

} // namespace lt

namespace lt {

bool SyncLineBlink(QuickMessage& m) {
    std::string rate = "25";
    for (int i = 1; i <= kMaxLines; ++i)
        if (!m.LineBlink[i].empty() && !BeforeComma(m.LineBlink[i]).empty()) {
            rate = BeforeComma(m.LineBlink[i]);
            break;
        }
    bool changed = false;
    for (int i = 1; i <= m.LineCount && i <= kMaxLines; ++i) {
        const bool blinking = CheckBlink(m.LineRtf[i]);
        if (blinking == !m.LineBlink[i].empty()) continue;
        m.LineBlink[i] = blinking ? rate + ",1" : std::string();
        changed = true;
    }
    return changed;
}

} // namespace lt
