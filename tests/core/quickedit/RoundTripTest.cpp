// Seeded random messages: generate -> read -> generate gives the identical block, and the
// record read back equals the one generated apart from the differences reading is known
// to make (trailing blanks of the send text, no centring of 20 or more characters, starts
// of a block without any other statement before them read as other-task starts).
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "QuickEditFixture.h"
#include "RandomMessages.h"
#include "common/NumberText.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "quickedit/RichText.h"

using namespace lt;
using lt::test::Rng;
using lt::test::randomMessage;

namespace {

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
        EXPECT_EQ(std::tie(read.ClearScreen, read.RelayMode, read.SendText, read.LockBuffer),
                  std::tie(known.ClearScreen, known.RelayMode, known.SendText, known.LockBuffer));
        bool animatedRepeat = false;
        for (int i = 1; i <= original.LineCount; ++i)
            if (!GetText(original.LineRtf[i]).empty() && !original.LineRepeat[i].empty()) animatedRepeat = true;
        EXPECT_EQ(std::tie(read.StartOtherTask, read.StartSameTask), std::tie(known.StartOtherTask, known.StartSameTask));
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
            // A plain line is centred by a "\qc" anywhere in it.
            if (original.LineRepeat[i].empty() && !want.empty())
                want[0].centred = HasControlWord(original.LineRtf[i], "qc") && original.LineScroll[i].empty();
            EXPECT_TRUE(want == semantic(read.LineRtf[i]));
            EXPECT_FALSE(EndsWith(read.LineRtf[i], "\\par\r\n"));
        }
    }
    // The generator reaches the interesting cases.
    EXPECT_TRUE(nonEmpty > 3000 && withRepeat > 400) << nonEmpty << " " << withRepeat;
}
