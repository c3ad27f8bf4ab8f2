// The code a 7700 unit runs for one message: a byte sequence of instructions, each an
// operation byte followed by its operands. Multi-byte numbers are little-endian. The
// compiler writes it, the escape file and the flash image carry it unchanged, and the
// unit (or its emulator) executes it from the first byte to END.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lt::tools {

enum class Op : uint8_t {
    End = 0x00,        // end of the message
    Text = 0x01,       // n (1..255), n character codes: printed at the cursor
    NewLine = 0x02,    // cursor to column 1 of the next row; below the last row the rows move up
    Cls = 0x03,        // clear the screen, cursor to row 1 column 1
    Cursor = 0x04,     // row, column (both from 1)
    Erase = 0x05,      // row, column (0xFF = current): erase from there to the end of the row
    Font = 0x06,       // character set 0..3 (English, Katakana, Slavic, Cyrillic)
    Blink = 0x07,      // rate (1..254, x 10 ms; 0 = blinking off) for the text that follows
    Scroll = 0x08,     // speed (1..254, x 10 ms per step), repeat u16 (0 = until the next message)
    Eot = 0x09,        // end of the text collected since Scroll: the row scrolls it now
    Marker = 0x0A,     // marker 0..15: remembers this place
    Goto = 0x0B,       // marker, repeat u16 (0 = until the next message): play again from the marker
    Wait = 0x0C,       // time u16 (x 100 ms)
    PrintVar = 0x0D,   // variable 1..16, width (signed: negative = leading zeros)
    LoadA = 0x0E,      // variable 1..16 into the register A
    PrintA = 0x0F,     // format (16 x decimals + length), fill (0 blanks, 2 zeros)
    Start = 0x10,      // message u16: started on its own task, or queued after this one on the same task
    Device = 0x11,     // output device 0 display, 1 serial port, 2 slave unit (version 2 only)
    Lock = 0x12,       // 1 = this message cannot be interrupted, 0 = it can again
    Relay = 0x13,      // 1 = relay on, 0 = off
};

constexpr size_t kMaxMessageCode = 2048; // bytes of code one message may hold
constexpr uint8_t kCurrentPosition = 0xFF; // Erase operand meaning "where the cursor is"
constexpr int kMaxMarker = 15;
constexpr int kDeviceDisplay = 0;
constexpr int kDeviceSerial = 1;
constexpr int kDeviceHost = 2;

// One decoded instruction; the operands that do not apply stay 0.
struct Instruction {
    Op op = Op::End;
    size_t offset = 0;      // where it starts in the message code
    size_t size = 0;        // bytes it takes
    int a = 0;              // first operand
    int b = 0;              // second operand
    std::string_view text;  // the characters of Text
};

// Appends instructions to a message's code.
class CodeWriter {
public:
    void op(Op o) { bytes_.push_back(static_cast<char>(o)); }
    void op1(Op o, int a);
    void op2(Op o, int a, int b);
    void opWord(Op o, int word);
    void opByteWord(Op o, int a, int word);
    // Text of any length: split into instructions of at most 255 characters.
    void text(std::string_view chars);
    const std::string& bytes() const { return bytes_; }
    std::string take() { return std::move(bytes_); }
    void reserve(size_t n) { bytes_.reserve(n); }
    size_t size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

// Decodes the instruction at `offset`. False (with `problem` set) when the byte is not an
// operation, the operands run past the end, or an operand is out of its range.
bool decodeInstruction(std::string_view code, size_t offset, Instruction& out, std::string& problem);

// Checks a whole message: every instruction decodes, it ends with exactly one End as its
// last byte, Goto only returns to a marker placed before it. False with `problem` set.
bool validateMessageCode(std::string_view code, int rows, std::string& problem);

// A readable listing, one instruction per line (used by logs and by people debugging).
std::string disassemble(std::string_view code);

} // namespace lt::tools
