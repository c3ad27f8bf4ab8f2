#include "protocol/Frame.h"

#include <zlib.h>

namespace lt::protocol {

uint8_t headerCheck(const uint8_t* bytes, size_t count) {
    uint8_t crc = 0;
    for (size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = static_cast<uint8_t>((crc & 0x80) ? (crc << 1) ^ 0x07 : crc << 1);
    }
    return crc;
}

uint32_t crc32Of(std::string_view bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes lengths as uInt; the protocol's blocks are far below that limit.
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
    return static_cast<uint32_t>(crc);
}

void putU16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void putU32(std::string& out, uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

unsigned getU16(std::string_view bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

uint32_t getU32(std::string_view bytes, size_t at) {
    return getU16(bytes, at) | (static_cast<uint32_t>(getU16(bytes, at + 2)) << 16);
}

std::string encodeFrame(uint8_t address, uint8_t command, uint8_t sequence, std::string_view payload) {
    std::string out;
    out.reserve(kFrameOverhead + payload.size());
    out.push_back(static_cast<char>(kSoh));
    out.push_back(static_cast<char>(address));
    out.push_back(static_cast<char>(command));
    out.push_back(static_cast<char>(sequence));
    putU16(out, static_cast<unsigned>(payload.size()));
    out.push_back(static_cast<char>(headerCheck(reinterpret_cast<const uint8_t*>(out.data()) + 1, 5)));
    out.append(payload.data(), payload.size());
    std::string_view covered(out.data() + 1, out.size() - 1);
    uint32_t crc = crc32Of(covered.substr(0, 5)); // bytes 1..5
    crc = static_cast<uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(payload.data()),
                                      static_cast<uInt>(payload.size())));
    putU32(out, crc);
    return out;
}

FrameParser::Event FrameParser::next(Frame& frame) {
    while (true) {
        size_t start = buffer_.find(static_cast<char>(kSoh));
        if (start == std::string::npos) {
            buffer_.clear();
            return Event::NeedMore;
        }
        if (start > 0) buffer_.erase(0, start);
        if (buffer_.size() < kHeaderSize) return Event::NeedMore;
        const auto* head = reinterpret_cast<const uint8_t*>(buffer_.data());
        size_t length = head[4] | (head[5] << 8);
        if (headerCheck(head + 1, 5) != head[6] || length > kMaxPayload) {
            buffer_.erase(0, 1); // not a frame start: look further
            continue;
        }
        size_t total = kHeaderSize + length + kTrailerSize;
        if (buffer_.size() < total) return Event::NeedMore;
        std::string_view view(buffer_);
        uint32_t crc = crc32Of(view.substr(1, 5));
        crc = static_cast<uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(buffer_.data() + kHeaderSize),
                                          static_cast<uInt>(length)));
        frame.address = head[1];
        frame.command = head[2];
        frame.sequence = head[3];
        if (crc != getU32(view, kHeaderSize + length)) {
            frame.payload.clear();
            buffer_.erase(0, 1);
            return Event::Damaged;
        }
        frame.payload.assign(buffer_, kHeaderSize, length);
        buffer_.erase(0, total);
        return Event::Good;
    }
}

} // namespace lt::protocol
