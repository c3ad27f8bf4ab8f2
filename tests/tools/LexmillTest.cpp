// lexmill.exe run as the editor runs it: corpus of good and wrong scripts (the wrong ones
// in the syntax check's calling form), and problems with the call itself.
#include <gtest/gtest.h>

#include <filesystem>

#include "ToolRun.h"
#include "common/EscapeFile.h"

using namespace lt::test;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> corpusFiles(const std::string& group) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(corpusDir() + group))
        if (entry.path().extension() == ".src") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

int countHeaders(const std::string& text) {
    int count = 0;
    for (size_t at = 0; (at = text.find("\nSUB ", at)) != std::string::npos; ++at) ++count;
    return count;
}

} // namespace

TEST(LexmillCorpus, GeneratorFormBlocksCompileClean) {
    const auto files = corpusFiles("good");
    ASSERT_GE(files.size(), 4u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        TempDir dir;
        const std::string source = TempDir::readFile(file.string());
        dir.write(file.filename().string(), source);
        const std::string base = dir.file(file.stem().string());
        dir.write(file.stem().string() + ".err", "stale error file of an earlier run\r\n");
        EXPECT_EQ(runTool(dir, "lexmill.exe", "c.lst",
                          {dir.file(file.filename().string()), base, "/error", base, "/include", binDir(), "/log", base}),
                  0);
        EXPECT_FALSE(dir.has(file.stem().string() + ".err"));
        const std::string log = dir.read(file.stem().string() + ".log");
        EXPECT_NE(log.find("Errors: 0, warnings: 0\r\n"), std::string::npos) << log;
        lt::tools::EscapeProgram program;
        std::vector<lt::tools::EscapeProblem> problems;
        EXPECT_TRUE(lt::tools::readEscapeFile(dir.read(file.stem().string() + ".esc"), program, problems));
        EXPECT_EQ(static_cast<int>(program.messages.size()), countHeaders("\n" + source));
    }
}

// Run in the syntax check's calling form: source, error base and include directory only.
TEST(LexmillCorpus, WrongScriptsGiveTheExpectedErrorLines) {
    const auto files = corpusFiles("bad");
    ASSERT_GE(files.size(), 4u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        TempDir dir;
        dir.write(file.filename().string(), TempDir::readFile(file.string()));
        const std::string base = dir.file(file.stem().string());
        dir.write(file.stem().string() + ".esc", "stale");
        EXPECT_EQ(runTool(dir, "lexmill.exe", "c.lst",
                          {dir.file(file.filename().string()), "/error", base, "/include", binDir()}),
                  1);
        fs::path expected = file;
        expected.replace_extension(".err");
        EXPECT_EQ(dir.read(file.stem().string() + ".err"), TempDir::readFile(expected.string()));
        EXPECT_FALSE(dir.has(file.stem().string() + ".esc")) << "a stale escape file must not survive errors";
        EXPECT_FALSE(dir.has(file.stem().string() + ".log")); // the syntax check's list names no log
    }
}

TEST(LexmillContract, CallProblemsGiveAClearErrorFile) {
    TempDir dir;
    EXPECT_EQ(runProgram(binDir() + "lexmill.exe", "@" + dir.file("none.lst")), 2);
    EXPECT_EQ(dir.read("none.err"), "LEXMILL: cannot read the argument list none.lst\r\n");

    const std::string out = dir.file("out");
    EXPECT_EQ(runTool(dir, "lexmill.exe", "a.lst", {dir.file("x.src"), out, "/error", out, "/log", out}), 2);
    EXPECT_EQ(dir.read("out.err"), "LEXMILL: cannot open source file x.src\r\n");
    EXPECT_NE(dir.read("out.log").find("LEXMILL: cannot open source file x.src"), std::string::npos);

    // The header is found ignoring letter case; the output base may differ from the source.
    fs::create_directory(dir.file("inc"));
    dir.write("inc/ctrlcode.h", "#define GREETING \"HELLO\"\r\n");
    dir.write("x.src", "#include \"CTRLCODE.H\"\r\nSUB 1(TASK=0)\r\n    PRINT GREETING;\r\n"
                       "    CALL START_SCRIPT(2)\r\nEND SUB\r\n");
    EXPECT_EQ(runTool(dir, "lexmill.exe", "a.lst", {dir.file("x.src"), out, "/error", out, "/include",
                                                     dir.file("inc"), "/log", out}),
              0);
    EXPECT_FALSE(dir.has("out.err"));
    EXPECT_TRUE(dir.has("out.esc"));
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
    EXPECT_NE(errors.find("HUGE.SRC 2: unknown statement \"" + std::string(32, 'Q') + "...\" (4194304 characters)\r\n"),
              std::string::npos)
        << errors.substr(0, 400);
    EXPECT_LT(dir.read("huge.log").size(), 1000u);
}
