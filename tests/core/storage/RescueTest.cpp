#include <gtest/gtest.h>

#include "StorageFixture.h"
#include "quickedit/Read.h"

using namespace lt;

// A line number below the first also reaches the rescue prompt; No ends without a file.
TEST(Rescue, NoEndsWithoutSaving) {
    test::StorageFixture f;
    f.ui.answers = {Answer::No};
    ReadLines(f.s, -1);
    EXPECT_EQ(f.ui.texts(), std::vector<std::string>{"Unexpected Error in module ReadLines. Save all data in file " +
                                                     f.s.run.ProgramDir + "SGX3TMP.SRC on exit?"});
    EXPECT_TRUE(f.ui.ended);
    EXPECT_EQ(f.ui.busyDepth, 0);
    EXPECT_FALSE(f.dir.has("prog/SGX3TMP.SRC"));
}
