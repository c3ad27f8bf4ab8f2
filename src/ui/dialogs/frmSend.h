// The Send message dialog: nothing, a text sent out of the unit's serial port (control
// characters typed as delimited names), or the message itself to a slave unit.
#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace lt {

struct DialogContext;

class frmSend : public QDialog {
    Q_OBJECT
public:
    frmSend(DialogContext& ctx);

    QRadioButton* optOff;
    QRadioButton* optOn;
    QRadioButton* optSlave;
    QLabel* lblText;
    QPlainTextEdit* txtSend;
    QLabel* lblTable;
    QTableWidget* grdSend;
    QLabel* lblSend;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdClear;
    QPushButton* cmdHelp;

    // Inserts the delimited name of a grid cell at the text box's cursor.
    void pasteCell(int row, int column);
    // The caption OK left for the main window's cmdSend; empty before OK.
    const std::string& sendCaption() const { return sendCaption_; }

    // Cancel (or Escape) leaves the message as it was when the dialog opened, even after
    // an empty text was refused on the way.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyOption();
    void ok();

    DialogContext& ctx_;
    std::string sendCaption_;
    std::string openedText_;  // SendText when the dialog opened
};

} // namespace lt
