// Runs the lumatext program on real files and checks its output, files and exit codes.
#include <gtest/gtest.h>

#include <sstream>

#include "RunProgram.h"
#include "TempDir.h"
#include "quickedit/Generate.h"
#include "quickedit/QuickMessage.h"
#include "storage/ScriptFile.h"

using namespace lt;

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

// Runs lumatext in the directory with the blank-separated arguments.
Outcome lumatext(const test::TempDir& dir, const std::string& arguments) {
    test::ProgramCall call{LT_BIN_DIR "/lumatext", {}, dir.dir(), dir.file("stdout.txt"), dir.file("stderr.txt")};
    std::istringstream words(arguments);
    for (std::string word; words >> word;) call.arguments.push_back(word);
    int code = test::RunProgram(call);
    return Outcome{code, dir.read("stdout.txt"), dir.read("stderr.txt")};
}

std::string sampleFile() {
    QuickMessage m, scroll;
    m.LineCount = scroll.LineCount = 4;
    std::string file = ScriptHeader("7780", "2");
    m.CurrentMessage = 2;
    m.MessageTask[2] = 1;
    m.LineRtf[1] = "\\sb90\\sa90 \\qc \\f0 \\cf0 HELLO";
    m.LineRtf[2] = "\\sb90\\sa90 \\f0 \\cf0 T=\\f35 \\cf4 ^^.^\\f65 \\cf0 !";
    m.LineBlink[2] = "25,ON";
    m.LineRtf[4] = "\\f0 \\cf0 ONE\\par\r\n\\f0 \\cf0 TWO";
    m.LineRepeat[4] = "0,0";
    m.WaitTime = "5";
    m.HorizontalScrollMode = true;
    file += GenerateBlock(m) + "\r\n";
    file += EmptyBlock(5, 0, 4) + "\r\n";
    file += "SUB 9(TASK=3)    // CRC value = 77\r\n\r\n    PRINT\"BY HAND\";\r\nEND SUB\r\n\r\n";
    scroll.CurrentMessage = 1000;
    scroll.LineRtf[3] = "\\f0 \\cf0 NEWS";
    scroll.LineScroll[3] = "4,0";
    scroll.SendText = "HOST";
    file += GenerateBlock(scroll) + "\r\n";
    return file;
}

} // namespace

TEST(Lumatext, ListShowAndRegenerate) {
    test::TempDir dir;
    dir.write("units.src", sampleFile());
    Outcome r = lumatext(dir, "list units.src");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "2\t1\tquick\tHELLO | T=^^.^! |  | ONE / TWO\n"
                     "5\t0\tquick\t |  |  | \n"
                     "9\t3\tscript-only\t\n"
                     "1000\t0\tquick\t |  | NEWS | \n");
    EXPECT_EQ(r.err, "");

    // A name outside ASCII reaches the program whole (Windows: through its wide command line).
    dir.write("Gr\xC3\xBC\xC3\x9F" "e.src", sampleFile());
    EXPECT_EQ(lumatext(dir, "list Gr\xC3\xBC\xC3\x9F" "e.src").out, r.out);

    const std::string blank = std::string(20, ' ') + "\n";
    for (auto [number, rows] : std::vector<std::pair<std::string, std::string>>{
             {"2", "       HELLO        \nT=^^.^!             \n" + blank + "ONE                 \n"},
             {"1000", blank + blank + "                   N\n" + blank},
             {"9", blank + blank + blank + blank}}) {
        r = lumatext(dir, "show units.src " + number);
        EXPECT_EQ(std::make_pair(r.code, r.out), std::make_pair(0, rows)) << number;
    }
    EXPECT_EQ(r.err, "lumatext: message 9 was edited by hand (Script Edit only)\n");

    r = lumatext(dir, "regen units.src out.src");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "regenerated 3 Quick Edit messages, copied 1 script-only message into out.src\n");
    // Generated blocks come back unchanged, the hand-edited one is copied, the empty one goes.
    std::string expected = sampleFile();
    size_t empty = expected.find("SUB 5(TASK=0)");
    expected.erase(empty, expected.find("SUB 9") - empty);
    EXPECT_EQ(dir.read("out.src"), expected);
    EXPECT_EQ(lumatext(dir, "regen out.src again.src").code, 0);
    EXPECT_EQ(dir.read("again.src"), dir.read("out.src"));
    EXPECT_FALSE(dir.has("TMP$$$.TMP"));

    // A hand-edited block whose last line, without a line end, is longer than any buffer
    // is copied with that line whole.
    const std::string line = "    PRINT\"" + std::string(3 << 20, 'L') + "\";";
    dir.write("long.src", "SUB 7(TASK=1)    // CRC value = 1\r\n" + line);
    r = lumatext(dir, "regen long.src long-out.src");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "regenerated 0 Quick Edit messages, copied 1 script-only message into long-out.src\n");
    const std::string out = dir.read("long-out.src");
    EXPECT_NE(out.find("\r\n" + line + "\r\n"), std::string::npos) << out.size();
}

