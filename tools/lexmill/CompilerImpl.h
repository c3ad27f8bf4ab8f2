// Inner state of one compilation: the preprocessor (macros, includes, pragmas), the block
// structure and the statement compiler. Compiler.cpp holds the first two,
// Statements.cpp the statements.
#pragma once

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
        std::vector<std::string> labels;
        tools::CodeWriter code;
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
    std::unordered_map<std::string_view, Macro> macros_; // keys point into macroNames_
    std::deque<std::string> macroNames_;
    // Which (first character, length) pairs some macro name has: most names on a line are
    // keywords that no macro shares, and this spares them the lookup.
    bool macroShape_[128][32] = {};
    bool mayBeMacro(std::string_view name) const {
        return macroShape_[static_cast<unsigned char>(name[0]) & 127][name.size() & 31];
    }
    std::vector<Token> expanded_;
    std::vector<Arg> args_; // reused by every CALL
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
