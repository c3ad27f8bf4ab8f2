// The Preferences dialog: which script editor Script Edit uses, the control-code
// delimiters and the variable placeholder character. Its OK step is a plain function
// over the session so that tests call it directly.
#pragma once

#include <QDialog>
#include <string>

#include "Session.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lt {

// Characters the Start and Stop boxes accept: "!".."*", "/", "<", ">", "@", "[".."`",
// "{".."~", and Backspace (8).
bool DelimiterKeyAccepted(int code);
// Characters the placeholder box accepts: 33..126 except "." and "#", and Backspace (8).
bool PlaceholderKeyAccepted(int code);

// What the dialog's boxes hold when OK is pressed.
struct PrefValues {
    bool external = false;
    std::string editorPath;
    std::string start;
    std::string stop;
    std::string varChar;
};

// The OK step: editor choice, delimiters (back to "<" / ">" when empty or a blank), and
// the placeholder with its question; in Quick Edit the current message is rebuilt when
// the placeholder changed. The caller refreshes the edit controls and the display.
void ApplyPreferences(Session& s, const PrefValues& values);

class frmPref : public QDialog {
    Q_OBJECT
public:
    frmPref(Session& session, QWidget* parent = nullptr);

    PrefValues values() const;

    QRadioButton* optInternal = nullptr;
    QRadioButton* optExternal = nullptr;
    QLineEdit* txtPrompt = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QLineEdit* txtVarChar = nullptr;
    QLineEdit* txtStart = nullptr;
    QLineEdit* txtStop = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void browse();
    void ok();

    Session& s_;
};

// Help context of the Preferences dialog.
inline constexpr int kPrefHelpContext = 4300;

} // namespace lt
