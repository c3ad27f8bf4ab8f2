// The calling contract of the external tools: command lines, argument-list files, the
// unit switch block and the tools' log files.
#pragma once

#include <string>
#include <vector>

#include "settings/Settings.h"
#include "storage/FileSystem.h"

namespace lt {

// The tool parts of a command line.
inline constexpr const char* kLexmill = "lexmill.exe ";
inline constexpr const char* kBinmill = "binmill.exe ";
inline constexpr const char* kUnitCallUp = "7700.exe c ";
inline constexpr const char* kUnitErase = "7700.exe e ";
inline constexpr const char* kUnitSend = "7700.exe m ";
inline constexpr const char* kUnitProgram = "7700.exe p ";
inline constexpr const char* kUnitRead = "7700.exe r ";
inline constexpr const char* kUnitVersion = "7700.exe v ";
inline constexpr const char* kUnitReboot = "7700.exe ";

// A command line taken apart into the program and its arguments: ToolsPath + "7700.exe c "
// + "@" + list becomes the program ToolsPath + "7700.exe" with the arguments "c", "@list".
struct ToolCommand {
    std::string program;
    std::vector<std::string> arguments;
};
ToolCommand MakeToolCommand(const std::string& toolsPath, const std::string& toolPart,
                            const std::string& listPath);

// The ten entries every unit-tool list ends with: address, baud rate, port, display
// width and "/log" with the run's base name.
std::vector<std::string> UnitSwitchBlock(const Settings& settings, const std::string& baseName);

// The text of an argument-list file: one entry per line, CR LF, one extra empty line.
std::string ArgumentListText(const std::vector<std::string>& entries);

// Writes an argument-list file; false when it cannot be created or written.
bool WriteArgumentList(FileSystem& fs, const std::string& listPath, const std::vector<std::string>& entries);

// Writes a small text file whole; false on any failure (a half-written file is removed).
bool WriteTextFile(FileSystem& fs, const std::string& path, const std::string& text);

// Reads a tool log. Unless raw, every character below 32 other than CR and LF becomes
// a blank. False when the file cannot be read.
bool ReadToolLog(FileSystem& fs, const std::string& path, std::string& text, bool raw = false);

// True when the text holds something other than blanks and line ends.
bool HasMoreThanBlanks(const std::string& text);

} // namespace lt
