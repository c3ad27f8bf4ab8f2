// Where the editor keeps the files it writes for itself. Beside the program while the
// program folder takes new files; an installed program's folder does not, and then the
// user's own folders take its place:
//
//   file                                           program folder writable   otherwise
//   settings file Lumatext7700.INI                 current directory         data folder
//   work files TMP$$$.TMP, TMP1$$.TMP of an
//     unnamed script, or of a script in a folder
//     that takes no new files                      program folder            data folder
//   syntax check: sub.src, .lst, .err, .esc        program folder            data folder
//   unit commands: SGXCALL, SGXSEND, SGXREBT,
//     SGXERAS, SGXREAD with their .lst, .log ...   program folder            data folder
//   compile output of a script in a folder that
//     takes no new files                           program folder            data folder
//   rescue file SGX3TMP.SRC                        program folder            data folder
//   Sub.src of a new file (external editor)        program folder            data folder
//   first folder of the file dialogs               program folder            documents folder
//
// The compile run of a script in a writable folder keeps its argument list, logs, error
// and image files beside the script in either case. The data folder is the user's
// application-data folder (~/.local/share/Brelmo Industries/Lumatext 7700/ here), made
// when it is missing.
#pragma once

#include <string>

#include "storage/FileSystem.h"

namespace lt {

struct DataLocation {
    std::string dataDir;       // each with its separator
    std::string documentsDir;
    std::string settingsDir;
};

DataLocation ChooseDataLocation(FileSystem& fs, const std::string& programDir, const std::string& currentDir,
                                const std::string& appDataDir, const std::string& documentsDir);

} // namespace lt
