// A randomized corpus of messages in the form the editor generates (static, centred,
// variable and blinking lines), compiled by the real tools, programmed into the emulator
// and called up one by one: each display must show exactly what the message says.
#include <random>

#include "UnitE2E.h"

namespace {

using namespace lt::test;

struct Expected {
    std::string rows[4];
    std::string blink[4];
};

class Corpus {
public:
    explicit Corpus(unsigned seed) : random_(seed) {}

    // One message block and what the display shows after it ran.
    std::string message(int number, Expected& expected) {
        std::string block = "SUB " + std::to_string(number) + "(TASK=" + std::to_string(number % 4) +
                            ")    // CRC value = 0\r\n\r\n// Caution! Manually editing will prevent Quick Edit "
                            "from loading this message.\r\n\r\n    CLS\r\n";
        for (int row = 1; row <= 4; ++row) {
            std::string& shown = expected.rows[row - 1];
            std::string& mask = expected.blink[row - 1];
            shown.clear();
            mask.clear();
            int kind = pick(5);
            if (kind == 0) { // empty line: no section
                shown = mask = std::string(20, ' ');
                continue;
            }
            block += "LINE" + std::to_string(row) + ":\r\n    CALL CURSOR(" + std::to_string(row) + ",1)\r\n";
            if (kind == 1) { // centred
                std::string text = visible(1 + pick(19));
                size_t pad = (20 - text.size()) / 2;
                block += "// Center line\r\n" + print(std::string(pad, ' ')) + print(text);
                shown = std::string(pad, ' ') + text;
            } else if (kind == 2) { // static, up to the full row
                std::string text = visible(1 + pick(20));
                block += print(text);
                shown = text;
            } else if (kind == 3) { // text and a variable field
                std::string text = visible(1 + pick(6));
                int v = 1 + pick(16), width = 1 + pick(5);
                bool zeros = pick(2) == 1;
                block += print(text) + "    PRINT VAR(" + std::to_string(v) + "," + (zeros ? "-" : " ") +
                         std::to_string(width) + ");\r\n";
                std::string value = std::to_string(values_[v]);
                if (value.size() > static_cast<size_t>(width)) value = std::string(static_cast<size_t>(width), '*');
                else if (zeros && values_[v] < 0) // the sign goes before the zeros
                    value = "-" + std::string(static_cast<size_t>(width) - value.size(), '0') + value.substr(1);
                else value = std::string(static_cast<size_t>(width) - value.size(), zeros ? '0' : ' ') + value;
                shown = text + value;
                if (pick(2) == 1) { // and a field with decimals
                    int v2 = 1 + pick(16);
                    block += "    LET A=VAR(" + std::to_string(v2) + ")\r\n    PRINT USING(" + std::to_string(16 + 6) +
                             ",0);A;\r\n";
                    char formatted[32];
                    std::snprintf(formatted, sizeof formatted, "%6.1f", static_cast<double>(values_[v2]));
                    shown += std::string(formatted).size() > 6 ? "******" : formatted;
                }
            } else { // steady text, blinking text, steady text
                std::string before = visible(pick(6)), blinking = visible(1 + pick(6)), after = visible(pick(6));
                block += (before.empty() ? "" : print(before)) + "    CALL BLINK(" + std::to_string(1 + pick(100)) +
                         ",ON)\r\n" + print(blinking) + "    CALL BLINK(-1)\r\n" + (after.empty() ? "" : print(after));
                shown = before + blinking + after;
                mask = std::string(before.size(), ' ') + std::string(blinking.size(), '*');
            }
            if (shown.size() < 20) block += "    CALL ERASE_TO_EOL(CURRENT,CURRENT)       // Erase to the end of the line\r\n";
            shown.resize(20, ' ');
            mask.resize(20, ' ');
        }
        return block + "END SUB\r\n";
    }

    std::string variableString() const {
        std::string text;
        for (int v = 1; v <= 16; ++v) text += (v > 1 ? "," : "") + std::to_string(values_[v]);
        return text;
    }

private:
    int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    std::string visible(int length) {
        static const std::string chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcxyz0123456789 .,:!?-+/()\"\\";
        std::string text;
        for (int i = 0; i < length; ++i) text += chars[static_cast<size_t>(pick(static_cast<int>(chars.size())))];
        return text;
    }
    static std::string print(const std::string& text) {
        std::string escaped;
        for (char c : text) {
            if (c == '"' || c == '\\') escaped += '\\';
            escaped += c;
        }
        return "    PRINT\"" + escaped + "\";\r\n";
    }

    std::mt19937 random_;
    int values_[17] = {0, 7, -3, 42, 12345, 0, 99, 5, 1000, -12, 3, 64, 250, 8, 77, 1, 900};
};

TEST_F(UnitE2E, RandomCorpusShowsOnTheDisplayAsWritten) {
    Corpus corpus(20261205);
    const int first = 100, count = 16;
    std::string source;
    std::vector<Expected> expected(count);
    for (int i = 0; i < count; ++i) source += corpus.message(first + i, expected[static_cast<size_t>(i)]);
    compile(source);
    Emulator unit(dir, {});
    point(unit);
    ASSERT_EQ(unitTool(dir, "p", {dir.file("msg")}), 0) << log();

    for (int i = 0; i < count; ++i) {
        const Expected& e = expected[static_cast<size_t>(i)];
        ASSERT_EQ(unitTool(dir, "c", {std::to_string(first + i), corpus.variableString()}), 0) << log();
        std::string want;
        for (const std::string& row : e.rows) want += row + "\n";
        want += "--\nunit 7780\nrelay OFF\n";
        for (int row = 1; row <= 4; ++row)
            if (e.blink[row - 1].find('*') != std::string::npos)
                want += "blink " + std::to_string(row) + " " + e.blink[row - 1] + "\n";
        EXPECT_EQ(unit.displayWhen(want), want) << "message " << first + i;
    }
}

} // namespace
