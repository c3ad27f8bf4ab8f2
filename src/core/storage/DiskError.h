// Disk errors: the error codes the file commands know, and the message for each.
#pragma once

#include "ui_port.h"

namespace lt {

// The program's file-error code for an errno value (0 when it has none of its own).
int DiskErrorCode(int errnoValue);

// Shows the message of a disk error titled "Disk Error". Returns 0 = retry, 1 = skip,
// 2 = cancel, 3 = not a disk error (nothing shown).
int ReportDiskError(UserPort& ui, int code);

} // namespace lt
