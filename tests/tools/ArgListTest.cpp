// Reading the editor's argument lists and its paths.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "common/ArgList.h"
#include "common/ToolFiles.h"

using namespace lt::tools;

TEST(ArgList, EntriesSwitchesAndPaths) {
    // CR LF lines and the extra empty line the editor writes; switches in any order and
    // letter case; absolute paths that start with "/" stay positional.
    ArgList list = parseArgList(listEntries("/home/u/a.b/x.src\r\n/home/u/out\r\n/LOG\r\n/home/u/log\r\n"
                                            "/error\r\n/home/u/err\r\n/include\r\n/opt/lt/\r\n\r\n"),
                                {"error", "include", "log"});
    EXPECT_EQ(list.problem, "");
    EXPECT_EQ(list.positional, (std::vector<std::string>{"/home/u/a.b/x.src", "/home/u/out"}));
    EXPECT_EQ(list.value("log"), "/home/u/log");
    EXPECT_EQ(list.value("error"), "/home/u/err");
    EXPECT_EQ(list.value("include"), "/opt/lt/");
    EXPECT_FALSE(list.has("other"));

    list = parseArgList(listEntries("a\n/error"), {"error"});
    EXPECT_EQ(list.problem, "switch \"/error\" has no value in the argument list");

    EXPECT_EQ(baseName("C:\\a.b\\x.src"), "C:\\a.b\\x");
    EXPECT_EQ(baseName("/a.b/x"), "/a.b/x");
    EXPECT_EQ(fileNamePart("C:\\dir\\SUB.SRC"), "SUB.SRC");
    EXPECT_EQ(directoryPart("/p/q/r.h"), "/p/q/");
    EXPECT_EQ(withTrailingSeparator("/opt/lt"), "/opt/lt/");
    EXPECT_EQ(withTrailingSeparator("C:\\lt"), "C:\\lt\\");
}

TEST(ToolFiles, AtomicWritesAndCaseInsensitiveLookup) {
    lt::test::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir.file("x.bin"), std::string("a\0b", 3), true));
    std::string back;
    ASSERT_TRUE(readWholeFile(dir.file("x.bin"), back));
    EXPECT_EQ(back, std::string("a\0b", 3));
    EXPECT_FALSE(dir.has("x.bin.tmp~"));
    EXPECT_FALSE(writeFileAtomically(dir.file("missing/x.bin"), "data"));
    EXPECT_FALSE(readWholeFile(dir.file("missing.txt"), back));

    dir.write("CtrlCode.h", "x");
    // A system that ignores letter case itself may answer with the name as asked; either
    // way the answer opens the file.
    const std::string found = findFileIgnoringCase(dir.dir().substr(0, dir.dir().size() - 1), "CTRLCODE.H");
    EXPECT_EQ(upperCase(found), upperCase(dir.file("CtrlCode.h")));
    EXPECT_TRUE(readWholeFile(found, back) && back == "x") << found;
    EXPECT_EQ(findFileIgnoringCase(dir.dir(), "NOPE.H"), "");
}
