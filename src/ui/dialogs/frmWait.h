// The Vertical scroll dialog: turns vertical scrolling of the message on or off with its
// speed, repeat count and lock; the message then lives in line 1 as paragraphs.
#pragma once

#include <QDialog>

#include "attributes/VerticalScroll.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace lt {

struct DialogContext;

class frmWait : public QDialog {
    Q_OBJECT
public:
    frmWait(DialogContext& ctx);

    QLabel* Label1;
    QRadioButton* optOff;
    QRadioButton* optOn;
    QGroupBox* Frame2;
    QSlider* hsbRate;
    QLabel* lblSpeed;
    QLabel* lblSample[2];
    QGroupBox* Frame1;
    QRadioButton* optRepeat;
    QLineEdit* txtRepeat;
    QLabel* lblRepeat;
    QRadioButton* optNonstop;
    QCheckBox* chkLock;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;
    QTimer* Timer1;

    void timer1Tick();

protected:
    void done(int result) override;

private:
    void applyOnOff();
    void applyRepeat();
    void showSample();
    void ok();

    DialogContext& ctx_;
    int line_;
    VerticalSample sample_;
};

} // namespace lt
