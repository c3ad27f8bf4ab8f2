// The value rules of the Program menu: unit type, firmware version and unit address.
#pragma once

#include <optional>
#include <string>

#include "Session.h"

namespace lt {

// Switches the unit type ("7740" / "7780"). False when it was already set. In Script
// Edit an untouched block is replaced by the empty block of the new line count.
bool ChooseUnitType(Session& s, const std::string& unitType);

// Applies UnitType to LineCount (and the line numbers of lines 3 and 4 for the 7780).
void ApplyUnitType(Session& s);

// Switches the firmware version ("1" / "2"). False when it was already set. Deletes
// the binary image beside the open file.
bool ChooseVersion(Session& s, const std::string& version);

// Takes the answer of the address input box (nullopt = cancelled).
void EnterAddress(Session& s, const std::optional<std::string>& answer);

// The address input box and its answer.
void AskAddress(Session& s);

} // namespace lt
