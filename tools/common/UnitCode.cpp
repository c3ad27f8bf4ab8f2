#include "common/UnitCode.h"

#include <cstdio>

namespace lt::tools {

namespace {

constexpr int kColumns = 20;

struct OpInfo {
    const char* name;
    int operandBytes; // -1: Text (count byte + characters)
};

bool opInfo(uint8_t byte, OpInfo& info) {
    static const OpInfo table[] = {
        {"END", 0},     {"TEXT", -1},   {"NEWLINE", 0}, {"CLS", 0},       {"CURSOR", 2},
        {"ERASE", 2},   {"FONT", 1},    {"BLINK", 1},   {"SCROLL", 3},    {"EOT", 0},
        {"MARKER", 1},  {"GOTO", 3},    {"WAIT", 2},    {"PRINTVAR", 2},  {"LOADA", 1},
        {"PRINTA", 2},  {"START", 2},   {"DEVICE", 1},  {"LOCK", 1},      {"RELAY", 1},
    };
    if (byte >= sizeof table / sizeof table[0]) return false;
    info = table[byte];
    return true;
}

int u8(std::string_view code, size_t at) { return static_cast<unsigned char>(code[at]); }
int u16(std::string_view code, size_t at) { return u8(code, at) | (u8(code, at + 1) << 8); }

bool inRange(int v, int low, int high) { return v >= low && v <= high; }

std::string rangeProblem(const Instruction& in, const char* what, int value) {
    OpInfo info{};
    opInfo(static_cast<uint8_t>(in.op), info);
    return std::string(info.name) + " at byte " + std::to_string(in.offset) + ": " + what + " " +
           std::to_string(value) + " is out of range";
}

bool checkOperands(const Instruction& in, int rows, std::string& problem) {
    auto bad = [&](const char* what, int value) {
        problem = rangeProblem(in, what, value);
        return false;
    };
    switch (in.op) {
    case Op::Cursor:
        if (!inRange(in.a, 1, rows)) return bad("row", in.a);
        if (!inRange(in.b, 1, kColumns)) return bad("column", in.b);
        return true;
    case Op::Erase:
        if (in.a != kCurrentPosition && !inRange(in.a, 1, rows)) return bad("row", in.a);
        if (in.b != kCurrentPosition && !inRange(in.b, 1, kColumns)) return bad("column", in.b);
        return true;
    case Op::Font: return inRange(in.a, 0, 3) || bad("character set", in.a);
    case Op::Blink: return inRange(in.a, 0, 254) || bad("rate", in.a);
    case Op::Scroll:
        if (!inRange(in.a, 1, 254)) return bad("speed", in.a);
        return inRange(in.b, 0, 999) || bad("repeat count", in.b);
    case Op::Marker: return inRange(in.a, 0, kMaxMarker) || bad("marker", in.a);
    case Op::Goto:
        if (!inRange(in.a, 0, kMaxMarker)) return bad("marker", in.a);
        return inRange(in.b, 0, 999) || bad("repeat count", in.b);
    case Op::Wait: return in.a >= 1 || bad("time", in.a);
    case Op::PrintVar:
        if (!inRange(in.a, 1, 16)) return bad("variable", in.a);
        return (in.b != 0 && inRange(in.b, -kColumns, kColumns)) || bad("width", in.b);
    case Op::LoadA: return inRange(in.a, 1, 16) || bad("variable", in.a);
    case Op::PrintA:
        if (!inRange(in.a % 16, 1, 15) || in.a / 16 >= in.a % 16) return bad("format", in.a);
        return in.b == 0 || in.b == 2 || bad("fill", in.b);
    case Op::Start: return inRange(in.a, 0, 1023) || bad("message", in.a);
    case Op::Device: return inRange(in.a, 0, 2) || bad("device", in.a);
    case Op::Lock:
    case Op::Relay: return inRange(in.a, 0, 1) || bad("switch", in.a);
    default: return true;
    }
}

} // namespace

void CodeWriter::op1(Op o, int a) {
    op(o);
    bytes_.push_back(static_cast<char>(a & 0xFF));
}

void CodeWriter::op2(Op o, int a, int b) {
    op1(o, a);
    bytes_.push_back(static_cast<char>(b & 0xFF));
}

void CodeWriter::opWord(Op o, int word) { op2(o, word & 0xFF, (word >> 8) & 0xFF); }

void CodeWriter::opByteWord(Op o, int a, int word) {
    op2(o, a, word & 0xFF);
    bytes_.push_back(static_cast<char>((word >> 8) & 0xFF));
}

void CodeWriter::text(std::string_view chars) {
    while (!chars.empty()) {
        size_t n = chars.size() < 255 ? chars.size() : 255;
        op1(Op::Text, static_cast<int>(n));
        bytes_.append(chars.substr(0, n));
        chars.remove_prefix(n);
    }
}

bool decodeInstruction(std::string_view code, size_t offset, Instruction& out, std::string& problem) {
    out = Instruction();
    out.offset = offset;
    OpInfo info{};
    if (offset >= code.size() || !opInfo(static_cast<uint8_t>(code[offset]), info)) {
        problem = offset >= code.size() ? "code ends without END"
                                        : "unknown operation " + std::to_string(u8(code, offset)) + " at byte " +
                                              std::to_string(offset);
        return false;
    }
    out.op = static_cast<Op>(code[offset]);
    size_t operands = offset + 1;
    if (info.operandBytes < 0) {
        if (operands >= code.size() || u8(code, operands) == 0 ||
            operands + 1 + static_cast<size_t>(u8(code, operands)) > code.size()) {
            problem = "TEXT at byte " + std::to_string(offset) + " is cut short or empty";
            return false;
        }
        out.a = u8(code, operands);
        out.text = code.substr(operands + 1, static_cast<size_t>(out.a));
        out.size = 2 + static_cast<size_t>(out.a);
        return true;
    }
    if (operands + static_cast<size_t>(info.operandBytes) > code.size()) {
        problem = std::string(info.name) + " at byte " + std::to_string(offset) + " is cut short";
        return false;
    }
    out.size = 1 + static_cast<size_t>(info.operandBytes);
    switch (out.op) {
    case Op::Scroll:
    case Op::Goto:
        out.a = u8(code, operands);
        out.b = u16(code, operands + 1);
        break;
    case Op::Wait:
    case Op::Start: out.a = u16(code, operands); break;
    case Op::PrintVar:
        out.a = u8(code, operands);
        out.b = static_cast<int8_t>(code[operands + 1]);
        break;
    default:
        if (info.operandBytes >= 1) out.a = u8(code, operands);
        if (info.operandBytes >= 2) out.b = u8(code, operands + 1);
        break;
    }
    return true;
}

bool validateMessageCode(std::string_view code, int rows, std::string& problem) {
    bool markers[kMaxMarker + 1] = {};
    size_t offset = 0;
    while (true) {
        Instruction in;
        if (!decodeInstruction(code, offset, in, problem)) return false;
        if (!checkOperands(in, rows, problem)) return false;
        if (in.op == Op::Marker) markers[in.a] = true;
        if (in.op == Op::Goto && !markers[in.a]) {
            problem = "GOTO at byte " + std::to_string(offset) + " returns to marker " + std::to_string(in.a) +
                      ", which is not placed before it";
            return false;
        }
        offset += in.size;
        if (in.op == Op::End) break;
    }
    if (offset != code.size()) {
        problem = "bytes follow END at byte " + std::to_string(offset);
        return false;
    }
    return true;
}

std::string disassemble(std::string_view code) {
    std::string listing;
    size_t offset = 0;
    while (offset < code.size()) {
        Instruction in;
        std::string problem;
        if (!decodeInstruction(code, offset, in, problem)) {
            listing += "?? " + problem + "\n";
            break;
        }
        OpInfo info{};
        opInfo(static_cast<uint8_t>(in.op), info);
        char head[32];
        std::snprintf(head, sizeof head, "%04zu ", offset % 100000);
        listing += head;
        listing += info.name;
        if (in.op == Op::Text) {
            listing += " \"";
            for (char c : in.text) {
                unsigned char u = static_cast<unsigned char>(c);
                if (u < 32) listing += "#" + std::string(1, static_cast<char>(u + 64));
                else listing += c;
            }
            listing += "\"";
        } else if (in.size > 1) {
            listing += " " + std::to_string(in.a);
            bool oneOperand = in.op == Op::Wait || in.op == Op::Start || in.size == 2;
            if (!oneOperand) listing += "," + std::to_string(in.b);
        }
        listing += "\n";
        offset += in.size;
    }
    return listing;
}

} // namespace lt::tools
