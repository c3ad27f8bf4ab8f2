// Inner state of one compilation: the preprocessor (macros, includes, pragmas), the block
// structure and the statement compiler. Compiler.cpp holds the first two,
// Statements.cpp the statements.
#pragma once

#include <cstdint>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <string>
#include <vector>

#include "common/UnitCode.h"
#include "lexmill/Compiler.h"
#include "lexmill/Lexer.h"

namespace lt::lexmill {

class CompilerImpl {
public:
    CompilerImpl(const CompileOptions& options, CompileResult& result);
    void compileFile(std::string_view text, const std::string& path, int depth);
    void finish();

private:
    struct Macro {
        std::vector<Token> body;
        std::string file;
        int line = 0;
    };
    struct Block {
        int number = -1;
        int task = 0;
        int line = 0;
        int scrollLine = 0; // line of a SCROLL still waiting for its EOT, 0 = none
        bool markers[tools::kMaxMarker + 1] = {};
        std::vector<std::string_view> labels; // point into source texts, alive all run long
        tools::CodeWriter code;
        // Starts the next block; the label list keeps its storage from block to block.
        void reset(int startLine) {
            number = -1;
            task = 0;
            line = startLine;
            scrollLine = 0;
            for (bool& m : markers) m = false;
            labels.clear();
            code = tools::CodeWriter();
            code.reserve(128); // a typical message's code fits without growing
        }
    };
    struct StartRef {
        int target;
        std::string file;
        int line;
    };
    // One argument of a CALL: a number or a name.
    struct Arg {
        bool isNumber = false;
        long long value = 0;
        std::string_view word;
    };

    // Preprocessor and structure (Compiler.cpp).
    void directive(const std::vector<Token>& t, const std::string& dir, int depth);
    void defineMacro(const std::vector<Token>& t);
    void includeFile(const std::vector<Token>& t, const std::string& dir, int depth);
    void includeNamed(const std::string& name, const std::string& dir, int depth);
    void pragma(const std::vector<Token>& t);
    const std::vector<Token>& expand(const std::vector<Token>& t);
    void expandInto(const Token& tok, std::vector<Token>& out);
    void beginBlock(const std::vector<Token>& t, size_t i);
    void endBlock(bool closedBySub);
    int rows() const { return tools::rowsOf(displayType_); }
    std::string blockName() const {
        return block_.number < 0 ? std::string("this SUB") : "SUB " + std::to_string(block_.number);
    }

    // Statements (Statements.cpp).
    void statement(const std::vector<Token>& t);
    void printStatement(const std::vector<Token>& t, size_t i);
    void letStatement(const std::vector<Token>& t, size_t i);
    void callStatement(const std::vector<Token>& t, size_t i);
    bool parseArgs(const std::vector<Token>& t, size_t& i, std::vector<Arg>& args, std::string_view what);
    bool parseValue(const std::vector<Token>& t, size_t& i, Arg& arg, std::string_view what);
    bool number(const Arg& arg, std::string_view what, long long low, long long high, int& value,
                std::initializer_list<std::pair<const char*, int>> names = {});
    bool expectEnd(const std::vector<Token>& t, size_t i, std::string_view what);
    bool expectPunct(const std::vector<Token>& t, size_t& i, char p, std::string_view what);

    void error(std::string message) { result_.diagnostics.error(file_, line_, std::move(message)); }

    const CompileOptions& options_;
    CompileResult& result_;
    std::deque<std::string> texts_; // included files, alive while their tokens are
    // FNV-1a: names are short, and this is cheaper on them than the library's string hash.
    struct NameHash {
        size_t operator()(std::string_view name) const {
            size_t h = 14695981039346656037ULL;
            for (char c : name) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
            return h;
        }
    };
    std::unordered_map<std::string_view, Macro, NameHash> macros_; // keys point into macroNames_
    std::deque<std::string> macroNames_;
    // Which (first character, length, last character) shapes some macro name has: most
    // names on a line are keywords that no macro shares, and this spares them the lookup.
    uint32_t macroShape_[128][32] = {};
    static uint32_t lastBit(std::string_view name) { return 1u << (static_cast<unsigned char>(name.back()) & 31); }
    bool mayBeMacro(std::string_view name) const {
        return macroShape_[static_cast<unsigned char>(name[0]) & 127][name.size() & 31] & lastBit(name);
    }
    std::vector<Token> expanded_;
    std::vector<Arg> args_; // reused by every CALL and PRINT VAR/USING
    std::string chars_, problem_; // reused by every PRINT of text
    int valueDepth_ = 0;    // brackets and signs around the value being read
    std::vector<std::string_view> active_; // names being replaced right now
    bool tooDeep_ = false;
    std::string file_; // current file's name in upper case
    int line_ = 0;
    int displayType_ = 0;
    int displayLine_ = 0;
    int version_ = 2;
    int versionLine_ = 0;
    bool inBlock_ = false;
    Block block_;
    std::string blockFile_;
    int definedLine_[tools::kMessageCount] = {};
    std::vector<StartRef> starts_;
};

} // namespace lt::lexmill
