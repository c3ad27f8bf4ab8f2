// The commands of the 7700 serial protocol. The tool sends a request frame to one unit
// address; only the unit of that address answers, with a reply frame whose command is the
// request's with kReplyBit set and whose payload starts with a status byte.
//
//   'I' identify      ()                          -> type u16, firmware version u8, rows u8,
//                                                    flash size u32, release text
//   'C' call up       message u16, variable text  -> ()
//   'E' erase flash   ()                          -> ()   every byte becomes 0xFF
//   'W' write flash   offset u16, bytes            -> ()
//   'R' read flash    offset u16, count u16        -> bytes
//   'S' flash CRC-32  ()                          -> crc u32 of the whole flash
//   'L' load message  offset u16, bytes            -> ()   into the unit's message buffer
//   'X' run message   message u16, task u8, length u16, crc u32 of the loaded bytes -> ()
//   'B' reboot        ()                          -> ()   the unit restarts after replying
//
// Writing and loading name their offset, so a repeated request (after a lost reply) does
// no harm.
#pragma once

#include <cstdint>
#include <string>

namespace lt::protocol {

enum Command : uint8_t {
    kIdentify = 'I',
    kCallUp = 'C',
    kErase = 'E',
    kWrite = 'W',
    kRead = 'R',
    kFlashCrc = 'S',
    kLoad = 'L',
    kRun = 'X',
    kReboot = 'B',
};

enum Status : uint8_t {
    kOk = 0,
    kDamaged = 1,      // the request's payload failed its CRC-32: send it again
    kBadRequest = 2,   // unknown command, wrong payload size or offset out of range
    kNoMessage = 3,    // the message is not stored in the unit
    kBadCode = 4,      // the message code is not one the unit can run
    kNoImage = 5,      // the flash holds no valid image (erased or damaged)
    kLoadMismatch = 6, // the loaded bytes do not match the CRC given with 'X'
};

constexpr size_t kFlashSize = 32768;
constexpr size_t kMaxChunk = 1024;        // largest block of one write, read or load
constexpr size_t kMessageBufferSize = 2048;

// What a unit tells about itself.
struct UnitInfo {
    int type = 0;     // 7740 or 7780
    int version = 0;  // firmware version 1 or 2
    int rows = 0;
    uint32_t flashSize = 0;
    std::string release; // e.g. "4.12, build 7"
};

std::string encodeUnitInfo(const UnitInfo& info);
bool decodeUnitInfo(const std::string& payload, UnitInfo& info);

// A readable name of a status, for logs.
std::string statusText(int status);

} // namespace lt::protocol
