// The one owner of the program's state: settings, run-wide values, the Quick Edit
// record and the work-store index. Windows and core routines receive it by reference.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "quickedit/QuickMessage.h"
#include "settings/Settings.h"
#include "storage/FileStamp.h"
#include "storage/FileSystem.h"
#include "toolchain/ToolRunState.h"
#include "ui_port.h"

namespace lt {

// Where each message's block lives (the work-store index).
struct WorkIndex {
    // 0 = no stored block; 1 = in the open script file; 2 = in the work file. 0..1023 used.
    std::array<int, kMessageCount + 1> MessageState{};
    // 1-based byte position of the block's header line in the file that holds it.
    std::array<int64_t, kMessageCount + 1> MessageOffset{};
    int32_t LoadedCrc = 0;
    std::string CurrentFilePath;
    std::string WorkFilePath;
    // Blocks found by the last Open less one; 1023 after New.
    int StoredMessageCount = 1023;
    // The open script file as it was scanned or last saved: a change by another program
    // is noticed before Save writes over it.
    FileStamp OpenedFile;
    // The open file held text but no blocks when it was opened (a file opened by mistake):
    // the first save over it asks first.
    bool OpenedWithoutBlocks = false;
};

struct Session {
    Session(FileSystem& fileSystem, UserPort& userPort) : fs(fileSystem), ui(userPort) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Settings settings;
    RunValues run;
    QuickMessage msg;
    WorkIndex index;
    ToolRunState tools;
    FileSystem& fs;
    UserPort& ui;
    // Set while the rescue prompt saves, so a failure inside it cannot ask again.
    bool RescueInProgress = false;
};

} // namespace lt
