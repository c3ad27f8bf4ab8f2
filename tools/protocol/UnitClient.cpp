#include "protocol/UnitClient.h"

#include <algorithm>
#include <chrono>

namespace lt::protocol {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMinChunk = 32;
constexpr int kSuccessesBeforeGrowing = 4;
constexpr int kProgramPasses = 3;

int msUntil(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

bool allErased(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) == 0xFF; });
}

} // namespace

UnitClient::UnitClient(Link& link, const ClientOptions& options) : link_(link), options_(options) {
    options_.attempts = std::max(1, options_.attempts);
    options_.timeoutMs = std::max(1, options_.timeoutMs);
    options_.baud = std::max(50, options_.baud);
}

int UnitClient::lineMs(size_t bytes) const {
    // Ten bits a byte on the line (start, eight data, stop), rounded up.
    return static_cast<int>((bytes * 10 * 1000 + static_cast<size_t>(options_.baud) - 1) /
                            static_cast<size_t>(options_.baud));
}

void UnitClient::fail(Failure failure) {
    if (failure_ == Failure::None) failure_ = failure;
}

bool UnitClient::failWith(Failure failure) {
    fail(failure);
    return false;
}

std::string UnitClient::failureText() const {
    const std::string address = std::to_string(options_.address);
    switch (failure_) {
    case Failure::None: return {};
    case Failure::NoAnswer:
        return "No answer from address " + address + " after " + std::to_string(failedAttempts_) +
               " attempts. Check the cable, the COM port, the baud rate and the unit's address.";
    case Failure::Damaged:
        return "Checksum error: the data to or from the unit at address " + address + " arrived damaged on " +
               (damagedAttempts_ == failedAttempts_ ? "every one of " + std::to_string(failedAttempts_)
                                                    : std::to_string(damagedAttempts_) + " of " +
                                                          std::to_string(failedAttempts_) + ", the last one included,") +
               " attempts. Check the cable and lower the baud rate.";
    case Failure::Refused: return "The unit at address " + address + " refused the command: " + statusText(refusedStatus_) + ".";
    case Failure::LinkLost: return "The connection to the unit was lost: " + detail_ + ".";
    case Failure::VerifyFailed:
        return "Checksum error: the flash memory of the unit at address " + address +
               " did not match the image after " + std::to_string(kProgramPasses) + " programming passes.";
    }
    return {};
}

UnitClient::Attempt UnitClient::attempt(uint8_t command, const std::string& payload, std::string& data,
                                        size_t expectedReply, int extraMs) {
    const uint8_t sequence = sequence_++;
    const std::string frame = encodeFrame(static_cast<uint8_t>(options_.address), command, sequence, payload);
    // Whatever is still on the line belongs to an earlier attempt.
    std::string stale;
    if (!link_.read(stale, 0)) return Attempt::Lost;
    bytesReceived_ += stale.size();
    parser_.clear();
    if (!link_.write(frame)) return Attempt::Lost;
    bytesSent_ += frame.size();
    const auto deadline = Clock::now() + std::chrono::milliseconds(
                                             options_.timeoutMs + extraMs +
                                             lineMs(frame.size() + kFrameOverhead + 1 + expectedReply));
    const uint8_t replyCommand = static_cast<uint8_t>(command | kReplyBit);
    // Bytes that came but made no reply, followed by a quiet line, were a damaged reply:
    // no need to wait out the whole timeout for it.
    const auto gap = std::chrono::milliseconds(5 + lineMs(4));
    bool sawBytes = false;
    auto lastByte = Clock::now();
    while (true) {
        Frame reply;
        FrameParser::Event event = parser_.next(reply);
        bool ours = event != FrameParser::Event::NeedMore && reply.address == options_.address &&
                    reply.command == replyCommand && reply.sequence == sequence;
        if (event == FrameParser::Event::Damaged && ours) return Attempt::Damaged;
        if (event == FrameParser::Event::Good && ours) {
            if (reply.payload.empty() || reply.payload[0] == static_cast<char>(kDamaged)) return Attempt::Damaged;
            if (reply.payload[0] != static_cast<char>(kOk)) {
                refusedStatus_ = static_cast<unsigned char>(reply.payload[0]);
                return Attempt::Refused;
            }
            data = reply.payload.substr(1);
            return Attempt::Ok;
        }
        if (event != FrameParser::Event::NeedMore) continue; // someone else's or an old frame
        int left = msUntil(deadline);
        if (left == 0) return sawBytes ? Attempt::Damaged : Attempt::Silent;
        if (sawBytes) {
            if (Clock::now() - lastByte >= gap) return Attempt::Damaged;
            left = std::min(left, msUntil(lastByte + gap) + 1);
        }
        std::string bytes;
        if (!link_.read(bytes, left)) return Attempt::Lost;
        if (!bytes.empty()) {
            sawBytes = true;
            lastByte = Clock::now();
        }
        bytesReceived_ += bytes.size();
        parser_.feed(bytes);
    }
}

bool UnitClient::request(uint8_t command, const std::string& payload, std::string& data, size_t expectedReply,
                         int extraMs) {
    // The run is reported by the attempt that ended it: a unit that answered damaged
    // replies and then froze has stopped answering.
    bool lastDamaged = false;
    int damaged = 0;
    for (int i = 0; i < options_.attempts; ++i) {
        if (i > 0) ++retries_;
        switch (attempt(command, payload, data, expectedReply, extraMs)) {
        case Attempt::Ok: return true;
        case Attempt::Refused: fail(Failure::Refused); return false;
        case Attempt::Lost:
            detail_ = link_.lostReason();
            fail(Failure::LinkLost);
            return false;
        case Attempt::Damaged: lastDamaged = true; ++damaged; break;
        case Attempt::Silent: lastDamaged = false; break;
        }
    }
    failedAttempts_ = options_.attempts;
    damagedAttempts_ = damaged;
    fail(lastDamaged ? Failure::Damaged : Failure::NoAnswer);
    return false;
}

