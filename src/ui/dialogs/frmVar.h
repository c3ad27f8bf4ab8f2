// The Variable dialog: turns placeholder characters of the current line into variable
// fields of the unit's 16 variables, with leading zeros or spaces. Works on a copy of the
// line in its own editor; OK writes LineRtf.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace lt {

struct DialogContext;
class LineEditor;

class frmVar : public QDialog {
    Q_OBJECT
public:
    frmVar(DialogContext& ctx);

    QLabel* Label1;
    QRadioButton* optOn;
    QRadioButton* optOff;
    LineEditor* txtEdit;
    QTableWidget* grdSend;
    QGroupBox* Frame1;
    QRadioButton* optZero;
    QRadioButton* optSpace;
    QLabel* lblStatus;
    QLabel* lblStatusLine;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdClear;
    QPushButton* cmdHelp;
    QLabel* imgGraphic;

    // Double click on a variable of the table: assigns the highlighted placeholders.
    void assignVariable(int variable);
    // The check-mark pictures of the table from the editor's text; true when any field.
    bool CheckMark();
    bool cellChecked(int variable) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyOnOff();
    void changeFill(bool leadingZeros);
    void showHelp(const QString& control);
    void showCellStatus(int variable);
    void removeAll();
    void ok();

    DialogContext& ctx_;
    int line_;
};

} // namespace lt
