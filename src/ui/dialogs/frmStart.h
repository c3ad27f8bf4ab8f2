// The Start message dialog: up to four messages started from the current one, each at
// the beginning ("Beg.", another task) or the end ("End", the same task) of its script.
#pragma once

#include <QDialog>
#include <string>

#include "attributes/StartMessages.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace lt {

struct DialogContext;

class frmStart : public QDialog {
    Q_OBJECT
public:
    frmStart(DialogContext& ctx);

    QLabel* Label1;
    QRadioButton* optOn;
    QRadioButton* optOff;
    QGroupBox* frame[kStartBoxes];
    QLineEdit* txtStart[kStartBoxes];
    QScrollBar* vsbStart[kStartBoxes];
    QRadioButton* optTop[kStartBoxes];
    QRadioButton* optEnd[kStartBoxes];
    QLabel* lblStatus;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdClear;
    QPushButton* cmdHelp;

    // The caption OK left for the main window's cmdStart; empty before OK.
    const std::string& startCaption() const { return startCaption_; }

private:
    void applyOnOff();
    void ok();

    DialogContext& ctx_;
    bool filling_ = false;
    std::string startCaption_;
};

} // namespace lt
