// The print layout (spans, centring, page breaks) and the print jobs over a recording
// surface: block sources, copies, progress texts and the printer-error question.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "print/PrintJob.h"

using namespace lt;
using namespace lt::test;

namespace {

// One unit per character; lines 10 high; a page of 60 x 45 holds four lines.
PrintMetrics Metrics(double pageWidth = 60) {
    PrintMetrics m;
    m.width = [](const std::string& t, bool, int) { return static_cast<double>(t.size()); };
    m.lineHeight = [](int) { return 10.0; };
    m.pageWidth = pageWidth;
    m.pageHeight = 45;
    return m;
}

std::string Spans(const PrintLine& line) {
    std::string r;
    for (const PrintSpan& s : line.spans) r += (s.bold ? "[B]" : "[N]") + s.text;
    return r;
}

const std::string kBlock = "SUB 5(TASK=2)    // CRC value = 77\r\n"
                           "    CLS                                      // Clear entire screen\r\nLINE1:\r\n"
                           "    CALL CURSOR(1,1)\r\n    PRINT\"SAY \\\"HI\\\" \\\\\";\r\n    PRINT VAR(3, 4);\r\n"
                           "LINE2:\r\nEND SUB\r\n";

// Records what the job draws; steps listed in `failures` fail once each.
struct RecordingSurface : PrintSurface {
    std::vector<std::string>* log;
    std::vector<std::string> failures;
    explicit RecordingSurface(std::vector<std::string>* l) : log(l) {}
    bool step(const std::string& name) {
        auto it = std::find(failures.begin(), failures.end(), name);
        if (it == failures.end()) return true;
        failures.erase(it);
        log->push_back("FAIL " + name);
        return false;
    }
    PrintMetrics metrics() override { return Metrics(); }
    bool begin() override { return step("begin") && (log->push_back("begin"), true); }
    bool newPage() override { return step("page") && (log->push_back("page"), true); }
    bool drawLine(const PrintLine& line, double y) override {
        if (!step("draw " + line.plain())) return false;
        log->push_back(std::to_string(static_cast<int>(y)) + " " + Spans(line));
        return true;
    }
    bool finish() override { return (log->push_back("end"), true); }
};

struct JobFixture {
    MemoryFileSystem fs;
    FakeUserPort ui;
    Session s{fs, ui};
    std::vector<std::string> log;
    std::vector<std::string> failures;
    PrintSurfaceFactory factory = [this](const PrintChoice&) {
        auto surface = std::make_unique<RecordingSurface>(&log);
        surface->failures = failures;
        return surface;
    };
    // A printer is chosen in the print dialog unless the test says otherwise.
    explicit JobFixture(bool choosePrinter = true) {
        if (choosePrinter) ui.printers.push_back(PrintChoice{});
        s.run.ScriptEditMode = true;
        s.msg.CurrentMessage = 1;
        s.msg.BlockText = "SUB 1(TASK=0)\r\nLINE1:\r\n    PRINT\"CURRENT\";\r\nEND SUB\r\n";
        const std::string file = "#define Display_type (7740)\r\n#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n\r\n"
                                 "SUB 0(TASK=0)\r\n    PRINT\"FROM FILE\";\r\nEND SUB\r\n\r\n"
                                 "SUB 1(TASK=0)\r\n    PRINT\"OLD ONE\";\r\nEND SUB\r\n";
        fs.files["/w/demo.src"] = file;
        fs.files["/w/TMP$$$.TMP"] = "SUB 7(TASK=1)\r\n    PRINT\"EDITED\";\r\nEND SUB\r\n";
        for (int n : {0, 1}) {
            s.index.MessageState[n] = 1;
            s.index.MessageOffset[n] = static_cast<int64_t>(file.find("SUB " + std::to_string(n))) + 1;
        }
        s.index.MessageState[7] = 2;
        s.index.MessageOffset[7] = 1;
        s.index.WorkFilePath = "/w/TMP$$$.TMP";
    }
};

} // namespace

TEST(PrintLayout, BlockLinesInBothModes) {
    auto script = BlockPrintLines(kBlock, PrintMode::CompleteScript, 5);
    ASSERT_EQ(script.size(), 8u);
    EXPECT_EQ(Spans(script[0]), "[B]SUB 5[N](TASK=2)    // CRC value = 77");
    EXPECT_EQ(Spans(script[4]), "[N]    PRINT\"SAY \\\"HI\\\" \\\\\";");
    EXPECT_EQ(Spans(script[7]), "[N]END SUB");

    std::vector<std::string> got;
    for (const auto& l : BlockPrintLines(kBlock, PrintMode::TextOnly, 5)) got.push_back(Spans(l));
    EXPECT_EQ(got, (std::vector<std::string>{"[B]Message= 5    [N]2)    // CRC value = 77", "[N]LINE1:",
                                             "[N]    SAY \"HI\" \\", "[N]LINE2:"}));
    EXPECT_EQ(PrintedText("    PRINT\"AB;\";") + "|" + PrintedText("    PRINT\"open;") + "|" +
                  PrintedText("    PRINT USING(20,0);A;"), "AB;|open|");
    EXPECT_TRUE(BlockPrintLines("", PrintMode::TextOnly, 0).empty());
}

