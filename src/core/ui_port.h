// The interfaces through which the core talks to the person using the program.
// The GUI implements them with Qt widgets; tests implement them with a scripted fake.
#pragma once

#include <optional>
#include <string>

namespace lt {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Information, Exclamation };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// Title used by every box that does not name its own.
inline constexpr const char* kAppTitle = "Lumatext 7700";

struct MessageBox {
    std::string text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    std::string title = kAppTitle;
    // The answer the box offers as default; for Ok-only boxes it is Ok.
    Answer defaultAnswer = Answer::Ok;
};

inline MessageBox Box(std::string text, Buttons b = Buttons::Ok, Icon i = Icon::None,
                      std::string title = kAppTitle) {
    MessageBox m;
    m.text = std::move(text);
    m.buttons = b;
    m.icon = i;
    m.title = std::move(title);
    switch (b) {
    case Buttons::Ok:
    case Buttons::OkCancel: m.defaultAnswer = Answer::Ok; break;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: m.defaultAnswer = Answer::Yes; break;
    case Buttons::RetryCancel: m.defaultAnswer = Answer::Retry; break;
    }
    return m;
}

struct FileDialog {
    std::string title;
    // Filter in the "Description (*.ext)|*.ext|..." form used throughout the program.
    std::string filter;
    std::string defaultExtension;
    std::string initialDirectory;
    std::string fileName;
};

// What the person chose in the print dialog.
struct PrintChoice {
    int copies = 1;
    std::string printerName;
    // Non-empty when the output goes to a PDF file instead of a printer.
    std::string outputFile;
};

class UserPort {
public:
    virtual ~UserPort() = default;
    virtual Answer messageBox(const MessageBox& box) = 0;
    // nullopt when the person cancels.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
    virtual std::optional<std::string> chooseOpenFile(const FileDialog& dialog) = 0;
    virtual std::optional<std::string> chooseSaveFile(const FileDialog& dialog) = 0;
    // The print dialog (no page ranges, no selection); nullopt when the person cancels.
    virtual std::optional<PrintChoice> choosePrinter() { return std::nullopt; }
    // The one-line status bar at the bottom of the main window.
    virtual void setStatus(const std::string& text) = 0;
    // The hourglass pointer of long operations.
    virtual void setBusy(bool busy) = 0;
    // Asks the program to end as soon as the current handler returns.
    virtual void endProgram() = 0;
};

} // namespace lt
