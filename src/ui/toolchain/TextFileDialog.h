// A read-only view of a text file inside the program, for error files when no external
// viewer is available. Long lines wrap; lines given as links (an error in the open script)
// are activated by a click or by Tab and Enter, which closes the view.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "toolchain/ErrorLinks.h"

class QTextBrowser;

namespace lt {

class TextFileDialog : public QDialog {
    Q_OBJECT
public:
    // `lines` are the file's lines; `links` name some of them.
    TextFileDialog(const QString& title, const QStringList& lines, const std::vector<ErrorLink>& links = {},
                   QWidget* parent = nullptr);
    QTextBrowser* txtView = nullptr;
    // The link the person activated, if any.
    std::optional<ErrorLink> chosen() const { return chosen_; }

private:
    std::vector<ErrorLink> links_;
    std::optional<ErrorLink> chosen_;
};

} // namespace lt
