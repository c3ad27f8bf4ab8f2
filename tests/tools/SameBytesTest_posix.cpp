// The Windows build gives the same bytes as this one: generated script files (and the
// corpus) are compiled and assembled by both builds' lexmill.exe and binmill.exe, and
// rewritten by both builds' lumatext regen. `./dev windows` runs it with the Windows
// build's programs (LT_WINDOWS_BIN_DIR) and the program that runs them (LT_WINE); without
// those it is skipped. It drives Wine, so it is built on the POSIX side only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "RandomMessages.h"
#include "Session.h"
#include "ToolRun.h"
#include "quickedit/Generate.h"
#include "storage/ScriptFile.h"

using namespace lt;

namespace {

// The program files of one build and how to start them. The Windows build runs under
// Wine, which sees this machine's "/" as drive Z: and takes "\" separated paths.
struct Build {
    std::string bin;  // directory of the programs, with its separator
    std::string wine; // empty for this system's own build
    std::string dir;  // this build's working directory (a path of this system)

    std::string path(const std::string& local) const {
        if (wine.empty()) return local;
        std::string p = "Z:" + local;
        for (char& c : p)
            if (c == '/') c = '\\';
        return p;
    }
    std::string file(const std::string& name) const { return dir + name; }
    int run(const std::string& program, std::vector<std::string> arguments, const std::string& output = "") const {
        test::ProgramCall call{bin + program, std::move(arguments), dir, output, output.empty() ? "" : output + ".stderr"};
        if (!wine.empty()) {
            call.arguments.insert(call.arguments.begin(), call.program);
            call.program = wine;
        }
        return test::RunProgram(call);
    }
    // Runs a tool on a list written for this build, as the editor writes one.
    int tool(const std::string& program, const std::string& base, const std::vector<std::string>& entries) const {
        test::TempDir::writeFile(file(base + ".lst"), test::listText(entries));
        return run(program, {"@" + path(file(base + ".lst"))});
    }
};

// A script file of random Quick Edit messages for one unit type, numbered from `first`.
std::string generatedScript(unsigned seed, int lineCount, int first, int count) {
    test::MemoryFileSystem fs;
    test::FakeUserPort ui;
    const std::string type = lineCount == 4 ? "7780" : "7740";
    std::string file = ScriptHeader(type, "2");
    test::Rng r(seed);
    for (int n = first; n < first + count;) {
        Session s(fs, ui);
        s.msg = test::randomMessage(r);
        if (s.msg.LineCount != lineCount) continue;
        s.msg.CurrentMessage = n++;
        s.settings.UnitType = type;
        // A send text ending in a backslash would escape the quote after it in the block.
        for (char& c : s.msg.SendText)
            if (c == '\\') c = '/';
        // The scroll dialogs always return to marker 0, the one the block drops.
        for (auto& repeat : s.msg.LineRepeat)
            if (!repeat.empty()) repeat = "0" + repeat.substr(repeat.find(','));
        SubMake(s);
        if (!s.msg.BlockText.empty()) file += s.msg.BlockText + "\r\n";
    }
    return file;
}

std::string read(const std::string& path) { return test::TempDir::readFile(path); }

} // namespace

TEST(SameBytes, ToolsAndRegenerationOnLinuxAndWindows) {
    const char* windowsBin = std::getenv("LT_WINDOWS_BIN_DIR");
    const char* wine = std::getenv("LT_WINE");
    if (!windowsBin || !wine) GTEST_SKIP() << "no Windows build given (./dev windows runs this test)";
    test::TempDir work;
    for (const char* d : {"linux", "windows"}) std::filesystem::create_directory(work.file(d));
    const Build linux{test::binDir(), "", work.file("linux/")};
    Build windows{"", wine, work.file("windows/")};
    windows.bin = windows.path(std::string(windowsBin) + "/");

    // name -> script text: generated files of both unit types (one with a name outside
    // ASCII, which reaches the Windows tools through their wide command line) and the corpus.
    std::vector<std::pair<std::string, std::string>> scripts = {
        {"gen_7740_a", generatedScript(1, 2, 0, 60)},
        {"gen_7780_a", generatedScript(2, 4, 100, 60)},
        {"Pr\xC3\xBC" "fung_7740", generatedScript(3, 2, 500, 40)},
        {"gen_7780_b", generatedScript(4, 4, 900, 124)},
    };
    for (const char* name : {"good/full_7780", "good/send_message", "good/vertical_7740", "bad/statements"})
        scripts.push_back({std::filesystem::path(name).filename().string(), read(test::corpusDir() + name + ".src")});

    int images = 0;
    for (const auto& [name, text] : scripts) {
        std::map<std::string, std::string> outputs[2];
        int codes[2][2];
        for (int k = 0; k < 2; ++k) {
            const Build& b = k == 0 ? linux : windows;
            test::TempDir::writeFile(b.file(name + ".src"), text);
            const std::string base = b.path(b.file(name));
            const std::string source = b.path(b.file(name + ".src"));
            codes[k][0] = b.tool("lexmill.exe", name, {source, base, "/error", base, "/include", b.bin, "/log", base});
            codes[k][1] = b.tool("binmill.exe", name, {base, base, "/error", base, "/log", base});
            for (const char* ext : {".esc", ".bin", ".err"}) outputs[k][ext] = read(b.file(name + ext));
        }
        EXPECT_EQ(codes[0][0], codes[1][0]) << name;
        EXPECT_EQ(codes[0][1], codes[1][1]) << name;
        for (const char* ext : {".esc", ".bin", ".err"})
            EXPECT_TRUE(outputs[0][ext] == outputs[1][ext]) << name << ext << " differs";
        if (outputs[0][".bin"].size() == 32768) ++images;
    }
    EXPECT_EQ(images, 7); // every good file gave an image; the bad one did not

    // lumatext regen of a generated file, in each build's own directory.
    for (int k = 0; k < 2; ++k) {
        const Build& b = k == 0 ? linux : windows;
        const std::string program = k == 0 ? "lumatext" : "lumatext.exe";
        EXPECT_EQ(b.run(program, {"regen", "gen_7780_a.src", "regen.src"}, b.file("out.txt")), 0);
    }
    EXPECT_EQ(read(linux.file("out.txt")), read(windows.file("out.txt")));
    EXPECT_FALSE(read(linux.file("regen.src")).empty());
    EXPECT_TRUE(read(linux.file("regen.src")) == read(windows.file("regen.src"))) << "regenerated files differ";
}
