// Small pieces every attribute dialog shares: centring over the main window, the
// unexpected-error box, speed sliders and the one-line help of a control under
// the pointer.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>

class QCheckBox;
class QDialog;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QWidget;

namespace lt {

struct DialogContext;

// Centres the dialog over the context's main window and gives back the normal pointer
// that the main window set before opening it.
void PrepareDialog(QDialog& dialog, DialogContext& ctx);

// "Unexpected error in module <title>. Try to restart the program or Windows operating system."
std::string UnexpectedErrorText(const std::string& title);
// Runs a step; an unexpected failure shows `failureText` (exclamation icon) and gives false.
bool RunGuarded(DialogContext& ctx, const std::string& failureText, const std::function<void()>& step);

// The end of a dialog's OK: closes it, then the main window shows the changed message.
void AcceptAndRefresh(QDialog& dialog, DialogContext& ctx);
// A scroll dialog's OK left a message too long for the display: the dialog steps aside
// for the long message dialog.
void AskLongMessage(QDialog& dialog, DialogContext& ctx);

// A horizontal seven-position speed slider.
QSlider* MakeSpeedSlider(QWidget* parent, const char* name);

// The dialog's heading label "Label1": its caption in bold, a little larger than the text.
QLabel* MakeHeading(QWidget* parent, const char* caption);

// The row of buttons under a dialog: `left` (if any) alone at the left, the others at the right.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> right, QWidget* left = nullptr);

// The "Options" frame of the scroll dialogs: run until the next message, or repeat a
// number of times (up to three digits), and whether the line scrolls out completely.
struct RepeatOptions {
    QGroupBox* frame;    // Frame1
    QRadioButton* nonstop; // optNonstop
    QRadioButton* repeat;  // optRepeat
    QLineEdit* count;      // txtRepeat
    QLabel* times;         // lblRepeat
    QCheckBox* lock;       // chkLock
};
RepeatOptions MakeRepeatOptions(QWidget* dialog, const char* nonstopCaption, const char* repeatCaption);

// Sets a widget's member-style name as its objectName.
template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Shows a text for the control under the pointer: calls `show` with the control's
// objectName on every Enter event of the watched controls, and with "" on the dialog's
// background.
class HoverHelp : public QObject {
public:
    HoverHelp(QWidget* dialog, std::function<void(const QString& control)> show);
    void watch(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* dialog_;
    std::function<void(const QString&)> show_;
};

} // namespace lt
