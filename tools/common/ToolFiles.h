// File and path helpers of the external tools. Paths may use "\" or "/" as their
// separator: the editor writes whichever its platform uses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lt::tools {

// The whole file as bytes; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& content);

// Writes the bytes to a temporary file beside the target and renames it over the target,
// so a reader never sees half a file. With `flushToDisk` the data reaches the disk before
// the rename (for the image a unit is programmed from); passing files between the tools
// within one run does without. False when any step fails.
bool writeFileAtomically(const std::string& path, std::string_view content, bool flushToDisk = false);

bool fileExists(const std::string& path);
void removeFile(const std::string& path);

// The part after the last separator.
std::string fileNamePart(const std::string& path);
// The part up to and including the last separator (empty when there is none).
std::string directoryPart(const std::string& path);
// The path without the extension of its file-name part: "C:\a.b\x.src" -> "C:\a.b\x".
std::string baseName(const std::string& path);
// A directory path with a separator at its end (nothing added to an empty path).
std::string withTrailingSeparator(const std::string& dir);
std::string upperCase(std::string text);

// Finds a file in a directory, first by its exact name, then ignoring letter case the way
// the units' original platform does ("CTRLCODE.H" finds "ctrlcode.h"). Empty if absent.
std::string findFileIgnoringCase(const std::string& dir, const std::string& name);

// Splits a text into lines at LF; a CR before the LF is dropped. A final line end does not
// start another line.
std::vector<std::string_view> splitLines(std::string_view text);

} // namespace lt::tools
