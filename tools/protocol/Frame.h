// Framing of the 7700 serial protocol. Every message on the line, in both directions, is
// one frame:
//
//   0      SOH (0x01)
//   1      unit address 0..255
//   2      command (a reply carries the request's command with bit 7 set)
//   3      sequence number (a reply echoes the request's)
//   4..5   payload length, little-endian, at most kMaxPayload
//   6      header check: CRC-8 (polynomial 0x07) of bytes 1..5
//   7..    payload
//   last 4 CRC-32 (zlib) of bytes 1 up to the end of the payload, little-endian
//
// The header check lets a receiver reject a damaged length at once instead of waiting
// for bytes that never come, and lets it answer a frame whose payload is damaged
// (the header still says who sent it and what it was).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lt::protocol {

constexpr uint8_t kSoh = 0x01;
constexpr size_t kHeaderSize = 7;
constexpr size_t kTrailerSize = 4;
constexpr size_t kFrameOverhead = kHeaderSize + kTrailerSize;
constexpr size_t kMaxPayload = 1100;
constexpr uint8_t kReplyBit = 0x80;

struct Frame {
    uint8_t address = 0;
    uint8_t command = 0;
    uint8_t sequence = 0;
    std::string payload;
};

uint8_t headerCheck(const uint8_t* bytes, size_t count);

// The bytes of one frame. The payload must not exceed kMaxPayload.
std::string encodeFrame(uint8_t address, uint8_t command, uint8_t sequence, std::string_view payload);

// Finds frames in a stream of bytes that may hold noise, lost bytes and damaged frames.
class FrameParser {
public:
    enum class Event { NeedMore, Good, Damaged };

    void feed(std::string_view bytes) { buffer_.append(bytes.data(), bytes.size()); }
    // The next frame in the buffer. Damaged: the header was sound but the payload's
    // CRC-32 was not; `frame` then holds the header's fields and no payload. After a
    // damaged frame the parser looks for the next start inside its bytes, so a good frame
    // that follows a cut one is still found.
    Event next(Frame& frame);
    // Forgets any partial frame (after a quiet line or a new conversation).
    void clear() { buffer_.clear(); }
    size_t pending() const { return buffer_.size(); }

private:
    std::string buffer_;
};

// Little-endian helpers for payloads.
void putU16(std::string& out, unsigned value);
void putU32(std::string& out, uint32_t value);
unsigned getU16(std::string_view bytes, size_t at);
uint32_t getU32(std::string_view bytes, size_t at);

uint32_t crc32Of(std::string_view bytes);

} // namespace lt::protocol
