// The person behind the core's UserPort: Qt message boxes, input boxes, file dialogs,
// the status bar label and the wait pointer.
#pragma once

#include <QPointer>
#include <QWidget>
#include <QString>
#include <functional>

#include "ui_port.h"



namespace lt {

// "Description (*.a)|*.a|All files (*.*)|*.*" -> "Description (*.a);;All files (*.*)".
QString QtFilterFromPipes(const std::string& filter);

class QtUserPort : public UserPort {
public:
    // parent: the window the boxes are centred over; status: shows one status text.
    QtUserPort(QWidget* parent, std::function<void(const QString&)> status);

    void setParent(QWidget* parent) { parent_ = parent; }
    void setStatusSink(std::function<void(const QString&)> status) { status_ = std::move(status); }
    Answer messageBox(const MessageBox& box) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    std::optional<std::string> chooseOpenFile(const FileDialog& dialog) override;
    std::optional<std::string> chooseSaveFile(const FileDialog& dialog) override;
    std::optional<PrintChoice> choosePrinter() override;
    void setStatus(const std::string& text) override;
    void setBusy(bool busy) override;
    void endProgram() override;
    bool endRequested() const { return endRequested_; }

private:
    QPointer<QWidget> parent_;
    std::function<void(const QString&)> status_;
    int busyDepth_ = 0;
    bool endRequested_ = false;
};

} // namespace lt
