#include "emulator/UnitServer.h"

namespace lt::emulator {

using namespace lt::protocol;

UnitServer::UnitServer(Machine& machine, const UnitInfo& info, int address)
    : machine_(machine), info_(info), address_(address) {}

std::string UnitServer::receive(std::string_view bytes) {
    parser_.feed(bytes);
    std::string out;
    Frame frame;
    while (true) {
        FrameParser::Event event = parser_.next(frame);
        if (event == FrameParser::Event::NeedMore) break;
        if (frame.address != address_ || (frame.command & kReplyBit)) continue;
        uint8_t status = kDamaged;
        std::string data;
        if (event == FrameParser::Event::Damaged) ++damaged_;
        else data = handle(frame, status);
        std::string payload(1, static_cast<char>(status));
        payload += data;
        out += encodeFrame(static_cast<uint8_t>(address_), static_cast<uint8_t>(frame.command | kReplyBit),
                           frame.sequence, payload);
        ++answered_;
    }
    return out;
}

std::string UnitServer::handle(const Frame& frame, uint8_t& status) {
    const std::string& p = frame.payload;
    status = kOk;
    switch (frame.command) {
    case kIdentify:
        if (!p.empty()) break;
        return encodeUnitInfo(info_);
    case kCallUp:
        if (p.size() < 2) break;
        status = static_cast<uint8_t>(machine_.callUp(static_cast<int>(getU16(p, 0)), p.substr(2)));
        return {};
    case kErase:
        if (!p.empty()) break;
        machine_.eraseFlash();
        flashChanged_ = true;
        return {};
    case kWrite:
        if (p.size() < 2 || p.size() - 2 > kMaxChunk || !machine_.writeFlash(getU16(p, 0), p.substr(2))) break;
        flashChanged_ = true;
        return {};
    case kRead: {
        if (p.size() != 4) break;
        size_t offset = getU16(p, 0), count = getU16(p, 2);
        if (count > kMaxChunk || offset > kFlashSize || count > kFlashSize - offset) break;
        return machine_.flash().substr(offset, count);
    }
    case kFlashCrc: {
        if (!p.empty()) break;
        std::string out;
        putU32(out, crc32Of(machine_.flash()));
        return out;
    }
    case kLoad: {
        if (p.size() < 2) break;
        size_t offset = getU16(p, 0);
        if (offset > kMessageBufferSize || p.size() - 2 > kMessageBufferSize - offset) break;
        if (buffer_.size() < offset + p.size() - 2) buffer_.resize(offset + p.size() - 2, '\0');
        buffer_.replace(offset, p.size() - 2, p, 2, std::string::npos);
        return {};
    }
    case kRun: {
        if (p.size() != 9) break;
        size_t length = getU16(p, 3);
        if (length > buffer_.size() || crc32Of(std::string_view(buffer_).substr(0, length)) != getU32(p, 5)) {
            status = kLoadMismatch;
            return {};
        }
        status = static_cast<uint8_t>(machine_.runCode(static_cast<int>(getU16(p, 0)),
                                                       static_cast<unsigned char>(p[2]), buffer_.substr(0, length)));
        buffer_.clear();
        return {};
    }
    case kReboot:
        if (!p.empty()) break;
        machine_.reboot();
        buffer_.clear();
        return {};
    default: break;
    }
    status = kBadRequest;
    return {};
}

} // namespace lt::emulator
