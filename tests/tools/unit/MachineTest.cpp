// The emulated unit running message code: display statements, timing, tasks and
// variables, without any line in between.
#include <gtest/gtest.h>

#include "common/FlashImage.h"
#include "common/UnitCode.h"
#include "emulator/Machine.h"
#include "protocol/Commands.h"

namespace {

using namespace lt::tools;
using lt::emulator::formatUsing;
using lt::emulator::formatWhole;
using lt::emulator::Machine;
using lt::emulator::unsetPicture;

struct Program {
    EscapeProgram escape;
    void add(int number, int task, CodeWriter code) {
        code.op(Op::End);
        escape.messages.push_back({number, task, code.take()});
    }
    void load(Machine& machine) {
        std::string image, problem;
        ASSERT_TRUE(buildFlashImage(escape, image, problem)) << problem;
        ASSERT_TRUE(machine.setFlash(image));
    }
};

std::string rows(const Machine& m) {
    std::string text;
    for (int r = 1; r <= m.display().rows(); ++r) text += m.display().rowText(r) + "|";
    return text;
}

TEST(Machine, DisplayStatementsVariablesAndRelay) {
    Program p;
    CodeWriter c;
    c.op(Op::Cls);
    c.op1(Op::Relay, 1);
    c.op2(Op::Cursor, 1, 1);
    c.text("       HELLO");
    c.op2(Op::Erase, kCurrentPosition, kCurrentPosition);
    c.op2(Op::Cursor, 2, 1);
    c.text("TEMP ");
    c.op2(Op::PrintVar, 3, 4);
    c.op2(Op::Cursor, 3, 1);
    c.op1(Op::Blink, 50);
    c.text("HOT");
    c.op1(Op::Blink, 0);
    c.op2(Op::PrintVar, 1, -3);
    c.op1(Op::LoadA, 2);
    c.op2(Op::PrintA, 16 * 1 + 5, 0);
    p.add(5, 0, c);
    Machine m(4, 2);
    p.load(m);

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
    m.advance(10);
    EXPECT_EQ(m.display().rowText(2), "TEMP ****           ");
    EXPECT_EQ(m.variable(1), "7");

    EXPECT_EQ(formatWhole("abc", 5), "  abc");
    EXPECT_EQ(formatWhole("-5", -4), "-005");
    EXPECT_EQ(formatUsing("3.14159", 16 * 2 + 6, 2), "003.14");
    EXPECT_EQ(unsetPicture(16 * 2 + 6, '^'), "^^^.^^");
    EXPECT_EQ(unsetPicture(3, '#'), "###");
    m.reboot();
    EXPECT_FALSE(m.relay());
    EXPECT_EQ(m.variable(1), "");
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
    Program p;
    CodeWriter scroll;
    scroll.op2(Op::Cursor, 2, 1);
    scroll.opByteWord(Op::Scroll, 10, 1);
    scroll.text("ABC");
    scroll.op(Op::Eot);
    scroll.text("X"); // after the scroll has run its course
    p.add(1, 0, scroll);
    CodeWriter blocks; // vertical block scrolling, each block twice
    blocks.op2(Op::Cursor, 4, 1);
    blocks.op1(Op::Marker, 0);
    blocks.op(Op::NewLine);
    blocks.text("ONE");
    blocks.opWord(Op::Wait, 2);
    blocks.op(Op::NewLine);
    blocks.text("TWO");
    blocks.opWord(Op::Wait, 2);
    blocks.opByteWord(Op::Goto, 0, 2);
    blocks.text("END");
    p.add(2, 1, blocks);
    CodeWriter endless; // scrolls until the next message; the message goes on at once
    endless.op2(Op::Cursor, 1, 1);
    endless.opByteWord(Op::Scroll, 5, 0);
    endless.op1(Op::Blink, 100);
    endless.text("AB");
    endless.op(Op::Eot);
    endless.op2(Op::Cursor, 3, 1);
    endless.text("Z\rY\n");
    p.add(3, 2, endless);
    Machine m(4, 2);
    p.load(m);

    ASSERT_EQ(m.callUp(1, ""), lt::protocol::kOk);
    m.advance(10);
    EXPECT_EQ(m.display().rowText(2), std::string(20, ' '));
    m.advance(100);
    EXPECT_EQ(m.display().rowText(2), std::string(19, ' ') + "A");
    m.advance(100);
    EXPECT_EQ(m.display().rowText(2), std::string(18, ' ') + "AB");
    EXPECT_EQ(m.runningMessage(0), 1);
    m.advance(100);
    EXPECT_EQ(m.display().rowText(2), "X" + std::string(16, ' ') + "ABC");
    EXPECT_EQ(m.runningMessage(0), -1);

    ASSERT_EQ(m.callUp(2, ""), lt::protocol::kOk);
    m.advance(10);
    EXPECT_EQ(m.display().rowText(4), "ONE                 ");
    m.advance(200);
    EXPECT_EQ(m.display().rowText(3), "ONE                 ");
    EXPECT_EQ(m.display().rowText(4), "TWO                 ");
    m.advance(600); // the second round, then END on the row of the last block
    EXPECT_EQ(m.display().rowText(4), "TWOEND              ");
    EXPECT_EQ(m.display().rowText(3), "ONE                 ");
    EXPECT_EQ(m.display().rowText(2), "TWO                 ");
    EXPECT_EQ(m.runningMessage(1), -1);

    ASSERT_EQ(m.callUp(3, ""), lt::protocol::kOk);
    m.advance(10);
    EXPECT_EQ(m.display().rowText(3), "YNE                 "); // Z overwritten after CR; "ONE" was there
    EXPECT_EQ(m.runningMessage(2), -1);
    m.advance(200); // 4 steps: A, B, A, B
    EXPECT_EQ(m.display().rowText(1), std::string(16, ' ') + "ABAB");
    EXPECT_EQ(m.display().cell(1, 20).blink, 5);
}

TEST(Machine, TasksStartsLockAndSerialOutput) {
    Program p;
    CodeWriter first;
    first.opWord(Op::Start, 11); // other task: runs at once
    first.opWord(Op::Start, 12); // same task: after this one
    first.op1(Op::Lock, 1);
    first.op2(Op::Cursor, 1, 1);
    first.text("FIRST");
    first.opWord(Op::Wait, 5);
    first.op1(Op::Lock, 0);
    p.add(10, 0, first);
    CodeWriter other;
    other.op2(Op::Cursor, 2, 1);
    other.text("OTHER");
    other.op1(Op::Device, kDeviceSerial);
    other.text("to the line");
    other.op1(Op::Device, kDeviceDisplay);
    p.add(11, 1, other);
    CodeWriter next;
    next.op2(Op::Cursor, 3, 1);
    next.text("NEXT");
    p.add(12, 0, next);
    CodeWriter forever; // a loop without a pause must not hang the unit
    forever.op1(Op::Marker, 0);
    forever.opByteWord(Op::Goto, 0, 0);
    p.add(13, 2, forever);
    Machine m(4, 2);
    p.load(m);

    ASSERT_EQ(m.callUp(10, ""), lt::protocol::kOk);
    ASSERT_EQ(m.callUp(13, ""), lt::protocol::kOk);
    m.advance(10);
    EXPECT_EQ(rows(m), "FIRST               |OTHER               |                    |                    |");
    EXPECT_EQ(m.takeSerialOutput(), "to the line\r\n");
    // Locked: a call-up on its task waits until the message has ended.
    ASSERT_EQ(m.callUp(12, ""), lt::protocol::kOk);
    m.advance(100);
    EXPECT_EQ(m.display().rowText(3), std::string(20, ' '));
    m.advance(500);
    EXPECT_EQ(m.display().rowText(3), "NEXT                ");
    EXPECT_EQ(m.runningMessage(2), 13);
}

} // namespace
