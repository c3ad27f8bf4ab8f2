// The person behind a command line: message boxes become one-line notes on the error
// stream and every question is answered with its negative button.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ui_port.h"

namespace lt {

class ConsoleUserPort : public UserPort {
public:
    explicit ConsoleUserPort(std::ostream& err) : err_(err) {}

    Answer messageBox(const MessageBox& box) override;
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseOpenFile(const FileDialog&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const FileDialog&) override { return std::nullopt; }
    void setStatus(const std::string&) override {}
    void setBusy(bool) override {}
    void endProgram() override { ended_ = true; }

    // Texts of the boxes shown so far.
    const std::vector<std::string>& notes() const { return notes_; }
    bool ended() const { return ended_; }
    // While set, boxes are recorded but not printed (the caller reports in its own words).
    void setQuiet(bool quiet) { quiet_ = quiet; }

private:
    std::ostream& err_;
    std::vector<std::string> notes_;
    bool ended_ = false;
    bool quiet_ = false;
};

} // namespace lt
