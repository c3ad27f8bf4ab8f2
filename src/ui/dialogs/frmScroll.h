// The Horizontal scroll dialog: no scrolling, continuous, or block by block for the
// current line, with its speed, repeat count and lock, and an animated sample.
#pragma once

#include <QDialog>

#include "attributes/HorizontalScroll.h"

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

class frmScroll : public QDialog {
    Q_OBJECT
public:
    frmScroll(DialogContext& ctx);

    QRadioButton* optNo;
    QRadioButton* optYes;
    QRadioButton* optBlock;
    QGroupBox* Frame2;
    QLineEdit* txtSample;
    QSlider* hsbRate;
    QLabel* lblSpeed;
    QGroupBox* Frame1;
    QRadioButton* optNonstop;
    QRadioButton* optRepeat;
    QLineEdit* txtRepeat;
    QLabel* lblRepeat;
    QCheckBox* chkLock;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;
    QTimer* Timer1;

    void timer1Tick();

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HorizontalKind kind() const;
    void applyKind();
    void applyRepeat();
    void ok();

    DialogContext& ctx_;
    int line_;
    HorizontalSample sample_;
};

} // namespace lt
