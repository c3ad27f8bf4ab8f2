// The statements inside a SUB block and the code each one compiles to.
#include "lexmill/CompilerImpl.h"

namespace lt::lexmill {

namespace {

using tools::Op;

constexpr int kColumns = 20;

std::string quoted(std::string_view text) { return Quoted(text); }

const std::initializer_list<std::pair<const char*, int>> kOnOff = {{"ON", 1}, {"OFF", 0}};

} // namespace

bool CompilerImpl::expectEnd(const std::vector<Token>& t, size_t i, std::string_view what) {
    if (i == t.size()) return true;
    error("unexpected " + quoted(t[i].text) + " after " + std::string(what));
    return false;
}

bool CompilerImpl::expectPunct(const std::vector<Token>& t, size_t& i, char p, std::string_view what) {
    if (i < t.size() && t[i].kind == Tok::Punct && t[i].text[0] == p) {
        ++i;
        return true;
    }
    error("expected " + quoted(std::string(1, p)) + " in " + std::string(what) +
          (i < t.size() ? " before " + quoted(t[i].text) : std::string(" at the end of the line")));
    return false;
}

bool CompilerImpl::parseValue(const std::vector<Token>& t, size_t& i, Arg& arg, std::string_view what) {
    // Brackets and signs around a value are allowed, a sane number of them.
    struct Depth {
        int& d;
        explicit Depth(int& depth) : d(++depth) {}
        ~Depth() { --d; }
    } depth(valueDepth_);
    if (valueDepth_ > 8) {
        error("too many brackets in " + std::string(what));
        return false;
    }
    if (i < t.size() && isPunct(t[i], '(')) {
        ++i;
        if (!parseValue(t, i, arg, what)) return false;
        return expectPunct(t, i, ')', what);
    }
    int sign = 1;
    if (i < t.size() && (isPunct(t[i], '-') || isPunct(t[i], '+'))) {
        sign = isPunct(t[i], '-') ? -1 : 1;
        ++i;
        if (i < t.size() && isPunct(t[i], '(')) {
            if (!parseValue(t, i, arg, what)) return false;
            if (!arg.isNumber) {
                error("a sign cannot stand before " + quoted(arg.word) + " in " + std::string(what));
                return false;
            }
            arg.value *= sign;
            return true;
        }
    }
    if (i < t.size() && t[i].kind == Tok::Number) {
        arg.isNumber = true;
        arg.value = sign * t[i].value;
        arg.word = t[i].text;
        ++i;
        return true;
    }
    if (i < t.size() && t[i].kind == Tok::Ident && sign == 1) {
        arg.isNumber = false;
        arg.value = 0;
        arg.word = t[i].text;
        ++i;
        return true;
    }
    error("expected a value in " + std::string(what) + (i < t.size() ? " instead of " + quoted(t[i].text) : std::string()));
    return false;
}

bool CompilerImpl::parseArgs(const std::vector<Token>& t, size_t& i, std::vector<Arg>& args, std::string_view what) {
    if (!expectPunct(t, i, '(', what)) return false;
    if (i < t.size() && isPunct(t[i], ')')) {
        ++i;
        return true;
    }
    while (true) {
        // Read into the list's own new element rather than copy a just-built one in.
        if (!parseValue(t, i, args.emplace_back(), what)) return false;
        if (i < t.size() && isPunct(t[i], ',')) {
            ++i;
            continue;
        }
        return expectPunct(t, i, ')', what);
    }
}

bool CompilerImpl::number(const Arg& arg, std::string_view what, long long low, long long high, int& value,
                          std::initializer_list<std::pair<const char*, int>> names) {
    long long v = arg.value;
    if (!arg.isNumber) {
        bool found = false;
        for (const auto& name : names)
            if (sameWord(arg.word, name.first)) {
                v = name.second;
                found = true;
            }
        if (!found) {
            error("unknown name " + quoted(arg.word) + " as " + std::string(what));
            return false;
        }
    }
    if (v < low || v > high) {
        error(std::string(what) + " " + (arg.isNumber ? std::to_string(v) : Excerpt(arg.word)) + " is outside " +
              std::to_string(low) + ".." + std::to_string(high));
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

void CompilerImpl::statement(const std::vector<Token>& t) {
    if (t.empty()) return; // a line of names that stand for nothing
    size_t i = 0;
    if (t.size() >= 2 && t[0].kind == Tok::Ident && isPunct(t[1], ':')) {
        if (!inBlock_) {
            error("label " + quoted(t[0].text) + " outside a SUB block");
            return;
        }
        for (std::string_view label : block_.labels)
            if (sameWord(label, t[0].text)) {
                error("label " + quoted(t[0].text) + " is used twice in this message");
                return;
            }
        block_.labels.emplace_back(t[0].text);
        i = 2;
        if (i == t.size()) return;
    }
    const Token& key = t[i];
    if (key.kind == Tok::Ident && sameWord(key.text, "SUB")) {
        beginBlock(t, i + 1);
        return;
    }
    if (key.kind == Tok::Ident && sameWord(key.text, "END")) {
        if (i + 1 >= t.size() || !sameWord(t[i + 1].text, "SUB")) {
            error("expected \"SUB\" after END");
            return;
        }
        if (!expectEnd(t, i + 2, "END SUB")) return;
        if (!inBlock_) {
            error("END SUB without SUB");
            return;
        }
        endBlock(false);
        return;
    }
    if (!inBlock_) {
        error("statement " + quoted(key.text) + " outside a SUB block");
        return;
    }
    if (key.kind == Tok::Ident) {
        if (sameWord(key.text, "PRINT")) return printStatement(t, i + 1);
        if (sameWord(key.text, "LET")) return letStatement(t, i + 1);
        if (sameWord(key.text, "CALL")) return callStatement(t, i + 1);
        if (sameWord(key.text, "CLS")) {
            if (expectEnd(t, i + 1, "CLS")) block_.code.op(Op::Cls);
            return;
        }
        if (sameWord(key.text, "EOT")) {
            if (!expectEnd(t, i + 1, "EOT")) return;
            if (block_.scrollLine == 0) {
                error("EOT without SCROLL");
                return;
            }
            block_.scrollLine = 0;
            block_.code.op(Op::Eot);
            return;
        }
    }
    error("unknown statement " + quoted(key.text));
}

void CompilerImpl::printStatement(const std::vector<Token>& t, size_t i) {
    tools::CodeWriter& code = block_.code;
    if (i == t.size()) {
        code.op(Op::NewLine);
        return;
    }
    while (true) {
        const Token& item = t[i];
        if (item.kind == Tok::String) {
            std::string& chars = chars_;
            chars.clear();
            while (i < t.size() && t[i].kind == Tok::String) {
                if (!decodeString(t[i].text, chars, problem_)) {
                    error(problem_);
                    return;
                }
                ++i;
            }
            code.text(chars);
        } else if (item.kind == Tok::Ident && sameWord(item.text, "VAR")) {
            std::vector<Arg>& args = args_;
            args.clear();
            int variable = 0, width = 0;
            if (!parseArgs(t, ++i, args, "PRINT VAR")) return;
            if (args.size() != 2) {
                error("PRINT VAR needs a variable and a width: VAR(v,w)");
                return;
            }
            if (!number(args[0], "variable", 1, 16, variable) || !number(args[1], "field width", -kColumns, kColumns, width))
                return;
            if (width == 0) {
                error("field width must not be 0 (1..20, negative for leading zeros)");
                return;
            }
            code.op2(Op::PrintVar, variable, width);
        } else if (item.kind == Tok::Ident && sameWord(item.text, "USING")) {
            std::vector<Arg>& args = args_;
            args.clear();
            int format = 0, fill = 0;
            if (!parseArgs(t, ++i, args, "PRINT USING")) return;
            if (args.size() != 2) {
                error("PRINT USING needs a format and a fill mode: USING(F,m)");
                return;
            }
            if (!number(args[0], "format", 1, 255, format) || !number(args[1], "fill mode", 0, 2, fill)) return;
            if (format % 16 == 0 || format / 16 >= format % 16) {
                error("format " + std::to_string(format) +
                      " is not 16 x decimals + field length (length 1..15, more than the decimals)");
                return;
            }
            if (fill == 1) {
                error("fill mode 1 must be 0 (leading blanks) or 2 (leading zeros)");
                return;
            }
            if (!expectPunct(t, i, ';', "PRINT USING")) return;
            if (i >= t.size() || t[i].kind != Tok::Ident || !sameWord(t[i].text, "A")) {
                error("PRINT USING prints the register A: USING(F,m);A");
                return;
            }
            ++i;
            code.op2(Op::PrintA, format, fill);
        } else {
            error("PRINT cannot print " + quoted(item.text));
            return;
        }
        if (i == t.size()) {
            code.op(Op::NewLine); // no ";" at the end: the next print starts on a new line
            return;
        }
        if (!isPunct(t[i], ';')) {
            error("expected \";\" between the items of PRINT before " + quoted(t[i].text));
            return;
        }
        if (++i == t.size()) return;
    }
}

void CompilerImpl::letStatement(const std::vector<Token>& t, size_t i) {
    if (i >= t.size() || t[i].kind != Tok::Ident || !sameWord(t[i].text, "A")) {
        error("LET sets the register A only: LET A=VAR(v)");
        return;
    }
    ++i;
    if (!expectPunct(t, i, '=', "LET")) return;
    if (i >= t.size() || !sameWord(t[i].text, "VAR")) {
        error("LET A= needs VAR(v)");
        return;
    }
    std::vector<Arg>& args = args_;
    args.clear();
    int variable = 0;
    if (!parseArgs(t, ++i, args, "LET")) return;
    if (args.size() != 1) {
        error("VAR in LET needs one variable number: VAR(v)");
        return;
    }
    if (!number(args[0], "variable", 1, 16, variable) || !expectEnd(t, i, "LET")) return;
    block_.code.op1(Op::LoadA, variable);
}

void CompilerImpl::callStatement(const std::vector<Token>& t, size_t i) {
    if (i >= t.size() || t[i].kind != Tok::Ident) {
        error("CALL needs a procedure name");
        return;
    }
    enum class Proc { StartScript, OutputDevice, LockBuffer, Relay, Cursor, FontSet, Scroll, Blink, Erase, Drop, Goto, Wait };
    static constexpr std::pair<std::string_view, Proc> procs[] = {
        {"CURSOR", Proc::Cursor},        {"ERASE_TO_EOL", Proc::Erase},    {"BLINK", Proc::Blink},
        {"START_SCRIPT", Proc::StartScript}, {"OUTPUT_DEVICE", Proc::OutputDevice}, {"LOCK_BUFFER", Proc::LockBuffer},
        {"RELAY", Proc::Relay},          {"FONT_SET", Proc::FontSet},      {"SCROLL", Proc::Scroll},
        {"DROP_MARKER", Proc::Drop},     {"GOTO_MARKER", Proc::Goto},      {"WAIT", Proc::Wait},
    };
    const std::pair<std::string_view, Proc>* found = nullptr;
    for (const auto& p : procs)
        if (sameWord(t[i].text, p.first)) {
            found = &p;
            break;
        }
    if (!found) {
        error("unknown procedure " + quoted(t[i].text));
        return;
    }
    const std::string_view name = found->first;
    const Proc proc = found->second;
    std::vector<Arg>& args = args_;
    args.clear();
    if (!parseArgs(t, ++i, args, name) || !expectEnd(t, i, name)) return;
    auto count = [&](size_t wanted, const char* form) {
        if (args.size() == wanted) return true;
        error(std::string(name) + " needs " + std::to_string(wanted) + (wanted == 1 ? " argument: " : " arguments: ") + form);
        return false;
    };
    tools::CodeWriter& code = block_.code;
    int a = 0, b = 0;
    if (proc == Proc::StartScript) {
        if (!count(1, "START_SCRIPT(message)") || !number(args[0], "message number", 0, 1023, a)) return;
        starts_.push_back({a, file_, line_});
        code.opWord(Op::Start, a);
    } else if (proc == Proc::OutputDevice) {
        if (!count(1, "OUTPUT_DEVICE(DISPLAY|SERIAL|HOST)") ||
            !number(args[0], "output device", 0, 2, a,
                    {{"DISPLAY", tools::kDeviceDisplay}, {"SERIAL", tools::kDeviceSerial}, {"HOST", tools::kDeviceHost}}))
            return;
        if (a == tools::kDeviceHost && version_ == 1) {
            error("OUTPUT_DEVICE(HOST) is for version 2 units only (#pragma version 1)");
            return;
        }
        code.op1(Op::Device, a);
    } else if (proc == Proc::LockBuffer || proc == Proc::Relay) {
        if (!count(1, proc == Proc::Relay ? "RELAY(ON|OFF)" : "LOCK_BUFFER(ON|OFF)") ||
            !number(args[0], proc == Proc::Relay ? "RELAY switch" : "LOCK_BUFFER switch", 0, 1, a, kOnOff))
            return;
        code.op1(proc == Proc::Relay ? Op::Relay : Op::Lock, a);
    } else if (proc == Proc::Cursor) {
        if (!count(2, "CURSOR(row,column)") || !number(args[0], "cursor row", 1, rows(), a) ||
            !number(args[1], "cursor column", 1, kColumns, b))
            return;
        code.op2(Op::Cursor, a, b);
    } else if (proc == Proc::FontSet) {
        if (!count(1, "FONT_SET(ENGLISH|KATAKANA|SLAVIC|CYRILLIC)") ||
            !number(args[0], "character set", 0, 3, a, {{"ENGLISH", 0}, {"KATAKANA", 1}, {"SLAVIC", 2}, {"CYRILLIC", 3}}))
            return;
        code.op1(Op::Font, a);
    } else if (proc == Proc::Scroll) {
        if (block_.scrollLine != 0) {
            error("SCROLL before the EOT of the SCROLL in line " + std::to_string(block_.scrollLine));
            return;
        }
        block_.scrollLine = line_; // even a SCROLL in error opens the text that its EOT closes
        if (!count(2, "SCROLL(speed,repeat)") || !number(args[0], "scroll speed", 1, 254, a) ||
            !number(args[1], "scroll repeat count", 0, 999, b))
            return;
        code.opByteWord(Op::Scroll, a, b);
    } else if (proc == Proc::Blink) {
        if (args.size() == 1) {
            if (!args[0].isNumber || args[0].value != -1) {
                error("BLINK with one argument must be BLINK(-1), which ends blinking");
                return;
            }
            code.op1(Op::Blink, 0);
            return;
        }
        if (!count(2, "BLINK(rate,ON) or BLINK(-1)") || !number(args[0], "blink rate", 1, 254, a) ||
            !number(args[1], "blink switch", 0, 1, b, kOnOff))
            return;
        code.op1(Op::Blink, b == 1 ? a : 0);
    } else if (proc == Proc::Erase) {
        if (!count(2, "ERASE_TO_EOL(row,column)") ||
            !number(args[0], "erase row", -1, rows(), a, {{"CURRENT", -1}}) ||
            !number(args[1], "erase column", -1, kColumns, b, {{"CURRENT", -1}}))
            return;
        if (a == 0 || b == 0) {
            error("ERASE_TO_EOL counts rows and columns from 1 (or CURRENT, -1)");
            return;
        }
        code.op2(Op::Erase, a < 0 ? tools::kCurrentPosition : a, b < 0 ? tools::kCurrentPosition : b);
    } else if (proc == Proc::Drop) {
        if (!count(1, "DROP_MARKER(marker)") || !number(args[0], "marker", 0, tools::kMaxMarker, a)) return;
        block_.markers[a] = true;
        code.op1(Op::Marker, a);
    } else if (proc == Proc::Goto) {
        if (!count(2, "GOTO_MARKER(marker,repeat)") || !number(args[0], "marker", 0, tools::kMaxMarker, a) ||
            !number(args[1], "repeat count", 0, 999, b))
            return;
        if (!block_.markers[a]) {
            error("GOTO_MARKER(" + std::to_string(a) + ") has no DROP_MARKER(" + std::to_string(a) +
                  ") before it in this message");
            return;
        }
        code.opByteWord(Op::Goto, a, b);
    } else if (proc == Proc::Wait) {
        if (!count(1, "WAIT(time)") || !number(args[0], "wait time", 1, 65535, a)) return;
        code.opWord(Op::Wait, a);
    } else {
        error("unknown procedure " + quoted(name)); // not reached: every name above has a branch
    }
}

} // namespace lt::lexmill
