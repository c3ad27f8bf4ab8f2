#include "ui/QtUserPort.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace lt {

QString QtFilterFromPipes(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!description.contains(QLatin1Char('('))) description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        out << description;
    }
    return out.join(QStringLiteral(";;"));
}

QtUserPort::QtUserPort(QWidget* parent, std::function<void(const QString&)> status)
    : parent_(parent), status_(std::move(status)) {}

Answer QtUserPort::messageBox(const MessageBox& box) {
    QMessageBox m(parent_);
    m.setWindowTitle(QString::fromStdString(box.title));
    m.setText(QString::fromStdString(box.text));
    switch (box.icon) {
    case Icon::Information: m.setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: m.setIcon(QMessageBox::Warning); break;
    case Icon::None: break;
    }
    struct Choice { Answer answer; QMessageBox::StandardButton button; };
    const auto choices = [&]() -> std::vector<Choice> {
        switch (box.buttons) {
        case Buttons::OkCancel: return {{Answer::Ok, QMessageBox::Ok}, {Answer::Cancel, QMessageBox::Cancel}};
        case Buttons::YesNo: return {{Answer::Yes, QMessageBox::Yes}, {Answer::No, QMessageBox::No}};
        case Buttons::YesNoCancel:
            return {{Answer::Yes, QMessageBox::Yes}, {Answer::No, QMessageBox::No}, {Answer::Cancel, QMessageBox::Cancel}};
        case Buttons::RetryCancel: return {{Answer::Retry, QMessageBox::Retry}, {Answer::Cancel, QMessageBox::Cancel}};
        case Buttons::Ok: break;
        }
        return {{Answer::Ok, QMessageBox::Ok}};
    }();
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices) buttons |= c.button;
    m.setStandardButtons(buttons);
    for (const auto& c : choices)
        if (c.answer == box.defaultAnswer) m.setDefaultButton(c.button);
    if (busyDepth_ > 0) QApplication::setOverrideCursor(Qt::ArrowCursor);
    int result = m.exec();
    if (busyDepth_ > 0) QApplication::restoreOverrideCursor();
    for (const auto& c : choices)
        if (result == c.button) return c.answer;
    // Closing the box with Escape or its close button counts as its cancelling answer.
    for (const auto& c : choices)
        if (c.answer == Answer::Cancel || c.answer == Answer::No) return c.answer;
    return Answer::Ok;
}

std::optional<std::string> QtUserPort::inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString::fromStdString(defaultText));
    // A long prompt wraps into a box about 45 characters wide instead of stretching it
    // across the screen.
    if (auto* label = dialog.findChild<QLabel*>()) {
        label->setWordWrap(true);
        label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 45);
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

namespace {
std::optional<std::string> runFileDialog(QWidget* parent, const FileDialog& d, bool save) {
    QFileDialog dialog(parent, QString::fromStdString(d.title), QString::fromStdString(d.initialDirectory),
                       QtFilterFromPipes(d.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks its own replace and must-exist questions.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!save) dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(d.defaultExtension));
    if (!d.fileName.empty()) dialog.selectFile(QString::fromStdString(d.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
}
} // namespace

std::optional<std::string> QtUserPort::chooseOpenFile(const FileDialog& dialog) {
    return runFileDialog(parent_, dialog, false);
}

std::optional<std::string> QtUserPort::chooseSaveFile(const FileDialog& dialog) {
    return runFileDialog(parent_, dialog, true);
}

std::optional<PrintChoice> QtUserPort::choosePrinter() {
    QPrinter printer;
    QPrintDialog dialog(&printer, parent_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PrintChoice choice;
    choice.copies = printer.copyCount() < 1 ? 1 : printer.copyCount();
    choice.printerName = printer.printerName().toStdString();
    if (printer.outputFormat() == QPrinter::PdfFormat) choice.outputFile = printer.outputFileName().toStdString();
    return choice;
}

void QtUserPort::setStatus(const std::string& text) {
    if (status_) status_(QString::fromStdString(text));
}

void QtUserPort::setBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        busyDepth_ = 0;
        QApplication::restoreOverrideCursor();
    }
}

void QtUserPort::endProgram() {
    endRequested_ = true;
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

} // namespace lt