TEST(PrintLayout, HeadingsAreCentredAndPagesBreakByHeight) {
    auto heading = HeadingLines("7780", "", Metrics());
    const std::string title = "Brelmo Industries 7780 Message Script Printout";  // 46 wide: 7 blanks
    EXPECT_EQ(Spans(heading[0]), "[B]" + std::string(7, ' ') + title);
    EXPECT_EQ(heading[0].points, kTitlePoints);
    EXPECT_EQ(Spans(heading[1]), "[N]" + std::string(23, ' ') + "Filename: New");
    EXPECT_EQ(HeadingLines("7740", "/a/b.src", Metrics(10))[1].plain(), "Filename: /a/b.src");
    auto header = ScriptHeaderLines("7740", "1");
    ASSERT_EQ(header.size(), 3u);
    EXPECT_EQ(header[2].plain(), "    #pragma version 1");
    std::vector<size_t> pages;
    for (const auto& page : Paginate(std::vector<PrintLine>(9, header[0]), Metrics())) pages.push_back(page.size());
    EXPECT_EQ(pages, (std::vector<size_t>{4, 4, 1}));
}

TEST(PrintJob, PrintsEveryBlockWhereItLivesWithCopiesAndProgress) {
    // A file never saved: the current message from memory, message 7 from the work file.
    JobFixture f;
    f.s.index.MessageState[0] = 0;
    f.ui.printers = {PrintChoice{2, "", ""}};
    ASSERT_TRUE(PrintFile(f.s, PrintMode::TextOnly, f.factory));
    // Four lines a page; the second copy starts on a fresh page.
    std::vector<std::string> expected = {"begin", "0 [B]       Brelmo Industries 7740 Message Script Printout",
                                         "10 [N]                       Filename: New",
                                         "20 [B]Message= 1    [N]0)", "30 [N]LINE1:", "page", "0 [N]    CURRENT",
                                         "10 [B]Message= 7    [N]1)", "20 [N]    EDITED", "page",
                                         "0 [B]       Brelmo Industries 7740 Message Script Printout"};
    ASSERT_GE(f.log.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(f.log.begin(), f.log.begin() + expected.size()), expected);
    EXPECT_EQ(f.log.back(), "end");
    EXPECT_EQ(std::vector<std::string>(f.ui.statuses.begin(), f.ui.statuses.begin() + 2),
              (std::vector<std::string>{"Printing file New. 1 % complete.", "Printing file New.  4 % complete."}));
    EXPECT_TRUE(f.ui.statuses.back().empty() && f.ui.boxes.empty());

    // Complete script of a named file: the file line names it, the header is indented, a
    // message of the file prints from it, the current one as edited.
    JobFixture g;
    g.s.index.CurrentFilePath = "/w/demo.src";
    ASSERT_TRUE(PrintFile(g.s, PrintMode::CompleteScript, g.factory));
    EXPECT_EQ(g.log[2] + "|" + g.log[3],
              "10 [N]" + std::string(19, ' ') + "Filename: /w/demo.src|20 [N]    #define Display_type (7740)");
    std::string all;
    for (const auto& l : g.log) all += l + "\n";
    for (const char* part : {"[B]SUB 0[N](TASK=0)\n", "[N]    PRINT\"FROM FILE\";", "[N]    PRINT\"CURRENT\";"})
        EXPECT_NE(all.find(part), std::string::npos) << part;
    EXPECT_EQ(all.find("OLD ONE"), std::string::npos);
    EXPECT_EQ(g.ui.statuses.front(), "Printing file demo.src. 1 % complete.");
}

TEST(PrintJob, DialogCancelPrinterErrorsAndCurrentMessage) {
    JobFixture f(false);
    EXPECT_FALSE(PrintFile(f.s, PrintMode::TextOnly, f.factory));  // dialog cancelled
    EXPECT_TRUE(f.log.empty() && f.ui.printDialogs == 1);

    // A failing step is retried on Retry; Cancel ends the job.
    JobFixture r;
    r.s.index.CurrentFilePath = "/w/demo.src";
    r.failures = {"begin", "draw     FROM FILE"};
    r.ui.answers = {Answer::Retry, Answer::Cancel};
    EXPECT_FALSE(PrintFile(r.s, PrintMode::TextOnly, r.factory));
    ASSERT_EQ(r.ui.boxes.size(), 2u);
    EXPECT_EQ(r.ui.box(0), std::make_tuple("Printer not responding", Buttons::RetryCancel, Icon::Information,
                                           Answer::Retry));
    EXPECT_EQ(r.log[0] + "|" + r.log[1] + "|" + r.log.back(), "FAIL begin|begin|end");
    EXPECT_EQ(std::count(r.log.begin(), r.log.end(), std::string("FAIL draw     FROM FILE")), 1);

    // The current message alone, as script, with its own progress text.
    JobFixture m;
    ASSERT_TRUE(PrintMessage(m.s, m.factory));
    EXPECT_EQ(m.log[3] + "|" + m.ui.statuses.front(), "20 [B]SUB 1[N](TASK=0)|Printing message  1");
    JobFixture e;  // an empty block prints nothing
    e.s.msg.BlockText.clear();
    EXPECT_FALSE(PrintMessage(e.s, e.factory) || !e.log.empty());
}
