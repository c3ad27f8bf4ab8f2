#include "ui/toolchain/TextFileDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace lt {

TextFileDialog::TextFileDialog(const QString& title, const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName("TextFileDialog");
    setWindowTitle(title);
    txtView = new QPlainTextEdit(this);
    txtView->setObjectName("txtView");
    txtView->setReadOnly(true);
    txtView->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtView->setPlainText(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtView);
    layout->addWidget(buttons);
    resize(640, 400);
}

} // namespace lt
