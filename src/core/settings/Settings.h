// The program's settings: the unit to talk to, the tools, the external script editor,
// the variable and delimiter characters and the recently used files. Read once at
// start-up from the settings file and written once at shut-down.
#pragma once

#include <array>
#include <string>

namespace lt {

struct Settings {
    std::string UnitPort = "1";          // "port="
    std::string UnitType = "7740";       // "type="
    std::string BaudRate = "19200";      // "rate="
    std::string UnitAddress = "0";       // "address=", kept exactly as typed
    std::string EditorType;              // "edit_type=": empty = internal editor
    std::string EditorPath;              // "edit_path="
    std::string StartChar = "<";         // "start_char="
    std::string StopChar = ">";          // "stop_char="
    std::array<std::string, 5> RecentFiles; // "arrays1=".."arrays4=" at 1..4; index 0 unused
    std::string VarChar = "^";           // "varchar="
    std::string FirmwareVersion = "2";   // "version="
    std::string KeepEscFile = "no";      // "esc_file="
    std::string ToolsPath;               // "tools_path=", always ends in a separator
};

// Values kept beside the settings for the whole run.
struct RunValues {
    std::string ProgramDir;        // directory of the program file, with its separator
    // The folder of the files the program writes for itself (work file of an unnamed
    // script, argument lists, logs, the syntax check's and unit commands' files, the
    // rescue file) and the folder its file dialogs start in; both with their separator.
    // Start-up sets them to the user's application-data and documents folders when the
    // program folder takes no new files (an installed program); empty means ProgramDir.
    std::string DataDir;
    std::string DocumentsDir;
    std::string ProgramName = "Lumatext7700";
    std::string SettingsFilePath;
    std::string HelpFilePath;
    std::string PreviousEditorType;
    bool HeaderChanged = false;
    bool ScriptEditMode = false;

    const std::string& WriteDir() const { return DataDir.empty() ? ProgramDir : DataDir; }
    const std::string& DialogDir() const { return DocumentsDir.empty() ? ProgramDir : DocumentsDir; }
};

// 2 for the "7740", 4 for the "7780"; 0 for any other text (the caller keeps its count).
int LineCountForUnitType(const std::string& unitType);

} // namespace lt
