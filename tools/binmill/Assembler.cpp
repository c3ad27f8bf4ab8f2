#include "binmill/Assembler.h"

#include "common/FlashImage.h"

namespace lt::binmill {

AssembleResult assembleEscape(std::string_view escapeText, const std::string& escName) {
    AssembleResult result;
    std::vector<tools::EscapeProblem> problems;
    if (!tools::readEscapeFile(escapeText, result.program, problems)) {
        for (const tools::EscapeProblem& p : problems)
            result.errorLines.push_back(escName + (p.line > 0 ? " " + std::to_string(p.line) : std::string()) + ": " +
                                        p.message);
        return result;
    }
    result.codeBytes = tools::codeBytesOf(result.program);
    std::string problem;
    if (!tools::buildFlashImage(result.program, result.image, problem)) {
        result.errorLines.push_back(escName + ": " + problem);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace lt::binmill
