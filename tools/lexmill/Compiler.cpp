#include "lexmill/Compiler.h"

#include "common/FlashImage.h"
#include "common/ToolFiles.h"
#include "lexmill/CompilerImpl.h"

namespace lt::lexmill {

namespace {

constexpr int kMaxIncludeDepth = 8;
constexpr size_t kMaxExpandedTokens = 10000;
constexpr size_t kMaxNesting = 64; // definitions that use definitions that use ...

// "#include <NAME>": the name between the angle brackets, which may hold characters
// that are no tokens (such as "."); empty for any other line.
std::string_view angleInclude(std::string_view line) {
    auto skipBlanks = [&](size_t i) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        return i;
    };
    size_t i = skipBlanks(0);
    if (i >= line.size() || line[i] != '#') return {};
    i = skipBlanks(i + 1);
    if (line.compare(i, 7, "include") != 0) return {};
    i = skipBlanks(i + 7);
    if (i >= line.size() || line[i] != '<') return {};
    size_t close = line.find('>', i);
    if (close == std::string_view::npos) return {};
    return line.substr(i + 1, close - i - 1);
}

bool sameBody(const std::vector<Token>& a, const std::vector<Token>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].text != b[i].text) return false;
    return true;
}

} // namespace

CompilerImpl::CompilerImpl(const CompileOptions& options, CompileResult& result)
    : options_(options), result_(result) {}

void CompilerImpl::compileFile(std::string_view text, const std::string& path, int depth) {
    const std::string savedFile = file_;
    const int savedLine = line_;
    file_ = tools::upperCase(tools::fileNamePart(path));
    const std::string dir = tools::directoryPart(path);
    std::vector<Token> tokens;
    std::string problem;
    int lineNo = 0;
    size_t start = 0;
    while (start < text.size() && !result_.diagnostics.full()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        line_ = ++lineNo;
        tokens.clear();
        if (std::string_view name = angleInclude(line); !name.empty()) {
            includeNamed(std::string(name), dir, depth);
            continue;
        }
        if (!tokenizeLine(line, tokens, problem)) {
            error(problem);
            continue;
        }
        if (tokens.empty()) continue;
        if (isPunct(tokens[0], '#')) {
            directive(tokens, dir, depth);
            continue;
        }
        statement(expand(tokens));
    }
    if (depth == 0) result_.sourceLines = lineNo;
    file_ = savedFile;
    line_ = savedLine;
}

void CompilerImpl::directive(const std::vector<Token>& t, const std::string& dir, int depth) {
    if (t.size() < 2 || t[1].kind != Tok::Ident) {
        error("a directive name must follow \"#\"");
        return;
    }
    const std::string_view name = t[1].text;
    if (name == "define") {
        defineMacro(t);
    } else if (name == "undef") {
        if (t.size() != 3 || t[2].kind != Tok::Ident) {
            error("#undef needs one name");
            return;
        }
        auto it = macros_.find(t[2].text);
        if (it != macros_.end()) macros_.erase(it);
    } else if (name == "include") {
        includeFile(t, dir, depth);
    } else if (name == "pragma") {
        pragma(t);
    } else {
        error("unknown directive " + Quoted("#" + std::string(name)));
    }
}

void CompilerImpl::defineMacro(const std::vector<Token>& t) {
    if (t.size() < 3 || t[2].kind != Tok::Ident) {
        error("#define needs a name");
        return;
    }
    const std::string_view name = t[2].text;
    std::vector<Token> body(t.begin() + 3, t.end());
    if (name == "Display_type") {
        // The display type may be written with parentheses: (7740) or (7780).
        size_t from = 0, to = body.size();
        while (to - from >= 2 && isPunct(body[from], '(') && isPunct(body[to - 1], ')')) ++from, --to;
        const bool valid = to - from == 1 && body[from].kind == Tok::Number &&
                           (body[from].value == 7740 || body[from].value == 7780);
        if (!valid) {
            error("Display_type must be (7740) or (7780)");
            return;
        }
        const int type = static_cast<int>(body[from].value);
        if (displayLine_ != 0 && type != displayType_) {
            error("Display_type is already " + std::to_string(displayType_) + " (line " +
                  std::to_string(displayLine_) + ")");
            return;
        }
        displayType_ = type;
        displayLine_ = line_;
        result_.displayStated = true;
    }
    auto it = macros_.find(name);
    if (it != macros_.end()) {
        if (!sameBody(it->second.body, body))
            result_.diagnostics.warning(file_, line_, Excerpt(name) + " is redefined (first in " + it->second.file +
                                                          " line " + std::to_string(it->second.line) + ")");
        it->second.body = std::move(body);
        return;
    }
    macroNames_.emplace_back(name);
    macroShape_[static_cast<unsigned char>(name[0]) & 127][name.size() & 31] |= lastBit(name);
    macros_.emplace(macroNames_.back(), Macro{std::move(body), file_, line_});
}

