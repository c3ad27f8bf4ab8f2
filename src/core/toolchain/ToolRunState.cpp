#include "toolchain/ToolRunState.h"

namespace lt {

namespace {

ErrorStep show(const ToolRunState& state) {
    const SyntaxError& e = state.errors[static_cast<size_t>(state.errorCursor - 1)];
    ErrorStep step;
    step.hasError = true;
    step.scriptLine = e.scriptLine;
    step.status = e.message;
    return step;
}

} // namespace

ErrorStep NextSyntaxError(ToolRunState& state) {
    ErrorStep step;
    const int count = static_cast<int>(state.errors.size());
    if (count == 0) {
        state.errorCursor = 0;
        step.status = "There are no errors or Syntax check haven't been done on this message.";
        return step;
    }
    if (state.errorCursor < count) {
        ++state.errorCursor;
        return show(state);
    }
    // Every error has been shown: start again from the top with the next press.
    state.errorCursor = 0;
    step.status = "There are no more errors.";
    return step;
}

ErrorStep PreviousSyntaxError(ToolRunState& state) {
    if (state.errorCursor > 1 && state.errorCursor <= static_cast<int>(state.errors.size())) {
        --state.errorCursor;
        return show(state);
    }
    return ErrorStep{};
}

TextSpan LineSpan(const std::string& text, int line) {
    size_t start = 0;
    for (int i = 1; i < line; ++i) {
        size_t lf = text.find('\n', start);
        if (lf == std::string::npos) break;
        start = lf + 1;
    }
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end > start && text[end - 1] == '\r') --end;
    return TextSpan{start, end - start};
}

} // namespace lt
