// The emulated unit running message code: display statements, timing, tasks and
// variables, without any line in between.
#include <gtest/gtest.h>

#include "../ToolRun.h"
#include "common/FlashImage.h"
#include "emulator/Machine.h"
#include "protocol/Commands.h"

namespace {

using namespace lt::tools;
using namespace lt::emulator;
using lt::test::Code;

// Programs the messages {number, task, code} into the flash of a 4-row unit.
void load(Machine& machine, std::vector<std::tuple<int, int, Code>> messages) {
    EscapeProgram escape;
    for (auto& [number, task, code] : messages) escape.messages.push_back({number, task, code.op(Op::End).w.take()});
    std::string image, problem;
    ASSERT_TRUE(buildFlashImage(escape, image, problem)) << problem;
    ASSERT_TRUE(machine.setFlash(image));
}

// A row's text after `ms` more milliseconds.
std::string after(Machine& m, int ms, int row) {
    m.advance(ms);
    return m.display().rowText(row);
}

std::string rows(const Machine& m) {
    std::string text;
    for (int r = 1; r <= m.display().rows(); ++r) text += m.display().rowText(r) + "|";
    return text;
}

TEST(Machine, DisplayStatementsVariablesAndRelay) {
    Machine m(4, 2);
    load(m, {{5, 0,
              Code().op(Op::Cls).op1(Op::Relay, 1).op2(Op::Cursor, 1, 1).text("       HELLO")
                  .op2(Op::Erase, kCurrentPosition, kCurrentPosition)
                  .op2(Op::Cursor, 2, 1).text("TEMP ").op2(Op::PrintVar, 3, 4)
                  .op2(Op::Cursor, 3, 1).op1(Op::Blink, 50).text("HOT").op1(Op::Blink, 0).op2(Op::PrintVar, 1, -3)
                  .op1(Op::LoadA, 2).op2(Op::PrintA, 16 * 1 + 5, 0)}});

    EXPECT_EQ(m.callUp(6, ""), lt::protocol::kNoMessage);
    ASSERT_EQ(m.callUp(5, "7, 2.26 ,-12"), lt::protocol::kOk);
    m.advance(10);
    EXPECT_EQ(rows(m), "       HELLO        |TEMP  -12           |HOT007  2.3         |                    |");
    EXPECT_TRUE(m.relay());
    EXPECT_EQ(m.display().blinkMask(3), "***                 ");
    EXPECT_EQ(m.display().shownRow(3, 0), "HOT007  2.3         ");
    EXPECT_EQ(m.display().shownRow(3, 500), "   007  2.3         ");

    // Variables keep their values; an empty value leaves one unchanged.
    ASSERT_EQ(m.callUp(5, ",,99999"), lt::protocol::kOk);
    EXPECT_EQ(after(m, 10, 2), "TEMP ****           ");
    EXPECT_EQ(m.variable(1), "7");

    EXPECT_EQ(formatWhole("abc", 5) + "|" + formatWhole("-5", -4), "  abc|-005");
    EXPECT_EQ(formatUsing("3.14159", 16 * 2 + 6, 2), "003.14");
    EXPECT_EQ(unsetPicture(16 * 2 + 6, '^') + "|" + unsetPicture(3, '#'), "^^^.^^|###");
    m.reboot();
    EXPECT_EQ(std::make_pair(m.relay(), m.variable(1)), std::make_pair(false, std::string()));
    // After a restart no variable is set: each field shows its picture of placeholders.
    ASSERT_EQ(m.callUp(5, ""), lt::protocol::kOk);
    m.advance(10);
    EXPECT_EQ(rows(m), "       HELLO        |TEMP ^^^^           |HOT^^^^^^.^         |                    |");
    m.setPlaceholder('#');
    ASSERT_EQ(m.callUp(5, ",7"), lt::protocol::kOk);
    m.advance(10);
    EXPECT_EQ(rows(m), "       HELLO        |TEMP ####           |HOT###  7.0         |                    |");
}

TEST(Machine, ScrollingRepeatsWaitsAndVerticalBlocks) {
    Machine m(4, 2);
    load(m, {// a scroll, then X once it has run its course
             {1, 0, Code().op2(Op::Cursor, 2, 1).byteWord(Op::Scroll, 10, 1).text("ABC").op(Op::Eot).text("X")},
             // vertical block scrolling, each block twice
             {2, 1, Code().op2(Op::Cursor, 4, 1).op1(Op::Marker, 0).op(Op::NewLine).text("ONE").word(Op::Wait, 2)
                        .op(Op::NewLine).text("TWO").word(Op::Wait, 2).byteWord(Op::Goto, 0, 2).text("END")},
             // scrolls until the next message; the message goes on at once
             {3, 2, Code().op2(Op::Cursor, 1, 1).byteWord(Op::Scroll, 5, 0).op1(Op::Blink, 100).text("AB")
                        .op(Op::Eot).op2(Op::Cursor, 3, 1).text("Z\rY\n")}});

    ASSERT_EQ(m.callUp(1, ""), lt::protocol::kOk);
    EXPECT_EQ(after(m, 10, 2), std::string(20, ' '));
    EXPECT_EQ(after(m, 100, 2), std::string(19, ' ') + "A");
    EXPECT_EQ(after(m, 100, 2), std::string(18, ' ') + "AB");
    EXPECT_EQ(m.runningMessage(0), 1);
    EXPECT_EQ(after(m, 100, 2), "X" + std::string(16, ' ') + "ABC");
    EXPECT_EQ(m.runningMessage(0), -1);

    ASSERT_EQ(m.callUp(2, ""), lt::protocol::kOk);
    EXPECT_EQ(after(m, 10, 4), "ONE                 ");
    EXPECT_EQ(after(m, 200, 3), "ONE                 ");
    EXPECT_EQ(m.display().rowText(4), "TWO                 ");
    m.advance(600); // the second round, then END on the row of the last block
    EXPECT_EQ(rows(m), "ONE                 |TWO                 |ONE                 |TWOEND              |");
    EXPECT_EQ(m.runningMessage(1), -1);

    ASSERT_EQ(m.callUp(3, ""), lt::protocol::kOk);
    EXPECT_EQ(after(m, 10, 3), "YNE                 "); // Z overwritten after CR; "ONE" was there
    EXPECT_EQ(m.runningMessage(2), -1);
    m.advance(200); // 4 steps: A, B, A, B
    EXPECT_EQ(m.display().rowText(1), std::string(16, ' ') + "ABAB");
    EXPECT_EQ(m.display().cell(1, 20).blink, 5);
}

TEST(Machine, TasksStartsLockAndSerialOutput) {
    Machine m(4, 2);
    // 10 starts 11 (other task: at once) and 12 (same task: after 10); 13 loops without a
    // pause, which must not hang the unit.
    load(m, {{10, 0, Code().word(Op::Start, 11).word(Op::Start, 12).op1(Op::Lock, 1).op2(Op::Cursor, 1, 1)
                         .text("FIRST").word(Op::Wait, 5).op1(Op::Lock, 0)},
             {11, 1, Code().op2(Op::Cursor, 2, 1).text("OTHER").op1(Op::Device, kDeviceSerial).text("to the line")
                         .op1(Op::Device, kDeviceDisplay)},
             {12, 0, Code().op2(Op::Cursor, 3, 1).text("NEXT")},
             {13, 2, Code().op1(Op::Marker, 0).byteWord(Op::Goto, 0, 0)}});

    ASSERT_EQ(m.callUp(10, ""), lt::protocol::kOk);
    ASSERT_EQ(m.callUp(13, ""), lt::protocol::kOk);
    m.advance(10);
    EXPECT_EQ(rows(m), "FIRST               |OTHER               |                    |                    |");
    EXPECT_EQ(m.takeSerialOutput(), "to the line\r\n");
    // Locked: a call-up on its task waits until the message has ended.
    ASSERT_EQ(m.callUp(12, ""), lt::protocol::kOk);
    EXPECT_EQ(after(m, 100, 3), std::string(20, ' '));
    EXPECT_EQ(after(m, 500, 3), "NEXT                ");
    EXPECT_EQ(m.runningMessage(2), 13);
}

} // namespace
