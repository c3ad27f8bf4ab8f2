#include "settings/SettingsFile.h"

#include <cstdlib>

#include "common/NumberText.h"
#include "storage/PathUtil.h"

namespace lt {

int LineCountForUnitType(const std::string& unitType) {
    if (unitType == "7740") return 2;
    if (unitType == "7780") return 4;
    return 0;
}

std::string SettingsFilePathFor(const std::string& currentDirectory, const std::string& programName) {
    return WithTrailingSeparator(currentDirectory) + BaseName(programName) + ".INI";
}

namespace {

std::optional<float> parsePosition(const std::string& value) {
    if (!IsNumeric(value)) return std::nullopt;
    return static_cast<float>(std::strtod(Trim(value).c_str(), nullptr));
}

void applyKey(Settings& s, SettingsReadResult& r, const std::string& key, const std::string& value) {
    if (key == "port=") s.UnitPort = value;
    else if (key == "top=") { if (auto v = parsePosition(value)) r.windowTop = v; }
    else if (key == "left=") { if (auto v = parsePosition(value)) r.windowLeft = v; }
    else if (key == "type=") s.UnitType = value;
    else if (key == "rate=") s.BaudRate = value;
    else if (key == "address=") s.UnitAddress = value;
    else if (key == "edit_type=") s.EditorType = value;
    else if (key == "edit_path=") s.EditorPath = value;
    else if (key == "start_char=") s.StartChar = value;
    else if (key == "stop_char=") s.StopChar = value;
    else if (key == "arrays1=") s.RecentFiles[1] = value;
    else if (key == "arrays2=") s.RecentFiles[2] = value;
    else if (key == "arrays3=") s.RecentFiles[3] = value;
    else if (key == "arrays4=") s.RecentFiles[4] = value;
    else if (key == "varchar=") s.VarChar = value;
    else if (key == "version=") s.FirmwareVersion = value;
    else if (key == "esc_file=") s.KeepEscFile = value;
    else if (key == "tools_path=") s.ToolsPath = WithTrailingSeparator(value);
}

} // namespace

SettingsReadResult ParseSettings(Settings& settings, const std::string& text) {
    SettingsReadResult result;
    result.fileFound = true;
    bool inSection = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!inSection) {
            inSection = line == "[preferences]";
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) { // an empty key ends the section
            inSection = false;
            continue;
        }
        std::string key = ToLower(TrimLeft(TrimRight(line.substr(0, eq + 1))));
        std::string value = Trim(line.substr(eq + 1));
        applyKey(settings, result, key, value);
    }
    return result;
}

SettingsReadResult ReadSettings(Settings& settings, FileSystem& fs, const std::string& path,
                                const std::string& programDir) {
    settings = Settings{};
    settings.ToolsPath = programDir;
    SettingsReadResult result;
    std::string text;
    if (!ReadWholeFile(fs, path, text)) return result;
    result = ParseSettings(settings, text);
    if (settings.ToolsPath != programDir && !fs.exists(settings.ToolsPath + "lexmill.exe"))
        settings.ToolsPath = programDir;
    return result;
}

std::string FormatSettings(const Settings& s, float windowTop, float windowLeft) {
    std::string out = "[preferences]\r\n";
    auto line = [&out](const char* key, const std::string& value) { out.append(key).append(value).append("\r\n"); };
    line("port=", s.UnitPort);
    line("top=", ShortestFloat(windowTop));
    line("left=", ShortestFloat(windowLeft));
    line("type=", s.UnitType);
    line("rate=", s.BaudRate);
    line("address=", s.UnitAddress);
    line("edit_type=", s.EditorType);
    line("edit_path=", s.EditorPath);
    line("start_char=", s.StartChar);
    line("stop_char=", s.StopChar);
    line("arrays1=", s.RecentFiles[1]);
    line("arrays2=", s.RecentFiles[2]);
    line("arrays3=", s.RecentFiles[3]);
    line("arrays4=", s.RecentFiles[4]);
    line("varchar=", s.VarChar);
    line("version=", s.FirmwareVersion);
    line("esc_file=", s.KeepEscFile);
    line("tools_path=", s.ToolsPath);
    return out;
}

bool WriteSettings(const Settings& settings, FileSystem& fs, const std::string& path, float windowTop,
                   float windowLeft) {
    const std::string text = FormatSettings(settings, windowTop, windowLeft);
    // A file that already holds these settings is left alone: writing it safely means a
    // flush to the disk, which would otherwise come with every exit.
    std::string current;
    if (fs.fileSize(path) == static_cast<int64_t>(text.size()) && ReadWholeFile(fs, path, current) && current == text)
        return true;
    return WriteFileAtomically(fs, path, text);
}

} // namespace lt
