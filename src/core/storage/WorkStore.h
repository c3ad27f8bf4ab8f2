// The work store: which file holds the block of every message, storing the current
// message's block when it changed, fetching another one, and the unsaved-changes test.
#pragma once

#include <string>

#include "Session.h"

namespace lt {

class WorkStore {
public:
    explicit WorkStore(Session& session) : s_(session) {}

    // Stores BlockText as the block of message n when it changed. False when the block
    // could not be written (the person has been told; the previous copy is kept).
    bool StoreMessage(int n);
    // BlockText = the block of message n (empty when none); LoadedCrc = its CRC.
    void LoadMessage(int n);
    // Appends WorkText and a line end to path and records the block's offset.
    bool AppendBlock(const std::string& path, int n);
    int NextMessage(int n);
    int PreviousMessage(int n);
    bool IsModified();
    // New and Open: no message has a stored block.
    void ClearIndex();

private:
    bool chooseWorkFile();
    bool rebuildWorkFile(int n);
    bool anyInWorkFile() const;

    Session& s_;
};

} // namespace lt
