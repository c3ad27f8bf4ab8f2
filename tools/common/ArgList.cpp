#include "common/ArgList.h"

#include <algorithm>

#include "common/ToolFiles.h"
#include "platform/CommandLine.h"

namespace lt::tools {

std::string ArgList::value(const std::string& name) const {
    auto it = switches.find(name);
    return it == switches.end() ? std::string() : it->second;
}

std::vector<std::string> listEntries(const std::string& text) {
    std::vector<std::string> entries;
    for (std::string_view line : splitLines(text)) {
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos) continue;
        size_t last = line.find_last_not_of(" \t");
        entries.emplace_back(line.substr(first, last - first + 1));
    }
    return entries;
}

ArgList parseArgList(const std::vector<std::string>& entries, const std::vector<std::string>& knownSwitches) {
    ArgList list;
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        // Absolute paths start with "/" here too, so only the known names are switches.
        std::string name = entry.size() > 1 && entry[0] == '/' ? entry.substr(1) : std::string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (name.empty() || std::find(knownSwitches.begin(), knownSwitches.end(), name) == knownSwitches.end()) {
            list.positional.push_back(entry);
            continue;
        }
        if (i + 1 >= entries.size()) {
            if (list.problem.empty()) list.problem = "switch \"" + entry + "\" has no value in the argument list";
            continue;
        }
        list.switches[name] = entries[++i];
    }
    return list;
}

std::string listPathFromCommandLine(int argc, char* argv[]) {
    for (const std::string& arg : platform::Utf8Arguments(argc, argv)) {
        if (arg.empty()) continue;
        return arg[0] == '@' ? arg.substr(1) : arg;
    }
    return {};
}

} // namespace lt::tools
