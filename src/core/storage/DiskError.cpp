#include "storage/DiskError.h"

#include <cerrno>

#include "platform/SystemErrors.h"

namespace lt {

int DiskErrorCode(int e) {
    // Values not every system has.
    if (e == platform::kErrnoQuotaExceeded) return 61;
    if (e == platform::kErrnoNoMedium) return 71;
    switch (e) {
    case ENAMETOOLONG:
    case EILSEQ: return 64;
    case EBADF: return 52;
    case EISDIR:
    case EINVAL: return 54;
    case EBUSY:
    case ETXTBSY: return 55;
    case EIO: return 57;
    case ENOSPC:
    case EFBIG: return 61;
    case ENXIO:
    case ENODEV: return 68;
    case ENOENT:
    case ENOTDIR: return 76;
    default: return 0;
    }
}

int ReportDiskError(UserPort& ui, int code) {
    const char* text = nullptr;
    Buttons buttons = Buttons::Ok;
    switch (code) {
    case 52:
    case 64: text = "That file name is illegal."; break;
    case 54: text = "Can't open your file for that type of access."; break;
    case 55: text = "This file is already open."; break;
    case 57: text = "Internal disk error."; buttons = Buttons::YesNo; break;
    case 61: text = "Disk is full. Continue."; buttons = Buttons::YesNo; break;
    case 62:
        text = "This file has a nonstandard end-of-file marker, or an attempt was made to read beyond the "
               "end-of-file marker.";
        break;
    case 68: text = "That device appears unavailable."; buttons = Buttons::YesNo; break;
    case 71: text = "Insert a disk in the drive and close the door."; break;
    case 76: text = "That path doesn't exist."; break;
    default: return 3;
    }
    Answer a = ui.messageBox(Box(text, buttons, Icon::Exclamation, "Disk Error"));
    switch (a) {
    case Answer::Yes:
    case Answer::Retry: return 0;
    case Answer::No: return 1;
    default: return 2;
    }
}

} // namespace lt
