// A fast 64-bit hash of a file's bytes, fed in pieces of any size: it tells whether a
// file still holds what was read from it. Not meant to resist deliberate collisions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lt {

class ContentHash {
public:
    void update(const char* data, size_t size);
    void update(std::string_view text) { update(text.data(), text.size()); }
    // The hash of everything fed so far; feeding may go on afterwards.
    uint64_t digest() const;

private:
    void block(const char* data);

    // Four independent lanes, so that the multiplications of one 32-byte block overlap.
    uint64_t lanes_[4] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                          0x85EBCA77C2B2AE63ull};
    char pending_[32] = {};
    size_t pendingSize_ = 0;
    uint64_t total_ = 0;
};

} // namespace lt
