// A read-only view of a text file inside the program, for error files when no external
// viewer is available.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace lt {

class TextFileDialog : public QDialog {
    Q_OBJECT
public:
    TextFileDialog(const QString& title, const QString& text, QWidget* parent = nullptr);
    QPlainTextEdit* txtView = nullptr;
};

} // namespace lt
