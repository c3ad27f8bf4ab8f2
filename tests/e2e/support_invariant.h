// What must hold after every user action, whatever path reached it: the current
// message's block compiles, reads back into the same record and the same bytes, every
// line keeps its limits, the simulation rows fit the display and the buttons' captions
// tell the model's state.
#pragma once

#include <string>

namespace lt {
struct Session;
class frmQuick;
} // namespace lt

namespace lt::soak {

// The block the window would store for the current message now: generated in Quick
// Edit, the text as typed in Script Edit or for a hand-edited message; "" for a
// message that has nothing (the empty skeleton of Script Edit included).
std::string CurrentBlock(const Session& s);

// Compiles one block with the real compiler; the error file's text, empty when clean.
std::string CompileErrors(const std::string& unitType, const std::string& block);

// The first broken rule, or empty when everything holds. compileScript: a script the
// person wrote (Script Edit, a hand-edited message) must compile too.
std::string CheckInvariant(const Session& s, frmQuick& w, bool compileScript = true);

} // namespace lt::soak
