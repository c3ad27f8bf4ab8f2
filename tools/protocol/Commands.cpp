#include "protocol/Commands.h"

#include "protocol/Frame.h"

namespace lt::protocol {

std::string encodeUnitInfo(const UnitInfo& info) {
    std::string out;
    putU16(out, static_cast<unsigned>(info.type));
    out.push_back(static_cast<char>(info.version));
    out.push_back(static_cast<char>(info.rows));
    putU32(out, info.flashSize);
    out += info.release.substr(0, 200);
    return out;
}

bool decodeUnitInfo(const std::string& payload, UnitInfo& info) {
    if (payload.size() < 8) return false;
    info.type = static_cast<int>(getU16(payload, 0));
    info.version = static_cast<unsigned char>(payload[2]);
    info.rows = static_cast<unsigned char>(payload[3]);
    info.flashSize = getU32(payload, 4);
    info.release = payload.substr(8);
    for (char& c : info.release)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return true;
}

std::string statusText(int status) {
    switch (status) {
    case kOk: return "done";
    case kDamaged: return "the data arrived damaged";
    case kBadRequest: return "the unit did not understand the request";
    case kNoMessage: return "the message is not stored in the unit";
    case kBadCode: return "the message code is not one the unit can run";
    case kNoImage: return "the flash memory holds no valid image";
    case kLoadMismatch: return "the message arrived incomplete";
    default: return "unknown status " + std::to_string(status);
    }
}

} // namespace lt::protocol