TEST(Lumatext, UsageAndFileErrors) {
    test::TempDir dir;
    Outcome r = lumatext(dir, "");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err.rfind("usage: lumatext list FILE.src", 0), 0u);
    r = lumatext(dir, "--help");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("lumatext regen FILE.src OUT.src"), std::string::npos);
    dir.write("foreign.src", "#define Display_type ()\r\nSUB 1(TASK=0)\r\nEND SUB\r\n");
    dir.write("good.src", "#define Display_type (7740)\r\n");
    dir.write("notes.txt", "shopping list\r\n");
    const struct {
        const char* arguments;
        int code;
        std::string firstLine;
    } rows[] = {
        {"frobnicate x", 2, "unknown command \"frobnicate\""},
        {"show a.src 1024", 2, "message number must be 0 to 1023, not \"1024\""},
        {"list missing.src", 1, "cannot open missing.src: No such file or directory"},
        {"list foreign.src", 1, "foreign.src is not a Lumatext 7700 script file"},
        {"regen good.src no/such/dir/out.src", 1, "cannot write no/such/dir/out.src"},
        {"regen notes.txt out.src", 1, "notes.txt is not a Lumatext 7700 script file"},
        {"program missing.src --unit COM1", 1, "cannot open missing.src: No such file or directory"},
    };
    for (const auto& row : rows) {
        r = lumatext(dir, row.arguments);
        EXPECT_EQ(r.code, row.code) << row.arguments;
        // The usage follows the first line only after a mistake in the arguments.
        EXPECT_EQ(row.code == 1 ? r.err : r.err.substr(0, r.err.find('\n') + 1), "lumatext: " + row.firstLine + "\n");
    }
    EXPECT_FALSE(dir.has("out.src"));
}

TEST(Lumatext, ProgramRefusesWhatItCannotDo) {
    test::TempDir dir;
    auto firstLine = [](const Outcome& r) { return r.err.substr(0, r.err.find('\n')); };
    const std::string noUnit = "\" names no unit (COM<n>[:ADDRESS] or tcp://HOST:PORT[:ADDRESS], ADDRESS 0 to 255)";
    const std::string twice = " is named twice (or two names lead to the same line and address)";
    const std::vector<std::pair<std::string, std::string>> mistakes = {
        {"program", "program needs the script file"},
        {"program a.src", "program needs at least one --unit or a --units file"},
        {"program a.src b.src --unit COM1", "program takes one script file, not also \"b.src\""},
        {"program a.src --unit COM0", "\"COM0" + noUnit},
        {"program a.src --unit COM1:256", "\"COM1:256" + noUnit},
        {"program a.src --unit tcp://host", "\"tcp://host" + noUnit},
        {"program a.src --unit tcp://[::1:4001", "\"tcp://[::1:4001" + noUnit},
        {"program a.src --unit COM3 --unit com3:0", "unit COM3:0" + twice},
        {"program a.src --unit tcp://Host:4001:2 --unit tcp://host:4001:2", "unit tcp://host:4001:2" + twice},
        {"program a.src --unit COM1 --baud 10", "the baud rate \"10\" is not valid (50 to 4000000)"},
        {"program a.src --unit COM1 --call 1024", "\"1024\" is not a message number (0 to 1023)"},
        {"program a.src --unit COM1 --call", "option --call needs a value"},
        {"program a.src --unit COM1 --speed 9", "unknown option --speed"},
        {"program a.src --units list.txt", "list.txt line 3: \"COM1:x" + noUnit},
        {"program a.src --units none.txt", "cannot open the units file none.txt"},
    };
    dir.write("list.txt", "# units\r\nCOM1:1   # at the door\r\nCOM1:x\r\n");
    for (const auto& [arguments, message] : mistakes) {
        Outcome r = lumatext(dir, arguments);
        EXPECT_EQ(std::to_string(r.code) + " " + firstLine(r), "2 lumatext: " + message);
    }

    dir.write("bad.src", ScriptHeader("7780", "2") + "SUB 0(TASK=0)\r\n    PRINT \"OPEN;\r\nEND SUB\r\n");
    Outcome r = lumatext(dir, "program bad.src --unit COM1");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(firstLine(r), "lumatext: bad.src did not compile; nothing was programmed.");
    EXPECT_NE(r.err.find("BAD.SRC 6: unterminated string\r\nThe errors are kept in bad.err.\n"), std::string::npos)
        << r.err;
    EXPECT_FALSE(dir.has("bad.COM1-0.log"));
}
