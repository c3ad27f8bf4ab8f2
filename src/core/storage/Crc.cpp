#include "storage/Crc.h"

#include <zlib.h>

namespace lt {

int32_t CalcCrc(std::string_view text) {
    if (text.empty()) return 0;
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto* bytes = reinterpret_cast<const Bytef*>(text.data());
    size_t remaining = text.size();
    while (remaining > 0) {
        uInt chunk = remaining > 0x40000000u ? 0x40000000u : static_cast<uInt>(remaining);
        crc = crc32(crc, bytes, chunk);
        bytes += chunk;
        remaining -= chunk;
    }
    auto value = static_cast<int32_t>(static_cast<uint32_t>(crc));
    return value == 0 ? 1 : value;
}

} // namespace lt
