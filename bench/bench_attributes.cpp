// Attribute dialog figures: reshaping a full continuous line into blocks and back, and
// encoding a send text full of delimited names, each against a plain pass over the text.
#include <string>

#include "Benches.h"
#include "attributes/LineBlocks.h"
#include "attributes/SendText.h"
#include "quickedit/RichText.h"

namespace lt::bench {

void AttributeBenches(Results& results, const std::string&) {
    {
        // A 155-character continuous line with marks every few words.
        std::string line = "\\sb90\\sa90 \\f0 \\cf0 ";
        for (int i = 0; GetText(line).size() < 150; ++i)
            line += (i % 3 == 0 ? "\\f65 \\cf0 WORD" : "\\f0 \\cf0  text ") + std::to_string(i);
        std::string sink;
        // Floor: one cut of the whole line, the step splitting repeats once per block.
        double floor = bestSeconds(
            [&] {
                std::string rest = line;
                sink = TruncateText(rest, kBlockWidth);
            },
            9, 2000);
        double measured = bestSeconds([&] { sink = JoinBlocks(SplitIntoBlocks(line)); }, 9, 2000);
        results.report("reshape_blocks", measured / floor, 20.0,
                       "split a " + std::to_string(GetText(line).size()) +
                           "-character line into " +
                           std::to_string(SplitParagraphs(SplitIntoBlocks(line)).size()) +
                           " blocks and join them again vs one 20-character cut of it");
    }
    {
        std::string text;
        for (int i = 0; text.size() < 150; ++i) text += "AB<" + ControlAbbreviation(i % 32) + ">C ";
        std::string sink;
        double floor = bestSeconds(
            [&] {
                std::string out;
                for (char c : text) out += c;
                sink.swap(out);
            },
            9, 5000);
        double measured = bestSeconds([&] { sink = EncodeSendText(text, "<", ">"); }, 9, 5000);
        results.report("send_encode", measured / floor, 30.0,
                       "encode a " + std::to_string(text.size()) + "-character send text vs copying it");
    }
}

} // namespace lt::bench
