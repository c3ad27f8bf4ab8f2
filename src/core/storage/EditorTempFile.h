// The temporary file "Sub.src" through which the external script editor gets the current
// message, placed where it cannot overwrite or delete a file of the person's.
#pragma once

#include <string>

#include "storage/FileSystem.h"

namespace lt {

inline constexpr const char* kEditorTempName = "Sub.src";

// Beside the open file (the program's data folder for a new file) unless the open file is
// itself named "Sub.src" or a file of that name is already there (this program removes
// its own after each use, so one that is there belongs to the person); then the data
// folder under the same rules. Empty when neither place is free: the caller then uses
// a fresh directory of its own.
std::string EditorTempFilePath(FileSystem& fs, const std::string& currentFile, const std::string& dataDir);

} // namespace lt
