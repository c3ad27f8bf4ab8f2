// 7700.exe: the unit communication tool. It reads its argument list, opens the COM port
// named by the unit switch block, and calls up, sends, programs, reads, erases, reboots
// or identifies the unit, writing a readable log of what it did.
//
//   7700.exe c @list   call up:  message number [, variable string]
//   7700.exe m @list   send:     binary image path, message number
//   7700.exe p @list   program:  base name of the image (<base>.bin)
//   7700.exe r @list   read:     base name to write (<base>.bin)
//   7700.exe e @list   erase flash
//   7700.exe v @list   identify: logs "Version <release>"
//   7700.exe @list     with "b" as the first entry: reboot
// Every list ends with "/a" address "/b" baud "/c" COM port "/m" 40|80 "/log" base.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/Link.h"

namespace lt::unit {

// Exit codes: 0 when the command was done.
enum ExitCode {
    kExitOk = 0,
    kExitBadCall = 1,    // no list, unreadable list, bad or missing entries
    kExitPort = 2,       // no such port, port busy
    kExitNoAnswer = 3,
    kExitWrongType = 4,
    kExitChecksum = 5,   // the data never arrived intact, or the flash did not verify
    kExitImage = 6,      // image missing, not 32,768 bytes, message not in it
    kExitRefused = 7,    // the unit refused the command (message not stored, ...)
    kExitLinkLost = 8,
    kExitFile = 9,       // the read image could not be written
};

struct PortRequest {
    int comNumber = 1;
    std::string device; // the device path COM n stands for
    int baud = 19200;
};

// Opens the line to the unit; on failure returns null with `error` (a log line) and
// `code` set.
using LinkOpener = std::function<std::unique_ptr<protocol::Link>(const PortRequest&, std::string& error, int& code)>;

// Reads the environment: COM n opens $LUMATEXT7700_COM<n> when set, else /dev/ttyS<n-1>.
using Environment = std::function<std::string(const std::string& name)>;

std::string deviceForCom(int comNumber, const Environment& env);

// Runs the tool: `mode` is the letter of the command line ("" for the reboot form).
// Log lines go to <log base>.log (CR LF) and to `echo` when given.
int runUnitTool(const std::string& mode, const std::string& listPath, const LinkOpener& opener,
                const Environment& env, const std::function<void(const std::string&)>& echo = {});

} // namespace lt::unit
