// The tool's side of the 7700 protocol: requests with retries and timeouts, and the
// larger operations built from them (programming and reading the whole flash, sending a
// message to run). Every wait is bounded; a failure leaves a reason for the log.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "protocol/Commands.h"
#include "protocol/Frame.h"
#include "protocol/Link.h"

namespace lt::protocol {

struct ClientOptions {
    int address = 0;
    int baud = 19200;
    int timeoutMs = 500; // wait for a reply beyond the bytes' time on the line
    int attempts = 10;   // tries of one request before giving up
};

enum class Failure { None, NoAnswer, Damaged, Refused, LinkLost, VerifyFailed };

class UnitClient {
public:
    UnitClient(Link& link, const ClientOptions& options);

    bool identify(UnitInfo& info);
    bool callUp(int message, const std::string& variables);
    bool erase();
    bool flashCrc(uint32_t& crc);
    // Erases, writes every block that is not all 0xFF, then compares the flash CRC with the
    // image's; a mismatch writes the whole image again (at most three passes).
    bool program(std::string_view image, const std::function<void(size_t done)>& progress = {});
    bool readFlash(std::string& image, const std::function<void(size_t done)>& progress = {});
    // Loads a message's code into the unit's buffer and runs it on its task.
    bool runMessage(int message, int task, std::string_view code);
    bool reboot();

    Failure failure() const { return failure_; }
    int refusedStatus() const { return refusedStatus_; }
    // One log line telling what went wrong (empty when nothing did).
    std::string failureText() const;

    uint64_t bytesSent() const { return bytesSent_; }
    uint64_t bytesReceived() const { return bytesReceived_; }
    int retries() const { return retries_; }

private:
    enum class Attempt { Ok, Refused, Damaged, Silent, Lost };
    Attempt attempt(uint8_t command, const std::string& payload, std::string& data, size_t expectedReply,
                    int extraMs);
    bool request(uint8_t command, const std::string& payload, std::string& data, size_t expectedReply = 0,
                 int extraMs = 0);
    // Moves `total` bytes in blocks whose size follows the line's quality; `once` makes one
    // attempt at the block at (offset, size).
    bool transferBlocks(size_t total, const std::function<Attempt(size_t, size_t)>& once,
                        const std::function<void(size_t)>& progress);
    bool writeBlocks(std::string_view image, const std::function<void(size_t)>& progress);
    void fail(Failure failure);
    bool failWith(Failure failure); // fail(), then false for the caller to return
    int lineMs(size_t bytes) const;

    Link& link_;
    ClientOptions options_;
    FrameParser parser_;
    uint8_t sequence_ = 0;
    Failure failure_ = Failure::None;
    int refusedStatus_ = 0;
    int failedAttempts_ = 0;
    int damagedAttempts_ = 0; // of failedAttempts_
    std::string detail_;
    uint64_t bytesSent_ = 0;
    uint64_t bytesReceived_ = 0;
    int retries_ = 0;
};

} // namespace lt::protocol
