// A text cut into its lines.
#pragma once

#include <string>
#include <vector>

namespace lt {

// Splits at line feeds, dropping each line's carriage return; no line after a final one.
std::vector<std::string> SplitLines(const std::string& text);

} // namespace lt
