#include "binmill/Binmill.h"

#include "binmill/Assembler.h"
#include "common/ArgList.h"
#include "common/FlashImage.h"
#include "common/ToolFiles.h"

namespace lt::binmill {

namespace {

std::string header() {
    return std::string("binmill.exe ") + kBinmillVersion + " - Lumatext 7700 flash assembler\r\n";
}

std::string displayText(const tools::EscapeProgram& p) {
    return (p.displayType == 0 ? std::string("not stated") : std::to_string(p.displayType)) + ", firmware version " +
           std::to_string(p.version);
}

} // namespace

int runBinmill(const std::string& listPath) {
    if (listPath.empty()) return kExitBadCall;
    std::string errorBase, logBase, outputBase;
    std::vector<std::string> errors;
    std::string log = header();
    auto finish = [&](int code) {
        if (!errors.empty()) {
            std::string text;
            for (const std::string& e : errors) text += e + "\r\n";
            if (!errorBase.empty()) tools::writeFileAtomically(errorBase + ".err", text);
            log += text;
            if (!outputBase.empty()) tools::removeFile(outputBase + ".bin"); // never leave an image that failed
        } else if (!errorBase.empty()) {
            tools::removeFile(errorBase + ".err");
        }
        if (!logBase.empty()) tools::writeFileAtomically(logBase + ".log", log);
        return code;
    };

    std::string listText;
    if (!tools::readWholeFile(listPath, listText)) {
        errorBase = logBase = tools::baseName(listPath);
        errors.push_back("BINMILL: cannot read the argument list " + tools::fileNamePart(listPath));
        return finish(kExitBadCall);
    }
    tools::ArgList args = tools::parseArgList(tools::listEntries(listText), {"error", "log"});
    logBase = args.value("log");
    const std::string inputBase = args.positional.empty() ? std::string() : args.positional[0];
    outputBase = args.positional.size() > 1 ? args.positional[1] : inputBase;
    errorBase = args.has("error") ? args.value("error") : outputBase;
    if (errorBase.empty()) errorBase = tools::baseName(listPath);
    if (!args.problem.empty()) errors.push_back("BINMILL: " + args.problem);
    else if (inputBase.empty()) errors.push_back("BINMILL: the argument list names no escape file");
    else if (args.positional.size() > 2)
        errors.push_back("BINMILL: the argument list holds an unknown entry \"" + args.positional[2] + "\"");
    if (!errors.empty()) return finish(kExitBadCall);

    // The input is a base name; a name that already ends in ".esc" is taken as it is.
    const std::string inputName = tools::upperCase(tools::fileNamePart(inputBase));
    const bool hasExtension = inputName.size() > 4 && inputName.compare(inputName.size() - 4, 4, ".ESC") == 0;
    const std::string escapePath = hasExtension ? inputBase : inputBase + ".esc";
    const std::string escName = tools::upperCase(tools::fileNamePart(escapePath));
    std::string escapeText;
    log += "Escape file: " + escapePath + "\r\n";
    if (!tools::readWholeFile(escapePath, escapeText)) {
        errors.push_back("BINMILL: cannot open escape file " + tools::fileNamePart(escapePath));
        return finish(kExitBadCall);
    }
    AssembleResult result = assembleEscape(escapeText, escName);
    log += "Display type: " + displayText(result.program) + "\r\n";
    log += "Messages: " + std::to_string(result.program.messages.size()) + "\r\n";
    log += "Code bytes: " + std::to_string(result.codeBytes) + " of " + std::to_string(tools::kCodeAreaSize) +
           " available\r\n";
    errors = result.errorLines;
    if (!result.ok) {
        log += "Errors: " + std::to_string(errors.size()) + "\r\n";
        return finish(kExitErrors);
    }
    const std::string imagePath = outputBase + ".bin";
    if (!tools::writeFileAtomically(imagePath, result.image, true)) {
        errors.push_back("BINMILL: cannot write image file " + tools::fileNamePart(imagePath));
        log += "Errors: 1\r\n";
        return finish(kExitBadCall);
    }
    log += "Image file: " + tools::fileNamePart(imagePath) + ", " + std::to_string(result.image.size()) + " bytes\r\n";
    log += "Errors: 0\r\n";
    return finish(kExitOk);
}

} // namespace lt::binmill