void CompilerImpl::includeFile(const std::vector<Token>& t, const std::string& dir, int depth) {
    if (t.size() != 3 || t[2].kind != Tok::String || t[2].text.size() < 3) {
        error("#include needs a file name in double quotes");
        return;
    }
    includeNamed(std::string(t[2].text.substr(1, t[2].text.size() - 2)), dir, depth);
}

void CompilerImpl::includeNamed(const std::string& name, const std::string& dir, int depth) {
    if (depth + 1 > kMaxIncludeDepth) {
        error("includes nest too deep at " + Quoted(name));
        return;
    }
    std::string path;
    if (!options_.includeDir.empty()) path = options_.findFile(options_.includeDir, name);
    if (path.empty()) path = options_.findFile(dir, name);
    std::string content;
    if (path.empty() || !options_.readFile(path, content)) {
        error("cannot open include file " + Quoted(name));
        return;
    }
    texts_.push_back(std::move(content));
    compileFile(texts_.back(), path, depth + 1);
}

void CompilerImpl::pragma(const std::vector<Token>& t) {
    if (t.size() < 3 || t[2].kind != Tok::Ident) {
        error("#pragma needs a name");
        return;
    }
    if (!sameWord(t[2].text, "version")) {
        result_.diagnostics.warning(file_, line_, "unknown #pragma " + Quoted(t[2].text) + " ignored");
        return;
    }
    if (t.size() != 4 || t[3].kind != Tok::Number || (t[3].value != 1 && t[3].value != 2)) {
        error("#pragma version must be 1 or 2");
        return;
    }
    const int version = static_cast<int>(t[3].value);
    if (versionLine_ != 0 && version != version_) {
        error("#pragma version is already " + std::to_string(version_) + " (line " + std::to_string(versionLine_) +
              ")");
        return;
    }
    version_ = version;
    versionLine_ = line_;
}

const std::vector<Token>& CompilerImpl::expand(const std::vector<Token>& t) {
    // Most lines use no definition at all and are returned as they are; otherwise the
    // tokens before the first definition are copied and the rest expanded.
    size_t first = 0;
    auto it = macros_.end();
    for (; first < t.size(); ++first)
        if (t[first].kind == Tok::Ident && mayBeMacro(t[first].text) &&
            (it = macros_.find(t[first].text)) != macros_.end())
            break;
    if (first == t.size()) return t;
    expanded_.assign(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(first));
    active_.clear();
    tooDeep_ = false;
    active_.push_back(t[first].text);
    for (const Token& inner : it->second.body) expandInto(inner, expanded_);
    active_.pop_back();
    for (size_t k = first + 1; k < t.size(); ++k) expandInto(t[k], expanded_);
    if (tooDeep_) {
        error("the definitions used in this line refer to each other more than " + std::to_string(kMaxNesting) +
              " deep");
        expanded_.clear();
    } else if (expanded_.size() > kMaxExpandedTokens) {
        error("the definitions used in this line expand to more than " + std::to_string(kMaxExpandedTokens) +
              " items");
        expanded_.clear();
    }
    return expanded_;
}

