// The About box, the splash window shown during start-up, and the information window
// that reports a second running instance.
#pragma once

#include <QDialog>

namespace lt {

// "Lumatext" with the registered-trademark sign, then " 7700".
QString ProductName();
inline constexpr const char* kMakerName = "Brelmo Industries";

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};

class frmSplsh : public QWidget {
    Q_OBJECT
public:
    frmSplsh();
};

class frmInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmInfo(QWidget* parent = nullptr);
    static QString text();
};

} // namespace lt
