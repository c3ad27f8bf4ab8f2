// An emulated 7700 unit running messages: its flash, four tasks, the display, the relay,
// the variables set by call-up and the serial output. Time is given from outside
// (advance), so the machine runs the same way in tests as on a pseudo-terminal.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "emulator/Display.h"

namespace lt::emulator {

constexpr int kTasks = 4;
constexpr int kVariables = 16;
constexpr int kTickMs = 10;

class Machine {
public:
    Machine(int rows, int firmwareVersion);

    // The unit's flash memory, 32,768 bytes (0xFF when erased).
    const std::string& flash() const { return flash_; }
    void eraseFlash();
    // False when the range lies outside the flash.
    bool writeFlash(size_t offset, const std::string& bytes);
    // Loads a whole image as the flash content (size must be the flash size).
    bool setFlash(const std::string& image);

    // Starts a message stored in flash on its task; `variables` is the call-up string:
    // values separated by commas for variables 1, 2, ... (an empty value leaves that
    // variable as it is). Returns a protocol status.
    int callUp(int message, const std::string& variables);
    // Runs message code sent without programming the flash.
    int runCode(int message, int task, const std::string& code);
    // Stops every task (the unit enters program mode).
    void stopAll();
    // Restart: tasks stopped, display cleared, relay off, every variable unset.
    void reboot();

    void advance(int ms);
    int64_t now() const { return now_; }

    const Display& display() const { return display_; }
    bool relay() const { return relay_; }
    int runningMessage(int task) const;
    // Bytes the messages sent out of the serial port since the last call.
    std::string takeSerialOutput();
    // The variable's value as the call-up string gave it; empty while it is unset.
    std::string variable(int number) const;
    // A field whose variable is unset shows this character in each of its digit places
    // (and its decimal point), as the editor shows the field before the unit fills it.
    void setPlaceholder(char c) { placeholder_ = c; }

private:
    struct Task {
        bool active = false;
        int message = -1;
        std::string code;
        size_t pc = 0;
        int64_t wakeAt = 0;
        bool locked = false;
        int row = 1;
        int column = 1;
        int blink = 0;
        int font = 0;
        int device = 0;
        std::string a; // register A
        std::array<size_t, 16> markers{};
        std::map<size_t, int> gotoLeft; // remaining jumps of each GOTO
        bool collecting = false;
        int scrollSpeed = 1;
        int scrollRepeat = 0;
        std::vector<Cell> scrollText;
        bool scrolling = false;
        int scrollRow = 1;
        std::vector<Cell> window;
        size_t scrollNext = 0;
        long stepsLeft = 0; // -1: until the next message
        int64_t nextStep = 0;
        std::deque<std::pair<int, std::string>> queue;
    };

    bool imageReady();
    bool messageCode(int message, int& task, std::string& code);
    void start(int task, int message, const std::string& code);
    void begin(Task& t, int message, const std::string& code);
    void finish(Task& t);
    void run(int index);
    bool step(Task& t); // one instruction; false when the task stops for now
    void print(Task& t, const std::string& text);
    void newLine(Task& t);
    void scrollStep(Task& t);

    Display display_;
    int version_;
    std::string flash_;
    bool imageChecked_ = false;
    bool imageValid_ = false;
    std::array<Task, kTasks> tasks_;
    std::array<std::string, kVariables + 1> variables_;
    bool relay_ = false;
    char placeholder_ = '^';
    std::string serial_;
    int64_t now_ = 0;
};

// Formats a variable for PRINT VAR: width > 0 leading blanks, < 0 leading zeros.
std::string formatWhole(const std::string& value, int width);
// Formats the register A for PRINT USING: format = 16 x decimals + length, fill 2 = zeros.
std::string formatUsing(const std::string& value, int format, int fill);
// The picture of a PRINT USING field with no value: placeholders with the decimal point.
std::string unsetPicture(int format, char placeholder);

} // namespace lt::emulator
