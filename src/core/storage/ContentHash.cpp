#include "storage/ContentHash.h"

#include <cstring>

namespace lt {

namespace {

constexpr uint64_t kPrime = 0x9FB21C651E98DF25ull;

inline uint64_t rotl(uint64_t v, int r) { return (v << r) | (v >> (64 - r)); }

inline uint64_t word(const char* p) {
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

inline uint64_t mix(uint64_t lane, uint64_t w) { return rotl((lane ^ w) * kPrime, 31); }

// Spreads every input bit over the whole result.
inline uint64_t finish(uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

} // namespace

void ContentHash::block(const char* p) {
    lanes_[0] = mix(lanes_[0], word(p));
    lanes_[1] = mix(lanes_[1], word(p + 8));
    lanes_[2] = mix(lanes_[2], word(p + 16));
    lanes_[3] = mix(lanes_[3], word(p + 24));
}

void ContentHash::update(const char* data, size_t size) {
    total_ += size;
    if (pendingSize_ > 0) {
        size_t take = sizeof pending_ - pendingSize_;
        if (take > size) take = size;
        std::memcpy(pending_ + pendingSize_, data, take);
        pendingSize_ += take;
        data += take;
        size -= take;
        if (pendingSize_ < sizeof pending_) return;
        block(pending_);
        pendingSize_ = 0;
    }
    for (; size >= sizeof pending_; data += sizeof pending_, size -= sizeof pending_) block(data);
    std::memcpy(pending_, data, size);
    pendingSize_ = size;
}

uint64_t ContentHash::digest() const {
    uint64_t h = total_ * kPrime;
    for (uint64_t lane : lanes_) h = mix(h, lane);
    for (size_t i = 0; i < pendingSize_; ++i) h = mix(h, static_cast<unsigned char>(pending_[i]) + (uint64_t{i} << 8));
    return finish(h);
}

} // namespace lt
