// An unexpected failure inside each Quick Edit conversion routine: the rescue prompt
// names the routine, and on Yes "SGX3TMP.SRC" holds every message of the open file,
// the edited ones from the work file and the unsaved current one from the record.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "StorageFixture.h"
#include "quickedit/EditState.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "quickedit/RichText.h"
#include "settings/ProgramMenu.h"
#include "storage/Rescue.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

using namespace lt;

namespace {

std::string Plain(const std::string& text) { return "\\sb90\\sa90 \\f0 \\cf0 " + text; }

// A person who answers the rescue prompt; the fault that caused it is gone by then
// (the failure was a passing one, as an unexpected error is).
class RescuingPort : public test::FakeUserPort {
public:
    std::function<void()> repair;
    Answer messageBox(const MessageBox& box) override {
        if (repair) repair();
        return FakeUserPort::messageBox(box);
    }
};

void MakeMessage(Session& s, int n, const std::string& text) {
    ClearQuickMessage(s.msg);
    s.msg.CurrentMessage = n;
    s.msg.LineRtf[1] = Plain(text);
    SubMake(s);
}

// Message number -> plain text of line 1, read back from a script file by a fresh session.
std::map<int, std::string> ReadBack(const std::string& path) {
    NativeFileSystem disk;
    test::FakeUserPort quiet;
    Session g(disk, quiet);
    g.settings.UnitType = "7740";
    ApplyUnitType(g);
    g.index.CurrentFilePath = path;
    ScanScriptFile(g, path);
    std::map<int, std::string> out;
    WorkStore store(g);
    for (int n = 0; n < kMessageCount; ++n) {
        if (g.index.MessageState[n] != 1) continue;
        g.msg.CurrentMessage = n;
        store.LoadMessage(n);
        ReadFields(g);
        out[n] = GetText(g.msg.LineRtf[1]);
    }
    EXPECT_TRUE(quiet.boxes.empty());
    return out;
}

} // namespace

TEST(RescueFaults, EveryConversionRoutineOffersTheRescueSaveOfEveryMessage) {
    struct Fault {
        const char* routine;
        std::function<void(Session&)> inject;  // makes the routine fail
        std::function<void(Session&)> repair;  // the failure passes
    };
    const int kLines = 2;
    const std::vector<Fault> faults = {
        {"SubMake", [](Session& s) { s.msg.LineCount = 5; SubMake(s); }, [](Session& s) { s.msg.LineCount = kLines; }},
        {"ReadFields", [](Session& s) { s.msg.LineCount = 0; ReadFields(s); },
         [](Session& s) { s.msg.LineCount = kLines; }},
        {"CheckCrc",
         [](Session& s) {
             s.msg.BlockText = GenerateBlock(s.msg);
             s.msg.CurrentMessage = kMessageCount;
             CheckCrc(s);
         },
         [](Session& s) { s.msg.CurrentMessage = 5; }},
        {"LineMake", [](Session& s) { LineMake(s, 7); }, nullptr},
        {"MakeDoLine", [](Session& s) { MakeDoLine(s, Plain("X"), 9); }, nullptr},
        {"ReadLines", [](Session& s) { ReadLines(s, 9); }, nullptr},
        {"GetCenter", [](Session& s) { bool state = false; GetCenter(s, Plain("X"), true, 9, state); }, nullptr},
        {"ShowEdit", [](Session& s) { ShowEditState(s, 9); }, nullptr},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.routine);
        test::StorageFixture f;
        RescuingPort ui;
        Session s(f.disk, ui);
        s.run.ProgramDir = f.s.run.ProgramDir;
        s.settings.UnitType = "7740";
        ApplyUnitType(s);

        // a.src holds 1 and 2; 2 is edited into the work file; 5 is new and unsaved.
        std::string script = ScriptHeader("7740", "2");
        for (auto [n, text] : {std::pair<int, const char*>{1, "ONE"}, {2, "TWO"}}) {
            MakeMessage(s, n, text);
            script += s.msg.BlockText + "\r\n";
        }
        f.dir.write("a.src", script);
        WorkStore store(s);
        store.ClearIndex();
        s.index.CurrentFilePath = f.dir.file("a.src");
        ScanScriptFile(s, s.index.CurrentFilePath);
        for (auto [n, text] : {std::pair<int, const char*>{2, "TWO EDITED"}, {5, "UNSAVED"}}) {
            s.msg.CurrentMessage = n;
            store.LoadMessage(n);
            ReadFields(s);
            s.msg.LineRtf[1] = Plain(text);
            if (n == 2) {  // stored into the work file; 5 stays unsaved
                SubMake(s);
                ASSERT_TRUE(store.StoreMessage(2));
            }
        }
        ASSERT_TRUE(ui.boxes.empty());

        ui.repair = [&] { if (fault.repair) fault.repair(s); };
        ui.answers = {Answer::Yes};
        fault.inject(s);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.box(0), std::make_tuple(std::string("Unexpected Error in module ") + fault.routine +
                                                 ". Save all data in file " + s.run.ProgramDir + "SGX3TMP.SRC on exit?",
                                             Buttons::YesNo, Icon::Exclamation, Answer::Yes));
        EXPECT_TRUE(ui.ended && ui.busyDepth == 0);
        const std::map<int, std::string> expected{{1, "ONE"}, {2, "TWO EDITED"}, {5, "UNSAVED"}};
        EXPECT_EQ(ReadBack(s.run.ProgramDir + "SGX3TMP.SRC"), expected);
        EXPECT_EQ(f.dir.read("a.src"), script); // the open file itself is left alone
    }
}

// A line number below the first also reaches the rescue prompt; No ends without a file.
TEST(Rescue, NoEndsWithoutSaving) {
    test::StorageFixture f;
    f.ui.answers = {Answer::No};
    ReadLines(f.s, -1);
    EXPECT_EQ(f.ui.texts(), std::vector<std::string>{"Unexpected Error in module ReadLines. Save all data in file " +
                                                     f.s.run.ProgramDir + "SGX3TMP.SRC on exit?"});
    EXPECT_TRUE(f.ui.ended && f.ui.busyDepth == 0 && !f.dir.has("prog/SGX3TMP.SRC"));
}
