#include "emulator/Machine.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "common/FlashImage.h"
#include "common/UnitCode.h"
#include "protocol/Commands.h"

namespace lt::emulator {

namespace {

using tools::Op;

// Instructions one task may run in one tick: a loop without a pause cannot hang the unit.
constexpr int kStepsPerTick = 2048; // any message without a loop ends within one tick

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

std::string fit(const std::string& text, size_t width, char fill) {
    if (text.size() > width) return std::string(width, '*');
    std::string out(width - text.size(), fill);
    if (fill == '0' && !text.empty() && text[0] == '-') return "-" + out + text.substr(1);
    return out + text;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string formatWhole(const std::string& value, int width) {
    size_t w = static_cast<size_t>(std::abs(width));
    double number = 0;
    if (!parseNumber(value, number)) return fit(value.substr(0, w), w, ' ');
    return fit(std::to_string(std::llround(number)), w, width < 0 ? '0' : ' ');
}

std::string unsetPicture(int format, char placeholder) {
    const int length = format % 16, decimals = format / 16;
    if (decimals <= 0 || decimals >= length) return std::string(static_cast<size_t>(length), placeholder);
    return std::string(static_cast<size_t>(length - decimals - 1), placeholder) + "." +
           std::string(static_cast<size_t>(decimals), placeholder);
}

std::string formatUsing(const std::string& value, int format, int fill) {
    size_t length = static_cast<size_t>(format % 16);
    int decimals = format / 16;
    double number = 0;
    if (!parseNumber(value, number)) return fit(value.substr(0, length), length, ' ');
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, number);
    return fit(text, length, fill == 2 ? '0' : ' ');
}

Machine::Machine(int rows, int firmwareVersion)
    : display_(rows), version_(firmwareVersion), flash_(protocol::kFlashSize, '\xFF') {}

void Machine::eraseFlash() {
    stopAll();
    flash_.assign(protocol::kFlashSize, '\xFF');
    imageChecked_ = false;
}

bool Machine::writeFlash(size_t offset, const std::string& bytes) {
    if (offset > flash_.size() || bytes.size() > flash_.size() - offset) return false;
    stopAll();
    flash_.replace(offset, bytes.size(), bytes);
    imageChecked_ = false;
    return true;
}

bool Machine::setFlash(const std::string& image) {
    if (image.size() != protocol::kFlashSize) return false;
    flash_ = image;
    imageChecked_ = false;
    return true;
}

bool Machine::imageReady() {
    if (!imageChecked_) {
        tools::FlashImage image;
        std::string problem;
        imageValid_ = image.open(flash_, problem);
        imageChecked_ = true;
    }
    return imageValid_;
}

bool Machine::messageCode(int message, int& task, std::string& code) {
    if (!imageReady()) return false;
    tools::FlashImage image;
    std::string problem;
    if (!image.open(flash_, problem) || !image.hasMessage(message)) return false;
    task = image.task(message);
    code = std::string(image.code(message));
    return true;
}

int Machine::callUp(int message, const std::string& variables) {
    if (!imageReady()) return protocol::kNoImage;
    int task = 0;
    std::string code;
    if (message < 0 || message > 1023 || !messageCode(message, task, code)) return protocol::kNoMessage;
    size_t index = 1, from = 0;
    while (from <= variables.size() && index <= kVariables) {
        size_t comma = variables.find(',', from);
        std::string item = trimmed(variables.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if (!item.empty()) variables_[index] = item;
        ++index;
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    start(task, message, code);
    return protocol::kOk;
}

int Machine::runCode(int message, int task, const std::string& code) {
    std::string problem;
    if (task < 0 || task >= kTasks || !tools::validateMessageCode(code, display_.rows(), problem))
        return protocol::kBadCode;
    start(task, message, code);
    return protocol::kOk;
}

void Machine::stopAll() {
    for (Task& t : tasks_) t = Task{};
}

void Machine::reboot() {
    stopAll();
    display_.clear();
    relay_ = false;
    for (std::string& v : variables_) v.clear();
}

int Machine::runningMessage(int task) const {
    if (task < 0 || task >= kTasks || !tasks_[static_cast<size_t>(task)].active) return -1;
    return tasks_[static_cast<size_t>(task)].message;
}

std::string Machine::takeSerialOutput() {
    std::string out;
    out.swap(serial_);
    return out;
}

std::string Machine::variable(int number) const {
    if (number < 1 || number > kVariables) return {};
    return variables_[static_cast<size_t>(number)];
}

void Machine::start(int task, int message, const std::string& code) {
    Task& t = tasks_[static_cast<size_t>(task)];
    // A locked message is not interrupted: the new one waits for it to end.
    if (t.active && t.locked) t.queue.emplace_back(message, code);
    else begin(t, message, code);
}

void Machine::begin(Task& t, int message, const std::string& code) {
    std::deque<std::pair<int, std::string>> queue;
    queue.swap(t.queue);
    const int row = t.row, column = t.column;
    t = Task{};
    t.queue.swap(queue);
    t.row = row;
    t.column = column;
    t.active = true;
    t.message = message;
    t.code = code;
    t.wakeAt = now_;
}

void Machine::finish(Task& t) {
    if (t.device == tools::kDeviceSerial && !serial_.empty() && serial_.back() != '\n') serial_ += "\r\n";
    if (t.queue.empty()) {
        t.active = false;
        t.locked = false;
        return;
    }
    auto next = t.queue.front();
    t.queue.pop_front();
    begin(t, next.first, next.second);
}

void Machine::advance(int ms) {
    for (int elapsed = 0; elapsed < ms; elapsed += kTickMs) {
        now_ += kTickMs;
        for (int i = 0; i < kTasks; ++i) run(i);
    }
}

void Machine::run(int index) {
    Task& t = tasks_[static_cast<size_t>(index)];
    // A scroll without repeats keeps going after its message has ended, until the next
    // message of the task starts.
    while (t.scrolling && t.nextStep <= now_) {
        scrollStep(t);
        t.nextStep += t.scrollSpeed * 10;
    }
    if (!t.active || (t.scrolling && t.stepsLeft > 0) || t.wakeAt > now_) return;
    for (int n = 0; n < kStepsPerTick && t.active; ++n)
        if (!step(t)) return;
}

void Machine::scrollStep(Task& t) {
    if (t.stepsLeft == 0 || t.scrollText.empty()) {
        t.scrolling = false;
        return;
    }
    t.window.erase(t.window.begin());
    Cell cell = t.scrollText[t.scrollNext];
    if (cell.blink) cell.blink = static_cast<uint8_t>(t.scrollSpeed); // blinks at the scroll rate
    t.window.push_back(cell);
    t.scrollNext = (t.scrollNext + 1) % t.scrollText.size();
    display_.setRow(t.scrollRow, t.window);
    if (t.stepsLeft > 0 && --t.stepsLeft == 0) t.scrolling = false;
}

void Machine::print(Task& t, const std::string& text) {
    if (t.device != tools::kDeviceDisplay) {
        serial_ += text;
        return;
    }
    for (char c : text) {
        if (!t.collecting && static_cast<unsigned char>(c) < 32) {
            // Control characters: CR to column 1, LF one row down, the others not shown.
            if (c == '\r') t.column = 1;
            if (c == '\n' && ++t.row > display_.rows()) {
                display_.scrollUp();
                t.row = display_.rows();
            }
            continue;
        }
        Cell cell{c, static_cast<uint8_t>(t.blink), static_cast<uint8_t>(t.font)};
        if (t.collecting) t.scrollText.push_back(cell);
        else display_.put(t.row, t.column++, cell);
    }
}

void Machine::newLine(Task& t) {
    if (t.device != tools::kDeviceDisplay) {
        serial_ += "\r\n";
        return;
    }
    t.column = 1;
    if (++t.row > display_.rows()) {
        display_.scrollUp();
        t.row = display_.rows();
    }
}

bool Machine::step(Task& t) {
    tools::Instruction in;
    std::string problem;
    if (!tools::decodeInstruction(t.code, t.pc, in, problem)) {
        finish(t); // damaged code: the message ends
        return false;
    }
    t.pc += in.size;
    switch (in.op) {
    case Op::End: finish(t); return false;
    case Op::Text: print(t, std::string(in.text)); break;
    case Op::NewLine: newLine(t); break;
    case Op::Cls:
        display_.clear();
        t.row = t.column = 1;
        break;
    case Op::Cursor:
        t.row = in.a;
        t.column = in.b;
        break;
    case Op::Erase:
        display_.eraseToEnd(in.a == tools::kCurrentPosition ? t.row : in.a,
                            in.b == tools::kCurrentPosition ? t.column : in.b);
        break;
    case Op::Font: t.font = in.a; break;
    case Op::Blink: t.blink = in.a; break;
    case Op::Scroll:
        t.collecting = true;
        t.scrollSpeed = in.a < 1 ? 1 : in.a;
        t.scrollRepeat = in.b;
        t.scrollText.clear();
        break;
    case Op::Eot:
        if (!t.collecting) break;
        t.collecting = false;
        if (t.scrollText.empty()) break;
        t.scrolling = true;
        t.scrollRow = t.row;
        t.window.assign(kColumns, Cell{});
        t.scrollNext = 0;
        t.stepsLeft = t.scrollRepeat == 0 ? -1 : static_cast<long>(t.scrollRepeat) * static_cast<long>(t.scrollText.size());
        t.nextStep = now_ + t.scrollSpeed * 10;
        return t.stepsLeft < 0; // a counted scroll holds the message until it is done
    case Op::Marker:
        t.markers[static_cast<size_t>(in.a)] = t.pc;
        for (auto it = t.gotoLeft.begin(); it != t.gotoLeft.end();) // its GOTOs count afresh
            it = it->first > in.offset ? t.gotoLeft.erase(it) : std::next(it);
        break;
    case Op::Goto: {
        // GOTO_MARKER(m, r) plays the part r times in all: r - 1 jumps back (0: for ever).
        if (in.b == 0) {
            t.pc = t.markers[static_cast<size_t>(in.a)];
            break;
        }
        auto it = t.gotoLeft.find(in.offset);
        int left = it == t.gotoLeft.end() ? in.b - 1 : it->second;
        if (left > 0) {
            t.gotoLeft[in.offset] = left - 1;
            t.pc = t.markers[static_cast<size_t>(in.a)];
        } else {
            t.gotoLeft.erase(in.offset);
        }
        break;
    }
    case Op::Wait: t.wakeAt = now_ + static_cast<int64_t>(in.a) * 100; return false;
    case Op::PrintVar: {
        const std::string& value = variables_[static_cast<size_t>(in.a)];
        print(t, value.empty() ? std::string(static_cast<size_t>(std::abs(in.b)), placeholder_)
                               : formatWhole(value, in.b));
        break;
    }
    case Op::LoadA: t.a = variables_[static_cast<size_t>(in.a)]; break;
    case Op::PrintA: print(t, t.a.empty() ? unsetPicture(in.a, placeholder_) : formatUsing(t.a, in.a, in.b)); break;
    case Op::Start: {
        int task = 0;
        std::string code;
        if (!messageCode(in.a, task, code)) break; // not stored: nothing to start
        Task* self = &t;
        if (&tasks_[static_cast<size_t>(task)] == self) self->queue.emplace_back(in.a, code);
        else start(task, in.a, code);
        break;
    }
    case Op::Device:
        if (t.device == tools::kDeviceSerial && in.a != t.device && !serial_.empty() && serial_.back() != '\n')
            serial_ += "\r\n";
        t.device = in.a == tools::kDeviceHost && version_ < 2 ? tools::kDeviceDisplay : in.a;
        break;
    case Op::Lock: t.locked = in.a == 1; break;
    case Op::Relay: relay_ = in.a == 1; break;
    }
    return true;
}

} // namespace lt::emulator
