// "Read / Program Flash": saves the unit's flash into a binary image file or programs a
// unit from one. While either runs the window refuses to close.
#pragma once

#include <QDialog>

#include "toolchain/FlashCommands.h"
#include "toolchain/ToolContext.h"

class QLabel;
class QPushButton;

namespace lt {

class frmReadFlash : public QDialog, public FlashStatusLabel {
    Q_OBJECT
public:
    frmReadFlash(ToolContext& ctx, QWidget* parent = nullptr);

    // "&Read Flash...": the window shown modally.
    static void openModal(ToolContext& ctx, QWidget* parent = nullptr);

    void setStatusLabel(const std::string& text) override;
    bool busy() const { return busy_; }

    QLabel* lblRead = nullptr;
    QLabel* lblProgram = nullptr;
    QLabel* lblNote = nullptr;
    QLabel* lblStatus = nullptr;
    QPushButton* cmdRead = nullptr;
    QPushButton* cmdProgram = nullptr;
    QPushButton* cmdClose = nullptr;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ToolContext& ctx_;
    bool busy_ = false;
};

} // namespace lt
