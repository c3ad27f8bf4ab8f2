#include "common/FlashImage.h"

#include <cstring>
#include <zlib.h>

#include "common/UnitCode.h"

namespace lt::tools {

namespace {

constexpr char kMagic[4] = {'L', '7', '7', 'F'};
constexpr size_t kCrcOffset = 16;

void put16(std::string& image, size_t at, unsigned value) {
    image[at] = static_cast<char>(value & 0xFF);
    image[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& image, size_t at, uint32_t value) {
    put16(image, at, value & 0xFFFF);
    put16(image, at + 2, value >> 16);
}

unsigned get16(std::string_view image, size_t at) {
    return static_cast<unsigned char>(image[at]) | (static_cast<unsigned char>(image[at + 1]) << 8);
}

uint32_t imageCrc(std::string_view image) {
    static const unsigned char zeros[4] = {};
    uLong crc = crc32(0L, Z_NULL, 0);
    auto bytes = reinterpret_cast<const Bytef*>(image.data());
    crc = crc32(crc, bytes, kCrcOffset);
    crc = crc32(crc, zeros, 4);
    crc = crc32(crc, bytes + kCrcOffset + 4, static_cast<uInt>(image.size() - kCrcOffset - 4));
    return static_cast<uint32_t>(crc);
}

} // namespace

size_t codeBytesOf(const EscapeProgram& program) {
    size_t total = 0;
    for (const EscapeMessage& m : program.messages) total += m.code.size();
    return total;
}

bool buildFlashImage(const EscapeProgram& program, std::string& image, std::string& problem) {
    image.clear();
    for (const EscapeMessage& m : program.messages) {
        if (m.code.size() > kMaxMessageCode) {
            problem = "Message " + std::to_string(m.number) + " needs " + std::to_string(m.code.size()) +
                      " bytes of code, one message may hold " + std::to_string(kMaxMessageCode) + " bytes";
            return false;
        }
    }
    const size_t used = codeBytesOf(program);
    if (used > kCodeAreaSize) {
        problem = "Flash memory overflow: the messages need " + std::to_string(used) +
                  " bytes of code, the unit holds " + std::to_string(kCodeAreaSize) + " bytes (" +
                  std::to_string(used - kCodeAreaSize) + " bytes too many)";
        return false;
    }
    image.assign(kImageSize, '\0');
    std::memcpy(&image[0], kMagic, 4);
    image[4] = 1;
    image[5] = static_cast<char>(program.version);
    put16(image, 6, static_cast<unsigned>(program.displayType));
    image[8] = static_cast<char>(rowsOf(program.displayType));
    image[9] = static_cast<char>(kImageColumns);
    put16(image, 10, static_cast<unsigned>(program.messages.size()));
    put16(image, 12, static_cast<unsigned>(used));
    size_t at = kCodeAreaOffset;
    for (const EscapeMessage& m : program.messages) {
        const size_t entry = kDirectoryOffset + static_cast<size_t>(m.number) * kDirectoryEntrySize;
        put16(image, entry, static_cast<unsigned>(at));
        put16(image, entry + 2, static_cast<unsigned>(m.code.size()) | (static_cast<unsigned>(m.task) << 14));
        std::memcpy(&image[at], m.code.data(), m.code.size());
        at += m.code.size();
    }
    std::memset(&image[at], 0xFF, kImageSize - at);
    put32(image, kCrcOffset, imageCrc(image));
    return true;
}

bool FlashImage::open(std::string_view image, std::string& problem) {
    *this = FlashImage();
    if (image.size() != kImageSize) {
        problem = "the image holds " + std::to_string(image.size()) + " bytes instead of " +
                  std::to_string(kImageSize);
        return false;
    }
    if (std::memcmp(image.data(), kMagic, 4) != 0 || image[4] != 1) {
        problem = "the image is blank or not a 7700 flash image";
        return false;
    }
    const uint32_t stored = get16(image, kCrcOffset) | (static_cast<uint32_t>(get16(image, kCrcOffset + 2)) << 16);
    if (stored != imageCrc(image)) {
        problem = "the image's CRC does not match its contents";
        return false;
    }
    version_ = image[5];
    displayType_ = static_cast<int>(get16(image, 6));
    rows_ = image[8];
    if ((version_ != 1 && version_ != 2) || (displayType_ != 0 && displayType_ != 7740 && displayType_ != 7780) ||
        rows_ != rowsOf(displayType_)) {
        problem = "the image header holds an unknown version or display type";
        return false;
    }
    for (int n = 0; n < kMessageCount; ++n) {
        const size_t entry = kDirectoryOffset + static_cast<size_t>(n) * kDirectoryEntrySize;
        const unsigned offset = get16(image, entry), packed = get16(image, entry + 2);
        if (offset == 0) continue;
        const unsigned length = packed & 0x3FFF;
        if (offset < kCodeAreaOffset || offset + length > kImageSize || length == 0) {
            problem = "the directory entry of message " + std::to_string(n) + " points outside the code area";
            return false;
        }
        std::string why;
        if (!validateMessageCode(image.substr(offset, length), rows_, why)) {
            problem = "message " + std::to_string(n) + ": " + why;
            return false;
        }
        entries_[n] = {static_cast<uint16_t>(offset), static_cast<uint16_t>(length), static_cast<uint8_t>(packed >> 14)};
        ++messageCount_;
        codeBytes_ += length;
    }
    image_ = image;
    return true;
}

bool FlashImage::hasMessage(int number) const {
    return number >= 0 && number < kMessageCount && entries_[number].offset != 0;
}

int FlashImage::task(int number) const { return hasMessage(number) ? entries_[number].task : 0; }

std::string_view FlashImage::code(int number) const {
    if (!hasMessage(number)) return {};
    return image_.substr(entries_[number].offset, entries_[number].length);
}

} // namespace lt::tools
