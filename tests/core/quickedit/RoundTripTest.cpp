// Seeded random messages: generate -> read -> generate gives the identical block, and the
// record read back equals the one generated apart from the differences reading is known
// to make (trailing blanks of the send text, no centring of 20 or more characters, starts
// of a block without any other statement before them read as other-task starts).
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "QuickEditFixture.h"
#include "common/NumberText.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "quickedit/RichText.h"

using namespace lt;

namespace {

struct Rng {
    std::mt19937 engine;
    explicit Rng(unsigned seed) : engine(seed) {}
    int upTo(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine); }
    bool chance(int percent) { return upTo(1, 100) <= percent; }
};

std::string randomText(Rng& r, int length, bool firstNonBlank) {
    std::string text;
    for (int k = 0; k < length; ++k) {
        char c = r.chance(15) ? ' ' : static_cast<char>(r.upTo(33, 126));
        if (k == 0 && firstNonBlank && c == ' ') c = 'Q';
        text.push_back(c);
    }
    return text;
}

// One paragraph of runs; returns its plain length.
int randomParagraph(Rng& r, std::string& rtf, int maxLength, bool& hasBlink) {
    int runs = r.upTo(1, 4);
    int length = 0;
    for (int k = 0; k < runs && length < maxLength; ++k) {
        int kind = r.upTo(0, 9);
        if (kind <= 2) { // variable field
            int v = r.upTo(1, 16);
            int fill = r.upTo(0, 3);
            int mark = v + 16 * fill;
            std::string picture;
            if (r.chance(40)) {
                int whole = r.upTo(0, 5), decimals = r.upTo(whole == 0 ? 1 : 0, 4);
                picture = std::string(whole, '^') + "." + std::string(decimals, '^');
            } else {
                picture = std::string(r.upTo(1, 8), '^');
            }
            if (IsBlinkingMark(mark)) hasBlink = true;
            rtf += "\\f" + std::to_string(mark) + " \\cf4 " + picture;
            length += static_cast<int>(picture.size());
        } else {
            bool blink = kind >= 7;
            if (blink) hasBlink = true;
            std::string text = randomText(r, r.upTo(1, 8), length == 0);
            rtf += (blink ? "\\f65 \\cf0 " : "\\f0 \\cf0 ") + EscapeRich(text);
            length += static_cast<int>(text.size());
        }
    }
    return length;
}

struct Generated {
    QuickMessage m;
    bool animatedRepeat = false;
};

