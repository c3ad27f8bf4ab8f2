// Every block the Quick Edit generator writes compiles without errors.
#include <gtest/gtest.h>

#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "RandomMessages.h"
#include "Session.h"
#include "lexmill/Compiler.h"
#include "quickedit/Generate.h"
#include "storage/ScriptFile.h"

using namespace lt;

TEST(GeneratedBlocks, CompileWithoutErrors) {
    test::MemoryFileSystem fs;
    test::FakeUserPort ui;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        test::Rng r(seed);
        Session s(fs, ui);
        s.msg = test::randomMessage(r);
        s.msg.CurrentMessage = static_cast<int>(seed % 1024);
        s.settings.UnitType = s.msg.LineCount == 4 ? "7780" : "7740";
        // The scroll dialogs always return to marker 0, the one the block drops.
        for (auto& repeat : s.msg.LineRepeat)
            if (!repeat.empty()) repeat = "0" + repeat.substr(repeat.find(','));
        SubMake(s);
        if (s.msg.BlockText.empty()) continue;
        std::string source = ScriptHeader(s.settings.UnitType, "2") + s.msg.BlockText + "\r\n";
        lexmill::CompileOptions options;
        options.includeDir = LT_SOURCE_DIR "/data/";
        auto result = lexmill::compileSource(source, "GEN.SRC", options);
        EXPECT_EQ(result.diagnostics.errorCount(), 0)
            << "seed " << seed << "\n" << result.diagnostics.errorFileText() << s.msg.BlockText;
    }
}
