// The settings file: "[preferences]" and eighteen "key=value" lines in a fixed order.
#pragma once

#include <optional>
#include <string>

#include "settings/Settings.h"
#include "storage/FileSystem.h"

namespace lt {

struct SettingsReadResult {
    bool fileFound = false;            // false: the first run; the About box is shown
    std::optional<float> windowTop;    // twips, when the file gave a readable value
    std::optional<float> windowLeft;
};

// Path of the settings file: the current directory, the program's name, ".INI". An
// installed program (whose folder takes no new files) passes the user's application-data
// folder instead: see app/DataLocation.h for that folder and every file that follows it.
std::string SettingsFilePathFor(const std::string& currentDirectory, const std::string& programName);

// Sets every setting to its default, then reads the file over them.
SettingsReadResult ReadSettings(Settings& settings, FileSystem& fs, const std::string& path,
                                const std::string& programDir);

// Parses the text of a settings file into settings already holding their defaults.
SettingsReadResult ParseSettings(Settings& settings, const std::string& text);

std::string FormatSettings(const Settings& settings, float windowTop, float windowLeft);

// Writes the file; false (and nothing reported) when it cannot be written.
bool WriteSettings(const Settings& settings, FileSystem& fs, const std::string& path, float windowTop,
                   float windowLeft);

} // namespace lt
