// lexmill.exe run as the editor runs it: corpus of good and wrong scripts (the wrong ones
// in the syntax check's calling form), and problems with the call itself.
#include <gtest/gtest.h>

#include <filesystem>

#include "ToolRun.h"
#include "common/EscapeFile.h"

using namespace lt::test;
namespace fs = std::filesystem;

namespace {

int countHeaders(const std::string& text) {
    int count = 0;
    for (size_t at = 0; (at = text.find("\nSUB ", at)) != std::string::npos; ++at) ++count;
    return count;
}

// Each script of corpus/<group>, copied into a directory of its own next to a stale
// <name><stale> of an earlier run, then checked by check(dir, name, expected error file).
template <typename Check>
void forEachScript(const std::string& group, const std::string& stale, Check check) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(corpusDir() + group))
        if (entry.path().extension() == ".src") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 4u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        TempDir dir;
        const std::string name = file.stem().string();
        dir.write(name + ".src", TempDir::readFile(file.string()));
        dir.write(name + stale, "stale output of an earlier run\r\n");
        check(dir, name, fs::path(file).replace_extension(".err").string());
    }
}

} // namespace

TEST(LexmillCorpus, GeneratorFormBlocksCompileClean) {
    forEachScript("good", ".err", [](const TempDir& dir, const std::string& name, const std::string&) {
        const std::string base = dir.file(name);
        EXPECT_EQ(runTool(dir, "lexmill.exe", "c.lst",
                          {base + ".src", base, "/error", base, "/include", binDir(), "/log", base}), 0);
        EXPECT_FALSE(dir.has(name + ".err"));
        const std::string log = dir.read(name + ".log");
        EXPECT_TRUE(contains(log, "Errors: 0, warnings: 0\r\n"));
        lt::tools::EscapeProgram program;
        std::vector<lt::tools::EscapeProblem> problems;
        EXPECT_TRUE(lt::tools::readEscapeFile(dir.read(name + ".esc"), program, problems));
        EXPECT_EQ(static_cast<int>(program.messages.size()), countHeaders("\n" + dir.read(name + ".src")));
    });
}

// Run in the syntax check's calling form: source, error base and include directory only.
TEST(LexmillCorpus, WrongScriptsGiveTheExpectedErrorLines) {
    forEachScript("bad", ".esc", [](const TempDir& dir, const std::string& name, const std::string& expected) {
        EXPECT_EQ(runTool(dir, "lexmill.exe", "c.lst", {dir.file(name + ".src"), "/error", dir.file(name), "/include",
                                                        binDir()}), 1);
        EXPECT_EQ(dir.read(name + ".err"), TempDir::readFile(expected));
        EXPECT_FALSE(dir.has(name + ".esc")) << "a stale escape file must not survive errors";
        EXPECT_FALSE(dir.has(name + ".log")); // the syntax check's list names no log
    });
}

TEST(LexmillContract, CallProblemsGiveAClearErrorFile) {
    TempDir dir;
    EXPECT_EQ(runProgram(binDir() + "lexmill.exe", "@" + dir.file("none.lst")), 2);
    EXPECT_EQ(dir.read("none.err"), "LEXMILL: cannot read the argument list none.lst\r\n");

    const std::string out = dir.file("out");
    EXPECT_EQ(runTool(dir, "lexmill.exe", "a.lst", {dir.file("x.src"), out, "/error", out, "/log", out}), 2);
    EXPECT_EQ(dir.read("out.err"), "LEXMILL: cannot open source file x.src\r\n");
    EXPECT_TRUE(contains(dir.read("out.log"), "LEXMILL: cannot open source file x.src"));

    // The header is found ignoring letter case; the output base may differ from the source.
    fs::create_directory(dir.file("inc"));
    dir.write("inc/ctrlcode.h", "#define GREETING \"HELLO\"\r\n");
    dir.write("x.src", "#include \"CTRLCODE.H\"\r\nSUB 1(TASK=0)\r\n    PRINT GREETING;\r\n"
                       "    CALL START_SCRIPT(2)\r\nEND SUB\r\n");
    EXPECT_EQ(runTool(dir, "lexmill.exe", "a.lst", {dir.file("x.src"), out, "/error", out, "/include",
                                                     dir.file("inc"), "/log", out}),
              0);
    EXPECT_TRUE(dir.has("out.esc") && !dir.has("out.err"));
    EXPECT_EQ(dir.read("out.log"), "lexmill.exe 1.0 - Lumatext 7700 script compiler\r\n"
                                   "Source file: " + dir.file("x.src") + "\r\n"
                                   "Display type: not stated (4 lines), firmware version 2\r\n"
                                   "Messages compiled: 1\r\n"
                                   "Code bytes: 11\r\n"
                                   "Errors: 0, warnings: 1\r\n"
                                   "warning: X.SRC 4: START_SCRIPT(2) starts a message that does not exist in this file\r\n"
                                   "Escape file: out.esc\r\n");
}

// A file without line ends is one oversized token: the error file and the log quote only
// its start and its length.
TEST(LexmillContract, OversizedTokenIsQuotedAsAShortExcerpt) {
    TempDir dir;
    dir.write("huge.src", "SUB 1(TASK=0)\r\n    " + std::string(4 << 20, 'Q'));
    const std::string out = dir.file("huge");
    EXPECT_EQ(runTool(dir, "lexmill.exe", "a.lst", {dir.file("huge.src"), out, "/error", out, "/log", out}), 1);
    const std::string errors = dir.read("huge.err");
    EXPECT_LT(errors.size(), 400u) << errors.size();
    EXPECT_TRUE(contains(errors.substr(0, 400),
                         "HUGE.SRC 2: unknown statement \"" + std::string(32, 'Q') + "...\" (4194304 characters)\r\n"));
    EXPECT_LT(dir.read("huge.log").size(), 1000u);
}
