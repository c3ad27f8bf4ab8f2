// The long message dialog: asks what a line that no longer fits 20 characters is to
// become. The caller refreshes the window after it closes; OK may open the scroll dialogs.
#pragma once

#include <QDialog>

#include "attributes/LongMessage.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace lt {

struct DialogContext;

class frmSelect : public QDialog {
    Q_OBJECT
public:
    frmSelect(DialogContext& ctx);

    QRadioButton* optSelect[4];
    QLabel* lblSelect[4];  // [0] is the label "Do not create long message"
    QLabel* lblPrompt;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    LongSituation situation() const { return situation_; }

private:
    void ok();

    DialogContext& ctx_;
    int line_;
    LongSituation situation_;
};

} // namespace lt
