#include "toolchain/VersionCheck.h"

#include "common/NumberText.h"
#include "storage/LineReader.h"

namespace lt {

std::optional<UnitVersion> ParseUnitVersion(const std::string& log) {
    const std::string word = "Version";
    size_t pos = log.find(word);
    if (pos == std::string::npos) return std::nullopt;
    // The release starts after the blank that follows the word.
    size_t start = pos + word.size() + 1;
    UnitVersion unit;
    char first = start < log.size() ? log[start] : '\0';
    unit.version = (first >= '4' && first <= '9') ? "2" : "1";
    std::string release = start < log.size() ? log.substr(start) : std::string();
    size_t end = release.find_first_of(" \t\r\n");
    if (end != std::string::npos) {
        release.erase(end);
        if (!release.empty() && release.back() == ',') release.pop_back();
    }
    unit.release = release;
    return unit;
}

std::optional<std::string> ReadPragmaVersion(FileSystem& fs, const std::string& scriptPath) {
    auto file = fs.openRead(scriptPath);
    if (!file) return std::nullopt;
    const std::string marker = "#pragma version";
    LineReader reader(*file);
    std::string line;
    while (reader.next(line)) {
        size_t pos = line.find(marker);
        if (pos != std::string::npos) return Trim(line.substr(pos + marker.size()));
    }
    if (reader.failed()) return std::nullopt;
    return std::string();
}

std::string VersionQuestion(const UnitVersion& unit, const std::string& fileVersion,
                            const std::string& firmwareSetting) {
    if ((fileVersion == "1" || fileVersion == "2") && fileVersion == unit.version) return {};
    const std::string head =
        "This is a Version " + unit.version + " 7700 Series Display, firmware release " + unit.release + ". ";
    if (firmwareSetting != unit.version)
        return head + "You have to change Version setting in Program Menu, save and recompile.";
    return head + "In order to program with correct Display Version you have to save and recompile.";
}

} // namespace lt
