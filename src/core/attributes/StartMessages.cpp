#include "attributes/StartMessages.h"

#include "common/NumberText.h"
#include "quickedit/QuickMessage.h"

namespace lt {

std::string StartWindowCaption(int currentMessage) { return "Current msg " + std::to_string(currentMessage); }

namespace {

// Fills boxes from a comma-separated list until all four are used.
void fill(std::array<StartBox, kStartBoxes>& boxes, int& next, const std::string& list, bool atEnd) {
    if (list.empty()) return;
    size_t from = 0;
    while (next < kStartBoxes) {
        size_t comma = list.find(',', from);
        std::string entry = Trim(list.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        boxes[next].text = entry;
        boxes[next].atEnd = atEnd;
        ++next;
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
}

void append(std::string& list, const std::string& entry) {
    if (!list.empty()) list += ",";
    list += entry;
}

} // namespace

StartChoice OpenStart(const QuickMessage& m) {
    StartChoice c;
    if (m.StartOtherTask.empty() && m.StartSameTask.empty()) return c;
    c.on = true;
    int next = 0;
    fill(c.boxes, next, m.StartOtherTask, false);
    fill(c.boxes, next, m.StartSameTask, true);
    return c;
}

StartResult ApplyStart(QuickMessage& m, const StartChoice& choice) {
    std::string other, same;
    if (choice.on) {
        // Numbers are compared by value: "007" is message 7.
        for (int i = 0; i < kStartBoxes; ++i) {
            const std::string& text = choice.boxes[i].text;
            if (text.empty()) continue;
            double value = Val(text);
            if (value == m.CurrentMessage)
                return {false, "Message " + text + " is the current message. You cannot call the current message.", i};
            if (value < 0) return {false, text + " is smaller than the minimum message number 0.", i};
            if (value > kMessageCount - 1) return {false, text + " is bigger than the maximum message number 1023.", i};
        }
        for (int i = 0; i < kStartBoxes; ++i)
            for (int j = i + 1; j < kStartBoxes; ++j)
                if (!choice.boxes[i].text.empty() && !choice.boxes[j].text.empty() &&
                    Val(choice.boxes[i].text) == Val(choice.boxes[j].text))
                    return {false, "You cannot start message " + choice.boxes[i].text + " more than once.", -1};
        for (const StartBox& box : choice.boxes) {
            if (box.text.empty()) continue;
            append(box.atEnd ? same : other, std::to_string(ValInt(box.text)));
        }
    }
    m.StartOtherTask = other;
    m.StartSameTask = same;
    return {};
}

std::string StartButtonCaption(const QuickMessage& m) {
    return m.StartOtherTask.empty() && m.StartSameTask.empty() ? "&Start msg OFF..." : "&Start msg On...";
}

std::string StartHelpLine(const std::string& control) {
    if (control == "cmdOk") return "Pressing this button will validate all changes if any.";
    if (control == "cmdCancel") return "Pressing this button will discard all changes if any.";
    if (control == "cmdClear") return "Pressing this button will clear all four message number fields.";
    if (control == "cmdHelp")
        return "Pressing this button will open a help file with information you may need in order to use this window.";
    if (control == "optOn")
        return "Pressing this Radio button will allow you to define up to four messages to be started from this one.";
    if (control == "optOff")
        return "Pressing this Radio button will disable but not reset current values. If Ok button pressed when Off is "
               "selected all data will be lost.";
    if (control == "optTop" || control == "optEnd")
        return "You can select whether the START MESSAGE occurs at the begining or end of this message script.";
    if (control == "txtStart")
        return "You can enter any valid message number (0-1023) representing the message to be started from this one.";
    return {};
}

int StartBarValue(const std::string& text) {
    if (text.empty()) return 0;
    long long v = ValInt(text);
    if (v < 0) return 0;
    if (v > kMessageCount - 1) return kMessageCount - 1;
    return static_cast<int>(v);
}

std::string StartBoxText(int barValue) { return barValue == 0 ? std::string() : std::to_string(barValue); }

} // namespace lt
