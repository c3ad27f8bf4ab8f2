#include <gtest/gtest.h>

#include "StorageFixture.h"
#include "storage/Rescue.h"
#include "storage/ScriptFile.h"

using namespace lt;
using test::Block;

TEST(Rescue, YesSavesEveryMessageIncludingTheUnsavedCurrentOne) {
    test::StorageFixture f;
    f.s.msg.CurrentMessage = 4;
    int built = 0, read = 0;
    RescueSteps steps{[&] { ++built; f.s.msg.BlockText = Block(4, 0); }, [&] { ++read; }};
    f.ui.answers = {Answer::Yes};
    EXPECT_TRUE(ReportUnexpectedError(f.s, "SubMake", steps));
    EXPECT_EQ(f.ui.boxes[0].text, "Unexpected Error in module SubMake. Save all data in file " + f.s.run.ProgramDir +
                                      "SGX3TMP.SRC on exit?");
    EXPECT_EQ(f.ui.boxes[0].buttons, Buttons::YesNo);
    EXPECT_EQ(f.ui.boxes[0].icon, Icon::Exclamation);
    EXPECT_EQ(built, 1);
    EXPECT_EQ(read, 1);
    EXPECT_TRUE(f.ui.ended);
    EXPECT_EQ(test::TempDir::readFile(f.s.run.ProgramDir + "SGX3TMP.SRC"),
              ScriptHeader("7740", "2") + Block(4, 0) + "\r\n");
}

TEST(Rescue, NoEndsWithoutSaving) {
    test::StorageFixture f;
    f.ui.answers = {Answer::No};
    EXPECT_FALSE(ReportUnexpectedError(f.s, "ReadFields"));
    EXPECT_TRUE(f.ui.ended);
    EXPECT_FALSE(f.dir.has("prog/SGX3TMP.SRC"));
}
