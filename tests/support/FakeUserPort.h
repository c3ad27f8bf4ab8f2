// A scripted person for tests: answers message boxes, input boxes and file dialogs from
// queues and records everything the program showed, so tests assert the exact texts.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
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
        if (answers.empty()) ++unscripted;
        return answers.empty() ? box.defaultAnswer : next(answers);
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string&,
                                        const std::string&) override {
        prompts.push_back(prompt);
        return next(inputs);
    }
    std::optional<std::string> chooseOpenFile(const FileDialog& d) override { return chooseFile(d); }
    std::optional<std::string> chooseSaveFile(const FileDialog& d) override { return chooseFile(d); }
    std::optional<PrintChoice> choosePrinter() override {
        ++printDialogs;
        return next(printers);
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
    // Box i (from the end when negative) as one value: its text, buttons, icon, default answer.
    std::tuple<std::string, Buttons, Icon, Answer> box(int i) const {
        const MessageBox& b = boxes.at(i < 0 ? boxes.size() + i : i);
        return {b.text, b.buttons, b.icon, b.defaultAnswer};
    }
    // File dialog i as one value: its title, filter and default extension.
    std::tuple<std::string, std::string, std::string> dialog(size_t i) const {
        const FileDialog& d = fileDialogs.at(i);
        return {d.title, d.filter, d.defaultExtension};
    }
    void clear() {
        boxes.clear();
        statuses.clear();
        prompts.clear();
        fileDialogs.clear();
        unscripted = 0;
    }

private:
    // The next scripted answer, or "cancelled" (an empty optional) when none is left.
    template <class T> static T next(std::deque<T>& queue) {
        if (queue.empty()) return T{};
        T a = std::move(queue.front());
        queue.pop_front();
        return a;
    }
    std::optional<std::string> chooseFile(const FileDialog& d) {
        fileDialogs.push_back(d);
        return next(files);
    }
};

} // namespace lt::test