QuickMessage randomMessage(Rng& r) {
    QuickMessage m;
    m.LineCount = r.chance(50) ? 2 : 4;
    m.CurrentMessage = r.upTo(0, 1023);
    m.MessageTask[m.CurrentMessage] = r.upTo(0, 3);
    if (r.chance(30)) m.ClearScreen = "CLS";
    const char* relays[] = {"", "ON", "OFF"};
    m.RelayMode = relays[r.upTo(0, 2)];
    auto startList = [&] {
        std::string list;
        int n = r.chance(60) ? 0 : r.upTo(1, 4);
        for (int k = 0; k < n; ++k) list += (k ? "," : "") + std::to_string(r.upTo(0, 1023));
        return list;
    };
    m.StartOtherTask = startList();
    m.StartSameTask = startList();
    int send = r.upTo(0, 9);
    if (send == 0) m.SendText = "HOST";
    if (send == 1) {
        m.SendText = randomText(r, r.upTo(1, 20), true);
        for (char& c : m.SendText)
            if (c == '"') c = '\'';
        m.SendText = TrimRight(m.SendText) + (r.chance(30) ? "  " : "");
        if (Trim(m.SendText).empty() || m.SendText == "HOST") m.SendText = "OUT";
    }
    if (r.chance(20)) m.LockBuffer = "ON";
    // At most one line scrolls or repeats.
    int animated = r.chance(50) ? r.upTo(1, m.LineCount) : 0;
    int animation = r.upTo(0, 2); // 0 continuous scroll, 1 horizontal blocks, 2 vertical blocks
    const char* fonts[] = {"", "", "ENGLISH", "KATAKANA", "SLAVIC", "CYRILLIC"};
    for (int i = 1; i <= m.LineCount; ++i) {
        if (r.chance(15)) continue; // an empty line, whatever its attributes
        m.LineFont[i] = fonts[r.upTo(0, 5)];
        std::string rtf = "\\sb90\\sa90 ";
        bool hasBlink = false;
        if (i == animated && animation > 0) {
            int paragraphs = r.upTo(1, 4);
            bool state = false;
            for (int p = 0; p < paragraphs; ++p) {
                if (p) rtf += "\\par\r\n";
                bool centred = r.chance(40);
                if (centred && (!state || r.chance(30))) rtf += "\\qc ";
                if (!centred && state) rtf += "\\ql ";
                state = centred;
                randomParagraph(r, rtf, r.chance(20) ? 30 : 19, hasBlink);
            }
            if (r.chance(20)) rtf += "\\par\r\n";
            m.LineRepeat[i] = std::to_string(r.upTo(0, 3)) + "," + std::to_string(r.upTo(0, 5));
            m.WaitTime = std::to_string(r.upTo(1, 99));
            m.HorizontalScrollMode = animation == 1;
            m.VerticalScrollMode = animation == 2;
        } else {
            bool scroll = i == animated;
            bool centred = !scroll && r.chance(40);
            if (centred) rtf += "\\qc ";
            randomParagraph(r, rtf, scroll ? 60 : (r.chance(20) ? 25 : 19), hasBlink);
            if (scroll) m.LineScroll[i] = std::to_string(r.upTo(1, 20)) + "," + std::to_string(r.upTo(0, 3));
        }
        if (r.chance(50)) rtf += "\\f0 ";
        m.LineRtf[i] = rtf;
        if (hasBlink) m.LineBlink[i] = r.chance(50) ? "25,ON" : "100,1";
        else if (r.chance(10)) m.LineBlink[i] = "25,ON"; // stale: no blinking text left
    }
    if (r.chance(10)) m.WaitTime = "7"; // a pause without a repeating line is not written
    return m;
}

// The marks of every visible character, paragraph by paragraph, with the centring of
// paragraphs of 1..19 characters.
struct Paragraph {
    std::string marked;
    int length = 0;
    bool centred = false;
    bool operator==(const Paragraph& o) const {
        bool compareCentring = length >= 1 && length <= 19;
        return marked == o.marked && (!compareCentring || centred == o.centred);
    }
};

std::vector<Paragraph> semantic(const std::string& rtf) {
    std::vector<Paragraph> out;
    for (const auto& run : SplitRuns(rtf)) {
        if (static_cast<int>(out.size()) <= run.paragraph) out.resize(run.paragraph + 1);
        Paragraph& p = out[run.paragraph];
        for (char c : run.text) {
            p.marked.push_back(static_cast<char>(run.mark));
            p.marked.push_back(c);
        }
        p.length += static_cast<int>(run.text.size());
        p.centred = run.centred;
    }
    return out;
}

// Statements that make later starts same-task starts when read.
bool hasBarrier(const QuickMessage& m) {
    bool anyLine = false;
    for (int i = 1; i <= m.LineCount; ++i) anyLine = anyLine || !GetText(m.LineRtf[i]).empty();
    return anyLine || !m.SendText.empty() || m.RelayMode == "ON" || m.RelayMode == "OFF" || !m.ClearScreen.empty();
}

std::string joined(const std::string& a, const std::string& b) {
    return a.empty() ? b : b.empty() ? a : a + "," + b;
}

std::string describe(const QuickMessage& m) {
    std::ostringstream o;
    o << "message " << m.CurrentMessage << " lines " << m.LineCount << " H " << m.HorizontalScrollMode << " V "
      << m.VerticalScrollMode << " wait '" << m.WaitTime << "' send '" << m.SendText << "'\n";
    for (int i = 1; i <= m.LineCount; ++i)
        o << " line " << i << " rtf '" << m.LineRtf[i] << "' blink '" << m.LineBlink[i] << "' scroll '"
          << m.LineScroll[i] << "' repeat '" << m.LineRepeat[i] << "' font '" << m.LineFont[i] << "'\n";
    return o.str();
}

} // namespace

