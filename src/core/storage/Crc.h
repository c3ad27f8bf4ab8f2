// The CRC of a text: written into every generated block header and compared to detect
// changes. The same text gives the same value on every machine and in every run.
#pragma once

#include <cstdint>
#include <string_view>

namespace lt {

// CRC-32 of the text's bytes as a signed 32-bit value. The empty text gives 0; any
// other text never gives 0, because a computed 0 means "nothing to check".
int32_t CalcCrc(std::string_view text);

} // namespace lt
