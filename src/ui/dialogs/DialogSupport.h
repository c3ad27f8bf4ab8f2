// Small pieces every attribute dialog shares: centring over the main window, the help
// file, the unexpected-error box, speed sliders and the one-line help of a control under
// the pointer.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QDialog;
class QSlider;
class QWidget;

namespace lt {

struct DialogContext;

// Centres the dialog over the context's main window and gives back the normal pointer
// that the main window set before opening it.
void PrepareDialog(QDialog& dialog, DialogContext& ctx);

// Opens the help file "Lumatext7700.hlp" of the program's directory at a topic.
void OpenHelpTopic(DialogContext& ctx, int topic);

// "Unexpected error in module <title>. Try to restart the program or Windows operating system."
std::string UnexpectedErrorText(const std::string& title);
// Runs a step; an unexpected failure shows `failureText` (exclamation icon) and gives false.
bool RunGuarded(DialogContext& ctx, const std::string& failureText, const std::function<void()>& step);

// A horizontal seven-position speed slider.
QSlider* MakeSpeedSlider(QWidget* parent, const char* name);

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