// A name is replaced by its definition, and the names in that again, except a name that
// is being replaced already: it stays as it is (so "#define A A" leaves A alone).
void CompilerImpl::expandInto(const Token& tok, std::vector<Token>& out) {
    auto it = tok.kind == Tok::Ident && mayBeMacro(tok.text) ? macros_.find(tok.text) : macros_.end();
    bool active = false;
    for (std::string_view name : active_) active = active || name == tok.text;
    if (it == macros_.end() || active || out.size() > kMaxExpandedTokens) {
        out.push_back(tok);
        return;
    }
    if (active_.size() >= kMaxNesting) {
        tooDeep_ = true;
        out.push_back(tok);
        return;
    }
    active_.push_back(tok.text);
    for (const Token& inner : it->second.body) expandInto(inner, out);
    active_.pop_back();
}

void CompilerImpl::beginBlock(const std::vector<Token>& t, size_t i) {
    if (inBlock_) {
        result_.diagnostics.error(blockFile_, block_.line, blockName() + " has no END SUB");
        endBlock(true);
    }
    // A header in error still opens a block, so its statements are checked and its
    // END SUB matched, but the block is not kept.
    inBlock_ = true;
    block_.reset(line_);
    blockFile_ = file_;
    const bool shaped = i + 6 <= t.size() && t[i].kind == Tok::Number && isPunct(t[i + 1], '(') &&
                        t[i + 2].kind == Tok::Ident && sameWord(t[i + 2].text, "TASK") && isPunct(t[i + 3], '=') &&
                        t[i + 4].kind == Tok::Number && isPunct(t[i + 5], ')');
    if (!shaped) {
        error("SUB needs a message number and its task: SUB n(TASK=t)");
        return;
    }
    if (i + 6 != t.size()) {
        error("unexpected " + Quoted(t[i + 6].text) + " after the SUB header");
        return;
    }
    if (t[i].value > 1023) {
        error("message number " + Excerpt(t[i].text) + " is outside 0..1023");
        return;
    }
    if (t[i + 4].value > 3) {
        error("task " + Excerpt(t[i + 4].text) + " is outside 0..3");
        return;
    }
    const int number = static_cast<int>(t[i].value);
    if (definedLine_[number] != 0) {
        error("message " + std::to_string(number) + " is defined twice (first in line " +
              std::to_string(definedLine_[number]) + ")");
        return;
    }
    definedLine_[number] = line_;
    block_.number = number;
    block_.task = static_cast<int>(t[i + 4].value);
}

void CompilerImpl::endBlock(bool closedBySub) {
    inBlock_ = false;
    if (block_.scrollLine != 0)
        result_.diagnostics.error(blockFile_, block_.scrollLine, "SCROLL without EOT before END SUB");
    block_.code.op(tools::Op::End);
    const size_t size = block_.code.size();
    if (size > tools::kMaxMessageCode) {
        result_.diagnostics.error(blockFile_, block_.line,
                                  "message " + std::to_string(block_.number) + " needs " + std::to_string(size) +
                                      " bytes of code, one message may hold " +
                                      std::to_string(tools::kMaxMessageCode));
        return;
    }
    if (closedBySub || block_.number < 0) return;
    auto& messages = result_.program.messages;
    tools::EscapeMessage m{block_.number, block_.task, block_.code.take()};
    auto pos = messages.end();
    while (pos != messages.begin() && (pos - 1)->number > m.number) --pos;
    messages.insert(pos, std::move(m));
}

void CompilerImpl::finish() {
    if (inBlock_) {
        result_.diagnostics.error(blockFile_, block_.line, blockName() + " has no END SUB");
        inBlock_ = false;
    }
    for (const StartRef& ref : starts_)
        if (definedLine_[ref.target] == 0)
            result_.diagnostics.warning(ref.file, ref.line,
                                        "START_SCRIPT(" + std::to_string(ref.target) +
                                            ") starts a message that does not exist in this file");
    result_.program.displayType = displayType_;
    result_.program.version = version_;
    result_.codeBytes = tools::codeBytesOf(result_.program);
}

CompileResult compileSource(std::string_view source, const std::string& sourcePath, const CompileOptions& options) {
    CompileOptions effective = options;
    if (!effective.readFile) effective.readFile = tools::readWholeFile;
    if (!effective.findFile) effective.findFile = tools::findFileIgnoringCase;
    CompileResult result;
    CompilerImpl compiler(effective, result);
    compiler.compileFile(source, sourcePath, 0);
    compiler.finish();
    return result;
}

} // namespace lt::lexmill
