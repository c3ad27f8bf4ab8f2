// A scripted person for tests: answers message boxes, input boxes and file dialogs from
// queues and records everything the program showed, so tests assert the exact texts.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui_port.h"

namespace lt::test {

class FakeUserPort : public UserPort {
public:
    std::vector<MessageBox> boxes;             // every box shown, in order
    std::deque<Answer> answers;                // scripted answers; the default when empty
    std::vector<std::string> prompts;          // every input box prompt
    std::deque<std::optional<std::string>> inputs;
    std::vector<FileDialog> fileDialogs;
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<PrintChoice>> printers; // scripted print dialogs
    int printDialogs = 0;
    std::vector<std::string> statuses;         // every status text set
    int busyDepth = 0;
    bool ended = false;
    int unscripted = 0;                        // boxes answered by their default

    // Runs while a box is up, as the person reads it (a test may run the event loop here).
    std::function<void(const MessageBox&)> whileShown;

    Answer messageBox(const MessageBox& box) override {
        boxes.push_back(box);
        if (whileShown) whileShown(box);
        if (answers.empty()) {
            ++unscripted;
            return box.defaultAnswer;
        }
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string&,
                                        const std::string&) override {
        prompts.push_back(prompt);
        if (inputs.empty()) return std::nullopt;
        auto a = inputs.front();
        inputs.pop_front();
        return a;
    }
    std::optional<std::string> chooseOpenFile(const FileDialog& d) override { return chooseFile(d); }
    std::optional<std::string> chooseSaveFile(const FileDialog& d) override { return chooseFile(d); }
    std::optional<PrintChoice> choosePrinter() override {
        ++printDialogs;
        if (printers.empty()) return std::nullopt;
        auto a = printers.front();
        printers.pop_front();
        return a;
    }
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    void setBusy(bool busy) override { busyDepth = busy ? 1 : 0; }
    void endProgram() override { ended = true; }

    std::vector<std::string> texts() const {
        std::vector<std::string> r;
        for (const auto& b : boxes) r.push_back(b.text);
        return r;
    }
    std::string lastText() const { return boxes.empty() ? std::string() : boxes.back().text; }
    void clear() {
        boxes.clear();
        statuses.clear();
        prompts.clear();
        fileDialogs.clear();
        unscripted = 0;
    }

private:
    std::optional<std::string> chooseFile(const FileDialog& d) {
        fileDialogs.push_back(d);
        if (files.empty()) return std::nullopt;
        auto a = files.front();
        files.pop_front();
        return a;
    }
};

} // namespace lt::test
