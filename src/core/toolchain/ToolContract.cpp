#include "toolchain/ToolContract.h"

namespace lt {

ToolCommand MakeToolCommand(const std::string& toolsPath, const std::string& toolPart,
                            const std::string& listPath) {
    ToolCommand command;
    // The part is the program's name, then the mode letters, each followed by a blank.
    size_t pos = 0;
    bool first = true;
    while (pos < toolPart.size()) {
        size_t blank = toolPart.find(' ', pos);
        if (blank == std::string::npos) blank = toolPart.size();
        if (blank > pos) {
            std::string word = toolPart.substr(pos, blank - pos);
            if (first) {
                command.program = toolsPath + word;
                first = false;
            } else {
                command.arguments.push_back(word);
            }
        }
        pos = blank + 1;
    }
    command.arguments.push_back("@" + listPath);
    return command;
}

std::vector<std::string> UnitSwitchBlock(const Settings& settings, const std::string& baseName) {
    return {"/a", settings.UnitAddress, "/b", settings.BaudRate, "/c", settings.UnitPort,
            "/m", settings.UnitType == "7780" ? "80" : "40", "/log", baseName};
}

std::string ArgumentListText(const std::vector<std::string>& entries) {
    std::string text;
    for (const auto& entry : entries) {
        text += entry;
        text += "\r\n";
    }
    text += "\r\n";
    return text;
}

bool WriteTextFile(FileSystem& fs, const std::string& path, const std::string& text) {
    auto file = fs.openWrite(path, false);
    if (!file) return false;
    bool ok = file->write(text);
    ok = file->close() && ok;
    file.reset();
    if (!ok) fs.remove(path);
    return ok;
}

bool WriteArgumentList(FileSystem& fs, const std::string& listPath, const std::vector<std::string>& entries) {
    return WriteTextFile(fs, listPath, ArgumentListText(entries));
}

bool ReadToolLog(FileSystem& fs, const std::string& path, std::string& text, bool raw) {
    if (!ReadWholeFile(fs, path, text)) {
        text.clear();
        return false;
    }
    if (!raw) {
        // Written without branches so that the compiler can vectorise it: logs can be large.
        auto* p = reinterpret_cast<unsigned char*>(text.data());
        const size_t n = text.size();
        for (size_t i = 0; i < n; ++i) {
            unsigned char u = p[i];
            p[i] = (u < 32 && u != '\r' && u != '\n') ? static_cast<unsigned char>(' ') : u;
        }
    }
    return true;
}

bool HasMoreThanBlanks(const std::string& text) {
    return text.find_first_not_of(" \r\n") != std::string::npos;
}

} // namespace lt
