#include "app/DataLocation.h"

#include <QDir>

#include "storage/PathUtil.h"

namespace lt {

DataLocation ChooseDataLocation(FileSystem& fs, const std::string& programDir, const std::string& currentDir,
                                const std::string& appDataDir, const std::string& documentsDir) {
    const std::string program = WithTrailingSeparator(programDir);
    DataLocation where{program, program, WithTrailingSeparator(currentDir)};
    if (appDataDir.empty() || ProbeDirectory(fs, program, "TST&&&.TMP")) return where;
    // Without a folder of its own the program goes on as before: its writes fail and say so.
    if (!QDir().mkpath(QString::fromStdString(appDataDir))) return where;
    where.dataDir = where.settingsDir = WithTrailingSeparator(appDataDir);
    where.documentsDir = documentsDir.empty() ? where.dataDir : WithTrailingSeparator(documentsDir);
    return where;
}

} // namespace lt
