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
// The COM port is a number ("1" or "COM1") or a serial device server in raw TCP mode
// ("tcp://HOST:PORT"); COM n may name one too through $LUMATEXT7700_COM<n>.
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
    kExitConnectionRefused = 10, // a network port: nothing accepts connections there
    kExitUnreachable = 11,       // a network port: unknown host, or no connection in time
};

struct PortRequest {
    int comNumber = 1;  // 0 when the list names a network port itself
    std::string device; // the device path COM n stands for, or tcp://HOST:PORT
    int baud = 19200;
    std::string label;  // how the log names the port: "COM1 (/dev/ttyS0)", "tcp://host:4001"
    int connectTimeoutMs = 5000; // network ports: the wait for the connection
};

// tcp://HOST:PORT (HOST may be [IPv6]); false when `text` is not written that way.
bool isNetworkPort(const std::string& text);
bool parseNetworkPort(const std::string& text, std::string& host, int& port);

// Opens the line to the unit; on failure returns null with `error` (a log line) and
// `code` set.
using LinkOpener = std::function<std::unique_ptr<protocol::Link>(const PortRequest&, std::string& error, int& code)>;

// Reads the environment: COM n opens $LUMATEXT7700_COM<n> when set, else the system's port n
// (COMn on Windows, /dev/ttyS<n-1> elsewhere);
// $LUMATEXT7700_CONNECT_MS bounds the wait for a network port's connection.
using Environment = std::function<std::string(const std::string& name)>;

std::string deviceForCom(int comNumber, const Environment& env);

// How far programming or reading has come: `done` of `total` bytes that cross the line.
using ProgressReport = std::function<void(size_t done, size_t total)>;

// Runs the tool: `mode` is the letter of the command line ("" for the reboot form).
// Log lines go to <log base>.log (CR LF) and to `echo` when given.
int runUnitTool(const std::string& mode, const std::string& listPath, const LinkOpener& opener,
                const Environment& env, const std::function<void(const std::string&)>& echo = {},
                const ProgressReport& progress = {});

} // namespace lt::unit
