// What the compile and program runs need of the result window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolchain/ErrorLinks.h"

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
    // Shows a text file's content read-only inside the program, its lines that have a link
    // as links; returns the link the person activated (the viewer is closed then).
    virtual std::optional<ErrorLink> showTextFile(const std::string& title, const std::string& text,
                                                  const std::vector<ErrorLink>& links) = 0;
    virtual void closeWindow() = 0;
};

} // namespace lt
