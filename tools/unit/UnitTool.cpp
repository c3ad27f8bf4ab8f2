#include "unit/UnitTool.h"

#include <cstdio>
#include <cstdlib>

#include "common/ArgList.h"
#include "common/FlashImage.h"
#include "common/ToolFiles.h"
#include "platform/ComPort.h"
#include "protocol/UnitClient.h"

namespace lt::unit {

namespace {

using protocol::Failure;
using protocol::UnitClient;

// The tool's log: every line goes to the log file at once (a run that is cut short
// still leaves what it did) and to the echo.
class ToolLog {
public:
    ToolLog(const std::string& path, std::function<void(const std::string&)> echo) : echo_(std::move(echo)) {
        if (!path.empty()) file_ = std::fopen(path.c_str(), "wb");
    }
    ~ToolLog() {
        if (file_) std::fclose(file_);
    }
    ToolLog(const ToolLog&) = delete;
    ToolLog& operator=(const ToolLog&) = delete;
    void line(const std::string& text) {
        if (file_) {
            std::fputs(text.c_str(), file_);
            std::fputs("\r\n", file_);
            std::fflush(file_);
        }
        if (echo_) echo_(text);
    }

private:
    FILE* file_ = nullptr;
    std::function<void(const std::string&)> echo_;
};

bool wholeNumber(std::string text, long low, long high, long& value) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value >= low && value <= high;
}

int envNumber(const Environment& env, const char* name, int fallback, int low, int high) {
    long value = 0;
    return wholeNumber(env(name), low, high, value) ? static_cast<int>(value) : fallback;
}

std::string withCommas(size_t n) {
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

int exitFor(Failure failure) {
    switch (failure) {
    case Failure::None: return kExitOk;
    case Failure::NoAnswer: return kExitNoAnswer;
    case Failure::Damaged:
    case Failure::VerifyFailed: return kExitChecksum;
    case Failure::Refused: return kExitRefused;
    case Failure::LinkLost: return kExitLinkLost;
    }
    return kExitRefused;
}

struct Session {
    ToolLog& log;
    UnitClient& client;
    int address;
    const ProgressReport& progress;
};

int failed(Session& s) {
    s.log.line(s.client.failureText());
    return exitFor(s.client.failure());
}

void logTraffic(Session& s) {
    s.log.line("Line traffic: " + withCommas(s.client.bytesSent()) + " bytes sent, " +
               withCommas(s.client.bytesReceived()) + " bytes received, " + std::to_string(s.client.retries()) +
               " repeated requests.");
}

// Reads <base>.bin (or the path itself when it already names the file).
bool readImage(ToolLog& log, const std::string& path, std::string& image, int& code) {
    if (!tools::readWholeFile(path, image)) {
        log.line("Cannot open the binary image " + path + ".");
        code = kExitImage;
        return false;
    }
    if (image.size() != protocol::kFlashSize) {
        log.line("The binary image " + path + " holds " + withCommas(image.size()) +
                 " bytes; a 7700 image holds exactly 32,768 bytes.");
        code = kExitImage;
        return false;
    }
    return true;
}

std::string imagePathFor(const std::string& entry) {
    if (tools::upperCase(entry).size() > 4 && tools::upperCase(entry).substr(entry.size() - 4) == ".BIN" &&
        tools::fileExists(entry))
        return entry;
    return entry + ".bin";
}

// Programming skips the blocks that are all 0xFF: progress counts the bytes of the others.
std::function<void(size_t)> bytesToCross(const std::string& image, const ProgressReport& report) {
    if (!report) return {};
    constexpr size_t kBlock = protocol::kMaxChunk;
    std::vector<size_t> before(image.size() / kBlock + 1, 0); // data bytes before each block
    for (size_t b = 0; b * kBlock < image.size(); ++b) {
        const bool data = image.find_first_not_of('\xFF', b * kBlock) < (b + 1) * kBlock;
        before[b + 1] = before[b] + (data ? kBlock : 0);
    }
    const size_t total = before.back();
    return [before, total, report](size_t offset) {
        const size_t block = offset / kBlock, into = offset % kBlock;
        size_t done = before[block];
        if (into > 0 && block + 1 < before.size()) done += std::min(into, before[block + 1] - before[block]);
        report(done, total);
    };
}

int typeMismatch(Session& s, int unitType, int wanted, const char* what) {
    s.log.line("Wrong unit type: the unit at address " + std::to_string(s.address) + " is a " +
               std::to_string(unitType) + " display, but " + what + " a " + std::to_string(wanted) + ".");
    return kExitWrongType;
}

int callUp(Session& s, const std::vector<std::string>& args) {
    if (args.empty()) {
        s.log.line("No message number given for the call up.");
        return kExitBadCall;
    }
    long message = 0;
    if (!wholeNumber(args[0], 0, 1023, message)) {
        s.log.line("\"" + args[0] + "\" is not a message number (0 to 1023).");
        return kExitBadCall;
    }
    std::string variables = args.size() > 1 ? args[1] : std::string();
    if (!s.client.callUp(static_cast<int>(message), variables)) return failed(s);
    s.log.line("Message " + std::to_string(message) + " called up" +
               (variables.empty() ? std::string(".") : " with the variable string \"" + variables + "\"."));
    return kExitOk;
}

int sendMessage(Session& s, const std::vector<std::string>& args, const protocol::UnitInfo& info) {
    if (args.size() < 2) {
        s.log.line("Send message needs the binary image and the message number.");
        return kExitBadCall;
    }
    long message = 0;
    if (!wholeNumber(args[1], 0, 1023, message)) {
        s.log.line("\"" + args[1] + "\" is not a message number (0 to 1023).");
        return kExitBadCall;
    }
    std::string bytes, problem;
    int code = kExitOk;
    if (!readImage(s.log, args[0], bytes, code)) return code;
    tools::FlashImage image;
    if (!image.open(bytes, problem)) {
        s.log.line("The binary image " + args[0] + " is not usable: " + problem + ".");
        return kExitImage;
    }
    if (image.displayType() != 0 && image.displayType() != info.type)
        return typeMismatch(s, info.type, image.displayType(), "the image was compiled for");
    if (!image.hasMessage(static_cast<int>(message))) {
        s.log.line("Message " + std::to_string(message) + " is not in " + args[0] + ".");
        return kExitImage;
    }
    std::string_view messageCode = image.code(static_cast<int>(message));
    if (!s.client.runMessage(static_cast<int>(message), image.task(static_cast<int>(message)), messageCode))
        return failed(s);
    s.log.line("Message " + std::to_string(message) + " (" + std::to_string(messageCode.size()) +
               " bytes of code) sent to the unit and started on task " +
               std::to_string(image.task(static_cast<int>(message))) + ".");
    return kExitOk;
}

int program(Session& s, const std::vector<std::string>& args, const protocol::UnitInfo& info) {
    if (args.empty()) {
        s.log.line("No binary image named for programming.");
        return kExitBadCall;
    }
    const std::string path = imagePathFor(args[0]);
    std::string bytes, problem;
    int code = kExitOk;
    if (!readImage(s.log, path, bytes, code)) return code;
    tools::FlashImage image;
    if (image.open(bytes, problem)) {
        if (image.displayType() != 0 && image.displayType() != info.type)
            return typeMismatch(s, info.type, image.displayType(), "the image was compiled for");
        s.log.line("Image " + tools::fileNamePart(path) + ": " + std::to_string(image.messageCount()) +
                   " messages, " + withCommas(image.codeBytes()) + " bytes of code.");
    } else {
        s.log.line("Note: " + tools::fileNamePart(path) + " holds no message directory the unit can use (" + problem +
                   "); it is programmed as it is.");
    }
    s.log.line("Programming 32,768 bytes...");
    if (!s.client.program(bytes, bytesToCross(bytes, s.progress))) return failed(s);
    s.log.line("Flash programmed and verified: 32,768 bytes, CRC-32 " + [&] {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08X", protocol::crc32Of(bytes));
        return std::string(hex);
    }() + ".");
    return kExitOk;
}

int readFlash(Session& s, const std::vector<std::string>& args) {
    if (args.empty()) {
        s.log.line("No file named for the flash image.");
        return kExitBadCall;
    }
    const std::string path = imagePathFor(args[0]);
    std::string image;
    auto progress = [&](size_t done) {
        if (s.progress) s.progress(done, protocol::kFlashSize);
    };
    if (!s.client.readFlash(image, progress)) return failed(s);
    if (!tools::writeFileAtomically(path, image)) {
        s.log.line("Cannot write the flash image to " + path + ".");
        return kExitFile;
    }
    s.log.line("Flash read: 32,768 bytes written to " + path + ".");
    std::string problem;
    tools::FlashImage check;
    if (!check.open(image, problem)) s.log.line("!!! The flash is corrupted.  You will have to reprogram it from scratch. !!!");
    return kExitOk;
}

} // namespace

bool isNetworkPort(const std::string& text) { return tools::upperCase(text.substr(0, 6)) == "TCP://"; }

bool parseNetworkPort(const std::string& text, std::string& host, int& port) {
    if (!isNetworkPort(text)) return false;
    const std::string rest = text.substr(6);
    size_t colon = rest.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    host = rest.substr(0, colon);
    if (host.front() == '[') { // [IPv6 address]
        if (host.size() < 3 || host.back() != ']') return false;
        host = host.substr(1, host.size() - 2);
    } else if (host.find_first_of(":[]/ ") != std::string::npos) {
        return false;
    }
    long value = 0;
    if (!wholeNumber(rest.substr(colon + 1), 1, 65535, value) || rest.find(' ') != std::string::npos) return false;
    port = static_cast<int>(value);
    return true;
}

std::string deviceForCom(int comNumber, const Environment& env) {
    std::string named = env("LUMATEXT7700_COM" + std::to_string(comNumber));
    if (!named.empty()) return named;
    return platform::ComPortDevice(comNumber);
}

int runUnitTool(const std::string& mode, const std::string& listPath, const LinkOpener& opener,
                const Environment& env, const std::function<void(const std::string&)>& echo,
                const ProgressReport& progress) {
    std::string text;
    if (listPath.empty() || !tools::readWholeFile(listPath, text)) {
        if (echo) echo("Cannot read the argument list " + listPath + ".");
        return kExitBadCall;
    }
    tools::ArgList list = tools::parseArgList(tools::listEntries(text), {"a", "b", "c", "m", "log"});
    ToolLog log(list.has("log") ? list.value("log") + ".log" : std::string(), echo);
    if (!list.problem.empty()) {
        log.line("The argument list is not complete: " + list.problem + ".");
        return kExitBadCall;
    }
    std::string command = mode;
    std::vector<std::string> args = list.positional;
    if (command.empty()) {
        if (args.empty() || tools::upperCase(args[0]) != "B") {
            log.line("No command given: the mode letter is missing and the list does not start with \"b\".");
            return kExitBadCall;
        }
        command = "b";
        args.erase(args.begin());
    }
    if (command.size() != 1 || std::string("cmprevb").find(command[0]) == std::string::npos) {
        log.line("Unknown command \"" + command + "\" (use c, e, m, p, r or v).");
        return kExitBadCall;
    }
    long address = 0, baud = 0, com = 0;
    std::string comText = list.value("c");
    const bool network = isNetworkPort(comText);
    if (!network && tools::upperCase(comText).rfind("COM", 0) == 0) comText = comText.substr(3);
    const std::string m = list.value("m");
    if (!wholeNumber(list.value("a"), 0, 255, address)) {
        log.line("The unit address \"" + list.value("a") + "\" is not valid (0 to 255).");
        return kExitBadCall;
    }
    if (!wholeNumber(list.value("b"), 50, 4000000, baud)) {
        log.line("The baud rate \"" + list.value("b") + "\" is not valid.");
        return kExitBadCall;
    }
    std::string host;
    int tcpPort = 0;
    if (network && !parseNetworkPort(comText, host, tcpPort)) {
        log.line("The network port \"" + comText + "\" is not valid (tcp://HOST:PORT, PORT 1 to 65535).");
        return kExitBadCall;
    }
    if (!network && !wholeNumber(comText, 1, 99, com)) {
        log.line("The COM port \"" + list.value("c") + "\" is not valid (1 to 99).");
        return kExitBadCall;
    }
    if (m != "40" && m != "80") {
        log.line("The unit model \"" + m + "\" is not valid (/m 40 for a 7740, /m 80 for a 7780).");
        return kExitBadCall;
    }
    const int wantedType = m == "80" ? 7780 : 7740;

    PortRequest port;
    port.comNumber = static_cast<int>(com);
    port.device = network ? comText : deviceForCom(port.comNumber, env);
    port.baud = static_cast<int>(baud);
    port.label = network ? comText : "COM" + std::to_string(com) + " (" + port.device + ")";
    port.connectTimeoutMs = envNumber(env, "LUMATEXT7700_CONNECT_MS", 5000, 1, 600000);
    std::string error;
    int code = kExitOk;
    std::unique_ptr<protocol::Link> link = opener(port, error, code);
    if (!link) {
        log.line(error);
        return code == kExitOk ? kExitPort : code;
    }
    log.line(port.label + " at " + std::to_string(baud) + " baud, unit address " + std::to_string(address) + ".");

    protocol::ClientOptions options;
    options.address = static_cast<int>(address);
    options.baud = static_cast<int>(baud);
    options.timeoutMs = envNumber(env, "LUMATEXT7700_TIMEOUT_MS", 500, 1, 600000);
    options.attempts = envNumber(env, "LUMATEXT7700_ATTEMPTS", 10, 1, 1000);
    UnitClient client(*link, options);
    Session s{log, client, static_cast<int>(address), progress};

    protocol::UnitInfo info;
    if (!client.identify(info)) return failed(s);
    if (command == "v") {
        log.line("Unit " + std::to_string(info.type) + ", firmware generation " + std::to_string(info.version) + ":");
        log.line("Version " + info.release);
    } else {
        log.line("Unit " + std::to_string(info.type) + " found, firmware release " + info.release + ".");
    }
    if (info.type != wantedType) return typeMismatch(s, info.type, wantedType, "the settings name");

    int result = kExitOk;
    switch (command[0]) {
    case 'v': break;
    case 'c': result = callUp(s, args); break;
    case 'm': result = sendMessage(s, args, info); break;
    case 'p': result = program(s, args, info); break;
    case 'r': result = readFlash(s, args); break;
    case 'e':
        if (!client.erase()) return failed(s);
        log.line("Flash memory erased: all messages are gone.");
        break;
    case 'b':
        if (!client.reboot()) return failed(s);
        log.line("Unit rebooted.");
        break;
    }
    if (command == "p" || command == "r") logTraffic(s);
    return result;
}

} // namespace lt::unit