bool UnitClient::identify(UnitInfo& info) {
    std::string data;
    if (!request(kIdentify, {}, data, 64)) return false;
    if (!decodeUnitInfo(data, info)) {
        refusedStatus_ = kBadRequest;
        fail(Failure::Refused);
        return false;
    }
    return true;
}

bool UnitClient::callUp(int message, const std::string& variables) {
    std::string payload, data;
    putU16(payload, static_cast<unsigned>(message));
    payload += variables.substr(0, kMaxChunk);
    return request(kCallUp, payload, data);
}

bool UnitClient::erase() {
    std::string data;
    // Erasing real flash takes a while: allow ten reply times.
    return request(kErase, {}, data, 0, options_.timeoutMs * 9);
}

bool UnitClient::flashCrc(uint32_t& crc) {
    std::string data;
    if (!request(kFlashCrc, {}, data, 4, options_.timeoutMs)) return false;
    if (data.size() != 4) {
        refusedStatus_ = kBadRequest;
        fail(Failure::Refused);
        return false;
    }
    crc = getU32(data, 0);
    return true;
}

bool UnitClient::transferBlocks(size_t total, const std::function<Attempt(size_t, size_t)>& once,
                                const std::function<void(size_t)>& progress) {
    // Blocks shrink after a failed attempt, so that a noisy line still lets short frames
    // through, and grow again after a run of clean ones.
    size_t chunk = kMaxChunk, offset = 0;
    int successes = 0, failures = 0, damaged = 0;
    bool lastDamaged = false;
    while (offset < total) {
        const size_t size = std::min(chunk, total - offset);
        const Attempt result = once(offset, size);
        if (result == Attempt::Ok) {
            offset += size;
            failures = damaged = 0;
            if (++successes >= kSuccessesBeforeGrowing && chunk < kMaxChunk) {
                chunk *= 2;
                successes = 0;
            }
            if (progress) progress(offset);
            continue;
        }
        if (result == Attempt::Refused) return failWith(Failure::Refused);
        if (result == Attempt::Lost) {
            detail_ = link_.lostReason();
            return failWith(Failure::LinkLost);
        }
        lastDamaged = result == Attempt::Damaged;
        if (lastDamaged) ++damaged;
        ++retries_;
        successes = 0;
        if (++failures >= options_.attempts) {
            failedAttempts_ = failures;
            damagedAttempts_ = damaged;
            return failWith(lastDamaged ? Failure::Damaged : Failure::NoAnswer);
        }
        chunk = std::max(kMinChunk, chunk / 2);
    }
    return true;
}

bool UnitClient::writeBlocks(std::string_view image, const std::function<void(size_t)>& progress) {
    return transferBlocks(
        image.size(),
        [&](size_t offset, size_t size) {
            std::string_view block = image.substr(offset, size);
            if (allErased(block)) return Attempt::Ok; // the erase has written it already
            std::string payload, data;
            putU16(payload, static_cast<unsigned>(offset));
            payload.append(block.data(), block.size());
            return attempt(kWrite, payload, data, 0, 0);
        },
        progress);
}

bool UnitClient::program(std::string_view image, const std::function<void(size_t)>& progress) {
    const uint32_t wanted = crc32Of(image);
    for (int pass = 0; pass < kProgramPasses; ++pass) {
        uint32_t crc = 0;
        if (!erase() || !writeBlocks(image, progress) || !flashCrc(crc)) return false;
        if (crc == wanted) return true;
    }
    fail(Failure::VerifyFailed);
    return false;
}

bool UnitClient::readFlash(std::string& image, const std::function<void(size_t)>& progress) {
    image.clear();
    return transferBlocks(
        kFlashSize,
        [&](size_t offset, size_t size) {
            std::string payload, data;
            putU16(payload, static_cast<unsigned>(offset));
            putU16(payload, static_cast<unsigned>(size));
            Attempt result = attempt(kRead, payload, data, size, 0);
            if (result != Attempt::Ok) return result;
            if (data.size() != size) {
                refusedStatus_ = kBadRequest;
                return Attempt::Refused;
            }
            image += data;
            return Attempt::Ok;
        },
        progress);
}

bool UnitClient::runMessage(int message, int task, std::string_view code) {
    if (code.size() > kMessageBufferSize) {
        refusedStatus_ = kBadCode;
        fail(Failure::Refused);
        return false;
    }
    for (size_t offset = 0; offset < code.size(); offset += kMaxChunk) {
        std::string payload, data;
        putU16(payload, static_cast<unsigned>(offset));
        std::string_view block = code.substr(offset, kMaxChunk);
        payload.append(block.data(), block.size());
        if (!request(kLoad, payload, data)) return false;
    }
    std::string payload, data;
    putU16(payload, static_cast<unsigned>(message));
    payload.push_back(static_cast<char>(task));
    putU16(payload, static_cast<unsigned>(code.size()));
    putU32(payload, crc32Of(code));
    return request(kRun, payload, data);
}

bool UnitClient::reboot() {
    std::string data;
    return request(kReboot, {}, data);
}

} // namespace lt::protocol
