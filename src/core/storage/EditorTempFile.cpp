#include "storage/EditorTempFile.h"

#include "common/NumberText.h"
#include "storage/PathUtil.h"

namespace lt {

namespace {

// Names are compared without regard to case: on systems that ignore it they are one file.
bool sameName(const std::string& a, const std::string& b) { return ToUpper(a) == ToUpper(b); }

} // namespace

std::string EditorTempFilePath(FileSystem& fs, const std::string& currentFile, const std::string& dataDir) {
    const std::string program = WithTrailingSeparator(dataDir);
    const std::string beside = currentFile.empty() ? program : DirPart(currentFile);
    const bool openFileIsTemp = !currentFile.empty() && sameName(FileNamePart(currentFile), kEditorTempName);
    for (const std::string& dir : {beside, program}) {
        const std::string path = dir + kEditorTempName;
        if (openFileIsTemp && sameName(path, currentFile)) continue;
        if (fs.exists(path)) continue;
        return path;
    }
    return {};
}

} // namespace lt
