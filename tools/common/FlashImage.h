// The unit's flash image (.bin): exactly 32,768 bytes, written by binmill.exe, programmed
// into a unit by 7700.exe and run by the unit emulator.
//
//   0x0000  header, 32 bytes
//           0  "L77F"                 magic
//           4  1                      layout version
//           5  firmware version       1 or 2
//           6  display type, u16      7740, 7780, or 0 = the unit's own
//           8  rows                   2 or 4
//           9  columns                20
//          10  messages present, u16
//          12  code bytes used, u16
//          14  0, u16                 reserved
//          16  CRC-32, u32            of the whole image with these four bytes as 0
//          20  0 x 12                 reserved
//   0x0020  directory: 1024 entries of 4 bytes, entry n for message n
//           0  offset of the code from the image start, u16 (0 = no message)
//           2  u16: bits 0..13 code length, bits 14..15 task
//   0x1020  code area: the messages' code back to back in message order; the unused
//           rest holds 0xFF like erased flash.
// Numbers are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/EscapeFile.h"

namespace lt::tools {

constexpr size_t kImageSize = 32768;
constexpr size_t kImageHeaderSize = 32;
constexpr size_t kDirectoryOffset = kImageHeaderSize;
constexpr size_t kDirectoryEntrySize = 4;
constexpr size_t kCodeAreaOffset = kDirectoryOffset + kMessageCount * kDirectoryEntrySize;
constexpr size_t kCodeAreaSize = kImageSize - kCodeAreaOffset;
constexpr int kImageColumns = 20;

// Total code bytes of a program.
size_t codeBytesOf(const EscapeProgram& program);

// Builds the image. False when the code does not fit or a message is larger than one
// message may hold; `problem` then says so with the byte counts.
bool buildFlashImage(const EscapeProgram& program, std::string& image, std::string& problem);

// Read access to an image, for the unit tool and the emulator. It refers to the image's
// bytes without copying them: they must stay alive and unchanged while it is used.
class FlashImage {
public:
    // Checks size, magic, CRC and every directory entry and message code. False with
    // `problem` set when the image is not a usable one.
    bool open(std::string_view image, std::string& problem);

    int version() const { return version_; }
    int displayType() const { return displayType_; }
    int rows() const { return rows_; }
    int messageCount() const { return messageCount_; }
    size_t codeBytes() const { return codeBytes_; }
    bool hasMessage(int number) const;
    int task(int number) const;              // 0 when the message is absent
    std::string_view code(int number) const; // empty when the message is absent

private:
    struct Entry {
        uint16_t offset = 0;
        uint16_t length = 0;
        uint8_t task = 0;
    };
    std::string_view image_;
    Entry entries_[kMessageCount];
    int version_ = 0;
    int displayType_ = 0;
    int rows_ = 0;
    int messageCount_ = 0;
    size_t codeBytes_ = 0;
};

} // namespace lt::tools
