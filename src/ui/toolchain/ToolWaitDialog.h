// Shown while the window waits for a tool without taking input: it says which program is
// awaited and offers to end it, so a tool that never ends cannot hold the editor.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace lt {

class ToolWaitDialog : public QDialog {
    Q_OBJECT
public:
    // endProgram is called when the person presses "&End Program".
    ToolWaitDialog(const QString& program, std::function<void()> endProgram, QWidget* parent = nullptr);

    QLabel* lblWait = nullptr;
    QPushButton* cmdEnd = nullptr;

public slots:
    // Escape and the close box do nothing: the window closes when the program has ended.
    void reject() override {}

private:
    QString program_;
};

} // namespace lt
