// The two operations of the "Read / Program Flash" window: reading the unit's flash into
// a binary image file and programming a unit from one.
#pragma once

#include <string>

#include "toolchain/ToolContext.h"

namespace lt {

// The window's status label, repainted at once.
class FlashStatusLabel {
public:
    virtual ~FlashStatusLabel() = default;
    virtual void setStatusLabel(const std::string& text) = 0;
};

// busy is the window's own flag: set while an operation runs, so the window refuses to close.
void ReadFlashIntoImage(ToolContext& ctx, FlashStatusLabel& label, bool& busy);
void ProgramFlashFromImage(ToolContext& ctx, FlashStatusLabel& label, bool& busy);

// The replace question of the file commands for an existing file; true = replace.
bool AskReplaceFile(UserPort& ui, const std::string& path);

} // namespace lt
