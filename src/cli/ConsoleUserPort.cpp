#include "ConsoleUserPort.h"

namespace lt {

Answer ConsoleUserPort::messageBox(const MessageBox& box) {
    std::string line;
    for (char c : box.text) {
        if (c == '\r') continue;
        line.push_back(c == '\n' ? ' ' : c);
    }
    notes_.push_back(line);
    if (!quiet_) err_ << "lumatext: " << line << "\n";
    switch (box.buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel:
    case Buttons::RetryCancel:
    case Buttons::YesNoCancel: return Answer::Cancel;
    case Buttons::YesNo: return Answer::No;
    }
    return Answer::Cancel;
}

} // namespace lt
