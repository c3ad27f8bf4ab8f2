// The firmware version check before programming: the unit's answer to "7700.exe v "
// against the "#pragma version" line of the script file.
#pragma once

#include <optional>
#include <string>

#include "storage/FileSystem.h"

namespace lt {

struct UnitVersion {
    std::string version;  // "1" or "2"
    std::string release;  // firmware release as the unit reported it, such as "4.12"
};

// Reads the first "Version" of the tool log; nullopt when the log has none. The unit is
// version 2 when the release's first digit is 4 or more.
std::optional<UnitVersion> ParseUnitVersion(const std::string& log);

// The text after "#pragma version" on the first line holding it, trimmed; empty when no
// line holds it; nullopt when the file cannot be read.
std::optional<std::string> ReadPragmaVersion(FileSystem& fs, const std::string& scriptPath);

// The question to ask before programming, or empty when the versions agree.
std::string VersionQuestion(const UnitVersion& unit, const std::string& fileVersion,
                            const std::string& firmwareSetting);

} // namespace lt
