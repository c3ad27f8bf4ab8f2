// The Blink dialog: which characters of the current line blink and how fast the message
// blinks. Works on a copy of the line in its own editor; OK writes LineRtf and LineBlink.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace lt {

struct DialogContext;
class LineEditor;

class frmBlink : public QDialog {
    Q_OBJECT
public:
    frmBlink(DialogContext& ctx);

    QLabel* Label1;
    QRadioButton* optOn;
    QRadioButton* optOff;
    LineEditor* txtEdit;
    QGroupBox* frameArea;
    QPushButton* cmdSecOn;
    QPushButton* cmdSecOff;
    QPushButton* cmdClear;
    QGroupBox* frameLine;
    QPushButton* cmdAllOn;
    QPushButton* cmdAllOff;
    QLabel* lblRate;
    QSlider* hsbBlink;
    QLabel* lblBlink;
    QTimer* Timer1;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    // One preview tick: the marked characters disappear and come back.
    void timer1Tick();
    bool previewHidden() const { return hidden_; }

protected:
    void done(int result) override;

private:
    void setMarks(bool wholeLine, bool blinking);
    void applyOnOff();
    void showPreview();
    void ok();

    DialogContext& ctx_;
    int line_;
    bool hidden_ = false;
};

} // namespace lt