class RoundTrip : public lt::test::QuickEditTest {};

TEST_F(RoundTrip, SeededRandomMessagesSurviveGenerateReadGenerate) {
    Rng r(20261205);
    int nonEmpty = 0, withRepeat = 0;
    for (int n = 0; n < 4000; ++n) {
        const QuickMessage original = randomMessage(r);
        m = original;
        SubMake(s);
        const std::string block = m.BlockText;
        SCOPED_TRACE("case " + std::to_string(n) + "\n" + describe(original) + block);

        m = QuickMessage();
        m.LineCount = original.LineCount;
        m.CurrentMessage = original.CurrentMessage;
        m.BlockText = block;
        ReadFields(s);
        ASSERT_FALSE(m.ScriptOnly);
        const QuickMessage read = m;
        SubMake(s);
        // The send text's trailing blanks and the task of starts with nothing before them
        // are the changes that show in the block.
        QuickMessage known = original;
        known.SendText = TrimRight(original.SendText);
        if (!hasBarrier(original)) {
            known.StartOtherTask = joined(original.StartOtherTask, original.StartSameTask);
            known.StartSameTask.clear();
        }
        ASSERT_EQ(m.BlockText, GenerateBlock(known));
        ASSERT_TRUE(ui.boxes.empty());
        if (block.empty()) continue;
        ++nonEmpty;

        // Fields of the message.
        EXPECT_EQ(read.MessageTask[read.CurrentMessage], original.MessageTask[original.CurrentMessage]);
        EXPECT_EQ(read.ClearScreen, original.ClearScreen);
        EXPECT_EQ(read.RelayMode, original.RelayMode);
        EXPECT_EQ(read.SendText, TrimRight(original.SendText));
        EXPECT_EQ(read.LockBuffer, original.LockBuffer);
        bool animatedRepeat = false;
        for (int i = 1; i <= original.LineCount; ++i)
            if (!GetText(original.LineRtf[i]).empty() && !original.LineRepeat[i].empty()) animatedRepeat = true;
        EXPECT_EQ(read.StartOtherTask, known.StartOtherTask);
        EXPECT_EQ(read.StartSameTask, known.StartSameTask);
        EXPECT_EQ(read.WaitTime, animatedRepeat ? original.WaitTime : "");
        EXPECT_EQ(read.HorizontalScrollMode, animatedRepeat && original.HorizontalScrollMode);
        EXPECT_EQ(read.VerticalScrollMode, animatedRepeat && original.VerticalScrollMode);
        withRepeat += animatedRepeat;

        // Fields of each line.
        for (int i = 1; i <= original.LineCount; ++i) {
            SCOPED_TRACE("line " + std::to_string(i) + " read '" + read.LineRtf[i] + "'");
            EXPECT_EQ(read.LineNumber[i], i);
            if (GetText(original.LineRtf[i]).empty()) {
                EXPECT_EQ(GetText(read.LineRtf[i]), "");
                EXPECT_EQ(read.LineFont[i] + read.LineBlink[i] + read.LineScroll[i] + read.LineRepeat[i], "");
                continue;
            }
            EXPECT_EQ(read.LineFont[i], original.LineFont[i]);
            EXPECT_EQ(read.LineBlink[i], CheckBlink(original.LineRtf[i]) ? original.LineBlink[i] : "");
            EXPECT_EQ(read.LineScroll[i], original.LineRepeat[i].empty() ? original.LineScroll[i] : "");
            EXPECT_EQ(read.LineRepeat[i], original.LineRepeat[i]);
            auto want = semantic(original.LineRtf[i]);
            auto got = semantic(read.LineRtf[i]);
            if (original.LineRepeat[i].empty() && !want.empty()) {
                // A plain line is centred by a "\qc" anywhere in it.
                want[0].centred = HasControlWord(original.LineRtf[i], "qc") && original.LineScroll[i].empty();
            }
            EXPECT_TRUE(want == got);
            EXPECT_FALSE(EndsWith(read.LineRtf[i], "\\par\r\n"));
        }
    }
    // The generator reaches the interesting cases.
    EXPECT_GT(nonEmpty, 3000);
    EXPECT_GT(withRepeat, 400);
}
