// What the compile and program runs need of the result window.
#pragma once

#include <string>

namespace lt {

class ResultSink {
public:
    virtual ~ResultSink() = default;
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;
    // The elapsed-time value beside "Elapsed Time:", repainted at once.
    virtual void setElapsed(const std::string& value) = 0;
    virtual void showElapsedLabel(bool visible) = 0;
    virtual void showElapsedValue(bool visible) = 0;
    // The "&Program" / "&View Errors" button.
    virtual void setProgramButton(const std::string& caption, bool visible) = 0;
    // Shows a text file's content read-only inside the program.
    virtual void showTextFile(const std::string& title, const std::string& text) = 0;
    virtual void closeWindow() = 0;
};

} // namespace lt
